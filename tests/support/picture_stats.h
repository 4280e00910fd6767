#pragma once

// Statistics of the window's coloured (not white) pixels, robust to the crowd's motion, and where
// a scene point lands in the 400 x 400 window for a given camera.

#include "x_session.h"

// The cleared background: white, give or take the last bits of a channel.
bool isWhite(const std::uint8_t* rgb);

// Pixels that are not the white background in the box from (x0, y0) to (x1, y1), edges
// included, clipped to the picture.
int colouredIn(const Screenshot& shot, int x0, int y0, int x1, int y1);

// HSV saturation, 0 for grey: how much colour the fog has left.
double saturation(const std::uint8_t* rgb);

struct Footprint {
  int coloured = 0;    // pixels that are not the white background
  double centreX = 0;  // their centroid, in pixels
  double centreY = 0;
  double spread = 0;          // root-mean-square distance from the centroid
  double meanRadius = 0;      // mean distance from the disc's centre (see footprintIn)
  double meanSaturation = 0;  // mean saturation of the coloured pixels
};

// Over the whole window.
Footprint footprint(const Screenshot& shot);

// Over the pixels whose distance from (x, y) lies in [innerRadius, radius); the whole window when
// radius is 0.
Footprint footprintIn(const Screenshot& shot, double x, double y, double radius,
                      double innerRadius = 0);

// The footprints of several frames averaged, frames taken waitMs apart; false if a grab failed.
bool averageFootprint(Footprint& average, const XSession& session, Window window, int frames,
                      int waitMs, double x = 0, double y = 0, double radius = 0);

// The camera as the program keeps it: eye position, yaw and pitch in radians.
struct CameraPose {
  double x = 0, y = 0, z = 100;
  double yaw = 3.14159274101257324;  // pi rounded to single precision
  double pitch = 0;
};

// Pixel column and row of a scene point in the 400 x 400 window: 60 degree vertical field of
// view, up (0, 1, 0). False when the point lies behind the eye.
bool projectPoint(double& column, double& row, const CameraPose& camera, double x, double y,
                  double z);

// The middle of the window-space outline of a sphere about the origin, axis by axis: halfway
// between the outline's left and right (top and bottom) edges. Off the view axis that lies further
// out than the centre's own projection. False when the sphere is not wholly in front of the eye.
bool sphereOutlineCentre(double& column, double& row, const CameraPose& camera, double radius);
