#include "tga_decode.h"

#include <cstring>
#include <new>

// Image-ID length 0, no colour map, type 2, colour-map spec zero, X and Y origin zero.
static const std::uint8_t expectedHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Bytes left between the stream's position and its end, or UINT64_MAX when it cannot seek.
static std::uint64_t remainingBytes(std::FILE* file) {
  long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return UINT64_MAX;
  long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0 || end < here) return UINT64_MAX;
  return static_cast<std::uint64_t>(end - here);
}

bool decodeTga(TgaImage& image, std::FILE* file) {
  std::uint8_t header[12];
  if (std::fread(header, 1, sizeof header, file) != sizeof header) return false;
  if (std::memcmp(header, expectedHeader, sizeof header) != 0) return false;

  std::uint8_t spec[6];  // width, height (little-endian), depth, descriptor (ignored)
  if (std::fread(spec, 1, sizeof spec, file) != sizeof spec) return false;
  image.width = spec[0] + 256u * spec[1];
  image.height = spec[2] + 256u * spec[3];
  if (image.width == 0 || image.height == 0) return false;

  int depth = spec[4];
  if (depth != 24 && depth != 32) return false;
  image.bitsPerPixel = depth;

  // 64-bit count: 65535 x 65535 x 4 does not fit in 32 bits.
  const std::uint64_t bytesPerPixel = static_cast<std::uint64_t>(depth / 8);
  const std::uint64_t byteCount = std::uint64_t{image.width} * image.height * bytesPerPixel;
  if (byteCount > maxTgaBytes) return false;
  // A pixel area longer than the rest of the file is short anyway: refuse before allocating it.
  if (remainingBytes(file) < byteCount) return false;

  std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[byteCount]);
  if (!pixels) return false;
  if (std::fread(pixels.get(), 1, byteCount, file) != byteCount) return false;

  // B G R (A) to R G B (A): swap the first and third byte of every pixel; rows keep their order.
  for (std::uint64_t i = 0; i < byteCount; i += bytesPerPixel) {
    std::uint8_t blue = pixels[i];
    pixels[i] = pixels[i + 2];
    pixels[i + 2] = blue;
  }
  image.pixels = std::move(pixels);
  return true;
}
