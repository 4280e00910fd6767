// The generated body-part pictures, as the build wrote them beside the demo.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "figure_drawing.h"
#include "joint_id.h"
#include "sprite_art.h"
#include "sprite_names.h"
#include "sprite_quad.h"
#include "tga.h"

namespace {

bool load(TgaImage& image, int sprite) {
  const std::string path = std::string(SPRITE_DIR) + "/" + spriteFileNames[sprite];
  return decodeTgaFile(image, path.c_str());
}

// Alpha of the picture at a point of its quad (scene units in the sprite's joint frame), read the
// way the renderer maps it: columns along +y, rows along -x from the far end.
int alphaAt(const TgaImage& image, double x, double y) {
  QuadVertex quad[4];
  spriteQuad(quad, image);
  const double x0 = quad[0].x, x1 = quad[1].x, y0 = quad[0].y, y1 = quad[2].y;
  if (x < x0 || x > x1 || y < y0 || y > y1) return 0;
  const auto row = std::min<std::uint32_t>(
      static_cast<std::uint32_t>((x1 - x) / (x1 - x0) * image.height), image.height - 1);
  const auto column = std::min<std::uint32_t>(
      static_cast<std::uint32_t>((y - y0) / (y1 - y0) * image.width), image.width - 1);
  return image.pixels[(std::size_t{row} * image.width + column) * 4 + 3];
}

class SpritePictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (int k = 0; k < spriteCount; ++k) loaded[k] = load(images[k], k);
  }
  static TgaImage images[spriteCount];
  static bool loaded[spriteCount];
};
TgaImage SpritePictures::images[spriteCount];
bool SpritePictures::loaded[spriteCount];

TEST_F(SpritePictures, AllFourteenAreCutOut32BitPicturesOfTheirSize) {
  for (int k = 0; k < spriteCount; ++k) {
    ASSERT_TRUE(loaded[k]) << spriteFileNames[k];
    const TgaImage& image = images[k];
    EXPECT_EQ(image.bitsPerPixel, 32) << spriteFileNames[k];
    EXPECT_EQ(image.width, static_cast<std::uint32_t>(spriteSizes[k].width)) << spriteFileNames[k];
    EXPECT_EQ(image.height, static_cast<std::uint32_t>(spriteSizes[k].height))
        << spriteFileNames[k];
    std::size_t opaque = 0, clear = 0;
    for (std::size_t i = 3; i < std::size_t{image.width} * image.height * 4; i += 4) {
      opaque += image.pixels[i] == 255;
      clear += image.pixels[i] == 0;
    }
    EXPECT_EQ(opaque + clear, std::size_t{image.width} * image.height) << spriteFileNames[k];
    EXPECT_GT(opaque, clear / 4) << spriteFileNames[k] << " is mostly empty";
    EXPECT_GT(clear, 0u) << spriteFileNames[k] << " is a plain rectangle";
  }
}

// Where each part meets the next: a point that must be solid in the named picture, in that
// sprite's own frame, at the hanging points the renderer reads. A picture that fails here shows a
// gap or a loose part in every figure.
struct Join {
  int sprite;
  double x, y;
  std::string where;
};

std::vector<Join> joinsOfTheFigure() {
  const char* limbNames[limbCount] = {"right arm", "left arm", "right leg", "left leg"};
  std::vector<Join> joins = {{Torso, 0, 0, "neck"}};
  for (int i = 0; i < limbCount; ++i) {
    const Limb& limb = limbs[i];
    const LimbPlacement& at = limbPlacements[i];
    const std::string name = limbNames[i];
    joins.push_back({Torso, at.root.x, at.root.y, name + " root on the torso"});
    joins.push_back({limb.upper, 0, 0, name + " root"});
    joins.push_back({limb.upper, at.middle.x, at.middle.y, name + " middle joint"});
    joins.push_back({limb.lower, 0, 0, name + " middle joint"});
    joins.push_back({limb.lower, handOrFootOffset.x, handOrFootOffset.y, name + " end joint"});
    joins.push_back({limb.end, 0, 0, name + " end joint"});
  }
  // The head's offset puts the body's centre line at head y = -headOffset.y: the face sits on
  // it, and the chin reaches down to the top of the torso.
  joins.push_back({headSprite, 1.6, -headOffset.y, "chin to neck"});
  joins.push_back({headSprite, 0.84, -headOffset.y, "face"});
  return joins;
}

TEST_F(SpritePictures, EachPartIsSolidWhereItMeetsTheNext) {
  for (const Join& join : joinsOfTheFigure()) {
    ASSERT_TRUE(loaded[join.sprite]);
    EXPECT_EQ(alphaAt(images[join.sprite], join.x, join.y), 255)
        << spriteFileNames[join.sprite] << " at the " << join.where;
  }
}

// Right and left pictures are mirror images, so they must hang from mirrored points.
TEST(FigureDrawing, RightAndLeftLimbsHangFromMirroredPoints) {
  for (int right : {0, 2}) {
    const LimbPlacement& r = limbPlacements[right];
    const LimbPlacement& l = limbPlacements[right + 1];
    EXPECT_EQ(r.root.x, l.root.x) << right;
    EXPECT_EQ(r.root.y, -l.root.y) << right;
    EXPECT_LT(r.root.y, 0.0f) << "the right side is at negative torso y";
    EXPECT_EQ(r.middle.x, l.middle.x) << right;
    EXPECT_EQ(r.middle.y, -l.middle.y) << right;
  }
}

TEST_F(SpritePictures, RightAndLeftPartsAreMirrorImages) {
  const int pairs[][2] = {{RightUpperArm, LeftUpperArm}, {RightLowerArm, LeftLowerArm},
                          {RightHand, LeftHand},         {RightUpperLeg, LeftUpperLeg},
                          {RightLowerLeg, LeftLowerLeg}, {RightFoot, LeftFoot}};
  for (const auto& pair : pairs) {
    const TgaImage& right = images[pair[0]];
    const TgaImage& left = images[pair[1]];
    ASSERT_EQ(right.width, left.width);
    ASSERT_EQ(right.height, left.height);
    std::size_t differing = 0;
    for (std::uint32_t row = 0; row < right.height; ++row)
      for (std::uint32_t column = 0; column < right.width; ++column)
        differing +=
            right.pixels[(std::size_t{row} * right.width + column) * 4 + 3] !=
            left.pixels[(std::size_t{row} * left.width + (left.width - 1 - column)) * 4 + 3];
    EXPECT_LT(differing, std::size_t{right.width} * right.height / 100) << spriteFileNames[pair[0]];
  }
}

}  // namespace
