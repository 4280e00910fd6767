#pragma once

#include "joint_id.h"

// The JointId names as written in code, for tools that print a joint.
constexpr const char* jointNames[jointCount] = {
    "Torso",        "RightUpperArm", "RightLowerArm", "RightHand",     "LeftUpperArm",
    "LeftLowerArm", "LeftHand",      "RightUpperLeg", "RightLowerLeg", "RightFoot",
    "LeftUpperLeg", "LeftLowerLeg",  "LeftFoot"};
