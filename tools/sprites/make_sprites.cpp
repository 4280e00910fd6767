// Draws the fourteen body-part pictures and writes them as TGA files into the given folder.

#include <cstdio>
#include <string>

#include "sprite_art.h"
#include "sprite_names.h"
#include "tga_write.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  SpritePicture picture;
  for (int k = 0; k < spriteCount; ++k) {
    drawSpritePicture(picture, k);
    const std::string path = folder + "/" + spriteFileNames[k];
    if (!writeTga(path.c_str(), picture)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
