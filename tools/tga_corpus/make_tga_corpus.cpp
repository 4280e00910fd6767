// Writes pictures for the decoder's fuzzer and for the hostile-pictures test, all drawn by the
// project's own sprite code and then cut, stretched or corrupted in memory.
//
//   papercrowd-tga-corpus corpus DIR    valid pictures and every kind of broken one
//   papercrowd-tga-corpus hostile DIR   the fourteen sprite files, each broken differently

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sprite_art.h"
#include "sprite_names.h"
#include "tga.h"

using Bytes = TgaBytes;

static Bytes encode(const SpritePicture& picture) {
  Bytes bytes;
  encodeSpritePicture(bytes, picture);
  return bytes;
}

// A width x height piece of a sprite, starting at its middle, so that it holds paint and alpha.
static void crop(SpritePicture& piece, const SpritePicture& whole, int width, int height) {
  piece.width = width;
  piece.height = height;
  piece.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const int r = (whole.height / 2 + row) % whole.height;
      const int c = (whole.width / 2 + column) % whole.width;
      std::memcpy(&piece.rgba[(static_cast<std::size_t>(row) * width + column) * 4],
                  &whole.rgba[(static_cast<std::size_t>(r) * whole.width + c) * 4], 4);
    }
  }
}

// The picture at 24 bits, its alpha dropped.
static Bytes withoutAlpha(const SpritePicture& picture) {
  std::vector<std::uint8_t> rgb;
  for (std::size_t i = 0; i + 4 <= picture.rgba.size(); i += 4)
    rgb.insert(rgb.end(), &picture.rgba[i], &picture.rgba[i] + 3);
  TgaHeader header;
  header.width = static_cast<std::uint16_t>(picture.width);
  header.height = static_cast<std::uint16_t>(picture.height);
  header.bitsPerPixel = 24;
  Bytes bytes;
  encodeTga(bytes, header, rgb.data());
  return bytes;
}

static Bytes withByte(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes[at] = value;
  return bytes;
}

// The bytes with header fields changed by change(TgaHeader&); the bytes must hold a whole header.
template <typename Change>
static Bytes withHeader(Bytes bytes, Change change) {
  TgaHeader header;
  readTgaHeader(header, bytes.data());
  change(header);
  writeTgaHeader(bytes.data(), header);
  return bytes;
}

static Bytes cut(const Bytes& bytes, std::size_t length) {
  return Bytes(bytes.begin(),
               bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size())));
}

// A header declaring width x height x depth, followed by pixelBytes bytes of a sprite's pixels.
static Bytes declared(const Bytes& source, unsigned width, unsigned height, int depth,
                      std::size_t pixelBytes) {
  return withHeader(cut(source, tgaHeaderBytes + pixelBytes), [&](TgaHeader& header) {
    header.width = static_cast<std::uint16_t>(width);
    header.height = static_cast<std::uint16_t>(height);
    header.bitsPerPixel = static_cast<std::uint8_t>(depth);
  });
}

struct NamedBytes {
  std::string name;
  Bytes bytes;
};

// Valid pictures: every sprite as drawn, and small odd-sized pieces at both depths.
static void addValid(std::vector<NamedBytes>& out) {
  SpritePicture whole, piece;
  for (int k = 0; k < spriteCount; ++k) {
    drawSpritePicture(whole, k);
    out.push_back({std::string("valid-32-") + spriteFileNames[k], encode(whole)});
  }
  drawSpritePicture(whole, headSprite);
  const int sizes[][2] = {{1, 1}, {3, 2}, {5, 3}, {7, 7}, {8, 4}, {33, 9}, {64, 1}, {1, 64}};
  for (const auto& size : sizes) {
    crop(piece, whole, size[0], size[1]);
    const std::string tag = std::to_string(size[0]) + "x" + std::to_string(size[1]);
    out.push_back({"valid-32-" + tag + ".tga", encode(piece)});
    out.push_back({"valid-24-" + tag + ".tga", withoutAlpha(piece)});
  }
  // Accepted oddities: a top-left origin, a descriptor with every bit set, bytes after the pixels.
  crop(piece, whole, 5, 3);
  const Bytes bytes = encode(piece);
  out.push_back(
      {"valid-top-left.tga", withHeader(bytes, [](TgaHeader& h) { h.descriptor = 0x28; })});
  out.push_back(
      {"valid-descriptor-ff.tga", withHeader(bytes, [](TgaHeader& h) { h.descriptor = 0xff; })});
  Bytes footer = bytes;
  footer.insert(footer.end(), 26, 0xee);
  out.push_back({"valid-footer.tga", footer});
}

// Broken pictures, all derived from a small valid one.
static void addBroken(std::vector<NamedBytes>& out, const Bytes& small, const Bytes& large) {
  // Each byte of the fixed 12-byte prefix wrong in turn: image-ID length, colour-map type, image
  // type, the five colour-map bytes, X and Y origin.
  for (std::size_t at = 0; at < 12; ++at) {
    out.push_back(
        {"header-byte-" + std::to_string(at) + ".tga", withByte(small, at, at == 2 ? 3 : 1)});
  }
  for (std::uint8_t type : {0, 1, 3, 9, 10, 11, 255}) {
    out.push_back({"image-type-" + std::to_string(type) + ".tga",
                   withHeader(small, [&](TgaHeader& h) { h.imageType = type; })});
  }
  for (std::uint8_t depth : {0, 1, 8, 15, 16, 23, 25, 31, 33, 48, 64, 255}) {
    out.push_back({"depth-" + std::to_string(depth) + ".tga",
                   withHeader(small, [&](TgaHeader& h) { h.bitsPerPixel = depth; })});
  }
  out.push_back({"width-0.tga", declared(small, 0, 3, 32, 60)});
  out.push_back({"height-0.tga", declared(small, 5, 0, 24, 60)});
  out.push_back({"both-0.tga", declared(small, 0, 0, 32, 60)});

  // Cut short: in the fixed prefix, in the size and depth bytes, at and inside the pixel area.
  for (std::size_t length : {0, 1, 11, 12, 13, 17, 18, 19}) {
    out.push_back({"cut-" + std::to_string(length) + ".tga", cut(small, length)});
  }
  out.push_back({"cut-one-pixel-byte.tga", cut(small, small.size() - 1)});
  out.push_back(
      {"cut-half-sprite.tga", cut(large, tgaHeaderBytes + (large.size() - tgaHeaderBytes) / 2)});

  // Declared sizes far beyond the bytes that follow, some whose byte count wraps in 32 bits.
  struct Huge {
    unsigned width, height;
    int depth;
  };
  const Huge huge[] = {{65535, 65535, 32}, {65535, 65535, 24}, {32768, 32768, 32},
                       {23170, 23170, 32}, {46341, 46341, 24}, {65535, 1, 24},
                       {1, 65535, 32},     {21846, 32768, 24}};
  for (const Huge& h : huge) {
    out.push_back({"huge-" + std::to_string(h.width) + "x" + std::to_string(h.height) + "-" +
                       std::to_string(h.depth) + ".tga",
                   declared(large, h.width, h.height, h.depth, 64)});
  }

  // Odd 24-bit widths whose rows are not padded to four bytes, whole and one byte short.
  for (unsigned width : {1u, 3u, 5u, 7u, 333u}) {
    const std::size_t pixelBytes = std::size_t{width} * 2 * 3;
    const Bytes whole = declared(large, width, 2, 24, pixelBytes);
    out.push_back({"odd-24-" + std::to_string(width) + ".tga", whole});
    out.push_back({"odd-24-" + std::to_string(width) + "-short.tga", cut(whole, whole.size() - 1)});
  }
}

// The fourteen sprite files, each broken in a different way, except for one odd-width 24-bit
// picture that loads: the demo must start, print its count and draw what it can.
static void addHostile(std::vector<NamedBytes>& out) {
  SpritePicture whole, piece;
  drawSpritePicture(whole, 1);
  const Bytes arm = encode(whole);
  drawSpritePicture(whole, 11);
  // One column less: 223 pixels, rows of 669 bytes at 24 bits.
  piece.width = whole.width - 1;
  piece.height = whole.height;
  piece.rgba.clear();
  for (int row = 0; row < whole.height; ++row) {
    const auto first = whole.rgba.begin() + static_cast<std::ptrdiff_t>(row) * whole.width * 4;
    piece.rgba.insert(piece.rgba.end(), first, first + piece.width * 4);
  }

  // In table order: torso, right arm (upper, lower, hand), left arm, right leg (upper, lower,
  // foot), left leg, head.
  const Bytes cases[spriteCount] = {
      declared(arm, 65535, 65535, 32, 64),  // declares 16 GiB, gives 64 bytes
      cut(arm, tgaHeaderBytes + (arm.size() - tgaHeaderBytes) / 2),  // half its pixels
      withHeader(arm, [](TgaHeader& h) { h.idLength = 5; }),
      withHeader(arm, [](TgaHeader& h) { h.colourMapType = 1; }),
      withHeader(arm, [](TgaHeader& h) { h.imageType = 10; }),  // run-length encoded
      withHeader(arm, [](TgaHeader& h) { h.colourMapLength = 16; }),
      withHeader(arm, [](TgaHeader& h) { h.xOrigin = 7; }),
      withHeader(arm, [](TgaHeader& h) { h.yOrigin = 256; }),
      declared(arm, 0, 64, 32, 64),  // width 0
      declared(arm, 96, 0, 32, 64),  // height 0
      withHeader(arm, [](TgaHeader& h) { h.bitsPerPixel = 16; }),
      withoutAlpha(piece),  // odd width at 24 bits: loads
      Bytes(),              // empty
      cut(arm, 17),         // header cut short
  };
  for (int k = 0; k < spriteCount; ++k) out.push_back({spriteFileNames[k], cases[k]});
}

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "corpus") != 0 && std::strcmp(argv[1], "hostile") != 0)) {
    std::fprintf(stderr, "usage: %s corpus|hostile DIR\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[2];
  std::vector<NamedBytes> files;
  if (std::strcmp(argv[1], "hostile") == 0) {
    addHostile(files);
  } else {
    addValid(files);
    Bytes small, large;
    for (const NamedBytes& f : files) {
      if (f.name == "valid-32-5x3.tga") small = f.bytes;
      if (f.name == std::string("valid-32-") + spriteFileNames[1]) large = f.bytes;
    }
    addBroken(files, small, large);
  }
  for (const NamedBytes& f : files) {
    if (!writeTgaFile((folder + "/" + f.name).c_str(), f.bytes)) {
      std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), f.name.c_str());
      return 1;
    }
  }
  return 0;
}
