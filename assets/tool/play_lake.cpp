// The backdrop of the lake: sky, clouds, hills, the far bank and the water.
#include "assets/tool/play_lake.h"

#include <cmath>
#include <memory>

namespace tool {

namespace {

// Heights of the two ranges of hills and of the far bank's top edge.
double FarHillsAt(double x) {
  return 112 + 9 * std::sin(x / 97.0 + 0.4) + 6 * std::sin(x / 41.0 + 1.0) + 3 * std::sin(x / 17.0);
}
double NearHillsAt(double x) {
  return 130 + 7 * std::sin(x / 73.0 + 2.0) + 4 * std::sin(x / 29.0) + 2 * std::sin(x / 11.0 + 1);
}
double BankTopAt(double x) { return 152 + 2 * std::sin(x / 23.0) + 1.5 * std::sin(x / 9.0 + 2); }

// A profile y(x) closed down to the bottom of the picture, as a path.
template <typename F>
void ProfilePath(cairo_t* cr, F y, double x0, double x1, double bottom) {
  cairo_move_to(cr, x0, bottom);
  for (double x = x0; x <= x1; x += 2) cairo_line_to(cr, x, y(x));
  cairo_line_to(cr, x1, bottom);
  cairo_close_path(cr);
}

void Sky(const Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, kWorldLength, kWorldDepth);
  c.FillVertical(
      0, 160,
      {{0, Hex(0x4F8FCF)}, {0.55, Hex(0x8CC2E6)}, {0.85, Hex(0xD4E8ED)}, {1, Hex(0xF5EDD6)}});

  // The sun, low and soft.
  cairo_pattern_t* glow = cairo_pattern_create_radial(590, 46, 8, 590, 46, 70);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.98, 0.88, 0.75);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.98, 0.88, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  c.Ellipse(590, 46, 13, 13);
  c.SetColour(Hex(0xFFF8DE));
  cairo_fill(cr);
}

// A cumulus of overlapping puffs with a shaded underside.
void Cloud(const Canvas& c, double cx, double cy, double s, unsigned seed) {
  cairo_t* cr = c.cr();
  Dice dice(seed);
  double puffs[7][3];
  for (int i = 0; i < 7; ++i) {
    double t = (i - 3) / 3.0;
    puffs[i][0] = cx + t * 30 * s + dice.In(-4, 4) * s;
    puffs[i][1] = cy - (1 - t * t) * 9 * s + dice.In(-2, 2) * s;
    puffs[i][2] = (9 + (1 - t * t) * 7 + dice.In(-2, 2)) * s;
  }
  auto shape = [&](double dy) {
    for (auto& p : puffs) c.Ellipse(p[0], p[1] + dy, p[2], p[2]);
    cairo_rectangle(cr, cx - 32 * s, cy + dy - 2 * s, 64 * s, 8 * s);
  };
  cairo_save(cr);
  // Flat bottom.
  cairo_rectangle(cr, cx - 60 * s, cy - 40 * s, 120 * s, 46 * s);
  cairo_clip(cr);
  shape(0);
  c.SetColour(Hex(0xC9D9E8));
  cairo_fill(cr);
  shape(0);
  cairo_clip(cr);
  shape(-3.5 * s);
  c.SetColour(Hex(0xFBFCFD));
  cairo_fill(cr);
  cairo_restore(cr);
}

void Hills(const Canvas& c) {
  cairo_t* cr = c.cr();
  ProfilePath(cr, FarHillsAt, -2, kWorldLength + 2, kWorldDepth);
  c.SetColour(Hex(0xA6C2C6));
  cairo_fill(cr);
  ProfilePath(cr, NearHillsAt, -2, kWorldLength + 2, kWorldDepth);
  c.FillVertical(120, 160, {{0, Hex(0x87AD99)}, {1, Hex(0x6B9478)}});
}

// The wood along the far side of the bank: round crowns and a few firs.
void FarWood(const Canvas& c) {
  cairo_t* cr = c.cr();
  Dice dice(7);
  for (double x = -6; x < kWorldLength + 6;) {
    double r = dice.In(5, 10);
    double top = BankTopAt(x) - r * dice.In(0.9, 1.5);
    if (dice.Next() < 0.22) {
      double h = dice.In(16, 24);
      cairo_move_to(cr, x, BankTopAt(x) - h);
      cairo_line_to(cr, x + 6, BankTopAt(x) + 2);
      cairo_line_to(cr, x - 6, BankTopAt(x) + 2);
      cairo_close_path(cr);
      c.SetColour(Hex(0x3F6A4A));
      cairo_fill(cr);
    } else {
      c.Ellipse(x, top + r, r, r);
      cairo_rectangle(cr, x - r, top + r, 2 * r, BankTopAt(x) + 3 - top - r);
      c.SetColour(Mix(Hex(0x4E7E4B), Hex(0x5F8F52), dice.Next()));
      cairo_fill(cr);
      c.Ellipse(x - r * 0.3, top + r * 0.7, r * 0.45, r * 0.35);
      c.SetColour(Hex(0x79A562, 0.6));
      cairo_fill(cr);
    }
    x += r * dice.In(1.0, 1.5);
  }
}

void Bank(const Canvas& c) {
  cairo_t* cr = c.cr();
  ProfilePath(cr, BankTopAt, -2, kWorldLength + 2, kWorldDepth);
  c.FillVertical(150, 205, {{0, Hex(0x8CBA5C)}, {1, Hex(0x669945)}});
  // Tufts of grass.
  Dice dice(11);
  cairo_set_line_width(cr, 1.0);
  for (int i = 0; i < 520; ++i) {
    double x = dice.In(0, kWorldLength);
    double y = dice.In(BankTopAt(x) + 3, ShoreAt(x) - 2);
    double h = dice.In(2, 4.5);
    c.SetColour(dice.Next() < 0.5 ? Hex(0x4C7A2E) : Hex(0x9CC463));
    cairo_move_to(cr, x - 1.5, y - h);
    cairo_line_to(cr, x, y);
    cairo_line_to(cr, x + 1.5, y - h);
    cairo_stroke(cr);
  }
  // A few flowers in the grass.
  for (int i = 0; i < 60; ++i) {
    double x = dice.In(0, kWorldLength);
    double y = dice.In(BankTopAt(x) + 6, ShoreAt(x) - 4);
    c.SetColour(dice.Next() < 0.5 ? Hex(0xF4F0E0) : Hex(0xF2D357));
    cairo_rectangle(cr, std::floor(x), std::floor(y), 1, 1);
    cairo_fill(cr);
  }
}

template <typename F>
void ShorePath(cairo_t* cr, F y, double bottom) {
  ProfilePath(cr, y, -2, kWorldLength + 2, bottom);
}

void Water(const Canvas& c) {
  cairo_t* cr = c.cr();
  // Mud edge, then the water.
  ShorePath(
      cr, [](double x) { return ShoreAt(x) - 2; }, kWorldDepth);
  c.SetColour(Hex(0x8C7A52));
  cairo_fill(cr);
  ShorePath(cr, ShoreAt, kWorldDepth);
  c.FillVertical(180, kWorldDepth, {{0, Hex(0x8CC2D4)}, {0.4, Hex(0x5499B8)}, {1, Hex(0x2E6E94)}});
}

void Ripples(const Canvas& c) {
  cairo_t* cr = c.cr();
  Dice dice(23);
  cairo_set_line_width(cr, 1.0);
  // A bright line along the water's far edge.
  for (double x = 0; x <= kWorldLength; x += 2) cairo_line_to(cr, x, ShoreAt(x) + 0.5);
  c.SetColour(Hex(0xD7ECF0, 0.85));
  cairo_stroke(cr);
  for (int i = 0; i < 260; ++i) {
    double x = dice.In(0, kWorldLength);
    double y0 = ShoreAt(x) + 3;
    double y = std::floor(dice.In(y0, kWorldDepth)) + 0.5;
    double depth = (y - y0) / (kWorldDepth - y0 + 1);
    double len = 3 + depth * 14 * dice.In(0.5, 1.0);
    bool light = dice.Next() < 0.6;
    c.SetColour(light ? Hex(0xBFE2EA, 0.75) : Hex(0x1F5470, 0.5));
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + len, y);
    cairo_stroke(cr);
  }
}

// A landing stage off the hut's porch, a fence across the meadow and lily
// pads on the near water.
void Details(const Canvas& c) {
  cairo_t* cr = c.cr();
  for (double x : {140.5, 163.5, 186.5, 209.5}) {
    cairo_rectangle(cr, x, 183, 3, 12);
    c.FillInk(Hex(0x6E4A2C), 1.0);
    cairo_move_to(cr, x - 1, 195.5);
    cairo_line_to(cr, x + 4, 195.5);
    c.SetColour(Hex(0xD7ECF0, 0.9));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, 128.5, 180.5, 86, 4);
  c.FillInk(Hex(0xA57A4A), 1.0);
  cairo_set_line_width(cr, 1.0);
  c.SetColour(Hex(0x7D5634));
  for (double x = 136.5; x < 214; x += 8) {
    cairo_move_to(cr, x, 181);
    cairo_line_to(cr, x, 184);
  }
  cairo_stroke(cr);

  for (double x = 478.5; x < 600; x += 15) {
    cairo_rectangle(cr, x, 161.5, 2.5, 15);
    c.FillInk(Hex(0x9C7448), 0.9);
  }
  for (double y : {165.5, 171.5}) {
    cairo_rectangle(cr, 477, y, 124, 1.6);
    c.FillInk(Hex(0xB78C5A), 0.7);
  }

  static const double pads[][3] = {{232, 233, 6}, {246, 237, 4.5}, {508, 231, 5.5},
                                   {756, 235, 6}, {771, 229, 4},   {930, 236, 5.5}};
  for (const auto& p : pads) {
    // A flat disc with its notch, seen at a low angle.
    cairo_save(cr);
    cairo_translate(cr, p[0], p[1]);
    cairo_scale(cr, 1, 0.45);
    cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, p[2], 0.35, 2 * 3.14159265358979 - 0.1);
    cairo_close_path(cr);
    cairo_restore(cr);
    c.FillInk(Hex(0x4E8F3A), 0.8);
  }
  for (const auto& p : {pads[0], pads[3]}) {
    c.Ellipse(p[0] - 1, p[1] - 2, 2.2, 1.6);
    c.FillInk(Hex(0xF6B6C8), 0.7);
  }
}

}  // namespace

double ShoreAt(double px) {
  // Control points along the lake: the hut's bank on the left, the bush on
  // its headland, the long bank of the creeper, the tree on the right.
  static const double points[][2] = {{-10, 182}, {140, 183}, {250, 186}, {292, 194}, {330, 201},
                                     {430, 201}, {470, 197}, {760, 197}, {820, 190}, {970, 188}};
  const int n = sizeof(points) / sizeof(points[0]);
  double y = points[n - 1][1];
  for (int i = 0; i + 1 < n; ++i) {
    if (px <= points[i + 1][0]) {
      double t = (px - points[i][0]) / (points[i + 1][0] - points[i][0]);
      t = t < 0 ? 0 : t;
      double s = t * t * (3 - 2 * t);
      y = points[i][1] + (points[i + 1][1] - points[i][1]) * s;
      break;
    }
  }
  return y + 0.8 * std::sin(px / 13.0) + 0.5 * std::sin(px / 5.0 + 1);
}

void DrawBackdrop(const Canvas& c) {
  Sky(c);
  Cloud(c, 80, 34, 1.0, 1);
  Cloud(c, 250, 70, 0.55, 2);
  Cloud(c, 420, 28, 1.15, 3);
  Cloud(c, 690, 66, 0.7, 4);
  Cloud(c, 860, 24, 0.95, 5);
  Hills(c);
  FarWood(c);
  Bank(c);
  Water(c);
}

void DrawReflections(const Canvas& c, const Canvas& bankObjects) {
  cairo_t* cr = c.cr();
  // Each stretch of bank mirrors about its own waterline.
  static const double stretches[][3] = {{0, 140, 182}, {140, 460, 200}, {460, 960, 189}};
  for (const auto& s : stretches) {
    cairo_save(cr);
    cairo_rectangle(cr, s[0], 0, s[1] - s[0], kWorldDepth);
    cairo_clip(cr);
    ShorePath(
        cr, [](double x) { return ShoreAt(x) + 1; }, kWorldDepth);
    cairo_clip(cr);
    cairo_translate(cr, 0, 2 * s[2]);
    cairo_scale(cr, 1, -1);
    cairo_set_source_surface(cr, bankObjects.surface(), 0, 0);
    cairo_paint_with_alpha(cr, 0.28);
    cairo_restore(cr);
  }
}

const Panorama& ThePanorama() {
  static std::unique_ptr<Panorama> panorama;
  if (panorama) return *panorama;
  panorama = std::make_unique<Panorama>();
  Panorama& p = *panorama;
  DrawBackdrop(p.backdrop);
  DrawBankObjects(p.front);
  DrawReflections(p.backdrop, p.front);
  Ripples(p.backdrop);
  Details(p.backdrop);
  DrawWaterObjects(p.front);
  cairo_t* cr = p.full.cr();
  cairo_set_source_surface(cr, p.backdrop.surface(), 0, 0);
  cairo_paint(cr);
  cairo_set_source_surface(cr, p.front.surface(), 0, 0);
  cairo_paint(cr);
  return p;
}

}  // namespace tool
