#pragma once

#include "joint_id.h"

// One value per joint, indexed by JointId: angles (rad), momenta or rates (rad/s).
struct FigureState {
  double values[jointCount];

  double& operator[](int joint) { return values[joint]; }
  const double& operator[](int joint) const { return values[joint]; }
};
