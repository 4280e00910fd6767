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
#include "tga_write.h"

using Bytes = std::vector<std::uint8_t>;

static constexpr std::size_t headerBytes = 18;

static bool readFile(Bytes& bytes, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  std::uint8_t chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  return true;
}

static bool writeFile(const std::string& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// The file the sprite writer makes for picture, read back as bytes (the writer only writes files).
static bool encode(Bytes& bytes, const SpritePicture& picture, const std::string& scratchPath) {
  const bool ok = writeTga(scratchPath.c_str(), picture) && readFile(bytes, scratchPath);
  std::remove(scratchPath.c_str());
  return ok;
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

// The same picture at 24 bits: B G R A becomes B G R and the depth byte says 24.
static Bytes withoutAlpha(const Bytes& bgra) {
  Bytes bgr(bgra.begin(), bgra.begin() + headerBytes);
  bgr[16] = 24;
  bgr[17] = 0;
  for (std::size_t i = headerBytes; i + 4 <= bgra.size(); i += 4)
    bgr.insert(bgr.end(), &bgra[i], &bgra[i] + 3);
  return bgr;
}

static Bytes withByte(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes[at] = value;
  return bytes;
}

static Bytes cut(const Bytes& bytes, std::size_t length) {
  return Bytes(bytes.begin(),
               bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size())));
}

// A header declaring width x height x depth, followed by pixelBytes bytes of a sprite's pixels.
static Bytes declared(const Bytes& source, unsigned width, unsigned height, int depth,
                      std::size_t pixelBytes) {
  Bytes bytes = cut(source, headerBytes + pixelBytes);
  bytes[12] = static_cast<std::uint8_t>(width & 0xff);
  bytes[13] = static_cast<std::uint8_t>(width >> 8);
  bytes[14] = static_cast<std::uint8_t>(height & 0xff);
  bytes[15] = static_cast<std::uint8_t>(height >> 8);
  bytes[16] = static_cast<std::uint8_t>(depth);
  return bytes;
}

struct NamedBytes {
  std::string name;
  Bytes bytes;
};

// Valid pictures: every sprite as drawn, and small odd-sized pieces at both depths.
static bool addValid(std::vector<NamedBytes>& out, const std::string& scratch) {
  SpritePicture whole, piece;
  Bytes bytes;
  for (int k = 0; k < spriteCount; ++k) {
    drawSpritePicture(whole, k);
    if (!encode(bytes, whole, scratch)) return false;
    out.push_back({std::string("valid-32-") + spriteFileNames[k], bytes});
  }
  drawSpritePicture(whole, headSprite);
  const int sizes[][2] = {{1, 1}, {3, 2}, {5, 3}, {7, 7}, {8, 4}, {33, 9}, {64, 1}, {1, 64}};
  for (const auto& size : sizes) {
    crop(piece, whole, size[0], size[1]);
    if (!encode(bytes, piece, scratch)) return false;
    const std::string tag = std::to_string(size[0]) + "x" + std::to_string(size[1]);
    out.push_back({"valid-32-" + tag + ".tga", bytes});
    out.push_back({"valid-24-" + tag + ".tga", withoutAlpha(bytes)});
  }
  // Accepted oddities: a top-left origin, a descriptor with every bit set, bytes after the pixels.
  crop(piece, whole, 5, 3);
  if (!encode(bytes, piece, scratch)) return false;
  out.push_back({"valid-top-left.tga", withByte(bytes, 17, 0x28)});
  out.push_back({"valid-descriptor-ff.tga", withByte(bytes, 17, 0xff)});
  Bytes footer = bytes;
  footer.insert(footer.end(), 26, 0xee);
  out.push_back({"valid-footer.tga", footer});
  return true;
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
    out.push_back({"image-type-" + std::to_string(type) + ".tga", withByte(small, 2, type)});
  }
  for (std::uint8_t depth : {0, 1, 8, 15, 16, 23, 25, 31, 33, 48, 64, 255}) {
    out.push_back({"depth-" + std::to_string(depth) + ".tga", withByte(small, 16, depth)});
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
      {"cut-half-sprite.tga", cut(large, headerBytes + (large.size() - headerBytes) / 2)});

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
static bool addHostile(std::vector<NamedBytes>& out, const std::string& scratch) {
  SpritePicture whole, piece;
  Bytes arm, leg;
  drawSpritePicture(whole, 1);
  if (!encode(arm, whole, scratch)) return false;
  drawSpritePicture(whole, 11);
  // One column less: 223 pixels, rows of 669 bytes at 24 bits.
  piece.width = whole.width - 1;
  piece.height = whole.height;
  piece.rgba.clear();
  for (int row = 0; row < whole.height; ++row) {
    const auto first = whole.rgba.begin() + static_cast<std::ptrdiff_t>(row) * whole.width * 4;
    piece.rgba.insert(piece.rgba.end(), first, first + piece.width * 4);
  }
  if (!encode(leg, piece, scratch)) return false;

  // In table order: torso, right arm (upper, lower, hand), left arm, right leg (upper, lower,
  // foot), left leg, head.
  const Bytes cases[spriteCount] = {
      declared(arm, 65535, 65535, 32, 64),                     // declares 16 GiB, gives 64 bytes
      cut(arm, headerBytes + (arm.size() - headerBytes) / 2),  // half its pixels
      withByte(arm, 0, 5),                                     // an image ID
      withByte(arm, 1, 1),                                     // a colour map
      withByte(arm, 2, 10),                                    // run-length encoded
      withByte(arm, 5, 16),                                    // colour-map length
      withByte(arm, 8, 7),                                     // X origin
      withByte(arm, 11, 1),                                    // Y origin
      declared(arm, 0, 64, 32, 64),                            // width 0
      declared(arm, 96, 0, 32, 64),                            // height 0
      withByte(arm, 16, 16),                                   // 16 bits per pixel
      withoutAlpha(leg),                                       // odd width at 24 bits: loads
      Bytes(),                                                 // empty
      cut(arm, 17),                                            // header cut short
  };
  for (int k = 0; k < spriteCount; ++k) out.push_back({spriteFileNames[k], cases[k]});
  return true;
}

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "corpus") != 0 && std::strcmp(argv[1], "hostile") != 0)) {
    std::fprintf(stderr, "usage: %s corpus|hostile DIR\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[2];
  const std::string scratch = folder + "/.drawing.tga";
  std::vector<NamedBytes> files;
  bool ok;
  if (std::strcmp(argv[1], "hostile") == 0) {
    ok = addHostile(files, scratch);
  } else {
    ok = addValid(files, scratch);
    if (ok) {
      Bytes small, large;
      for (const NamedBytes& f : files) {
        if (f.name == "valid-32-5x3.tga") small = f.bytes;
        if (f.name == std::string("valid-32-") + spriteFileNames[1]) large = f.bytes;
      }
      addBroken(files, small, large);
    }
  }
  if (!ok) {
    std::fprintf(stderr, "cannot draw the pictures in %s\n", folder.c_str());
    return 1;
  }
  for (const NamedBytes& f : files) {
    if (!writeFile(folder + "/" + f.name, f.bytes)) {
      std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), f.name.c_str());
      return 1;
    }
  }
  return 0;
}
