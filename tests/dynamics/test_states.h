#pragma once

// Figure states shared by the dynamics tests: rest, start-up, and pseudo-random states with
// angles from small to many turns and momenta of several sizes.

#include <vector>

#include "figure_state.h"

struct TestState {
  FigureState p;
  FigureState q;
};

// A fixed list, the same on every run.
std::vector<TestState> makeTestStates();
