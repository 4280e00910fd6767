#include "cursor_state.h"

bool changeCursor(CursorState& state, bool visible) {
  if (visible == state.shown) return false;
  state.shown = visible;
  return true;
}

void driveDisplayCounter(bool visible, int (*showCall)(bool show)) {
  if (visible) {
    while (showCall(true) < 0) {
    }
  } else {
    while (showCall(false) >= 0) {
    }
  }
}
