#pragma once

#include "sprites.h"

// One corner of a sprite's quad: position in the sprite's joint frame (scene units, z = 0) and
// texture coordinate (s across the picture's width, t across its height from the first stored row).
struct QuadVertex {
  double x;
  double y;
  float s;
  float t;
};

// The quad a sprite is drawn as, corners in drawing order. Its x-length is width / 128 and its
// y-length height / 128; the joint sits on the centre line, a twentieth of the x-length from the x0
// end. The picture's columns run along +y and its rows along -x, the first stored row at the x1
// end.
void spriteQuad(QuadVertex quad[4], const TgaImage& image);
