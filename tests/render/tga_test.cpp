#include "tga.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Pixel bytes 1, 2, 3, ... (mod 251) as R G B (A) for width x height at depth bits.
std::vector<std::uint8_t> countingPixels(unsigned width, unsigned height, int depth) {
  std::vector<std::uint8_t> pixels(std::size_t{width} * height * (depth / 8));
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = static_cast<std::uint8_t>(1 + i % 251);
  return pixels;
}

TgaHeader headerOf(unsigned width, unsigned height, int depth, std::uint8_t descriptor = 0) {
  TgaHeader header;
  header.width = static_cast<std::uint16_t>(width);
  header.height = static_cast<std::uint16_t>(height);
  header.bitsPerPixel = static_cast<std::uint8_t>(depth);
  header.descriptor = descriptor;
  return header;
}

// A whole file of counting pixels.
TgaBytes file(unsigned width, unsigned height, int depth) {
  TgaBytes bytes;
  encodeTga(bytes, headerOf(width, height, depth), countingPixels(width, height, depth).data());
  return bytes;
}

// A header declaring width x height x depth, followed by pixelBytes stored bytes.
TgaBytes declared(unsigned width, unsigned height, int depth, std::size_t pixelBytes) {
  TgaBytes bytes(tgaHeaderBytes + pixelBytes, 0x5a);
  writeTgaHeader(bytes.data(), headerOf(width, height, depth));
  return bytes;
}

template <typename Change>
TgaBytes withHeader(TgaBytes bytes, Change change) {
  TgaHeader header;
  readTgaHeader(header, bytes.data());
  change(header);
  writeTgaHeader(bytes.data(), header);
  return bytes;
}

TgaBytes cut(const TgaBytes& bytes, std::size_t length) {
  return TgaBytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

// Decodes a copy that holds exactly the given bytes, so that a read past the end is a heap
// overflow for the sanitizers.
bool decode(TgaImage& image, const TgaBytes& bytes) {
  const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), exact.get());
  return decodeTga(image, exact.get(), bytes.size());
}

// Written out byte by byte, not by the encoder: a 2 x 1 picture at 24 bits, width and height in
// little-endian order, pixels B G R.
const std::uint8_t handWritten[] = {
    0,  0,  2,  0, 0, 0, 0, 0,  // no ID, no colour map, type 2, colour-map spec zero
    0,  0,  0,  0,              // X and Y origin
    2,  0,  1,  0,              // width 2, height 1
    24, 0,                      // depth, descriptor
    10, 20, 30,                 // first pixel: blue 10, green 20, red 30
    40, 50, 60,                 // second pixel
};

TEST(TgaFormat, HandWrittenFileDecodesToRgbAndEncodesToTheSameBytes) {
  TgaImage image;
  ASSERT_TRUE(decode(image, TgaBytes(std::begin(handWritten), std::end(handWritten))));
  EXPECT_EQ(image.width, 2u);
  EXPECT_EQ(image.height, 1u);
  EXPECT_EQ(image.bitsPerPixel, 24);
  const std::uint8_t rgb[] = {30, 20, 10, 60, 50, 40};
  EXPECT_TRUE(std::equal(std::begin(rgb), std::end(rgb), image.pixels.get()));

  TgaBytes encoded;
  encodeTga(encoded, headerOf(2, 1, 24), rgb);
  EXPECT_EQ(encoded, TgaBytes(std::begin(handWritten), std::end(handWritten)));
}

TEST(TgaFormat, EveryHeaderFieldHasItsOwnBytes) {
  // Distinct bytes 1 to 18: each field reads its own, two-byte fields low byte first.
  std::uint8_t bytes[tgaHeaderBytes];
  for (std::size_t i = 0; i < tgaHeaderBytes; ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
  TgaHeader header;
  readTgaHeader(header, bytes);
  EXPECT_EQ(header.idLength, 1);
  EXPECT_EQ(header.colourMapType, 2);
  EXPECT_EQ(header.imageType, 3);
  EXPECT_EQ(header.colourMapFirst, 0x0504);
  EXPECT_EQ(header.colourMapLength, 0x0706);
  EXPECT_EQ(header.colourMapDepth, 8);
  EXPECT_EQ(header.xOrigin, 0x0a09);
  EXPECT_EQ(header.yOrigin, 0x0c0b);
  EXPECT_EQ(header.width, 0x0e0d);
  EXPECT_EQ(header.height, 0x100f);
  EXPECT_EQ(header.bitsPerPixel, 17);
  EXPECT_EQ(header.descriptor, 18);

  std::uint8_t written[tgaHeaderBytes] = {};
  writeTgaHeader(written, header);
  EXPECT_TRUE(std::equal(std::begin(bytes), std::end(bytes), written));
}

struct Refusal {
  const char* what;
  TgaBytes bytes;
  std::uint32_t width, height;  // what the image keeps
  std::int32_t bitsPerPixel;
};

void PrintTo(const Refusal& c, std::ostream* out) { *out << c.what; }

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

const TgaBytes good = file(4, 2, 24);

INSTANTIATE_TEST_SUITE_P(
    FailureTable, TgaRefusal,
    ::testing::Values(
        Refusal{"empty file", {}, 0, 0, 0},
        Refusal{"cut inside the fixed fields", cut(good, 11), 0, 0, 0},
        Refusal{"image ID present", withHeader(good, [](TgaHeader& h) { h.idLength = 5; }), 0, 0,
                0},
        Refusal{"colour map present", withHeader(good, [](TgaHeader& h) { h.colourMapType = 1; }),
                0, 0, 0},
        Refusal{"run-length encoded", withHeader(good, [](TgaHeader& h) { h.imageType = 10; }), 0,
                0, 0},
        Refusal{"grey-scale", withHeader(good, [](TgaHeader& h) { h.imageType = 3; }), 0, 0, 0},
        Refusal{"colour-map first entry set",
                withHeader(good, [](TgaHeader& h) { h.colourMapFirst = 256; }), 0, 0, 0},
        Refusal{"colour-map length set",
                withHeader(good, [](TgaHeader& h) { h.colourMapLength = 1; }), 0, 0, 0},
        Refusal{"colour-map depth set",
                withHeader(good, [](TgaHeader& h) { h.colourMapDepth = 24; }), 0, 0, 0},
        Refusal{"X origin set", withHeader(good, [](TgaHeader& h) { h.xOrigin = 1; }), 0, 0, 0},
        Refusal{"Y origin set", withHeader(good, [](TgaHeader& h) { h.yOrigin = 256; }), 0, 0, 0},
        Refusal{"cut inside the size and depth", cut(good, 17), 0, 0, 0},
        Refusal{"width 0", declared(0, 2, 24, 64), 0, 2, 0},
        Refusal{"height 0", declared(3, 0, 32, 64), 3, 0, 0},
        Refusal{"16-bit", declared(4, 2, 16, 4 * 2 * 2), 4, 2, 0},
        Refusal{"8-bit", declared(4, 2, 8, 4 * 2), 4, 2, 0},
        Refusal{"pixel data one byte short", declared(4, 2, 32, 4 * 2 * 4 - 1), 4, 2, 32},
        Refusal{"no pixel data", declared(300, 2, 24, 0), 300, 2, 24},
        // 65535 x 65535 x 4 = 17179344900 bytes: wraps in 32 bits, and is no body-part picture.
        Refusal{"byte count beyond 32 bits", declared(65535, 65535, 32, 64), 65535, 65535, 32},
        Refusal{"byte count beyond 32 bits, 24-bit", declared(65535, 65535, 24, 64), 65535, 65535,
                24},
        // 32768 x 32768 x 4 = 2^32 exactly: wraps to 0 in 32-bit arithmetic.
        Refusal{"byte count of exactly 2^32", declared(32768, 32768, 32, 0), 32768, 32768, 32},
        // 32768 x 32769 x 4 = 2^32 + 131072: in 32 bits a small count, and that many bytes follow.
        Refusal{"byte count wrapping to 128 KiB in 32 bits", declared(32768, 32769, 32, 131072),
                32768, 32769, 32}));

// 32768 x 16384 x 4 = 2^31 bytes, one past the largest pixel area, and every one of them there
// (mapped, never written): refused by its size alone, before anything is allocated or copied.
TEST(TgaFormat, PixelAreaOfTwoGibibytesIsRefusedThoughItIsComplete) {
  const std::size_t size = tgaHeaderBytes + (std::size_t{1} << 31);
  void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  auto* bytes = static_cast<std::uint8_t*>(mapped);
  writeTgaHeader(bytes, headerOf(32768, 16384, 32));
  TgaImage image;
  EXPECT_FALSE(decodeTga(image, bytes, size));
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(image.bitsPerPixel, 32);
  munmap(mapped, size);
}

// Accepted pictures: the decoder gives back exactly the R G B (A) pixels the encoder was given,
// in stored row order, whatever the descriptor and whatever follows the pixels.
struct Accepted {
  const char* what;
  unsigned width, height;
  int depth;
  std::uint8_t descriptor;
  std::size_t trailingBytes;
};

void PrintTo(const Accepted& c, std::ostream* out) { *out << c.what; }

class TgaAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(TgaAccepted, DecodesTheEncodedPixels) {
  const Accepted& c = GetParam();
  const std::vector<std::uint8_t> pixels = countingPixels(c.width, c.height, c.depth);
  TgaBytes bytes;
  encodeTga(bytes, headerOf(c.width, c.height, c.depth, c.descriptor), pixels.data());
  ASSERT_EQ(bytes.size(), tgaHeaderBytes + pixels.size()) << c.what << ": rows are not padded";
  bytes.insert(bytes.end(), c.trailingBytes, 0xee);

  TgaImage image;
  ASSERT_TRUE(decode(image, bytes)) << c.what;
  EXPECT_EQ(image.width, c.width) << c.what;
  EXPECT_EQ(image.height, c.height) << c.what;
  EXPECT_EQ(image.bitsPerPixel, c.depth) << c.what;
  ASSERT_NE(image.pixels, nullptr) << c.what;
  for (std::size_t i = 0; i < pixels.size(); ++i)
    ASSERT_EQ(image.pixels[i], pixels[i]) << c.what << ", byte " << i;
}

INSTANTIATE_TEST_SUITE_P(
    DecodeTable, TgaAccepted,
    ::testing::Values(Accepted{"24-bit", 4, 4, 24, 0, 0}, Accepted{"32-bit", 4, 4, 32, 8, 0},
                      Accepted{"odd width, unpadded 9-byte rows", 3, 2, 24, 0, 0},
                      Accepted{"one pixel", 1, 1, 32, 8, 0},
                      Accepted{"top-left origin", 2, 3, 32, 0x28, 0},
                      Accepted{"every descriptor bit set", 2, 3, 32, 0xff, 0},
                      Accepted{"a footer after the pixels", 3, 3, 24, 0, 40}));

TEST(TgaFormat, FileDecodesLikeItsBytesAndAMissingFileIsRefused) {
  const std::string path = ::testing::TempDir() + "tga_test_picture.tga";
  const TgaBytes bytes = file(5, 3, 24);
  ASSERT_TRUE(writeTgaFile(path.c_str(), bytes));
  TgaImage fromFile, fromBytes;
  ASSERT_TRUE(decodeTgaFile(fromFile, path.c_str()));
  ASSERT_TRUE(decode(fromBytes, bytes));
  EXPECT_TRUE(
      std::equal(fromBytes.pixels.get(), fromBytes.pixels.get() + 45, fromFile.pixels.get()));

  // The same refusal before allocating: the file is shorter than its declared pixel area.
  ASSERT_TRUE(writeTgaFile(path.c_str(), declared(65535, 65535, 24, 64)));
  TgaImage huge;
  EXPECT_FALSE(decodeTgaFile(huge, path.c_str()));
  EXPECT_EQ(huge.pixels, nullptr);

  TgaImage missing;
  EXPECT_FALSE(decodeTgaFile(missing, (path + ".missing").c_str()));
  EXPECT_EQ(missing.width, 0u);
}

}  // namespace
