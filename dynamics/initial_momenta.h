#pragma once

#include "figure_state.h"

// p = H(q) qdot: each joint's momentum is the angular momentum about its axis of everything
// the joint carries. Runs the planar path's velocity pass, so only for a model that isPlanarModel
// accepts (the figure's model is).
void momentaFromRates(FigureState& momenta, const FigureState& angles, const FigureState& rates);
