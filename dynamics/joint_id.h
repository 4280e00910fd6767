#pragma once

// The thirteen simulated joints and bodies of a figure, in this order everywhere: the Torso,
// then each limb's three joints from the torso outwards. Every parent has a smaller id than its
// children.
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

// One arm or leg, from the torso outwards: the upper joint hangs from the Torso, the lower from
// the upper, the end (hand or foot) from the lower.
struct Limb {
  JointId upper;
  JointId lower;
  JointId end;
};

constexpr int limbCount = 4;

// The figure's tree, written once: the Torso's four children in the order that fixes its sums.
// The inward order of the dynamics, the model's parents and the drawn chains all come from it.
constexpr Limb limbs[limbCount] = {
    {RightUpperArm, RightLowerArm, RightHand},
    {LeftUpperArm, LeftLowerArm, LeftHand},
    {RightUpperLeg, RightLowerLeg, RightFoot},
    {LeftUpperLeg, LeftLowerLeg, LeftFoot},
};
