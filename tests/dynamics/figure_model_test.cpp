#include "figure_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dense_oracle.h"
#include "forward_dynamics.h"

namespace {

class FigureModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ensureFigureModel(); }
};

}  // namespace

// The tree: the Torso is the root, each parent comes before its children, and four chains of
// three bodies hang from the Torso.
TEST_F(FigureModelTest, FourChainsOfThreeHangFromTheTorso) {
  EXPECT_EQ(figureModel.bodies[Torso].parent, noParent);
  int depthCount[4] = {1, 0, 0, 0};
  for (int k = 1; k < jointCount; ++k) {
    const int parent = figureModel.bodies[k].parent;
    ASSERT_GE(parent, 0) << k;
    EXPECT_LT(parent, k) << "body " << k << " before its parent";
    int depth = 0;
    for (int b = k; b != Torso; b = figureModel.bodies[b].parent) ++depth;
    ASSERT_LE(depth, 3) << k;
    ++depthCount[depth];
  }
  EXPECT_EQ(depthCount[1], 4);
  EXPECT_EQ(depthCount[2], 4);
  EXPECT_EQ(depthCount[3], 4);
}

// The physical facts of the bodies: 10.8 in all; the arms' and the left leg's end bodies and the
// right leg's middle one are the light ones; every body reaches 1 along its x axis with its centre
// of mass half way; and the one inertia that moves the figure, Izz about the joint, is at least
// what the mass alone gives there.
TEST_F(FigureModelTest, BodiesHoldTheFiguresMassesAndShapes) {
  double totalMass = 0.0;
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = figureModel.bodies[k];
    totalMass += body.mass;
    const bool light = k == RightHand || k == LeftHand || k == RightLowerLeg || k == LeftFoot;
    EXPECT_EQ(body.mass, k == Torso ? 2.0 : light ? 0.2 : 1.0) << k;
    EXPECT_EQ(body.centreOfMass[0], 0.5) << k;
    EXPECT_EQ(body.centreOfMass[1], 0.0) << k;
    EXPECT_EQ(body.jointOffset, k == Torso ? 0.0 : 1.0) << k;
    const double cx = body.centreOfMass[0], cy = body.centreOfMass[1];
    EXPECT_GE(body.rotationalInertia[5], body.mass * (cx * cx + cy * cy)) << k;
  }
  EXPECT_NEAR(totalMass, 10.8, 1e-12);
  EXPECT_EQ(figureModel.gravity[0], 0.0);
  EXPECT_EQ(figureModel.gravity[1], -9.80665);
  EXPECT_TRUE(figureModel.planar);
}

// The axes are parallel, so only the mass, the in-plane centre of mass and Izz move the figure:
// Ixx, Iyy and the products of inertia change nothing, while Izz or the centre of mass does.
TEST_F(FigureModelTest, OnlyMassCentreOfMassAndIzzMoveTheFigure) {
  const FigureModel saved = figureModel;
  FigureState p = {}, q = {};
  for (int k = 0; k < jointCount; ++k) {
    q[k] = 0.3 * std::sin(1.7 * k + 0.2);
    p[k] = 0.5 * std::cos(0.9 * k);
  }
  FigureState momentumRates, rates, expected;
  evaluateDerivatives(p, q, momentumRates, expected);

  for (BodyModel& body : figureModel.bodies) {
    body.rotationalInertia[0] += 0.4;  // Ixx
    body.rotationalInertia[1] += 0.01;
    body.rotationalInertia[3] += 0.7;  // Iyy
  }
  evaluateDerivatives(p, q, momentumRates, rates);
  for (int k = 0; k < jointCount; ++k) EXPECT_NEAR(rates[k], expected[k], 1e-12) << k;

  figureModel = saved;
  figureModel.bodies[RightLowerArm].rotationalInertia[5] += 0.1;
  evaluateDerivatives(p, q, momentumRates, rates);
  EXPECT_GT(std::fabs(rates[RightLowerArm] - expected[RightLowerArm]), 1e-3);

  figureModel = saved;
  figureModel.bodies[LeftUpperLeg].centreOfMass[0] = 0.6;
  evaluateDerivatives(p, q, momentumRates, rates);
  EXPECT_GT(std::fabs(rates[LeftUpperLeg] - expected[LeftUpperLeg]), 1e-3);
  figureModel = saved;
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
