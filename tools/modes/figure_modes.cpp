#include "figure_modes.h"

#include <algorithm>
#include <cmath>

#include "crowd.h"
#include "figure_model.h"
#include "forward_dynamics.h"
#include "joint_drives.h"
#include "sine_table.h"
#include "spatial.h"
#include "time_integration.h"

void setDiagonalDrives(int limbMode, int torsoMode, int diagonal) {
  const int row = std::min(diagonal, crowdRows - 1);
  setFigureDrives(limbMode, torsoMode, row, diagonal - row);
}

void stateRates(StateVector& rates, const StateVector& x) {
  FigureState p, q, dp, dq;
  for (int k = 0; k < jointCount; ++k) {
    q[k] = x[k];
    p[k] = x[jointCount + k];
  }
  evaluateDerivatives(p, q, dp, dq);
  for (int k = 0; k < jointCount; ++k) {
    rates[k] = dq[k];
    rates[jointCount + k] = dp[k];
  }
}

// The momentum rates at rest (zero momenta) in the given pose.
static void restMomentumRates(Eigen::Matrix<double, jointCount, 1>& out, const FigureState& q) {
  const FigureState p = {};
  FigureState dp, dq;
  evaluateDerivatives(p, q, dp, dq);
  for (int k = 0; k < jointCount; ++k) {
    out[k] = dp[k];
  }
}

static double newtonFromStart(FigureState& angles, const FigureState& start) {
  using JointVector = Eigen::Matrix<double, jointCount, 1>;
  using JointMatrix = Eigen::Matrix<double, jointCount, jointCount>;
  FigureState q = start;
  JointVector f;
  restMomentumRates(f, q);
  // Newton's step q -= J^-1 f, halved until |f| (Euclidean, for which the step is a descent
  // direction) falls. The rates are piecewise constant at the
  // table's scale, so once no step helps, q is as close as the table lets it come.
  for (int iteration = 0; iteration < 100; ++iteration) {
    JointMatrix jacobian;
    for (int j = 0; j < jointCount; ++j) {
      FigureState plus = q, minus = q;
      plus[j] += differenceStep;
      minus[j] -= differenceStep;
      JointVector fPlus, fMinus;
      restMomentumRates(fPlus, plus);
      restMomentumRates(fMinus, minus);
      jacobian.col(j) = (fPlus - fMinus) / (2.0 * differenceStep);
    }
    const JointVector step = jacobian.partialPivLu().solve(f);
    bool improved = false;
    for (double scale = 1.0; scale > 1e-4; scale *= 0.5) {
      FigureState trial = q;
      for (int k = 0; k < jointCount; ++k) {
        trial[k] -= scale * step[k];
      }
      JointVector fTrial;
      restMomentumRates(fTrial, trial);
      if (fTrial.norm() < f.norm()) {
        q = trial;
        f = fTrial;
        improved = true;
        break;
      }
    }
    if (!improved) {
      break;
    }
  }
  angles = q;
  // At zero momenta the joint rates are exactly zero, so the momentum rates are the residual.
  return f.lpNorm<Eigen::Infinity>();
}

double findEquilibrium(FigureState& angles, const FigureState& start) {
  // A drive may push the figure past where Newton's path from the start pose can follow (the
  // residual stalls at a fold), so the Torso is also started a quarter and half turn round.
  double best = newtonFromStart(angles, start);
  const double offsets[] = {1.5707963267948966, -1.5707963267948966, 3.141592653589793};
  for (double offset : offsets) {
    if (best < 1e-2) {
      break;
    }
    FigureState shifted = start, found;
    shifted[Torso] += offset;
    const double residual = newtonFromStart(found, shifted);
    if (residual < best) {
      best = residual;
      angles = found;
    }
  }
  return best;
}

void linearize(StateMatrix& a, const FigureState& angles) {
  StateVector x = StateVector::Zero();
  for (int k = 0; k < jointCount; ++k) {
    x[k] = angles[k];
  }
  for (int j = 0; j < stateSize; ++j) {
    StateVector plus = x, minus = x, ratesPlus, ratesMinus;
    plus[j] += differenceStep;
    minus[j] -= differenceStep;
    stateRates(ratesPlus, plus);
    stateRates(ratesMinus, minus);
    a.col(j) = (ratesPlus - ratesMinus) / (2.0 * differenceStep);
  }
}

double tickAmplification(std::complex<double> lambda) {
  FigureState re = {}, im = {};
  re[0] = 1.0;
  // d(re + i im)/dt = lambda (re + i im), on the first entry only.
  advanceTwoSteps(
      re, im,
      [lambda](const FigureState& p, const FigureState& q, FigureState& dp, FigureState& dq) {
        dp = FigureState{};
        dq = FigureState{};
        dp[0] = lambda.real() * p[0] - lambda.imag() * q[0];
        dq[0] = lambda.imag() * p[0] + lambda.real() * q[0];
      });
  return std::hypot(re[0], im[0]);
}

std::vector<FigureMode> figureModes(const StateMatrix& a) {
  Eigen::EigenSolver<StateMatrix> solver(a, true);
  std::vector<FigureMode> modes(stateSize);
  for (int i = 0; i < stateSize; ++i) {
    FigureMode& mode = modes[i];
    mode.lambda = solver.eigenvalues()[i];
    mode.vector = solver.eigenvectors().col(i);
    mode.amplification = tickAmplification(mode.lambda);
    mode.joint = 0;
    for (int k = 1; k < jointCount; ++k) {
      if (std::abs(mode.vector[k]) > std::abs(mode.vector[mode.joint])) {
        mode.joint = k;
      }
    }
  }
  std::sort(modes.begin(), modes.end(), [](const FigureMode& x, const FigureMode& y) {
    if (x.lambda.real() != y.lambda.real()) {
      return x.lambda.real() < y.lambda.real();
    }
    return x.lambda.imag() < y.lambda.imag();
  });
  return modes;
}

void figureEnergy(double& kinetic, double& potential, const FigureState& p, const FigureState& q) {
  FigureState dp, dq;
  evaluateDerivatives(p, q, dp, dq);
  kinetic = 0.0;
  for (int k = 0; k < jointCount; ++k) {
    kinetic += 0.5 * p[k] * dq[k];
  }
  // V = -sum m g . c over the bodies, with g . c taken in the body's own frame: gravity g_k is
  // rotated into each frame, and g . o_k = g . o_parent + g_parent . r_k for the joint origin r_k
  // in the parent's frame.
  Vector3 bodyGravity[jointCount];
  double gravityDotOrigin[jointCount];
  potential = 0.0;
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = figureModel.bodies[k];
    const bool root = body.parent == noParent;
    const Vector3& parentGravity = root ? figureModel.gravity : bodyGravity[body.parent];
    const double r[3] = {body.jointOffset, body.axialOffset * body.twistSin,
                         -body.axialOffset * body.twistCos};
    gravityDotOrigin[k] = root ? 0.0 : gravityDotOrigin[body.parent];
    for (int i = 0; i < 3; ++i) {
      gravityDotOrigin[k] += parentGravity[i] * r[i];
    }
    rotateToChild(bodyGravity[k], parentGravity, body.twistSin, body.twistCos, tableSin(q[k]),
                  tableCos(q[k]));
    double gravityDotCentre = gravityDotOrigin[k];
    for (int i = 0; i < 3; ++i) {
      gravityDotCentre += bodyGravity[k][i] * body.centreOfMass[i];
    }
    potential -= body.mass * gravityDotCentre;
  }
}

void stepWithoutTorques(FigureState& p, FigureState& q) {
  setFigureDrives(2, 0, 0, 0);  // limb mode 2 drives no figure; torso mode 0 sets its drive to 0
  advanceTwoSteps(
      p, q, [](const FigureState& pIn, const FigureState& qIn, FigureState& dp, FigureState& dq) {
        evaluateDerivatives(pIn, qIn, dp, dq);
        for (int k = 0; k < jointCount; ++k) {
          dp[k] -= pdTorques[k];
        }
      });
}

void placeBodies(BodyPlacement placements[jointCount], const FigureState& q) {
  // The joints' axes are parallel: world angles add along the tree (the model has no twist).
  double worldAngle[jointCount];
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = figureModel.bodies[k];
    BodyPlacement& out = placements[k];
    if (body.parent == noParent) {
      worldAngle[k] = q[k];
      out.jointX = 0.0;
      out.jointY = 0.0;
    } else {
      const double parentAngle = worldAngle[body.parent];
      const BodyPlacement& parent = placements[body.parent];
      worldAngle[k] = parentAngle + q[k];
      out.jointX = parent.jointX + body.jointOffset * std::cos(parentAngle);
      out.jointY = parent.jointY + body.jointOffset * std::sin(parentAngle);
    }
    out.endX = out.jointX + std::cos(worldAngle[k]);
    out.endY = out.jointY + std::sin(worldAngle[k]);
  }
}
