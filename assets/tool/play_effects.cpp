// Short effects: feather bursts where a duck is hit and smoke puffs where a
// shot misses. Both are drawn half-transparent by the game, so they are
// light and simple; each frame is one moment of the same motion.
#include <cmath>

#include "assets/tool/canvas.h"
#include "assets/tool/play_lake.h"
#include "assets/tool/play_style.h"
#include "assets/tool/registry.h"

namespace tool {

namespace {

constexpr double kPi = 3.14159265358979;

// One feather: a pointed vane with its quill, `length` long, at `angle`.
void Feather(const Canvas& c, double x, double y, double length, double angle, Colour colour,
             double ink) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  double w = length * 0.32;
  cairo_move_to(cr, -length / 2, 0);
  cairo_curve_to(cr, -length / 4, -w, length / 4, -w, length / 2, 0);
  cairo_curve_to(cr, length / 4, w * 0.8, -length / 4, w * 0.8, -length / 2, 0);
  cairo_close_path(cr);
  c.SetColour(colour);
  cairo_fill_preserve(cr);
  c.SetColour(kInk);
  cairo_set_line_width(cr, ink);
  cairo_stroke(cr);
  cairo_move_to(cr, -length / 2 - 1, 0);
  cairo_line_to(cr, length / 2 - 1, 0);
  c.SetColour(Darker(colour, 0.35));
  cairo_set_line_width(cr, ink * 0.8);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// Frame `frame` of 7 of a burst centred on (cx, cy) with `count` feathers
// flying out to `reach` pixels, then drifting down.
void FeatherBurst(const Canvas& c, double cx, double cy, double reach, double length, int count,
                  int frame, double haze) {
  cairo_t* cr = c.cr();
  double t = (frame + 1) / 7.0;
  // A white flash of down at the start.
  if (frame < 2) {
    double r = reach * (0.3 + 0.15 * frame);
    c.Ellipse(cx, cy, r, r * 0.8);
    c.SetColour(Mix(Hex(0xFFFFFF), kSkyHaze, haze));
    cairo_fill(cr);
    c.Ellipse(cx, cy, r * 0.55, r * 0.45);
    c.SetColour(Mix(Hex(0xFFF3C8), kSkyHaze, haze));
    cairo_fill(cr);
  }
  static const std::uint32_t colours[] = {0xF2EEE4, 0xC9C3B4, 0x9A8C78, 0xE4DFD2,
                                          0x8A4E2C, 0x1E7048, 0xF2EEE4, 0x3C62C8};
  Dice dice(17);
  double out = 1 - std::pow(1 - t, 2.2);  // fast, then slowing
  for (int i = 0; i < count; ++i) {
    double a = 2 * kPi * (i + dice.In(-0.45, 0.45)) / count;
    double d = reach * dice.In(0.3, 1.0) * out;
    double fall = reach * 0.5 * t * t * dice.In(0.5, 1.3);
    double x = cx + d * std::cos(a);
    double y = cy + d * std::sin(a) * 0.75 + fall;
    double spin = a + t * dice.In(-3, 3);
    double len = length * dice.In(0.75, 1.15) * (1 - 0.25 * t);
    Colour colour = Mix(Hex(colours[i % 8]), kSkyHaze, haze);
    Feather(c, x, y, len, spin, colour, length > 8 ? 1.0 : 0.8);
  }
}

// A puff of gun smoke at (cx, cy); frame 0 is the flash of the shot.
void ShotPuff(const Canvas& c, double cx, double cy, int frame) {
  cairo_t* cr = c.cr();
  if (frame == 0) {
    for (int i = 0; i < 16; ++i) {
      double a = i * kPi / 8 + 0.2;
      double r = i % 2 ? 4 : (i % 4 ? 8 : 11);
      cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
    c.FillInk(Hex(0xFFE27A), 1.0);
    c.Ellipse(cx, cy, 3.5, 3.5);
    c.SetColour(Hex(0xFFFFFF));
    cairo_fill(cr);
    return;
  }
  // Balls of smoke that grow, rise and thin out.
  double t = frame / 4.0;
  Dice dice(29);
  double spread = 3 + 6 * t;
  for (int i = 0; i < 6; ++i) {
    double a = i * kPi / 3 + dice.In(-0.4, 0.4);
    double x = cx + spread * std::cos(a);
    double y = cy + spread * std::sin(a) * 0.7 - 5 * t;
    double r = (4 + 3.5 * t) * dice.In(0.8, 1.1) * (frame == 4 ? 0.85 : 1.0);
    c.Ellipse(x, y, r, r);
  }
  c.Ellipse(cx, cy - 5 * t, 5 + 3.5 * t, 5 + 3.5 * t);
  Colour smoke = Mix(Hex(0xF4F4F0), Hex(0xB8BCC0), t);
  c.SetColour(Mix(smoke, kInk, 0.35));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_translate(cr, -1, -1);
  for (int i = 0; i < 6; ++i) {
    double a = i * kPi / 3;
    double x = cx + spread * std::cos(a), y = cy + spread * std::sin(a) * 0.7 - 5 * t;
    c.Ellipse(x, y, 3 + 2.8 * t, 3 + 2.8 * t);
  }
  c.Ellipse(cx, cy - 5 * t, 4.2 + 2.8 * t, 4.2 + 2.8 * t);
  c.SetColour(smoke);
  cairo_fill(cr);
  cairo_restore(cr);
}

const bool registered = [] {
  // Near bursts: the 120 x 70 picture reaches 27 pixels to the left of the
  // duck and 25 to its right, so the duck's middle is at (61, 34).
  RegisterFrames(270, 7, Mode::Keyed,
                 [](Canvas& c, int i) { FeatherBurst(c, 61, 30, 40, 11, 12, i, 0); });
  // Far bursts: 60 x 36, the duck's middle near (26, 20).
  RegisterFrames(277, 7, Mode::Keyed,
                 [](Canvas& c, int i) { FeatherBurst(c, 26, 17, 20, 6, 9, i, 0.3); });
  // The tap is at (24, 14) of the 40 x 34 puff.
  RegisterFrames(256, 5, Mode::Keyed, [](Canvas& c, int i) { ShotPuff(c, 23, 15, i); });
  return true;
}();

}  // namespace

}  // namespace tool
