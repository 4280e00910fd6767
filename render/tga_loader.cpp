#include "tga_loader.h"

#ifdef _WIN32
#include <windows.h>  // the Windows GL header needs its calling-convention macros
#endif
#include <GL/gl.h>

#include "tga.h"

// Creates the texture for a decoded picture and uploads level 0.
static void uploadTexture(TgaImage& image) {
  GLuint name = 0;
  glGenTextures(1, &name);
  image.textureName = name;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

  const GLenum format = image.bitsPerPixel == 32 ? GL_RGBA : GL_RGB;
  // Our rows are packed. With the default 4-byte unpack alignment GL would expect padded 24-bit
  // rows and read past the end of the buffer, so such pictures go up with alignment 1.
  const bool unpadded = (image.width * (image.bitsPerPixel / 8)) % 4 != 0;
  GLint alignment = 4;
  if (unpadded) {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  }
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), static_cast<GLsizei>(image.width),
               static_cast<GLsizei>(image.height), 0, format, GL_UNSIGNED_BYTE, image.pixels.get());
  if (unpadded) glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

bool loadTga(TgaImage& image, const char* fileName) {
  if (!decodeTgaFile(image, fileName)) return false;
  uploadTexture(image);
  return true;
}
