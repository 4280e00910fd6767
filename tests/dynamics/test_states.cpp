#include "test_states.h"

#include <cstdint>

// Uniform in [-1, 1) from a fixed linear congruential sequence.
static double nextUniform(std::uint64_t& seed) {
  seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<double>(seed >> 11) / 4503599627370496.0 - 1.0;
}

std::vector<TestState> makeTestStates() {
  std::vector<TestState> states;
  TestState rest = {};
  states.push_back(rest);
  TestState start = {};
  start.q[0] = -1.57;
  states.push_back(start);

  std::uint64_t seed = 12345;
  const double angleScales[] = {0.3, 3.0, 40.0, 5000.0};
  const double momentumScales[] = {0.0, 0.5, 5.0};
  for (double angleScale : angleScales) {
    for (double momentumScale : momentumScales) {
      for (int repeat = 0; repeat < 3; ++repeat) {
        TestState s;
        for (int k = 0; k < jointCount; ++k) {
          s.q[k] = angleScale * nextUniform(seed);
          s.p[k] = momentumScale * nextUniform(seed);
        }
        states.push_back(s);
      }
    }
  }
  return states;
}
