#include "crowd.h"

#include <gtest/gtest.h>

#include <cmath>

#include "joint_drives.h"

TEST(Crowd, StartsAtRestWithTheTorsoAtItsStartAngle) {
  setUpCrowd();
  for (int i = 0; i < figureCount; ++i) {
    for (int k = 0; k < jointCount; ++k) {
      EXPECT_EQ(jointAngles[i][k], k == Torso ? -1.57 : 0.0);
      EXPECT_EQ(initialJointRates[i][k], 0.0);
      EXPECT_EQ(jointMomenta[i][k], 0.0);
    }
  }
}

// Every figure starts alike and its drives depend only on its diagonal, so figures on one
// diagonal stay identical; figures on different diagonals part.
TEST(Crowd, FiguresOnOneDiagonalStayIdentical) {
  setUpCrowd();
  const int modes[][2] = {{0, 0}, {1, -1}, {0, 1}};
  for (const auto& m : modes) {
    for (int tick = 0; tick < 40; ++tick) stepCrowd(m[0], m[1]);
  }
  for (int row = 0; row < crowdRows; ++row) {
    for (int column = 0; column < crowdColumns; ++column) {
      const int i = 10 * row + column;
      const int mirror = 10 * column + row;
      for (int k = 0; k < jointCount; ++k) {
        ASSERT_TRUE(std::isfinite(jointAngles[i][k]) && std::isfinite(jointMomenta[i][k]));
        ASSERT_EQ(jointAngles[i][k], jointAngles[mirror][k]);
        ASSERT_EQ(jointMomenta[i][k], jointMomenta[mirror][k]);
      }
    }
  }
  EXPECT_NE(jointAngles[0][Torso], jointAngles[99][Torso]);
  EXPECT_NE(jointAngles[0][RightUpperArm], jointAngles[99][RightUpperArm]);
  // Between ticks the drives hold the last figure's values.
  EXPECT_EQ(torsoDamping, 21.0);
}

// A figure whose state has gone bad keeps being stepped; the others are untouched by it.
TEST(Crowd, NonFiniteFigureStaysNonFiniteAndAlone) {
  setUpCrowd();
  jointMomenta[37][LeftHand] = NAN;
  jointAngles[12][RightFoot] = INFINITY;
  for (int tick = 0; tick < 5; ++tick) stepCrowd(0, 0);
  bool bad37 = false, bad12 = false;
  for (int k = 0; k < jointCount; ++k) {
    bad37 |= !std::isfinite(jointMomenta[37][k]) || !std::isfinite(jointAngles[37][k]);
    bad12 |= !std::isfinite(jointMomenta[12][k]) || !std::isfinite(jointAngles[12][k]);
  }
  EXPECT_TRUE(bad37);
  EXPECT_TRUE(bad12);
  // The bad figures' mirror images share their drives but not their state: they move on exactly
  // like the other untouched figures of the same diagonals.
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_TRUE(std::isfinite(jointAngles[73][k]));  // same diagonal as 37, unharmed
    EXPECT_EQ(jointAngles[73][k], jointAngles[28][k]);
    EXPECT_EQ(jointMomenta[73][k], jointMomenta[28][k]);
    EXPECT_TRUE(std::isfinite(jointAngles[21][k]));  // same diagonal as 12
    EXPECT_EQ(jointAngles[21][k], jointAngles[30][k]);
    EXPECT_EQ(jointMomenta[21][k], jointMomenta[30][k]);
  }
  EXPECT_NE(jointAngles[73][Torso], jointAngles[21][Torso]);
}
