// Writes plain stand-in pictures for the world's three background tiles
// (PCT 146 to 148, 240 x 320): soft bands of green and blue, so that the
// program shows a scrolling world before the drawn art is there.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/pct_encoder.h"

namespace {

std::uint16_t Rgb(unsigned r, unsigned g, unsigned b) {
  return static_cast<std::uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

bool WriteTile(const std::string& dir, int id, int shade) {
  std::vector<std::uint16_t> pixels(240 * 320);
  for (int y = 0; y < 320; ++y) {
    for (int x = 0; x < 240; ++x) {
      // Water on the right of the frame buffer (the player's bottom), sky left.
      unsigned band = static_cast<unsigned>((y / 40 + shade) % 2);
      pixels[y * 240 + x] =
          x > 150 ? Rgb(40, 90 + band * 10, 150 + x / 4) : Rgb(110 + x / 3, 170 + band * 8, 220);
    }
  }
  std::vector<std::uint8_t> pct = EncodePctPixels(pixels.data(), pixels.size());
  std::string path = dir + "/" + std::to_string(id) + ".pct";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(pct.data(), 1, pct.size(), f) == pct.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  std::string dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  for (int id = 146; id <= 148; ++id) {
    if (!WriteTile(dir, id, id)) {
      std::fprintf(stderr, "cannot write %s/%d.pct\n", dir.c_str(), id);
      return 1;
    }
  }
  return 0;
}
