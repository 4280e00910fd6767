#include "sprite_quad.h"

#include "figure_drawing.h"

void spriteQuad(QuadVertex quad[4], const TgaImage& image) {
  const double a = static_cast<double>(image.width) / pixelsPerUnit;
  const double b = static_cast<double>(image.height) / pixelsPerUnit;
  const double x0 = -0.05 * a;
  const double x1 = 0.95 * a;
  const double y0 = -0.5 * b;
  const double y1 = 0.5 * b;
  quad[0] = {x0, y0, 0, 1};
  quad[1] = {x1, y0, 0, 0};
  quad[2] = {x1, y1, 1, 0};
  quad[3] = {x0, y1, 1, 1};
}
