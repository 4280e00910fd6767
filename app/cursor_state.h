#pragma once

// Whether the cursor is shown, as last asked of the platform. The window starts with it shown.
// Mouse look asks for a state on every tick; the platform is asked only when the state changes,
// because Windows' ShowCursor counts: a hide on every tick would sink its display counter by one
// per tick, and the cursor would stay hidden for as many ticks after mouse look is switched off.
struct CursorState {
  bool shown = true;
};

// Records the wanted state; true when it differs from the recorded one and the platform must be
// asked.
bool changeCursor(CursorState& state, bool visible);

// Brings a display counter to the wanted state: the cursor shows while the counter is not
// negative. showCall raises (true) or lowers (false) it by one and returns the new count, as
// Windows' ShowCursor does. The counter need not start at 0: freeglut raises it once when it
// creates the window, so a single lowering would leave the cursor shown.
void driveDisplayCounter(bool visible, int (*showCall)(bool show));
