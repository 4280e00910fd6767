#pragma once

#include "figure_state.h"

// p = H(q) qdot: each joint's momentum is the angular momentum about its axis of everything
// the joint carries. Uses the shared body scratch and the model's momentum slots.
void momentaFromRates(FigureState& momenta, const FigureState& angles, const FigureState& rates);
