#pragma once

// The drawn figure, GL-free: where each sprite hangs from its parent, where the head sits, and
// the units of the scene. The renderer poses the sprites with it, the sprite generator draws the
// pictures to fit it, and the tests check both against it.

#include "joint_id.h"

constexpr double degreesPerRadian = 57.29577951308232;  // 180 / pi
constexpr int pixelsPerUnit = 128;                      // picture pixels per scene unit
constexpr float sphereRadius = 40;                      // scene units; the figures lie on it

// A point in the plane of a figure (scene units, single precision as handed to OpenGL).
struct PlanePoint {
  float x;
  float y;
};

// Where the limb of the same index in the limb table hangs: the shoulder or hip in the torso
// frame, the elbow or knee in the upper joint's frame.
struct LimbPlacement {
  PlanePoint root;
  PlanePoint middle;
};

// Right arm, left arm, right leg, left leg, as in the limb table. The arms hang from the top of
// the torso, the legs from its far end; the right side is at negative torso y.
constexpr LimbPlacement limbPlacements[limbCount] = {
    {{0.2f, -0.7f}, {1.7f, -0.1f}},
    {{0.2f, 0.7f}, {1.7f, 0.1f}},
    {{3.5f, -0.4f}, {1.6f, 0}},
    {{3.5f, 0.4f}, {1.6f, 0}},
};

// The hand or foot, in the lower joint's frame.
constexpr PlanePoint handOrFootOffset = {1.6f, 0};

// The head hangs from the figure's base frame, not from the torso: turned by headTurn degrees
// plus its swing, then moved by headOffset in the turned frame.
constexpr float headTurn = -90;
constexpr PlanePoint headOffset = {-1.8f, -0.2f};
