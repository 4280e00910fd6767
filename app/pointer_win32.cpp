#include <windows.h>

#include "cursor_state.h"
#include "pointer.h"

// The pointer is read and set in desktop coordinates, whichever window has the focus.

bool readPointer(int& x, int& y) {
  POINT point;
  if (!GetCursorPos(&point)) return false;
  x = point.x;
  y = point.y;
  return true;
}

void movePointer(int x, int y) { SetCursorPos(x, y); }

static int countedShow(bool show) { return ShowCursor(show ? TRUE : FALSE); }

void showCursor(bool visible) {
  // ShowCursor raises or lowers a display counter; the cursor shows while it is not negative.
  // Driven only on a change, the counter rests at 0 (shown) or -1 (hidden).
  static CursorState cursor;
  if (!changeCursor(cursor, visible)) return;
  driveDisplayCounter(visible, countedShow);
}
