#pragma once

// The platform's pointer and cursor, in screen (root window) coordinates.

// Reads the pointer's position on the screen; false when there is no pointer to read.
bool readPointer(int& x, int& y);

// Moves the pointer to a screen position.
void movePointer(int x, int y);

// Shows or hides the cursor over the window. Asking for the state it already has sends nothing.
void showCursor(bool visible);
