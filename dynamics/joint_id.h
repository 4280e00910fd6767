#pragma once

// The thirteen simulated joints and bodies of a figure, in this order everywhere.
// Every parent has a smaller id than its children.
enum JointId : int {
  Torso = 0,
  RightUpperArm = 1,
  RightLowerArm = 2,
  RightHand = 3,
  LeftUpperArm = 4,
  LeftLowerArm = 5,
  LeftHand = 6,
  RightUpperLeg = 7,
  RightLowerLeg = 8,
  RightFoot = 9,
  LeftUpperLeg = 10,
  LeftLowerLeg = 11,
  LeftFoot = 12,
};

constexpr int jointCount = 13;
