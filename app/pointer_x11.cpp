#include <GL/glut.h>
#include <X11/Xlib.h>

#include "pointer.h"

// The pointer is read and warped in root-window coordinates through a connection of our own:
// freeglut does not share its display connection.
static Display* pointerDisplay() {
  static Display* display = XOpenDisplay(nullptr);
  return display;
}

bool readPointer(int& x, int& y) {
  Display* display = pointerDisplay();
  if (display == nullptr) return false;
  Window root = 0;
  Window child = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned int buttons = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY,
                &buttons);
  return true;
}

void movePointer(int x, int y) {
  Display* display = pointerDisplay();
  if (display == nullptr) return;
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
  XFlush(display);
}

void showCursor(bool visible) {
  // The window starts with the cursor shown. Mouse look asks every tick, so only a change is sent.
  static bool shown = true;
  if (visible == shown) return;
  shown = visible;
  glutSetCursor(visible ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
}
