#pragma once

#include "sprites.h"

// File names of the sprite table, in table order: start-up loads them, the generator writes them.
constexpr const char* spriteFileNames[spriteCount] = {
    "torso.tga",         "rightUpperArm.tga", "rightLowerArm.tga", "rightHand.tga",
    "leftUpperArm.tga",  "leftLowerArm.tga",  "leftHand.tga",      "rightUpperLeg.tga",
    "rightLowerLeg.tga", "rightFoot.tga",     "leftUpperLeg.tga",  "leftLowerLeg.tga",
    "leftFoot.tga",      "head2.tga",
};
