#include "drivers/icon.h"

#include <algorithm>
#include <cstdio>

#include "assets/resource_ids.h"
#include "graphics/pct_decoder.h"
#include "platform/output_file.h"
#include "platform/png_writer.h"
#include "platform/resources.h"

namespace drivers {

namespace {

// The icon is drawn from a near duck flying left, 68 x 68 in the frame buffer.
constexpr int kDuckSide = 68;

// The 64 x 64 upright icon at its own size.
std::vector<std::uint8_t> SourcePixels() {
  ce::HRSRC found = ce::FindResourceW(nullptr, ce::MAKEINTRESOURCEW(kPictureNearDuckLeft0), u"PCT");
  if (!found) return {};
  std::vector<std::uint16_t> pixels(kDuckSide * kDuckSide, 0);
  DecodePctData(
      static_cast<const std::uint8_t*>(ce::LockResource(ce::LoadResource(nullptr, found))),
      ce::SizeofResource(nullptr, found), reinterpret_cast<std::uint8_t*>(pixels.data()),
      pixels.size() * 2);
  const std::uint16_t key = pixels[0];
  const int margin = (kDuckSide - kIconSide) / 2;
  std::vector<std::uint8_t> rgba(kIconSide * kIconSide * 4, 0);
  for (int y = 0; y < kIconSide; ++y) {
    for (int x = 0; x < kIconSide; ++x) {
      // Player (px, py) shows frame-buffer (py, kDuckSide - 1 - px).
      const int px = margin + x, py = margin + y;
      const std::uint16_t p = pixels[static_cast<std::size_t>(kDuckSide - 1 - px) * kDuckSide + py];
      if (p == key) continue;
      std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * kIconSide + x) * 4];
      ce::Rgb565ToRgb888(p, out);
      out[3] = 255;
    }
  }
  return rgba;
}

}  // namespace

std::vector<std::uint8_t> IconPixels(int size) {
  std::vector<std::uint8_t> source = SourcePixels();
  if (source.empty() || size <= 0) return {};
  std::vector<std::uint8_t> out(static_cast<std::size_t>(size) * size * 4, 0);
  const double step = static_cast<double>(kIconSide) / size;  // source pixels per output pixel
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // Colour weighted by coverage and alpha, so that transparent
      // neighbours do not darken the edge.
      double sum[4] = {0, 0, 0, 0}, area = 0;
      const double x0 = x * step, x1 = x0 + step, y0 = y * step, y1 = y0 + step;
      for (int sy = static_cast<int>(y0); sy < kIconSide && sy < y1; ++sy) {
        const double h = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
        for (int sx = static_cast<int>(x0); sx < kIconSide && sx < x1; ++sx) {
          const double w = (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0)) * h;
          const std::uint8_t* p = &source[(static_cast<std::size_t>(sy) * kIconSide + sx) * 4];
          const double a = w * p[3] / 255.0;
          for (int c = 0; c < 3; ++c) sum[c] += a * p[c];
          sum[3] += a;
          area += w;
        }
      }
      std::uint8_t* o = &out[(static_cast<std::size_t>(y) * size + x) * 4];
      if (sum[3] <= 0) continue;
      for (int c = 0; c < 3; ++c) o[c] = static_cast<std::uint8_t>(sum[c] / sum[3] + 0.5);
      o[3] = static_cast<std::uint8_t>(255 * sum[3] / area + 0.5);
    }
  }
  return out;
}

std::string IconSvg() {
  std::vector<std::uint8_t> pixels = SourcePixels();
  if (pixels.empty()) return {};
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\" "
      "shape-rendering=\"crispEdges\">\n";
  auto at = [&](int x, int y) {
    return &pixels[(static_cast<std::size_t>(y) * kIconSide + x) * 4];
  };
  for (int y = 0; y < kIconSide; ++y) {
    for (int x = 0; x < kIconSide;) {
      const std::uint8_t* p = at(x, y);
      int end = x + 1;
      while (end < kIconSide && std::equal(p, p + 4, at(end, y))) ++end;
      if (p[3] != 0) {
        char rect[96];
        std::snprintf(
            rect, sizeof rect,
            "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"1\" fill=\"#%02x%02x%02x\"/>\n", x, y,
            end - x, p[0], p[1], p[2]);
        svg += rect;
      }
      x = end;
    }
  }
  return svg + "</svg>\n";
}

int WriteIcon(const std::string& file, int size) {
  bool ok;
  if (file.size() > 4 && file.compare(file.size() - 4, 4, ".svg") == 0) {
    std::string svg = IconSvg();
    ok = !svg.empty() && ce::WriteFileReplacing(file, svg.data(), svg.size());
  } else {
    std::vector<std::uint8_t> rgba = IconPixels(size);
    ok = !rgba.empty() && ce::WritePng(file, size, size, rgba, 4);
  }
  if (!ok) std::fprintf(stderr, "reedshot: cannot write the icon %s\n", file.c_str());
  return ok ? 0 : 1;
}

}  // namespace drivers
