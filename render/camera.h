#pragma once

// The one viewer. Eye position in scene units; angles in radians, single precision.
// View direction d = (sin yaw cos pitch, -sin pitch, cos yaw cos pitch); positive pitch looks down.
struct Camera {
  double x;
  double y;
  double z;
  float yaw;
  float pitch;
};

extern Camera camera;
