#pragma once

// One full turn of the sine, sampled once: the only sine and cosine of joint angles
// that the figure dynamics use.
struct SineTable {
  double* samples;  // sample i = sin(i * step), i = 0 .. sampleCount - 1 (heap, never freed)
  double step;      // rad between neighbouring samples, 2*pi / (sampleCount - 1)
  int sampleCount;
};

extern SineTable sineTable;

// Stores the step, allocates the samples and fills them in index order. Called once.
void buildSineTable(int sampleCount);

// The lookup for arguments it cannot index directly: NaN and infinities give NaN,
// angles of 2^30 or more whole turns are reduced by an exact remainder first.
double tableSinOutOfRange(double x);

// Sine of x from the table: whole turns truncated toward zero, the reduced angle keeps
// the sign of x, and the sample at or just below |r| is used (no interpolation).
inline double tableSin(double x) {
  const double turns = x * 0.15915494309189535;
  // Also false for NaN, so no bad turn count ever reaches the integer conversion.
  if (!(turns < 1073741824.0 && turns > -1073741824.0)) {
    return tableSinOutOfRange(x);
  }
  const int k = static_cast<int>(turns);
  const double r = x - static_cast<double>(2 * k) * 3.141592653589793;
  if (r < 0.0) {
    const int i = static_cast<int>(r / sineTable.step);
    return -sineTable.samples[-i];
  }
  const int i = static_cast<int>(r / sineTable.step);
  return sineTable.samples[i];
}

// Cosine as the sine of the complementary angle, the difference taken in double.
inline double tableCos(double x) { return tableSin(1.5707963267948966 - x); }
