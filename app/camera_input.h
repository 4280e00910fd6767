#pragma once

// -1: mouse look on; any other value: off. Toggled by negation.
extern int mouseLook;

// GLUT special-key callback: camera moves, drive modes, mouse-look switch, quit.
void onSpecialKey(int key, int x, int y);

// GLUT reshape callback: stores the aspect ratio and sets the viewport.
void reshapeWindow(int width, int height);

// Turns the camera by the pointer's displacement from the recentring point; run every tick.
void updateMouseLook();
