#pragma once

#include "figure_drawing.h"
#include "sprites.h"

// Program-wide scene state, never reset.
extern float aspectRatio;    // window width / height, used by the projection
extern double spinAngle;     // ring-rotation accumulator; +0.05 per ring drawn
extern float headTilt;       // degrees, swing of the head sprite
extern float headTiltSpeed;  // signed swing rate; flips at the swing limits

// GLUT display callback: one frame of the 96 figures on the sphere, then a buffer swap.
void drawScene();

// Draws one sprite as a textured quad in the current modelview frame, which it leaves unchanged.
void drawSprite(const BodySprite& sprite);
