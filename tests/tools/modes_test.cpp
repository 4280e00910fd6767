// papercrowd-modes run as a separate program: what it prints is checked against the real
// dynamics (evaluateDerivatives) and the real stepper (stepFigure), not against its own formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "crowd.h"
#include "dense_oracle.h"
#include "figure_model.h"
#include "figure_modes.h"
#include "forward_dynamics.h"
#include "joint_names.h"
#include "run_program.h"
#include "test_states.h"
#include "time_integration.h"

namespace {

ProgramRun runModes(const std::string& arguments) { return runProgram(MODES_PROGRAM, arguments); }

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}

struct PrintedMode {
  std::complex<double> lambda, hLambda;
  double amplification;
  std::string joint;
  bool unstable;
};

struct PrintedModes {
  double residual = -1.0;
  std::vector<PrintedMode> modes;
};

// Reads the tool's output, checking its exact shape on the way.
PrintedModes parseModes(const std::string& out) {
  PrintedModes printed;
  const std::vector<std::string> all = splitLines(out);
  EXPECT_EQ(all.size(), 1u + stateSize);
  if (all.empty()) return printed;
  const std::vector<std::string> first = words(all[0]);
  EXPECT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0], "residual");
  if (first.size() == 2) printed.residual = std::stod(first[1]);
  for (std::size_t i = 1; i < all.size(); ++i) {
    EXPECT_EQ(all[i].find("  "), std::string::npos) << all[i];
    const std::vector<std::string> f = words(all[i]);
    EXPECT_TRUE(f.size() == 8 || (f.size() == 9 && f[8] == "unstable")) << all[i];
    if (f.size() < 8) continue;
    EXPECT_EQ(f[0], "mode");
    EXPECT_EQ(f[1], std::to_string(i - 1));
    PrintedMode m;
    m.lambda = {std::stod(f[2]), std::stod(f[3])};
    m.hLambda = {std::stod(f[4]), std::stod(f[5])};
    m.amplification = std::stod(f[6]);
    m.joint = f[7];
    m.unstable = f.size() == 9;
    printed.modes.push_back(m);
  }
  return printed;
}

// The equilibrium and linearization the tool works from, for the default drives (diagonal 0).
struct DefaultFigure {
  FigureState equilibrium;
  double residual;
  StateMatrix a;
};

const DefaultFigure& defaultFigure() {
  static DefaultFigure figure;
  static bool made = false;
  if (!made) {
    setUpCrowd();
    setDiagonalDrives(0, 0, 0);
    figure.residual = findEquilibrium(figure.equilibrium, jointAngles[0]);
    linearize(figure.a, figure.equilibrium);
    made = true;
  }
  setDiagonalDrives(0, 0, 0);
  return figure;
}

double maxAbs(const FigureState& s) {
  double m = 0.0;
  for (int k = 0; k < jointCount; ++k) m = std::max(m, std::fabs(s[k]));
  return m;
}

}  // namespace

TEST(Modes, BadOptionsAreNamedOnStderrWithStatusTwo) {
  struct BadCase {
    const char* arguments;
    const char* named;
  };
  const BadCase cases[] = {
      {"--frobnicate", "--frobnicate"},   {"--diagonal 19", "--diagonal"},
      {"--diagonal -1", "--diagonal"},    {"--diagonal", "--diagonal"},
      {"--limb-mode one", "--limb-mode"}, {"--torso-mode 1.5", "--torso-mode"},
      {"--energy -3", "--energy"},        {"--limb-mode 0 --diagonal 4x", "--diagonal"},
      {"limb-mode 0", "limb-mode"},
  };
  for (const BadCase& c : cases) {
    const ProgramRun r = runModes(c.arguments);
    EXPECT_EQ(r.status, 2) << c.arguments;
    EXPECT_TRUE(r.out.empty()) << c.arguments;
    EXPECT_EQ(splitLines(r.err).size(), 1u) << c.arguments;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
  }
}

// The printed equilibrium is one: at zero momenta the real dynamics there leave rates no larger
// than the sine table's own graininess (a step of 6.3e-6 rad in the Torso moves its gravity
// moment of about 200 by about 1e-3), and the lines are the 26 modes in the promised order.
TEST(Modes, DefaultRunPrintsTheEquilibriumAndItsModes) {
  const ProgramRun r = runModes("");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(r.out, runModes("--limb-mode 0 --torso-mode 0 --diagonal 0").out);
  const PrintedModes printed = parseModes(r.out);
  ASSERT_EQ(printed.modes.size(), static_cast<std::size_t>(stateSize));

  const DefaultFigure& figure = defaultFigure();
  FigureState p = {}, dp, dq;
  evaluateDerivatives(p, figure.equilibrium, dp, dq);
  const double residual = std::max(maxAbs(dp), maxAbs(dq));
  EXPECT_LT(residual, 1e-3);
  EXPECT_NEAR(printed.residual, residual, 1e-5 * residual);

  // Every printed eigenvalue is one of A's, h lambda is the time step times it, the list runs
  // from the most negative real part, and " unstable" marks exactly the amplifications above 1.
  // The joint named is the one whose angle moves most along the mode.
  Eigen::EigenSolver<StateMatrix> solver(figure.a, true);
  for (std::size_t i = 0; i < printed.modes.size(); ++i) {
    const PrintedMode& m = printed.modes[i];
    int match = 0;
    for (int j = 1; j < stateSize; ++j) {
      if (std::abs(solver.eigenvalues()[j] - m.lambda) <
          std::abs(solver.eigenvalues()[match] - m.lambda)) {
        match = j;
      }
    }
    EXPECT_LT(std::abs(solver.eigenvalues()[match] - m.lambda), 1e-5 * std::abs(m.lambda) + 1e-5)
        << "mode " << i;
    int leading = 0;
    for (int k = 1; k < jointCount; ++k) {
      if (std::abs(solver.eigenvectors()(k, match)) >
          std::abs(solver.eigenvectors()(leading, match))) {
        leading = k;
      }
    }
    EXPECT_EQ(m.joint, jointNames[leading]) << "mode " << i;
    EXPECT_NEAR(m.hLambda.real(), timeStep * m.lambda.real(), 1e-5 * std::abs(m.hLambda) + 1e-9);
    EXPECT_NEAR(m.hLambda.imag(), timeStep * m.lambda.imag(), 1e-5 * std::abs(m.hLambda) + 1e-9);
    EXPECT_EQ(m.unstable, m.amplification > 1.0) << "mode " << i;
    if (i > 0) {
      EXPECT_LE(printed.modes[i - 1].lambda.real(), m.lambda.real());
    }
  }
}

// Driven figures settle far from the start pose (a drive of 100 against stiffnesses of 50 and 60):
// Newton must still get there, for every drive-mode pair on both halves of the crowd.
TEST(Modes, EveryDriveSettingHasItsEquilibrium) {
  const char* settings[] = {
      "--limb-mode 0 --torso-mode -1 --diagonal 0", "--limb-mode 0 --torso-mode -1 --diagonal 18",
      "--limb-mode 0 --torso-mode 0 --diagonal 18", "--limb-mode 0 --torso-mode 1 --diagonal 10",
      "--limb-mode 1 --torso-mode -1 --diagonal 9", "--limb-mode 1 --torso-mode 0 --diagonal 0",
      "--limb-mode 1 --torso-mode 1 --diagonal 0",  "--limb-mode 1 --torso-mode 1 --diagonal 18",
  };
  for (const char* setting : settings) {
    const ProgramRun r = runModes(setting);
    ASSERT_EQ(r.status, 0) << setting;
    const PrintedModes printed = parseModes(r.out);
    EXPECT_GE(printed.residual, 0.0) << setting;
    EXPECT_LT(printed.residual, 1e-3) << setting;
    EXPECT_EQ(printed.modes.size(), static_cast<std::size_t>(stateSize)) << setting;
  }
}

// A dx reproduces what the real dynamics do to a small departure from the equilibrium, along
// each joint's angle and momentum and along mixed directions.
TEST(Modes, LinearizationReproducesTheDynamicsNearTheEquilibrium) {
  const DefaultFigure& figure = defaultFigure();
  StateVector x = StateVector::Zero();
  for (int k = 0; k < jointCount; ++k) x[k] = figure.equilibrium[k];
  StateVector rest;
  stateRates(rest, x);

  std::vector<StateVector> departures;
  for (int j = 0; j < stateSize; j += 5) {
    departures.push_back(StateVector::Unit(j) * 2e-3);
  }
  for (int seed = 1; seed <= 4; ++seed) {
    StateVector d;
    for (int j = 0; j < stateSize; ++j) d[j] = 1e-3 * std::sin(7.3 * seed + 2.9 * j);
    departures.push_back(d);
  }
  for (const StateVector& d : departures) {
    StateVector moved;
    stateRates(moved, x + d);
    const StateVector actual = moved - rest;
    const StateVector predicted = figure.a * d;
    EXPECT_LT((actual - predicted).norm(), 0.02 * actual.norm())
        << "actual " << actual.transpose() << "\npredicted " << predicted.transpose();
  }
}

// The amplification printed for a mode is what one real tick (stepFigure, the figure at row 0,
// column 0) does to a departure along that mode: the departure after the tick, projected back
// onto the mode's real and imaginary parts, has the printed size. Checked for the stiffest
// stable real mode, the slowest oscillation and the most unstable mode (a light end body).
TEST(Modes, AmplificationIsTheGrowthOverOneRealTick) {
  const DefaultFigure& figure = defaultFigure();
  const PrintedModes printed = parseModes(runModes("").out);
  ASSERT_EQ(printed.modes.size(), static_cast<std::size_t>(stateSize));

  int stiffStable = -1;
  for (int i = 0; i < stateSize && stiffStable < 0; ++i) {
    if (printed.modes[i].lambda.imag() == 0.0 && printed.modes[i].amplification < 1.0) {
      stiffStable = i;
    }
  }
  const int chosen[] = {stiffStable, stateSize - 1, 0};
  ASSERT_GE(stiffStable, 0);
  ASSERT_TRUE(printed.modes[0].unstable);

  Eigen::EigenSolver<StateMatrix> solver(figure.a, true);
  for (int i : chosen) {
    const PrintedMode& m = printed.modes[i];
    int match = 0;
    for (int j = 1; j < stateSize; ++j) {
      if (std::abs(solver.eigenvalues()[j] - m.lambda) <
          std::abs(solver.eigenvalues()[match] - m.lambda)) {
        match = j;
      }
    }
    // The vector turned so that its largest entry is real, scaled to 1e-3 there.
    ModeVector v = solver.eigenvectors().col(match);
    int largest = 0;
    for (int j = 1; j < stateSize; ++j) {
      if (std::abs(v[j]) > std::abs(v[largest])) largest = j;
    }
    v *= 1e-3 / v[largest];

    // One real tick from the equilibrium with and without the departure; the difference is the
    // departure after the tick, free of the equilibrium's own tiny drift.
    FigureState p0 = {}, q0 = figure.equilibrium;
    FigureState p1 = {}, q1 = figure.equilibrium;
    for (int k = 0; k < jointCount; ++k) {
      q1[k] += v[k].real();
      p1[k] += v[jointCount + k].real();
    }
    stepFigure(p0, q0, 0, 0, 0, 0);
    stepFigure(p1, q1, 0, 0, 0, 0);
    StateVector after;
    for (int k = 0; k < jointCount; ++k) {
      after[k] = q1[k] - q0[k];
      after[jointCount + k] = p1[k] - p0[k];
    }
    // Re(mu v) = Re(mu) Re(v) - Im(mu) Im(v): least squares on those two directions.
    const bool real = m.lambda.imag() == 0.0;
    Eigen::Matrix<double, stateSize, Eigen::Dynamic> basis(stateSize, real ? 1 : 2);
    basis.col(0) = v.real();
    if (!real) basis.col(1) = v.imag();
    const Eigen::VectorXd c = basis.colPivHouseholderQr().solve(after);
    const double growth = real ? std::fabs(c[0]) : std::hypot(c[0], c[1]);
    EXPECT_NEAR(growth, m.amplification, 2e-3) << "mode " << i << " lambda " << m.lambda;
    EXPECT_LT((basis * c - after).norm(), 0.05 * after.norm()) << "mode " << i;
  }
}

// T + V against the dense Hamiltonian (kinetic energy from a mass matrix built body by body,
// heights from world poses), which differs only by the table's trigonometry.
TEST(Modes, EnergyIsTheHamiltonian) {
  ensureFigureModel();
  for (const TestState& s : makeTestStates()) {
    double kinetic = 0.0, potential = 0.0;
    figureEnergy(kinetic, potential, s.p, s.q);
    const double oracle = oracleHamiltonian(figureModel, s.p, s.q);
    EXPECT_NEAR(kinetic + potential, oracle, 1e-2 + 1e-4 * std::fabs(oracle));
  }
}

// With the PD and drive torques off the figure no longer holds its equilibrium: released at rest
// it falls, trading height for motion, while the real step would keep it where it is.
TEST(Modes, WithoutTorquesTheFigureFallsFromItsEquilibrium) {
  const DefaultFigure& figure = defaultFigure();
  double kinetic0 = 0.0, potential0 = 0.0, kinetic = 0.0, potential = 0.0;
  FigureState held = {}, heldQ = figure.equilibrium;
  stepFigure(held, heldQ, 0, 0, 0, 0);
  figureEnergy(kinetic, potential, held, heldQ);
  EXPECT_LT(kinetic, 1e-6);

  FigureState p = {}, q = figure.equilibrium;
  figureEnergy(kinetic0, potential0, p, q);
  for (int tick = 0; tick < 5; ++tick) stepWithoutTorques(p, q);
  figureEnergy(kinetic, potential, p, q);
  EXPECT_GT(kinetic, 0.1);
  EXPECT_LT(potential, potential0 - 0.1);
}
