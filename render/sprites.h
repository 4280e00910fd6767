#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One decoded picture. All fields are zero until a load fills them.
struct TgaImage {
  // width x height x bitsPerPixel/8 bytes, rows as stored, R G B (A)
  std::unique_ptr<std::uint8_t[]> pixels;
  std::int32_t bitsPerPixel = 0;  // 24 or 32
  std::uint32_t width = 0;        // pixels, 1 to 65535
  std::uint32_t height = 0;       // pixels, 1 to 65535
  std::uint32_t textureName = 0;  // OpenGL texture object; 0 when none was made
};

// One body-part picture: the file it comes from and the picture decoded from it.
struct BodySprite {
  std::string fileName;  // opened relative to the working directory
  TgaImage image;
};

// Sprite k (0 to 12) is drawn for JointId k; the last one is the head, which is not simulated.
constexpr int spriteCount = 14;
constexpr int headSprite = 13;

// The sprite table, empty at program load; start-up names and loads every entry.
extern BodySprite bodySprites[spriteCount];
