#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include "cursor_state.h"
#include "pointer.h"

// The pointer is read and warped in root-window coordinates on the display GLUT opened (its
// -display option, else DISPLAY): the connection that holds the current GL context. Every call
// comes from a GLUT callback, after the window and its context exist.
static Display* pointerDisplay() { return glXGetCurrentDisplay(); }

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
  static CursorState cursor;
  if (!changeCursor(cursor, visible)) return;
  glutSetCursor(visible ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
}
