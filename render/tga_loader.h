#pragma once

#include "sprites.h"

// Reads the named TGA file into image and uploads it as a new texture, left bound to GL_TEXTURE_2D.
// Returns false on any failure (see decodeTga in tga.h for what image then holds); no texture is
// made then. An OpenGL context must be current.
bool loadTga(TgaImage& image, const char* fileName);
