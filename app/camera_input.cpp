#include "camera_input.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "camera.h"
#include "crowd_renderer.h"
#include "joint_drives.h"
#include "pointer.h"

int mouseLook = 1;

// The fixed desktop point the pointer is pulled back to while mouse look is on.
static constexpr int recentreX = 200;
static constexpr int recentreY = 200;
// Radians of turn per pixel of pointer displacement.
static constexpr double radiansPerPixel = 0.005;

// Moves the eye by `units` along the full view direction d, pitch included.
static void moveAlongView(double units) {
  const double yaw = camera.yaw;
  const double pitch = camera.pitch;
  camera.x += units * (std::sin(yaw) * std::cos(pitch));
  camera.y -= units * std::sin(pitch);
  camera.z += units * (std::cos(yaw) * std::cos(pitch));
}

// Moves the eye by `units` along the horizontal left direction l = (cos yaw, 0, -sin yaw).
static void moveSideways(double units) {
  const double yaw = camera.yaw;
  camera.x += units * std::cos(yaw);
  camera.z -= units * std::sin(yaw);
}

void onSpecialKey(int key, int /*x*/, int /*y*/) {
  switch (key) {
    case GLUT_KEY_F4:
      std::cout.flush();
      std::exit(0);
    case GLUT_KEY_F8:
      limbDriveMode = 1;
      torsoDriveMode = 0;
      break;
    case GLUT_KEY_F9:
      limbDriveMode = 0;
      torsoDriveMode = 0;
      break;
    case GLUT_KEY_F10:
      torsoDriveMode = -1;
      break;
    case GLUT_KEY_F11:
      torsoDriveMode = 1;
      break;
    case GLUT_KEY_UP:
      moveAlongView(1.0);
      break;
    case GLUT_KEY_DOWN:
      moveAlongView(-1.0);
      break;
    case GLUT_KEY_LEFT:
      moveSideways(1.0);
      break;
    case GLUT_KEY_RIGHT:
      moveSideways(-1.0);
      break;
    case GLUT_KEY_INSERT:
      mouseLook = -mouseLook;
      movePointer(recentreX, recentreY);
      break;
    default:
      break;
  }
}

void reshapeWindow(int width, int height) {
  // A window shrunk to nothing reports a zero side; counting it as 1 keeps the projection finite.
  const int safeWidth = width > 0 ? width : 1;
  const int safeHeight = height > 0 ? height : 1;
  aspectRatio =
      static_cast<float>(static_cast<double>(safeWidth) / static_cast<double>(safeHeight));
  glViewport(0, 0, width, height);
}

void updateMouseLook() {
  if (mouseLook != -1) {
    showCursor(true);
    return;
  }
  showCursor(false);

  int px = 0;
  int py = 0;
  if (!readPointer(px, py)) return;
  const int dx = px - recentreX;
  const int dy = py - recentreY;
  // Dead zone: a pixel of jitter either way neither turns the view nor moves the pointer.
  if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return;

  // Pointer right turns the view right; pointer down tilts it down.
  camera.yaw = static_cast<float>(camera.yaw - dx * radiansPerPixel);
  camera.pitch = static_cast<float>(camera.pitch + dy * radiansPerPixel);
  movePointer(recentreX, recentreY);
}
