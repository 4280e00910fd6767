#pragma once

// The picture format: uncompressed true-colour TGA, written and read here and nowhere else.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sprites.h"

using TgaBytes = std::vector<std::uint8_t>;

constexpr std::size_t tgaHeaderBytes = 18;

// Largest pixel area accepted, in bytes. Anything bigger is far beyond a body-part picture, and its
// byte count would not fit the 32-bit signed sizes that OpenGL and older readers use.
constexpr std::uint64_t maxTgaBytes = 0x7fffffffu;

// The 18-byte header, field by field in file order; two-byte fields are little-endian in the file.
// The defaults are those of an uncompressed true-colour picture with its origin fields zero.
struct TgaHeader {
  std::uint8_t idLength = 0;          // bytes of image ID between header and pixels
  std::uint8_t colourMapType = 0;     // 1: a colour map follows
  std::uint8_t imageType = 2;         // 2: uncompressed true colour; 10 run-length, 3 grey
  std::uint16_t colourMapFirst = 0;   // colour-map fields: first entry,
  std::uint16_t colourMapLength = 0;  // entry count
  std::uint8_t colourMapDepth = 0;    // and bits per entry
  std::uint16_t xOrigin = 0;
  std::uint16_t yOrigin = 0;
  std::uint16_t width = 0;  // pixels
  std::uint16_t height = 0;
  std::uint8_t bitsPerPixel = 32;
  std::uint8_t descriptor = 0;  // bits 0-3: alpha bits per pixel; bit 5: first row at the top
};

// The header's 18 bytes, as stored in the file.
void writeTgaHeader(std::uint8_t out[tgaHeaderBytes], const TgaHeader& header);
void readTgaHeader(TgaHeader& out, const std::uint8_t bytes[tgaHeaderBytes]);

// A whole file: the header, then width x height pixels given as R G B (A), 3 or 4 bytes each as
// header.bitsPerPixel says, rows in stored order; each pixel is stored as B G R (A). Pixels of
// other whole-byte depths, which the decoder refuses, are stored as given.
void encodeTga(TgaBytes& out, const TgaHeader& header, const std::uint8_t* pixels);

// Decodes one uncompressed true-colour TGA (type 2, 24 or 32 bits, no image ID, no colour map,
// zero origin) into image, pixels turned from B G R (A) into R G B (A); bytes after the pixel area
// are ignored. Returns false on any refusal; what image then holds depends on how far decoding got:
// width and height are stored once the fixed header fields are accepted, bitsPerPixel once it is
// accepted, pixels only on success. Never reads past the end of the input.
bool decodeTga(TgaImage& image, const std::uint8_t* bytes, std::size_t size);

// The same, from the named file, which is closed again on every path.
bool decodeTgaFile(TgaImage& image, const char* path);

// Writes bytes (a picture or a broken one) to the named file; false if any of it failed.
bool writeTgaFile(const char* path, const TgaBytes& bytes);
