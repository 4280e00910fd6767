#include "figure_model.h"

#include <gtest/gtest.h>

#include "dense_oracle.h"

namespace {

class FigureModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ensureFigureModel(); }
};

struct BodyCase {
  JointId id;
  int parent;
  double mass, iyy, izz;
};

}  // namespace

// The table is not mirror-symmetric: the right leg's light body is its middle one, and only the
// right hand has the light Iyy.
TEST_F(FigureModelTest, BodyTable) {
  const BodyCase cases[] = {
      {Torso, noParent, 2.0, 0.33, 0.66},
      {RightUpperArm, Torso, 1.0, 0.33, 0.33},
      {RightLowerArm, RightUpperArm, 1.0, 0.33, 0.33},
      {RightHand, RightLowerArm, 0.2, 0.066, 0.066},
      {LeftUpperArm, Torso, 1.0, 0.33, 0.33},
      {LeftLowerArm, LeftUpperArm, 1.0, 0.33, 0.33},
      {LeftHand, LeftLowerArm, 0.2, 0.33, 0.066},
      {RightUpperLeg, Torso, 1.0, 0.33, 0.33},
      {RightLowerLeg, RightUpperLeg, 0.2, 0.33, 0.066},
      {RightFoot, RightLowerLeg, 1.0, 0.33, 0.33},
      {LeftUpperLeg, Torso, 1.0, 0.33, 0.33},
      {LeftLowerLeg, LeftUpperLeg, 1.0, 0.33, 0.33},
      {LeftFoot, LeftLowerLeg, 0.2, 0.33, 0.066},
  };
  double totalMass = 0.0;
  for (const BodyCase& c : cases) {
    const BodyModel& body = figureModel.bodies[c.id];
    EXPECT_EQ(body.parent, c.parent) << c.id;
    EXPECT_EQ(body.mass, c.mass) << c.id;
    EXPECT_EQ(body.rotationalInertia[0], 0.01) << c.id;
    EXPECT_EQ(body.rotationalInertia[3], c.iyy) << c.id;
    EXPECT_EQ(body.rotationalInertia[5], c.izz) << c.id;
    EXPECT_EQ(body.rotationalInertia[1], 0.0);
    EXPECT_EQ(body.rotationalInertia[2], 0.0);
    EXPECT_EQ(body.rotationalInertia[4], 0.0);
    EXPECT_EQ(body.centreOfMass[0], 0.5);
    EXPECT_EQ(body.centreOfMass[1], 0.0);
    EXPECT_EQ(body.centreOfMass[2], 0.0);
    EXPECT_EQ(body.jointOffset, c.id == Torso ? 0.0 : 1.0) << c.id;
    EXPECT_EQ(body.axialOffset, 0.0);
    EXPECT_EQ(body.twistSin, 0.0);
    EXPECT_EQ(body.twistCos, 1.0);
    totalMass += body.mass;
  }
  EXPECT_NEAR(totalMass, 10.8, 1e-12);
  EXPECT_EQ(figureModel.gravity[1], -9.80665);
  EXPECT_EQ(figureModel.gravity[0], 0.0);
  EXPECT_TRUE(figureModel.planar);
}

// Every list names the body's children in the same order, each pointing at the child's slot of
// its own kind; the Torso's order (right arm, left arm, right leg, left leg) fixes its sums.
TEST_F(FigureModelTest, ContributionListsPointAtTheChildrensSlots) {
  const int expectedChildren[jointCount][4] = {
      {RightUpperArm, LeftUpperArm, RightUpperLeg, LeftUpperLeg},
      {RightLowerArm},
      {RightHand},
      {},
      {LeftLowerArm},
      {LeftHand},
      {},
      {RightLowerLeg},
      {RightFoot},
      {},
      {LeftLowerLeg},
      {LeftFoot},
      {},
  };
  const int expectedCount[jointCount] = {4, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0};
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = figureModel.bodies[k];
    ASSERT_EQ(body.inertiaContributions.count, expectedCount[k]) << k;
    ASSERT_EQ(body.biasContributions.count, expectedCount[k]) << k;
    ASSERT_EQ(body.gravityContributions.count, expectedCount[k]) << k;
    ASSERT_EQ(body.momentumContributions.count, expectedCount[k]) << k;
    ASSERT_EQ(body.childCount, expectedCount[k]) << k;
    for (int e = 0; e < expectedCount[k]; ++e) {
      const int c = expectedChildren[k][e];
      const BodyModel& child = figureModel.bodies[c];
      EXPECT_EQ(body.children[e], c);
      EXPECT_EQ(child.parent, k);
      EXPECT_EQ(body.inertiaContributions.entries[e], &child.contributedInertia);
      EXPECT_EQ(body.biasContributions.entries[e], &child.contributedBias);
      EXPECT_EQ(body.gravityContributions.entries[e], &child.contributedGravityLoad);
      EXPECT_EQ(body.momentumContributions.entries[e], &child.contributedMomentum);
    }
  }
}

// At zero angles every frame is the base frame moved along x: 0, 1, 2, 3 by depth.
TEST_F(FigureModelTest, StraightFigureLiesAlongTheBaseXAxis) {
  for (int k = 0; k < jointCount; ++k) {
    double x = 0.0;
    for (int b = k; b != noParent; b = figureModel.bodies[b].parent) {
      x += figureModel.bodies[b].jointOffset;
    }
    const double expected = k == Torso ? 0.0 : (k - 1) % 3 + 1.0;
    EXPECT_EQ(x, expected) << k;
  }
}
