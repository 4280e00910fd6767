// Picture upload into a real GL context (Mesa, in an Xvfb of the test's own).

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tga.h"
#include "tga_loader.h"
#include "x_session.h"

namespace {

class TgaUpload : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(startXSession(session));
    setenv("DISPLAY", displayName(session).c_str(), 1);
    int argc = 1;
    char name[] = "tga_upload_test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(64, 64);
    glutCreateWindow(name);
  }
  static void TearDownTestSuite() {
    glutExit();  // closes freeglut's connection before its server goes
    stopXSession(session);
  }
  static XSession session;
};
XSession TgaUpload::session;

// Writes a TGA whose pixel bytes count up from 1, and returns its path.
std::string writePicture(unsigned width, unsigned height, int depth) {
  const std::string path = ::testing::TempDir() + "upload_" + std::to_string(width) + "x" +
                           std::to_string(height) + "_" + std::to_string(depth) + ".tga";
  std::vector<std::uint8_t> pixels(std::size_t{width} * height * depth / 8);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = static_cast<std::uint8_t>(1 + i % 250);
  TgaHeader header;
  header.width = static_cast<std::uint16_t>(width);
  header.height = static_cast<std::uint16_t>(height);
  header.bitsPerPixel = static_cast<std::uint8_t>(depth);
  TgaBytes bytes;
  encodeTga(bytes, header, pixels.data());
  EXPECT_TRUE(writeTgaFile(path.c_str(), bytes)) << path;
  return path;
}

TEST_F(TgaUpload, TextureHoldsThePictureRowForRowWhateverTheRowLength) {
  // 3 x 3 at 24 bits has rows of 9 bytes: with GL's default 4-byte unpack alignment the second
  // row would be read from byte 12 and the last one past the end of the buffer.
  const struct {
    unsigned width, height;
    int depth;
  } cases[] = {{3, 3, 24}, {5, 2, 24}, {4, 4, 24}, {3, 3, 32}};
  for (const auto& c : cases) {
    TgaImage image;
    ASSERT_TRUE(loadTga(image, writePicture(c.width, c.height, c.depth).c_str()))
        << c.width << "x" << c.height;
    EXPECT_NE(image.textureName, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), image.textureName) << "left bound";

    const std::size_t bytes = c.width * c.height * c.depth / 8;
    std::vector<unsigned char> readBack(bytes + 16, 0xaa);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, c.depth == 32 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                  readBack.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (std::size_t i = 0; i < bytes; ++i)
      ASSERT_EQ(readBack[i], image.pixels[i])
          << c.width << "x" << c.height << "x" << c.depth << " byte " << i;

    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "unpack alignment restored";
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TgaUpload, MissingFileMakesNoTextureAndLeavesTheImageEmpty) {
  TgaImage image;
  EXPECT_FALSE(loadTga(image, "no-such-picture.tga"));
  EXPECT_EQ(image.width, 0u);
  EXPECT_EQ(image.height, 0u);
  EXPECT_EQ(image.textureName, 0u);
}

TEST_F(TgaUpload, RefusedDepthKeepsItsSizeButGetsNoTexture) {
  TgaImage image;
  EXPECT_FALSE(loadTga(image, writePicture(4, 2, 16).c_str()));
  EXPECT_EQ(image.width, 4u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(image.textureName, 0u);
}

}  // namespace
