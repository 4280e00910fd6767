#include "tga.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

static void putLittleEndian(std::uint8_t out[2], std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value & 0xff);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

static std::uint16_t getLittleEndian(const std::uint8_t bytes[2]) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

void writeTgaHeader(std::uint8_t out[tgaHeaderBytes], const TgaHeader& header) {
  out[0] = header.idLength;
  out[1] = header.colourMapType;
  out[2] = header.imageType;
  putLittleEndian(&out[3], header.colourMapFirst);
  putLittleEndian(&out[5], header.colourMapLength);
  out[7] = header.colourMapDepth;
  putLittleEndian(&out[8], header.xOrigin);
  putLittleEndian(&out[10], header.yOrigin);
  putLittleEndian(&out[12], header.width);
  putLittleEndian(&out[14], header.height);
  out[16] = header.bitsPerPixel;
  out[17] = header.descriptor;
}

void readTgaHeader(TgaHeader& out, const std::uint8_t bytes[tgaHeaderBytes]) {
  out.idLength = bytes[0];
  out.colourMapType = bytes[1];
  out.imageType = bytes[2];
  out.colourMapFirst = getLittleEndian(&bytes[3]);
  out.colourMapLength = getLittleEndian(&bytes[5]);
  out.colourMapDepth = bytes[7];
  out.xOrigin = getLittleEndian(&bytes[8]);
  out.yOrigin = getLittleEndian(&bytes[10]);
  out.width = getLittleEndian(&bytes[12]);
  out.height = getLittleEndian(&bytes[14]);
  out.bitsPerPixel = bytes[16];
  out.descriptor = bytes[17];
}

// R G B (A) <-> B G R (A): swaps the first and third byte of every pixel; rows keep their order.
static void swapRedAndBlue(std::uint8_t* pixels, std::uint64_t byteCount,
                           std::uint64_t bytesPerPixel) {
  for (std::uint64_t i = 0; i < byteCount; i += bytesPerPixel) {
    const std::uint8_t first = pixels[i];
    pixels[i] = pixels[i + 2];
    pixels[i + 2] = first;
  }
}

void encodeTga(TgaBytes& out, const TgaHeader& header, const std::uint8_t* pixels) {
  const std::size_t byteCount =
      std::size_t{header.width} * header.height * (header.bitsPerPixel / 8u);
  out.resize(tgaHeaderBytes);
  writeTgaHeader(out.data(), header);
  out.insert(out.end(), pixels, pixels + byteCount);
  if (header.bitsPerPixel / 8u >= 3) {
    swapRedAndBlue(out.data() + tgaHeaderBytes, byteCount, header.bitsPerPixel / 8u);
  }
}

// Checks the header's fields and stores in image what it declares. Returns the byte count of the
// pixel area, or 0 when the picture is refused. bytesAfterHeader: what the input holds after the
// header, UINT64_MAX when that is unknown.
static std::uint64_t acceptHeader(TgaImage& image, const std::uint8_t bytes[tgaHeaderBytes],
                                  std::uint64_t bytesAfterHeader) {
  TgaHeader header;
  readTgaHeader(header, bytes);
  // No image ID, no colour map, uncompressed true colour, zero origin.
  if (header.idLength != 0 || header.colourMapType != 0 || header.imageType != 2 ||
      header.colourMapFirst != 0 || header.colourMapLength != 0 || header.colourMapDepth != 0 ||
      header.xOrigin != 0 || header.yOrigin != 0) {
    return 0;
  }
  // The descriptor (alpha bits, row order) is ignored: rows are kept in stored order.
  image.width = header.width;
  image.height = header.height;
  if (image.width == 0 || image.height == 0) return 0;

  const int depth = header.bitsPerPixel;
  if (depth != 24 && depth != 32) return 0;
  image.bitsPerPixel = depth;

  // 64-bit count: 65535 x 65535 x 4 does not fit in 32 bits.
  const std::uint64_t byteCount =
      std::uint64_t{image.width} * image.height * static_cast<std::uint64_t>(depth / 8);
  if (byteCount > maxTgaBytes) return 0;
  // A pixel area longer than the rest of the input is short anyway: refuse before allocating it.
  if (bytesAfterHeader < byteCount) return 0;
  return byteCount;
}

// Takes over the stored pixels of an accepted picture, turned into R G B (A).
static void keepPixels(TgaImage& image, std::unique_ptr<std::uint8_t[]> pixels,
                       std::uint64_t byteCount) {
  swapRedAndBlue(pixels.get(), byteCount, static_cast<std::uint64_t>(image.bitsPerPixel / 8));
  image.pixels = std::move(pixels);
}

bool decodeTga(TgaImage& image, const std::uint8_t* bytes, std::size_t size) {
  if (size < tgaHeaderBytes) return false;
  const std::uint64_t byteCount = acceptHeader(image, bytes, size - tgaHeaderBytes);
  if (byteCount == 0) return false;
  std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[byteCount]);
  if (!pixels) return false;
  std::memcpy(pixels.get(), bytes + tgaHeaderBytes, byteCount);
  keepPixels(image, std::move(pixels), byteCount);
  return true;
}

// Bytes left between the stream's position and its end, or UINT64_MAX when it cannot seek.
static std::uint64_t remainingBytes(std::FILE* file) {
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return UINT64_MAX;
  const long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0 || end < here) return UINT64_MAX;
  return static_cast<std::uint64_t>(end - here);
}

static bool decodeStream(TgaImage& image, std::FILE* file) {
  std::uint8_t header[tgaHeaderBytes];
  if (std::fread(header, 1, sizeof header, file) != sizeof header) return false;
  const std::uint64_t byteCount = acceptHeader(image, header, remainingBytes(file));
  if (byteCount == 0) return false;
  std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[byteCount]);
  if (!pixels) return false;
  if (std::fread(pixels.get(), 1, byteCount, file) != byteCount) return false;
  keepPixels(image, std::move(pixels), byteCount);
  return true;
}

bool decodeTgaFile(TgaImage& image, const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  const bool decoded = decodeStream(image, file);
  std::fclose(file);
  return decoded;
}

bool writeTgaFile(const char* path, const TgaBytes& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
