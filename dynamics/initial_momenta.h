#pragma once

#include "figure_state.h"

// p = H(q) qdot: each joint's momentum is the angular momentum about its axis of everything
// the joint carries. A planar model takes the planar path, sharing its velocity pass with the
// evaluation; any other model the general 6-D one.
void momentaFromRates(FigureState& momenta, const FigureState& angles, const FigureState& rates);
