// libFuzzer entry for the picture decoder: any byte string, read as a whole file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tga.h"

// What a refusal may leave: a size, perhaps a depth, never pixels or a texture.
static void checkRefusal(const TgaImage& image) {
  if (image.pixels || image.textureName != 0) std::abort();
  if (image.bitsPerPixel != 0 && image.bitsPerPixel != 24 && image.bitsPerPixel != 32) std::abort();
}

// A decoded picture holds exactly the stored pixels with blue and red swapped.
static void checkPicture(const TgaImage& image, const std::uint8_t* data, std::size_t size) {
  if (!image.pixels || image.width == 0 || image.height == 0) std::abort();
  if (image.bitsPerPixel != 24 && image.bitsPerPixel != 32) std::abort();
  const std::size_t bytesPerPixel = static_cast<std::size_t>(image.bitsPerPixel / 8);
  const std::size_t byteCount = std::size_t{image.width} * image.height * bytesPerPixel;
  if (size < tgaHeaderBytes || size - tgaHeaderBytes < byteCount) std::abort();
  const std::uint8_t* stored = data + tgaHeaderBytes;
  for (std::size_t i = 0; i < byteCount; i += bytesPerPixel) {
    const std::uint8_t* pixel = &image.pixels[i];
    if (pixel[0] != stored[i + 2] || pixel[1] != stored[i + 1] || pixel[2] != stored[i])
      std::abort();
    if (bytesPerPixel == 4 && pixel[3] != stored[i + 3]) std::abort();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TgaImage image;
  if (decodeTga(image, data, size)) {
    checkPicture(image, data, size);
  } else {
    checkRefusal(image);
  }
  return 0;
}
