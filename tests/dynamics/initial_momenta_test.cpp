#include "initial_momenta.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "dense_oracle.h"
#include "figure_model.h"
#include "forward_dynamics.h"
#include "sine_table.h"
#include "test_states.h"

namespace {

class InitialMomenta : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureFigureModel();
    saved = figureModel;
  }
  void TearDown() override { figureModel = saved; }

  FigureModel saved;
};

// On the crowd's planar figure and on one twisted out of the plane, which takes the general path.
class InitialMomentaOfModel : public InitialMomenta, public ::testing::WithParamInterface<bool> {};

}  // namespace

// rates -> momentaFromRates -> evaluateDerivatives -> the same rates; and p = H(q) qdot.
TEST_P(InitialMomentaOfModel, RoundTripThroughTheDynamics) {
  const bool planar = GetParam();
  if (!planar) twistModel(figureModel);
  ASSERT_EQ(figureModel.planar, planar);
  for (const TestState& s : makeTestStates()) {
    const FigureState& rates = s.p;  // any numbers will do as rates
    FigureState momenta, dp, back;
    momentaFromRates(momenta, s.q, rates);
    evaluateDerivatives(momenta, s.q, dp, back);
    double sinQ[jointCount], cosQ[jointCount], h[jointCount][jointCount];
    for (int k = 0; k < jointCount; ++k) {
      sinQ[k] = tableSin(s.q[k]);
      cosQ[k] = tableCos(s.q[k]);
    }
    jointSpaceInertia(h, figureModel, sinQ, cosQ);
    for (int a = 0; a < jointCount; ++a) {
      double expected = 0.0;
      for (int b = 0; b < jointCount; ++b) expected += h[a][b] * rates[b];
      EXPECT_NEAR(momenta[a], expected, 1e-11 * std::max(1.0, std::fabs(expected))) << a;
      EXPECT_NEAR(back[a], rates[a], 1e-10) << a;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PlanarAndTwisted, InitialMomentaOfModel, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Planar" : "Twisted");
                         });

TEST_F(InitialMomenta, RestGivesZeroMomentaAtAnyAngles) {
  for (const TestState& s : makeTestStates()) {
    FigureState momenta, rates = {};
    momentaFromRates(momenta, s.q, rates);
    for (int k = 0; k < jointCount; ++k) EXPECT_EQ(momenta[k], 0.0);
  }
}

// Only the leaf turns: joints off its path to the Torso carry nothing, and the leaf itself
// carries rate * Izz, since its own joint does not move.
TEST_F(InitialMomenta, SpinningLeafReachesOnlyItsOwnChain) {
  const int leaves[] = {RightHand, LeftHand, RightFoot, LeftFoot};
  for (int leaf : leaves) {
    FigureState angles = {}, rates = {}, momenta;
    angles[Torso] = -1.57;
    angles[leaf - 1] = 0.4;
    rates[leaf] = 2.0;
    momentaFromRates(momenta, angles, rates);
    for (int k = 0; k < jointCount; ++k) {
      bool onPath = false;
      for (int b = leaf; b != noParent; b = figureModel.bodies[b].parent) onPath |= b == k;
      if (!onPath) {
        EXPECT_EQ(momenta[k], 0.0) << leaf << " " << k;
      }
    }
    EXPECT_NEAR(momenta[leaf], 2.0 * figureModel.bodies[leaf].rotationalInertia[5], 1e-15);
    EXPECT_NE(momenta[Torso], 0.0);
  }
}
