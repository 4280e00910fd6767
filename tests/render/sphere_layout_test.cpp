#include "sphere_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SphereLayout, TwelveRingsHoldNinetySixFiguresInIndexOrder) {
  const int expectedSizes[] = {1, 4, 7, 10, 12, 13, 13, 12, 10, 8, 5, 1};
  const SphereLayout& layout = sphereLayout();
  ASSERT_EQ(layout.ringCount, 12);
  EXPECT_EQ(layout.positionCount, 96);
  int next = 0;
  for (int r = 0; r < layout.ringCount; ++r) {
    EXPECT_EQ(layout.rings[r].figureCount, expectedSizes[r]) << "ring " << r;
    EXPECT_EQ(layout.rings[r].firstFigure, next) << "ring " << r;
    EXPECT_EQ(layout.rings[r].latitude, r * 0.28125) << "ring " << r;  // exact multiples
    next += layout.rings[r].figureCount;
  }
}

TEST(SphereLayout, PolesHoldOneFigureEachFirstAndLastRecord) {
  const SphereLayout& layout = sphereLayout();
  EXPECT_EQ(layout.rings[0].latitude, 0.0);
  EXPECT_TRUE(std::isinf(layout.rings[0].longitudeStep));
  EXPECT_EQ(layout.longitudes[0], 0.0);
  const SphereRing& last = layout.rings[layout.ringCount - 1];
  EXPECT_EQ(last.latitude, 3.09375);
  EXPECT_EQ(last.firstFigure, 95);
  EXPECT_EQ(last.figureCount, 1);
}

TEST(SphereLayout, LongitudesStepEvenlyFromZeroAndStayBelowAFullTurn) {
  const SphereLayout& layout = sphereLayout();
  for (int r = 0; r < layout.ringCount; ++r) {
    const SphereRing& ring = layout.rings[r];
    if (r > 0) {
      EXPECT_NEAR(ring.longitudeStep, 0.5 / std::sin(ring.latitude), 1e-12) << "ring " << r;
    }
    double longitude = 0;
    for (int n = ring.firstFigure; n < ring.firstFigure + ring.figureCount; ++n) {
      EXPECT_EQ(layout.longitudes[n], longitude) << "figure " << n;
      EXPECT_LT(layout.longitudes[n], 6.283) << "figure " << n;
      longitude += ring.longitudeStep;
    }
    EXPECT_GE(longitude, 6.283) << "ring " << r << " stopped early";
  }
}

}  // namespace
