#pragma once

#include "figure_state.h"

// Stability: on dy/dt = lambda y a tick (the two steps of h below) multiplies y by
//   R(z) = 1 + 2z + 1.5z^2 + 0.25z^3,  z = h lambda.
// On the negative real axis |R| < 1 only for -2 < z < 0: R(-2) = 1 and R > 1 just beyond. The light
// end bodies carry the same joint damping as the heavy ones on a small inertia, so their damped
// modes have h lambda below -2: they grow per step instead of decaying, until the nonlinear
// coupling holds them. The crowd never settles at the PD pose; each figure stays bounded in a pose
// of the scheme itself.
//
// Simulated seconds per step; one tick takes two steps.
constexpr double timeStep = 0.0105;

// Two steps of h with three evaluations of F(p, q) -> (dp, dq): Heun's step, then a second step
// whose slope averages the predicted-state derivatives (dp2, dq2) with the corrected state's.
// The records are updated in place; the predicted state never reaches them.
template <typename Derivatives>
void advanceTwoSteps(FigureState& p, FigureState& q, Derivatives evaluate) {
  const double h = timeStep;
  FigureState dp1, dq1, dp2, dq2, dp3, dq3, predictedP, predictedQ;

  evaluate(p, q, dp1, dq1);
  for (int k = 0; k < jointCount; ++k) {
    predictedP[k] = p[k] + h * dp1[k];
    predictedQ[k] = q[k] + h * dq1[k];
  }
  evaluate(predictedP, predictedQ, dp2, dq2);
  // Trapezoidal corrector over the first step.
  for (int k = 0; k < jointCount; ++k) {
    p[k] = p[k] + (dp2[k] + dp1[k]) * h * 0.5;
    q[k] = q[k] + (dq2[k] + dq1[k]) * h * 0.5;
  }
  evaluate(p, q, dp3, dq3);
  // Second step from the corrected state; it reuses the predicted state's slope, not the first one.
  for (int k = 0; k < jointCount; ++k) {
    p[k] = p[k] + (dp3[k] + dp2[k]) * h * 0.5;
    q[k] = q[k] + (dq3[k] + dq2[k]) * h * 0.5;
  }
}

// One tick of one figure: its drives from the modes and its grid place, then two steps.
void stepFigure(FigureState& momenta, FigureState& angles, int limbMode, int torsoMode, int row,
                int column);
