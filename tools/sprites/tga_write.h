#pragma once

#include "sprite_art.h"

// Writes a picture as an uncompressed 32-bit true-colour TGA: the 18-byte header with no image ID,
// no colour map and zero origin fields, then the rows as stored, each pixel B G R A.
bool writeTga(const char* path, const SpritePicture& picture);
