#include "forward_dynamics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <tuple>

#include "dense_oracle.h"
#include "figure_model.h"
#include "joint_drives.h"
#include "sine_table.h"
#include "test_states.h"

namespace {

double maxAbs(const FigureState& s) {
  double m = 0.0;
  for (int k = 0; k < jointCount; ++k) {
    m = std::max(m, std::fabs(s[k]));
  }
  return m;
}

class ForwardDynamics : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureFigureModel();
    saved = figureModel;
    setFigureDrives(0, 1, 4, 7);
  }
  void TearDown() override { figureModel = saved; }

  FigureModel saved;
};

// dq/dt = H(q)^-1 p, with H composed densely from every body's kinetic energy.
void expectRatesMatchInertiaSolve(void (*evaluate)(const FigureState&, const FigureState&,
                                                   FigureState&, FigureState&)) {
  for (const TestState& s : makeTestStates()) {
    FigureState dp, dq, expected;
    evaluate(s.p, s.q, dp, dq);
    oracleJointRates(expected, figureModel, s.p, s.q);
    const double scale = std::max(1.0, maxAbs(expected));
    for (int k = 0; k < jointCount; ++k) {
      EXPECT_NEAR(dq[k], expected[k], 1e-10 * scale) << "joint " << k << ", q0 " << s.q[0];
    }
  }
}

// dp/dt minus the joint torques equals -d(T + V)/dq at fixed p, by central differences of a
// Hamiltonian built with the library trigonometry. The dynamics use the sine table, whose
// samples lie up to 6.3e-6 rad off, so agreement is to that order.
void expectMomentumRatesMatchHamiltonian(void (*evaluate)(const FigureState&, const FigureState&,
                                                          FigureState&, FigureState&)) {
  for (const TestState& s : makeTestStates()) {
    FigureState dp, dq;
    evaluate(s.p, s.q, dp, dq);
    for (int k = 0; k < jointCount; ++k) {
      const double delta = 1e-5;
      FigureState plus = s.q, minus = s.q;
      plus[k] += delta;
      minus[k] -= delta;
      const double slope =
          (oracleHamiltonian(figureModel, s.p, plus) - oracleHamiltonian(figureModel, s.p, minus)) /
          (2.0 * delta);
      const double dynamic = dp[k] - pdTorques[k] - driveTorques[k];
      EXPECT_NEAR(dynamic, -slope, 2e-3 * std::max(1.0, std::fabs(slope)))
          << "joint " << k << ", q0 " << s.q[0] << ", p0 " << s.p[0];
    }
  }
}

}  // namespace

// Each evaluator against each dense oracle, on the crowd's own planar figure and on a figure
// twisted out of the plane, where the fast path must give way to the general one.
enum class Model { Planar, Twisted };
enum class Oracle { InertiaSolve, Hamiltonian };
void PrintTo(Model model, std::ostream* os) {
  *os << (model == Model::Planar ? "planar" : "twisted");
}
void PrintTo(Oracle oracle, std::ostream* os) {
  *os << (oracle == Oracle::InertiaSolve ? "inertia solve" : "Hamiltonian");
}

class DenseOracle : public ForwardDynamics,
                    public ::testing::WithParamInterface<std::tuple<Model, Oracle>> {};

TEST_P(DenseOracle, RecursionAgreesWithTheDenseOracle) {
  const auto [model, oracle] = GetParam();
  if (model == Model::Twisted) twistModel(figureModel);
  ASSERT_EQ(figureModel.planar, model == Model::Planar);
  for (auto evaluate : {evaluateDerivatives, evaluateDerivativesGeneral}) {
    if (oracle == Oracle::InertiaSolve) {
      expectRatesMatchInertiaSolve(evaluate);
    } else {
      expectMomentumRatesMatchHamiltonian(evaluate);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ModelByOracle, DenseOracle,
                         ::testing::Combine(::testing::Values(Model::Planar, Model::Twisted),
                                            ::testing::Values(Oracle::InertiaSolve,
                                                              Oracle::Hamiltonian)),
                         [](const ::testing::TestParamInfo<std::tuple<Model, Oracle>>& info) {
                           const bool planar = std::get<0>(info.param) == Model::Planar;
                           const bool solve = std::get<1>(info.param) == Oracle::InertiaSolve;
                           return std::string(planar ? "Planar" : "Twisted") +
                                  (solve ? "InertiaSolve" : "Hamiltonian");
                         });

// The inward passes visit every body once, each after all of its children, the Torso last.
TEST_F(ForwardDynamics, InwardOrderVisitsChildrenBeforeParents) {
  int position[jointCount];
  for (int k = 0; k < jointCount; ++k) position[k] = -1;
  for (int i = 0; i < jointCount; ++i) {
    ASSERT_EQ(position[inwardOrder[i]], -1) << "body " << inwardOrder[i] << " twice";
    position[inwardOrder[i]] = i;
  }
  for (int k = 1; k < jointCount; ++k)
    EXPECT_LT(position[k], position[figureModel.bodies[k].parent]) << "body " << k;
  EXPECT_EQ(inwardOrder[jointCount - 1], Torso);
}

// The planar path drops only exact zeros, so it must agree with the general path to the bit,
// on arbitrary states and along the crowd's own trajectory.
TEST_F(ForwardDynamics, PlanarPathGivesTheGeneralResultsExactly) {
  std::vector<TestState> states = makeTestStates();
  TestState moving = {};
  moving.q[0] = -1.57;
  for (int i = 0; i < 300; ++i) {
    FigureState dp, dq;
    evaluateDerivativesGeneral(moving.p, moving.q, dp, dq);
    for (int k = 0; k < jointCount; ++k) {
      moving.p[k] += 0.0105 * dp[k];
      moving.q[k] += 0.0105 * dq[k];
    }
    states.push_back(moving);
  }
  for (const TestState& s : states) {
    FigureState dpGeneral, dqGeneral, dpPlanar, dqPlanar;
    evaluateDerivativesGeneral(s.p, s.q, dpGeneral, dqGeneral);
    const FigureState pdGeneral = pdTorques;
    evaluateDerivativesPlanar(s.p, s.q, dpPlanar, dqPlanar);
    for (int k = 0; k < jointCount; ++k) {
      ASSERT_EQ(dqPlanar[k], dqGeneral[k]) << "joint " << k;
      ASSERT_EQ(dpPlanar[k], dpGeneral[k]) << "joint " << k;
      ASSERT_EQ(pdTorques[k], pdGeneral[k]) << "joint " << k;
    }
  }
}

TEST_F(ForwardDynamics, PlanarDetectionRejectsEveryOutOfPlaneFeature) {
  EXPECT_TRUE(isPlanarModel(figureModel));
  auto rejects = [&](void (*change)(FigureModel&)) {
    FigureModel m = saved;
    change(m);
    return !isPlanarModel(m);
  };
  EXPECT_TRUE(rejects([](FigureModel& m) { m.bodies[5].twistSin = 0.1; }));
  EXPECT_TRUE(rejects([](FigureModel& m) { m.bodies[5].twistCos = -1.0; }));
  EXPECT_TRUE(rejects([](FigureModel& m) { m.bodies[2].axialOffset = 0.2; }));
  EXPECT_TRUE(rejects([](FigureModel& m) { m.bodies[0].centreOfMass[2] = 0.1; }));
  EXPECT_TRUE(rejects([](FigureModel& m) { m.bodies[9].rotationalInertia[2] = 0.01; }));
  EXPECT_TRUE(rejects([](FigureModel& m) { m.bodies[9].rotationalInertia[4] = 0.01; }));
  EXPECT_TRUE(rejects([](FigureModel& m) { m.gravity[2] = 1.0; }));
  EXPECT_TRUE(rejects([](FigureModel& m) { m.baseVelocity[3] = 1.0; }));
}

// Lying along the base x axis at rest, each joint carries the weight moment of its subtree.
TEST_F(ForwardDynamics, GravityMomentsAlongTheXAxis) {
  const double expected[jointCount] = {-202.01699, -24.516625, -7.84532,   -0.980665, -24.516625,
                                       -7.84532,   -0.980665,  -32.361945, -15.69064, -4.903325,
                                       -24.516625, -7.84532,   -0.980665};
  FigureState p = {}, q = {}, dp, dq;
  evaluateDerivatives(p, q, dp, dq);
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_EQ(dq[k], 0.0);
    EXPECT_NEAR(dp[k] - pdTorques[k] - driveTorques[k], expected[k], 1e-8) << "joint " << k;
  }
}

TEST_F(ForwardDynamics, TorsoRateHasNoVelocityTermAndTwiceTheKineticEnergyIsPositive) {
  for (const TestState& s : makeTestStates()) {
    FigureState dp, dq;
    evaluateDerivativesGeneral(s.p, s.q, dp, dq);
    // The Torso turns about the fixed base origin: (v x* h)5 vanishes identically.
    EXPECT_EQ(dp[Torso], (bodyScratch[Torso].subtreeGravityWrench[5] + pdTorques[Torso]) +
                             driveTorques[Torso]);
    double twiceKinetic = 0.0;
    for (int k = 0; k < jointCount; ++k) {
      twiceKinetic += s.p[k] * dq[k];
    }
    if (maxAbs(s.p) > 0.0) {
      EXPECT_GT(twiceKinetic, 0.0);
    } else {
      EXPECT_EQ(twiceKinetic, 0.0);
    }
  }
}

TEST_F(ForwardDynamics, InputsAreUntouchedAndRepeatsAreIdentical) {
  const TestState s = makeTestStates().back();
  FigureState p = s.p, q = s.q, dp1, dq1, dp2, dq2;
  evaluateDerivatives(p, q, dp1, dq1);
  evaluateDerivatives(p, q, dp2, dq2);
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_EQ(p[k], s.p[k]);
    EXPECT_EQ(q[k], s.q[k]);
    EXPECT_EQ(dp1[k], dp2[k]);
    EXPECT_EQ(dq1[k], dq2[k]);
  }
}

TEST_F(ForwardDynamics, NonFiniteStatesGiveNonFiniteRatesWithoutCrashing) {
  const double bad[] = {NAN, INFINITY, -INFINITY};
  for (double value : bad) {
    FigureState p = {}, q = {}, dp, dq;
    q[Torso] = -1.57;
    q[LeftHand] = value;
    p[RightUpperArm] = value;
    evaluateDerivatives(p, q, dp, dq);
    bool anyNonFinite = false;
    for (int k = 0; k < jointCount; ++k) {
      anyNonFinite = anyNonFinite || !std::isfinite(dp[k]) || !std::isfinite(dq[k]);
    }
    EXPECT_TRUE(anyNonFinite) << value;
  }
}
