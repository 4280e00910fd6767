// papercrowd-long-run: steps the whole crowd for many ticks in every combination of the drive
// modes and reports whether the states stay finite and how large they get.
//
//   papercrowd-long-run [TICKS]   (default 100000)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "crowd.h"

int main(int argc, char** argv) {
  const long ticks = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
  std::printf("limb torso ticks finite max|q| max|p| max|q|(last10%%) max|p|(last10%%)\n");
  for (int limbMode : {0, 1}) {
    for (int torsoMode : {-1, 0, 1}) {
      setUpCrowd();
      bool finite = true;
      double maxQ = 0.0, maxP = 0.0, lateQ = 0.0, lateP = 0.0;
      for (long tick = 1; tick <= ticks; ++tick) {
        stepCrowd(limbMode, torsoMode);
        const bool late = tick > ticks - ticks / 10;
        for (int i = 0; i < figureCount; ++i) {
          for (int k = 0; k < jointCount; ++k) {
            const double q = std::fabs(jointAngles[i][k]);
            const double p = std::fabs(jointMomenta[i][k]);
            finite = finite && std::isfinite(q) && std::isfinite(p);
            maxQ = q > maxQ ? q : maxQ;
            maxP = p > maxP ? p : maxP;
            if (late) {
              lateQ = q > lateQ ? q : lateQ;
              lateP = p > lateP ? p : lateP;
            }
          }
        }
      }
      std::printf("%d %d %ld %s %.6g %.6g %.6g %.6g\n", limbMode, torsoMode, ticks,
                  finite ? "yes" : "NO", maxQ, maxP, lateQ, lateP);
      std::fflush(stdout);
    }
  }
  return 0;
}
