#pragma once

// Where the figures stand: rings of latitude over a sphere, each ring filled with figures at a
// longitude step that widens towards the poles. The start-up count and the renderer both use it.

constexpr int maxRings = 16;
constexpr int maxSpherePositions = 128;

// One ring of latitude: figureCount figures, with record indices from firstFigure on.
struct SphereRing {
  double latitude;       // rad from the top of the sphere (0 to pi)
  double longitudeStep;  // rad between neighbours; infinite at latitude 0
  int firstFigure;
  int figureCount;
};

struct SphereLayout {
  int ringCount;
  int positionCount;
  SphereRing rings[maxRings];
  double longitudes[maxSpherePositions];  // rad, by record index
};

// Fills layout: latitudes 0, 0.28125, ... below 3.1415; in each ring one figure at longitude 0,
// then one more per step of (8 / sin latitude) * 0.0625 while the longitude stays below 6.283.
void buildSphereLayout(SphereLayout& layout);

// The layout, built once on first use.
const SphereLayout& sphereLayout();
