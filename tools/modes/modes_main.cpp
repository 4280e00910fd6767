// papercrowd-modes: the small motions of one figure about its equilibrium.
//
//   papercrowd-modes [--limb-mode M] [--torso-mode T] [--diagonal D] [--bodies | --region |
//                    --energy TICKS]
//
// Prints "residual R", the largest |rate| at the equilibrium found, then one line per mode of
// the linearized 26-dimensional system, most negative real part first:
//   mode K RE_LAMBDA IM_LAMBDA RE_HLAMBDA IM_HLAMBDA AMPLIFICATION JOINT[ unstable]
// with h the time step, AMPLIFICATION = |R(h lambda)| of one tick of the stepping scheme and
// JOINT the joint whose angle leads the mode; " unstable" when AMPLIFICATION exceeds 1.
// Instead of the modes:
//   --bodies        "body K NAME JOINT_X JOINT_Y END_X END_Y" of the equilibrium pose
//   --region        "RE_Z IM_Z AMPLIFICATION" of one tick on a grid of z = h lambda
//   --energy TICKS  "TICK T V E" of the figure released at rest from the equilibrium pose with
//                   the PD and drive torques off, for ticks 0 .. TICKS
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "crowd.h"
#include "figure_modes.h"
#include "joint_names.h"
#include "parse_integer.h"
#include "time_integration.h"

namespace {

enum class Output { Modes, Bodies, Region, Energy };

struct ModesOptions {
  int limbMode = 0;
  int torsoMode = 0;
  int diagonal = 0;
  Output output = Output::Modes;
  long long ticks = 0;
};

}  // namespace

// Fills options from argv; on a bad option or value writes one line to stderr and returns false.
static bool parseOptions(ModesOptions& options, int argc, char** argv) {
  int i = 1;
  while (i < argc) {
    const char* name = argv[i];
    if (std::strcmp(name, "--bodies") == 0) {
      options.output = Output::Bodies;
      ++i;
      continue;
    }
    if (std::strcmp(name, "--region") == 0) {
      options.output = Output::Region;
      ++i;
      continue;
    }
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    long long number = 0;
    bool ok = false;
    if (std::strcmp(name, "--limb-mode") == 0) {
      ok = parseInteger(number, value, INT_MIN, INT_MAX);
      options.limbMode = static_cast<int>(number);
    } else if (std::strcmp(name, "--torso-mode") == 0) {
      ok = parseInteger(number, value, INT_MIN, INT_MAX);
      options.torsoMode = static_cast<int>(number);
    } else if (std::strcmp(name, "--diagonal") == 0) {
      ok = parseInteger(number, value, 0, crowdRows + crowdColumns - 2);
      options.diagonal = static_cast<int>(number);
    } else if (std::strcmp(name, "--energy") == 0) {
      ok = parseInteger(number, value, 0, LLONG_MAX);
      options.ticks = number;
      options.output = Output::Energy;
    } else {
      std::fprintf(stderr, "papercrowd-modes: unknown option '%s'\n", name);
      return false;
    }
    if (!ok) {
      std::fprintf(stderr, "papercrowd-modes: bad value '%s' for %s\n", value ? value : "", name);
      return false;
    }
    i += 2;
  }
  return true;
}

static void printModes(double residual, const FigureState& equilibrium) {
  StateMatrix a;
  linearize(a, equilibrium);
  const std::vector<FigureMode> modes = figureModes(a);
  std::printf("residual %.6g\n", residual);
  for (int i = 0; i < static_cast<int>(modes.size()); ++i) {
    const FigureMode& m = modes[i];
    std::printf("mode %d %.6g %.6g %.6g %.6g %.6g %s%s\n", i, m.lambda.real(), m.lambda.imag(),
                timeStep * m.lambda.real(), timeStep * m.lambda.imag(), m.amplification,
                jointNames[m.joint], m.amplification > 1.0 ? " unstable" : "");
  }
}

static void printBodies(const FigureState& equilibrium) {
  BodyPlacement placements[jointCount];
  placeBodies(placements, equilibrium);
  for (int k = 0; k < jointCount; ++k) {
    const BodyPlacement& b = placements[k];
    std::printf("body %d %s %.6g %.6g %.6g %.6g\n", k, jointNames[k], b.jointX, b.jointY, b.endX,
                b.endY);
  }
}

// |R(z)| on a grid that covers the left half-plane out to where the light bodies' modes lie.
static void printRegion() {
  for (int i = 0; i <= 240; ++i) {
    const double re = -5.0 + 0.025 * i;
    for (int j = 0; j <= 200; ++j) {
      const double im = -2.5 + 0.025 * j;
      std::printf("%.6g %.6g %.6g\n", re, im,
                  tickAmplification(std::complex<double>(re, im) / timeStep));
    }
    std::putchar('\n');  // a blank line ends each grid row
  }
}

static void printEnergy(const FigureState& equilibrium, long long ticks) {
  FigureState p = {}, q = equilibrium;
  for (long long tick = 0; tick <= ticks; ++tick) {
    if (tick > 0) {
      stepWithoutTorques(p, q);
    }
    double kinetic = 0.0, potential = 0.0;
    figureEnergy(kinetic, potential, p, q);
    std::printf("%lld %.9g %.9g %.9g\n", tick, kinetic, potential, kinetic + potential);
  }
}

int main(int argc, char** argv) {
  ModesOptions options;
  if (!parseOptions(options, argc, argv)) {
    return 2;
  }

  if (options.output == Output::Region) {
    printRegion();
  } else {
    setUpCrowd();
    setDiagonalDrives(options.limbMode, options.torsoMode, options.diagonal);
    FigureState equilibrium;
    const double residual = findEquilibrium(equilibrium, jointAngles[0]);
    if (options.output == Output::Modes) {
      printModes(residual, equilibrium);
    } else if (options.output == Output::Bodies) {
      printBodies(equilibrium);
    } else {
      printEnergy(equilibrium, options.ticks);
    }
  }

  if (std::fflush(stdout) != 0) {
    std::fprintf(stderr, "papercrowd-modes: cannot write the output\n");
    return 1;
  }
  return 0;
}
