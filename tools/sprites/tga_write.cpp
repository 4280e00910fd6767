#include "tga_write.h"

#include <cstdio>

bool writeTga(const char* path, const SpritePicture& picture) {
  const unsigned w = static_cast<unsigned>(picture.width);
  const unsigned h = static_cast<unsigned>(picture.height);
  // Type 2, 32 bits per pixel, descriptor: 8 alpha bits, bottom-left origin.
  const unsigned char header[18] = {0,
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
                                    static_cast<unsigned char>(w & 0xff),
                                    static_cast<unsigned char>(w >> 8),
                                    static_cast<unsigned char>(h & 0xff),
                                    static_cast<unsigned char>(h >> 8),
                                    32,
                                    8};
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
  for (std::size_t i = 0; ok && i < picture.rgba.size(); i += 4) {
    const unsigned char bgra[4] = {picture.rgba[i + 2], picture.rgba[i + 1], picture.rgba[i],
                                   picture.rgba[i + 3]};
    ok = std::fwrite(bgra, 1, 4, file) == 4;
  }
  return std::fclose(file) == 0 && ok;
}
