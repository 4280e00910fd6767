#pragma once

// Small-motion analysis of one figure about its equilibrium: the rest pose where gravity, the PD
// torques and the drives balance, the 26-dimensional linearization of Hamilton's equations there,
// its modes, and what one tick of the stepping scheme does to each. Also the figure's energy and
// the unforced step used to watch it. Not for the running program: these allocate and are slow.

#include <Eigen/Dense>
#include <complex>
#include <vector>

#include "figure_state.h"

// The linearized state: x = [q; p], joint angles first, then the momenta.
constexpr int stateSize = 2 * jointCount;
using StateMatrix = Eigen::Matrix<double, stateSize, stateSize>;
using StateVector = Eigen::Matrix<double, stateSize, 1>;
using ModeVector = Eigen::Matrix<std::complex<double>, stateSize, 1>;

// Central-difference step, in rad for the angles and in momentum units for the momenta. The
// table sine is flat between samples 6.3e-6 rad apart, so the dynamics are piecewise constant
// at that scale; a step 160 times wider keeps the jumps to a few parts in a thousand of a slope.
constexpr double differenceStep = 1e-3;

// The drives of a figure on the given diagonal (row + column, 0..18) under the two modes.
void setDiagonalDrives(int limbMode, int torsoMode, int diagonal);

// dx/dt = [jointRates; momentumRates] at x = [q; p], with the drives as last set.
void stateRates(StateVector& rates, const StateVector& x);

// The equilibrium for the drives as last set: zero momenta and angles where every momentum rate
// vanishes, by damped Newton from the start pose with a central-difference Jacobian. Returns the
// largest |rate| left there. The figure model must be built.
double findEquilibrium(FigureState& angles, const FigureState& start);

// A = d(dx/dt)/dx at (angles, zero momenta), by central differences of evaluateDerivatives.
void linearize(StateMatrix& a, const FigureState& angles);

// |R(h lambda)|: how much one tick of the real scheme (advanceTwoSteps) scales dy/dt = lambda y,
// the complex y carried as the pair (p[0], q[0]).
double tickAmplification(std::complex<double> lambda);

struct FigureMode {
  std::complex<double> lambda;  // 1/s
  ModeVector vector;            // eigenvector of A, [q; p]
  double amplification;         // |R(h lambda)| of one tick
  int joint;                    // JointId whose angle dominates the vector
};

// Every eigenvalue of A with its vector, most negative real part first (then by imaginary part).
std::vector<FigureMode> figureModes(const StateMatrix& a);

// T = p . qdot / 2 and V = sum of m g-height, with the dynamics' own table trigonometry.
void figureEnergy(double& kinetic, double& potential, const FigureState& p, const FigureState& q);

// One tick of the real scheme with the PD and drive torques taken out of the momentum rates: the
// figure under gravity alone. The drives are switched off first.
void stepWithoutTorques(FigureState& p, FigureState& q);

// World (base-frame) x-y of each body's joint and of its far end (x = 1 of its frame).
struct BodyPlacement {
  double jointX, jointY, endX, endY;
};
void placeBodies(BodyPlacement placements[jointCount], const FigureState& q);
