#pragma once

#include <cstdint>
#include <cstdio>

#include "sprites.h"

// Largest pixel area accepted, in bytes. Anything bigger is far beyond a body-part picture, and its
// byte count would not fit the 32-bit signed sizes that OpenGL and older readers use.
constexpr std::uint64_t maxTgaBytes = 0x7fffffffu;

// Decodes one uncompressed true-colour TGA (type 2, 24 or 32 bits, no image ID, no colour map,
// zero origin) from an open stream into image, pixels turned from B G R (A) into R G B (A).
// Returns false on any refusal; what image then holds depends on how far decoding got:
// width and height are stored as soon as they are read, bitsPerPixel once it is accepted,
// pixels only on success. Never reads past the pixel area and never closes the stream.
bool decodeTga(TgaImage& image, std::FILE* file);
