#include "tga_decode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The 18-byte header of an uncompressed true-colour picture.
Bytes header(unsigned width, unsigned height, int depth, std::uint8_t descriptor = 0) {
  return {0,
          0,
          2,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          static_cast<std::uint8_t>(width & 0xff),
          static_cast<std::uint8_t>(width >> 8),
          static_cast<std::uint8_t>(height & 0xff),
          static_cast<std::uint8_t>(height >> 8),
          static_cast<std::uint8_t>(depth),
          descriptor};
}

// A whole file: header, then pixel bytes 0, 1, 2, ... (mod 251) for the given byte count.
Bytes file(unsigned width, unsigned height, int depth, std::size_t pixelBytes,
           std::uint8_t descriptor = 0) {
  Bytes bytes = header(width, height, depth, descriptor);
  for (std::size_t i = 0; i < pixelBytes; ++i) bytes.push_back(static_cast<std::uint8_t>(i % 251));
  return bytes;
}

Bytes withByte(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes[at] = value;
  return bytes;
}

// Decodes bytes from a memory stream; reports where the stream was left.
bool decode(TgaImage& image, const Bytes& bytes, long* endPosition = nullptr) {
  Bytes copy = bytes;
  copy.push_back(
      0);  // fmemopen refuses a zero-length buffer; the extra byte is never part of the file
  std::FILE* stream = fmemopen(copy.data(), bytes.size(), "rb");
  if (!stream) return false;
  const bool ok = decodeTga(image, stream);
  if (endPosition) *endPosition = std::ftell(stream);
  std::fclose(stream);
  return ok;
}

struct Refusal {
  const char* what;
  Bytes bytes;
  std::uint32_t width, height;  // what the image keeps
  std::int32_t bitsPerPixel;
};

class TgaRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(TgaRefusal, FailsAndKeepsOnlyWhatWasReadBeforeTheFault) {
  const Refusal& c = GetParam();
  TgaImage image;
  EXPECT_FALSE(decode(image, c.bytes)) << c.what;
  EXPECT_EQ(image.width, c.width) << c.what;
  EXPECT_EQ(image.height, c.height) << c.what;
  EXPECT_EQ(image.bitsPerPixel, c.bitsPerPixel) << c.what;
  EXPECT_EQ(image.pixels, nullptr) << c.what;
  EXPECT_EQ(image.textureName, 0u) << c.what;
}

const Bytes good = file(4, 2, 24, 4 * 2 * 3);

INSTANTIATE_TEST_SUITE_P(
    FailureTable, TgaRefusal,
    ::testing::Values(
        Refusal{"empty file", {}, 0, 0, 0},
        Refusal{"short first read", Bytes(good.begin(), good.begin() + 11), 0, 0, 0},
        Refusal{"image ID present", withByte(good, 0, 5), 0, 0, 0},
        Refusal{"colour map present", withByte(good, 1, 1), 0, 0, 0},
        Refusal{"run-length encoded", withByte(good, 2, 10), 0, 0, 0},
        Refusal{"grey-scale", withByte(good, 2, 3), 0, 0, 0},
        Refusal{"colour-map spec set", withByte(good, 5, 1), 0, 0, 0},
        Refusal{"X origin set", withByte(good, 8, 1), 0, 0, 0},
        Refusal{"Y origin set", withByte(good, 11, 1), 0, 0, 0},
        Refusal{"short second read", Bytes(good.begin(), good.begin() + 17), 0, 0, 0},
        Refusal{"width 0", file(0, 2, 24, 64), 0, 2, 0},
        Refusal{"height 0", file(3, 0, 32, 64), 3, 0, 0},
        Refusal{"16-bit", file(4, 2, 16, 4 * 2 * 2), 4, 2, 0},
        Refusal{"8-bit", file(4, 2, 8, 4 * 2), 4, 2, 0},
        Refusal{"pixel data one byte short", file(4, 2, 32, 4 * 2 * 4 - 1), 4, 2, 32},
        Refusal{"no pixel data", file(300, 2, 24, 0), 300, 2, 24},
        // 65535 x 65535 x 4 = 17179344900 bytes: wraps in 32 bits, and is no body-part picture.
        Refusal{"byte count beyond 32 bits", file(65535, 65535, 32, 64), 65535, 65535, 32},
        Refusal{"byte count beyond 32 bits, 24-bit", file(65535, 65535, 24, 64), 65535, 65535, 24},
        // 32768 x 32768 x 4 = 2^32 exactly: wraps to 0 in 32-bit arithmetic.
        Refusal{"byte count of exactly 2^32", file(32768, 32768, 32, 0), 32768, 32768, 32}));

TEST(TgaDecode, TurnsBgrIntoRgbInStoredRowOrder) {
  for (int depth : {24, 32}) {
    const std::size_t bytesPerPixel = depth / 8;
    const Bytes bytes = file(4, 4, depth, 16 * bytesPerPixel);
    TgaImage image;
    ASSERT_TRUE(decode(image, bytes)) << depth;
    EXPECT_EQ(image.width, 4u);
    EXPECT_EQ(image.height, 4u);
    EXPECT_EQ(image.bitsPerPixel, depth);
    ASSERT_NE(image.pixels, nullptr);
    for (std::size_t i = 0; i < 16 * bytesPerPixel; i += bytesPerPixel) {
      const std::uint8_t* stored = &bytes[18 + i];
      EXPECT_EQ(image.pixels[i], stored[2]) << depth << " bit, byte " << i;
      EXPECT_EQ(image.pixels[i + 1], stored[1]);
      EXPECT_EQ(image.pixels[i + 2], stored[0]);
      if (depth == 32) {
        EXPECT_EQ(image.pixels[i + 3], stored[3]);
      }
    }
  }
}

TEST(TgaDecode, FirstPixelOneTwoThreeBecomesThreeTwoOne) {
  Bytes bytes = file(4, 4, 24, 48);
  bytes[18] = 1, bytes[19] = 2, bytes[20] = 3;
  TgaImage image;
  ASSERT_TRUE(decode(image, bytes));
  EXPECT_EQ(image.pixels[0], 3);
  EXPECT_EQ(image.pixels[1], 2);
  EXPECT_EQ(image.pixels[2], 1);
}

TEST(TgaDecode, IgnoresBytesAfterThePixelsAndNeverReadsThem) {
  const Bytes exact = file(3, 3, 24, 27);
  Bytes longer = exact;
  for (int i = 0; i < 40; ++i) longer.push_back(0xee);  // a footer, say
  TgaImage a, b;
  long end = 0;
  ASSERT_TRUE(decode(a, exact));
  ASSERT_TRUE(decode(b, longer, &end));
  EXPECT_EQ(end, 18 + 27);
  EXPECT_TRUE(std::equal(a.pixels.get(), a.pixels.get() + 27, b.pixels.get()));
}

TEST(TgaDecode, TopLeftOriginIsLoadedInStoredRowOrder) {
  TgaImage bottomLeft, topLeft;
  ASSERT_TRUE(decode(bottomLeft, file(2, 3, 32, 24, 0x08)));
  ASSERT_TRUE(decode(topLeft, file(2, 3, 32, 24, 0x28)));
  EXPECT_TRUE(std::equal(topLeft.pixels.get(), topLeft.pixels.get() + 24, bottomLeft.pixels.get()));
}

TEST(TgaDecode, UnpaddedRowsOfOddWidthPicturesTakeExactlyTheirBytes) {
  // 3 x 2 at 24 bits: rows of 9 bytes, 18 in all, no padding expected between rows.
  TgaImage image;
  ASSERT_TRUE(decode(image, file(3, 2, 24, 18)));
  EXPECT_EQ(image.pixels[9], 11);  // second row's first pixel, stored as 9, 10, 11
  EXPECT_EQ(image.pixels[11], 9);
}

}  // namespace
