#pragma once

#include <cstdint>

// Ticks completed since start; 64 bits, so it cannot wrap in any real run.
extern std::uint64_t tickCount;
// A redraw is requested on every redrawDivisor-th tick; never below 1.
extern std::int32_t redrawDivisor;

// GLUT idle callback: steps the whole crowd, paces redraws, then runs the mouse-look step.
void idleTick();
