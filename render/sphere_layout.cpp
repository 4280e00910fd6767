#include "sphere_layout.h"

#include <cmath>

constexpr double latitudeStep = 0.28125;  // exact in binary: every latitude is an exact multiple
constexpr double latitudeEnd = 3.1415;
constexpr double longitudeEnd = 6.283;

void buildSphereLayout(SphereLayout& layout) {
  layout.ringCount = 0;
  layout.positionCount = 0;
  for (double latitude = 0; latitude < latitudeEnd && layout.ringCount < maxRings;
       latitude += latitudeStep) {
    SphereRing& ring = layout.rings[layout.ringCount++];
    ring.latitude = latitude;
    // sin 0 = 0 gives an infinite step, hence exactly one figure at the pole.
    ring.longitudeStep = (8 / std::sin(latitude)) * 0.0625;
    ring.firstFigure = layout.positionCount;
    ring.figureCount = 0;
    double longitude = 0;
    do {
      if (layout.positionCount == maxSpherePositions) return;
      layout.longitudes[layout.positionCount++] = longitude;
      ++ring.figureCount;
      longitude += ring.longitudeStep;
    } while (longitude < longitudeEnd);
  }
}

const SphereLayout& sphereLayout() {
  static const SphereLayout layout = [] {
    SphereLayout built{};
    buildSphereLayout(built);
    return built;
  }();
  return layout;
}
