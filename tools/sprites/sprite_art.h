#pragma once

#include <cstdint>
#include <vector>

#include "sprites.h"
#include "tga.h"

// A body-part picture as the renderer maps it: rows as stored, the first row at the far (x1) end of
// the quad, columns across the quad's y axis; each pixel R G B A, alpha 0 outside the part.
struct SpritePicture {
  int width;
  int height;
  std::vector<std::uint8_t> rgba;
};

// Picture sizes in table order, 128 pixels per scene unit: the width gives the part's length along
// its own x axis, the height its breadth.
struct SpriteSize {
  int width;
  int height;
};
extern const SpriteSize spriteSizes[spriteCount];

// Draws sprite k of the table (0 to 12 by JointId, 13 the head) into picture.
void drawSpritePicture(SpritePicture& picture, int sprite);

// The picture as a TGA file: 32 bits per pixel with 8 alpha bits, rows as stored.
void encodeSpritePicture(TgaBytes& out, const SpritePicture& picture);
