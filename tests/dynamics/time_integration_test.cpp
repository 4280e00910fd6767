#include "time_integration.h"

#include <gtest/gtest.h>

#include "crowd.h"
#include "dense_oracle.h"
#include "forward_dynamics.h"
#include "joint_drives.h"

namespace {

double lambda = 0.0;
int evaluations = 0;
FigureState seenP[3], seenQ[3];

// dy/dt = lambda y on every entry, recording what each evaluation saw.
void linearDecay(const FigureState& p, const FigureState& q, FigureState& dp, FigureState& dq) {
  if (evaluations < 3) {
    seenP[evaluations] = p;
    seenQ[evaluations] = q;
  }
  ++evaluations;
  for (int k = 0; k < jointCount; ++k) {
    dp[k] = lambda * p[k];
    dq[k] = lambda * q[k];
  }
}

void constantRates(const FigureState&, const FigureState&, FigureState& dp, FigureState& dq) {
  for (int k = 0; k < jointCount; ++k) {
    dp[k] = k - 6.0;
    dq[k] = 0.5 * k;
  }
}

}  // namespace

// One tick multiplies by 1 + 2z + 1.5z^2 + 0.25z^3, z = h lambda; the second step reuses the
// predicted state's slope (with the first slope instead the factor would differ at z^2).
TEST(TimeIntegration, LinearDecayFactor) {
  lambda = -3.0;
  evaluations = 0;
  FigureState p, q;
  for (int k = 0; k < jointCount; ++k) {
    p[k] = 1.0;
    q[k] = k - 4.0;
  }
  const FigureState p0 = p, q0 = q;
  advanceTwoSteps(p, q, linearDecay);
  EXPECT_EQ(evaluations, 3);
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_NEAR(p[k], 0.93848056103125, 1e-15);
    EXPECT_NEAR(q[k], 0.93848056103125 * q0[k], 1e-14);
  }
  // The first evaluation sees the records; the second the predicted state, which never reaches
  // the records; the third the records after the first update.
  const double z = timeStep * lambda;
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_EQ(seenP[0][k], p0[k]);
    EXPECT_NEAR(seenP[1][k], 1.0 + z, 1e-15);
    EXPECT_NEAR(seenP[2][k], 1.0 + z + 0.5 * z * z, 1e-15);
  }
}

TEST(TimeIntegration, ConstantRatesAdvanceTwoSteps) {
  FigureState p = {}, q = {};
  advanceTwoSteps(p, q, constantRates);
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_NEAR(p[k], 2 * 0.0105 * (k - 6.0), 1e-15);
    EXPECT_NEAR(q[k], 2 * 0.0105 * 0.5 * k, 1e-15);
  }
}

// stepFigure is the same scheme over the real dynamics, with the figure's own drives.
TEST(TimeIntegration, StepFigureSetsTheDrivesThenAdvances) {
  ensureFigureModel();
  FigureState p = {}, q = {};
  q[Torso] = -1.57;
  q[RightHand] = 0.3;
  FigureState expectedP = p, expectedQ = q;
  setFigureDrives(1, -1, 2, 3);
  advanceTwoSteps(expectedP, expectedQ, evaluateDerivatives);
  setFigureDrives(0, 0, 0, 0);
  stepFigure(p, q, 1, -1, 2, 3);
  EXPECT_EQ(torsoDamping, 8.0);
  EXPECT_EQ(driveTorques[Torso], -100.0);
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_EQ(p[k], expectedP[k]);
    EXPECT_EQ(q[k], expectedQ[k]);
  }
}
