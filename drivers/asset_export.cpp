#include "drivers/asset_export.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "assets/manifest.h"
#include "graphics/pct_decoder.h"
#include "platform/output_file.h"
#include "platform/png_writer.h"
#include "platform/resources.h"

namespace drivers {

namespace {

namespace fs = std::filesystem;

struct Bytes {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

Bytes Resource(const char16_t* type, int id) {
  ce::HRSRC found = ce::FindResourceW(nullptr, ce::MAKEINTRESOURCEW(id), type);
  if (!found) return {};
  return {static_cast<const std::uint8_t*>(ce::LockResource(ce::LoadResource(nullptr, found))),
          ce::SizeofResource(nullptr, found)};
}

bool IsPicture(const assets::ManifestEntry& e) { return std::strcmp(e.kind, "pct") == 0; }

// The picture's pixels at its manifest size (black where it is missing).
std::vector<std::uint16_t> Decode(const assets::ManifestEntry& e) {
  std::vector<std::uint16_t> pixels(static_cast<std::size_t>(e.width) * e.height, 0);
  Bytes r = Resource(u"PCT", e.id);
  if (r.data)
    DecodePctData(r.data, r.size, reinterpret_cast<std::uint8_t*>(pixels.data()),
                  pixels.size() * 2);
  return pixels;
}

// A 3 x 5 pixel figure for each digit, one row of three bits per entry.
constexpr std::uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

class Sheet {
 public:
  Sheet(int width, int height) : width_(width), height_(height), rgb_(width * height * 3, 0) {
    for (int i = 0; i < width * height; ++i) Put(i % width, i / width, 0x3A, 0x3F, 0x48);
  }

  void Put(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
  }

  // The number in 3 x 5 figures, each pixel `scale` wide.
  void Number(int value, int x, int y, int scale) {
    std::string text = std::to_string(value);
    for (char ch : text) {
      const std::uint8_t* figure = kDigits[ch - '0'];
      for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col)
          if (figure[row] & (4 >> col))
            for (int dy = 0; dy < scale; ++dy)
              for (int dx = 0; dx < scale; ++dx)
                Put(x + col * scale + dx, y + row * scale + dy, 0xF0, 0xEC, 0xE0);
      x += 4 * scale;
    }
  }

  // False, with the system's reason in *error, when it cannot be written.
  bool Save(const std::string& file, std::string* error) const {
    const std::vector<std::uint8_t> png = ce::EncodePng(width_, height_, rgb_);
    return ce::WriteFileReplacing(file, png.data(), png.size(), error);
  }

 private:
  int width_, height_;
  std::vector<std::uint8_t> rgb_;
};

}  // namespace

int ExtractResources(const std::string& dir) {
  std::error_code error;
  fs::create_directories(fs::path(dir) / "pct", error);
  fs::create_directories(fs::path(dir) / "wave", error);
  if (error) {
    std::fprintf(stderr, "reedshot: cannot write to %s\n", dir.c_str());
    return 1;
  }
  std::ostringstream manifest;
  manifest << "kind\tid\twidth\theight\trate\tname\n";
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    manifest << e.kind << '\t' << e.id << '\t' << e.width << '\t' << e.height << '\t' << e.rate
             << '\t' << e.name << '\n';
    std::string id = std::to_string(e.id);
    bool ok;
    if (IsPicture(e)) {
      std::vector<std::uint16_t> pixels = Decode(e);
      std::vector<std::uint8_t> rgb(pixels.size() * 3);
      for (std::size_t k = 0; k < pixels.size(); ++k) ce::Rgb565ToRgb888(pixels[k], &rgb[k * 3]);
      ok = ce::WritePng((fs::path(dir) / "pct" / (id + ".png")).string(), e.width, e.height, rgb);
    } else {
      Bytes r = Resource(u"WAVE", e.id);
      ok = r.data && ce::WriteFileReplacing((fs::path(dir) / "wave" / (id + ".wav")).string(),
                                            r.data, r.size);
    }
    if (!ok) {
      std::fprintf(stderr, "reedshot: cannot extract %s %d\n", e.kind, e.id);
      return 1;
    }
  }
  const std::string text = manifest.str();
  std::string why;
  if (!ce::WriteFileReplacing((fs::path(dir) / "manifest.tsv").string(), text.data(), text.size(),
                              &why)) {
    std::fprintf(stderr, "reedshot: cannot write %s/manifest.tsv: %s\n", dir.c_str(), why.c_str());
    return 1;
  }
  return 0;
}

int WriteContactSheet(const std::string& file) {
  const int kScale = 1, kMargin = 8, kLabel = 13, kWidth = 1400;
  // Lay the pictures out in rows, in id order.
  struct Place {
    const assets::ManifestEntry* entry;
    int x, y;
  };
  std::vector<Place> places;
  int x = kMargin, y = kMargin, rowHeight = 0;
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    if (!IsPicture(e)) continue;
    int w = (e.turned ? e.height : e.width) * kScale;
    int h = (e.turned ? e.width : e.height) * kScale + kLabel;
    if (x + w + kMargin > kWidth && x > kMargin) {
      x = kMargin;
      y += rowHeight + kMargin;
      rowHeight = 0;
    }
    places.push_back({&e, x, y});
    x += std::max(w, 40) + kMargin;
    rowHeight = std::max(rowHeight, h);
  }
  Sheet sheet(kWidth, y + rowHeight + kMargin);
  for (const Place& p : places) {
    const assets::ManifestEntry& e = *p.entry;
    sheet.Number(e.id, p.x, p.y, 2);
    std::vector<std::uint16_t> pixels = Decode(e);
    std::uint16_t key = pixels.empty() ? 0 : pixels[0];
    for (int fy = 0; fy < e.height; ++fy) {
      for (int fx = 0; fx < e.width; ++fx) {
        // Turned pictures: frame-buffer x = 0 is the player's top edge and
        // y = height - 1 the player's left edge.
        int px = e.turned ? e.height - 1 - fy : fx;
        int py = e.turned ? fx : fy;
        std::uint16_t v = pixels[static_cast<std::size_t>(fy) * e.width + fx];
        for (int dy = 0; dy < kScale; ++dy) {
          for (int dx = 0; dx < kScale; ++dx) {
            int sx = p.x + px * kScale + dx, sy = p.y + kLabel + py * kScale + dy;
            if (e.keyed && v == key) {
              std::uint8_t c = ((sx / 4 + sy / 4) & 1) ? 0xC8 : 0xE4;
              sheet.Put(sx, sy, c, c, c);
            } else {
              std::uint8_t rgb[3];
              ce::Rgb565ToRgb888(v, rgb);
              sheet.Put(sx, sy, rgb[0], rgb[1], rgb[2]);
            }
          }
        }
      }
    }
  }
  std::string error;
  if (!sheet.Save(file, &error)) {
    std::fprintf(stderr, "reedshot: cannot write %s: %s\n", file.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace drivers
