#include "cursor_state.h"

bool changeCursor(CursorState& state, bool visible) {
  if (visible == state.shown) return false;
  state.shown = visible;
  return true;
}
