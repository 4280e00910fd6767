#include "sine_table.h"

#include <cmath>
#include <limits>

SineTable sineTable = {nullptr, 0.0, 0};

void buildSineTable(int sampleCount) {
  sineTable.step = 6.283185307179586 / static_cast<double>(sampleCount - 1);
  // A second set-up in the same process refills the table it already has.
  if (sineTable.samples == nullptr || sineTable.sampleCount != sampleCount) {
    delete[] sineTable.samples;
    sineTable.samples = new double[sampleCount];
  }
  sineTable.sampleCount = sampleCount;
  for (int i = 0; i < sampleCount; ++i) {
    sineTable.samples[i] = std::sin(static_cast<double>(i) * sineTable.step);
  }
}

double tableSinOutOfRange(double x) {
  if (!std::isfinite(x)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  // fmod is exact, keeps the sign of x and leaves less than one turn: inside the table's range.
  return tableSin(std::fmod(x, 6.283185307179586));
}
