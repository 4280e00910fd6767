// papercrowd-trace: steps the start-up crowd headlessly and prints the figure states.
//
//   papercrowd-trace [--ticks N] [--every K] [--limb-mode M] [--torso-mode T]
//
// Each printed tick is 100 lines "TICK RECORD q0 .. q12 p0 .. p12", doubles in round-trip form.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "crowd.h"
#include "parse_integer.h"

namespace {

struct TraceOptions {
  long long ticks = 0;
  long long every = 0;  // 0: print the last tick only
  int limbMode = 0;
  int torsoMode = 0;
};

}  // namespace

// Fills options from argv; on a bad option or value writes one line to stderr and returns false.
static bool parseOptions(TraceOptions& options, int argc, char** argv) {
  // Every option takes a value: name and value are one step.
  for (int i = 1; i < argc; i += 2) {
    const char* name = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    long long number = 0;
    bool ok = false;
    if (std::strcmp(name, "--ticks") == 0) {
      ok = parseInteger(number, value, 0, LLONG_MAX);
      options.ticks = number;
    } else if (std::strcmp(name, "--every") == 0) {
      ok = parseInteger(number, value, 1, LLONG_MAX);
      options.every = number;
    } else if (std::strcmp(name, "--limb-mode") == 0) {
      ok = parseInteger(number, value, INT_MIN, INT_MAX);
      options.limbMode = static_cast<int>(number);
    } else if (std::strcmp(name, "--torso-mode") == 0) {
      ok = parseInteger(number, value, INT_MIN, INT_MAX);
      options.torsoMode = static_cast<int>(number);
    } else {
      std::fprintf(stderr, "papercrowd-trace: unknown option '%s'\n", name);
      return false;
    }
    if (!ok) {
      std::fprintf(stderr, "papercrowd-trace: bad value '%s' for %s\n", value ? value : "", name);
      return false;
    }
  }
  return true;
}

static void printTick(long long tick) {
  for (int record = 0; record < figureCount; ++record) {
    std::printf("%lld %d", tick, record);
    for (int k = 0; k < jointCount; ++k) {
      std::printf(" %.17g", jointAngles[record][k]);
    }
    for (int k = 0; k < jointCount; ++k) {
      std::printf(" %.17g", jointMomenta[record][k]);
    }
    std::putchar('\n');
  }
}

int main(int argc, char** argv) {
  TraceOptions options;
  if (!parseOptions(options, argc, argv)) {
    return 2;
  }

  setUpCrowd();
  if (options.every > 0) {
    printTick(0);
  }
  for (long long tick = 1; tick <= options.ticks; ++tick) {
    stepCrowd(options.limbMode, options.torsoMode);
    const bool everyKth = options.every > 0 && tick % options.every == 0;
    if (everyKth || tick == options.ticks) {
      printTick(tick);
    }
  }
  if (options.ticks == 0 && options.every == 0) {
    printTick(0);
  }

  if (std::fflush(stdout) != 0) {
    std::fprintf(stderr, "papercrowd-trace: cannot write the output\n");
    return 1;
  }
  return 0;
}
