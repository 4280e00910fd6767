#include "sprite_quad.h"

#include <gtest/gtest.h>

namespace {

TEST(SpriteQuad, LengthFromWidthBreadthFromHeightJointATwentiethIn) {
  TgaImage image;
  image.width = 256;
  image.height = 64;
  QuadVertex quad[4];
  spriteQuad(quad, image);
  const double x[4] = {-0.1, 1.9, 1.9, -0.1};
  const double y[4] = {-0.25, -0.25, 0.25, 0.25};
  const float s[4] = {0, 0, 1, 1};
  const float t[4] = {1, 0, 0, 1};  // the first stored row (t = 0) at the far end
  for (int i = 0; i < 4; ++i) {
    EXPECT_DOUBLE_EQ(quad[i].x, x[i]) << "vertex " << i + 1;
    EXPECT_DOUBLE_EQ(quad[i].y, y[i]) << "vertex " << i + 1;
    EXPECT_EQ(quad[i].s, s[i]) << "vertex " << i + 1;
    EXPECT_EQ(quad[i].t, t[i]) << "vertex " << i + 1;
  }
}

TEST(SpriteQuad, PictureThatNeverLoadedIsAPoint) {
  QuadVertex quad[4];
  spriteQuad(quad, TgaImage{});
  for (const QuadVertex& corner : quad) {
    EXPECT_EQ(corner.x, 0.0);
    EXPECT_EQ(corner.y, 0.0);
  }
}

}  // namespace
