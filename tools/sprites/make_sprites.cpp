// Draws the fourteen body-part pictures and writes them as TGA files into the given folder.

#include <cstdio>
#include <string>

#include "sprite_art.h"
#include "sprite_names.h"
#include "tga.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  SpritePicture picture;
  TgaBytes bytes;
  for (int k = 0; k < spriteCount; ++k) {
    drawSpritePicture(picture, k);
    encodeSpritePicture(bytes, picture);
    const std::string path = folder + "/" + spriteFileNames[k];
    if (!writeTgaFile(path.c_str(), bytes)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
