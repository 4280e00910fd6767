#include "sine_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "dense_oracle.h"

namespace {

class SineTableTest : public ::testing::Test {
 protected:
  void SetUp() override { ensureFigureModel(); }
};

struct LookupCase {
  double x;
  double expected;
};

}  // namespace

// One million samples of the sine at even steps over the closed turn [0, 2 pi], both ends
// included: each within rounding of the library sine at its angle.
TEST_F(SineTableTest, SamplesAreTheSineAtEvenStepsOverTheClosedTurn) {
  ASSERT_EQ(sineTable.sampleCount, 1000000);
  EXPECT_EQ(sineTable.step, 6.283191590371176e-06);
  for (int i = 0; i < sineTable.sampleCount; i += (i < 10 || i > 999990) ? 1 : 997) {
    const double angle = 2 * 3.14159265358979323846 * i / 999999;
    ASSERT_NEAR(sineTable.samples[i], std::sin(angle), 4e-15) << "sample " << i;
  }
  EXPECT_EQ(sineTable.samples[0], 0.0);
  EXPECT_EQ(sineTable.samples[249999], 0.9999999999888967);  // just short of the quarter turn
  EXPECT_NEAR(sineTable.samples[499999], 3.1416e-6, 1e-10);  // half a step short of pi
  EXPECT_NEAR(sineTable.samples[999999], -2.45e-16, 1e-17);  // 2 pi, not forced to zero
}

// Truncation toward zero of the turn count and of the sample index, never rounding.
TEST_F(SineTableTest, LookupsUseTheSampleAtOrBelowTheReducedAngle) {
  const double* s = sineTable.samples;
  const LookupCase cases[] = {
      {0.0, 0.0},
      {-0.0, 0.0},
      {1.5707963267948966, s[249999]},
      {3.141592653589793, s[499999]},
      {-3.141592653589793, -s[499999]},
      {6.283185307179586, 0.0},
      {7.0, s[114084]},
      {-7.0, -s[114084]},
      {1e-7, 0.0},
      {-1e-7, 0.0},
  };
  for (const LookupCase& c : cases) {
    EXPECT_EQ(tableSin(c.x), c.expected) << c.x;
  }
  EXPECT_EQ(tableCos(0.0), s[249999]);
  EXPECT_NE(tableCos(0.0), 1.0);
}

TEST_F(SineTableTest, CosineIsTheSineOfTheComplement) {
  const double xs[] = {0.0, 0.3, -0.3, 2.0, -5.5, 123.456, -9876.5};
  for (double x : xs) {
    EXPECT_EQ(tableCos(x), tableSin(1.5707963267948966 - x)) << x;
  }
}

// Within one step of the library sine, exactly odd, over many turns.
TEST_F(SineTableTest, AgreesWithTheLibrarySineAndIsExactlyOdd) {
  for (int i = -200000; i <= 200000; ++i) {
    const double x = i * 0.0012345678;
    const double value = tableSin(x);
    ASSERT_NEAR(value, std::sin(x), 6.3e-6) << x;
    ASSERT_EQ(tableSin(-x), -value) << x;
    ASSERT_NEAR(tableCos(x), std::cos(x), 6.3e-6) << x;
  }
}

TEST_F(SineTableTest, NonFiniteArgumentsGiveNaN) {
  const double bad[] = {NAN, -NAN, INFINITY, -INFINITY};
  for (double x : bad) {
    EXPECT_TRUE(std::isnan(tableSin(x))) << x;
    EXPECT_TRUE(std::isnan(tableCos(x))) << x;
  }
}

// From 2^30 turns on the turn count no longer fits the lookup's integers; such angles are
// reduced exactly instead and still land on a sample, never outside the table.
TEST_F(SineTableTest, HugeAnglesAreReducedSafely) {
  const double limit = 1073741824.0 * 6.283185307179586;
  const double xs[] = {limit,
                       limit * 1.5,
                       1e12,
                       1e15,
                       1e300,
                       -1e300,
                       1.7976931348623157e308,
                       -1.7976931348623157e308};
  for (double x : xs) {
    const double value = tableSin(x);
    EXPECT_TRUE(std::isfinite(value)) << x;
    EXPECT_LE(std::fabs(value), 1.0) << x;
    EXPECT_EQ(value, tableSin(std::fmod(x, 6.283185307179586))) << x;
    EXPECT_EQ(tableSin(-x), -value) << x;
  }
}

// Just inside the limit the table rule itself still applies: whole-turn multiples and their
// neighbours stay inside the table and near the true sine of the reduced angle.
TEST_F(SineTableTest, LargestTurnCountsStayInsideTheTable) {
  for (int turns = 1073741800; turns < 1073741824; ++turns) {
    const double base = turns * 6.283185307179586;
    for (double offset : {-2e-6, -1e-9, 0.0, 1e-9, 2e-6}) {
      const double x = std::nextafter(base + offset, base);
      const double value = tableSin(x);
      ASSERT_TRUE(std::isfinite(value)) << x;
      ASSERT_LE(std::fabs(value), 1e-4) << x;
    }
  }
}
