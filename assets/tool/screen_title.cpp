// The title sequence: the request to turn the device, the emblem that fades
// in and turns, the skip button, and the title picture with its sign.
#include <cmath>
#include <string>

#include "assets/tool/play_style.h"
#include "assets/tool/screen_style.h"

namespace tool {

namespace {

constexpr double kPi = 3.14159265358979;

void Duck(const Canvas& c, double x, double y, double size, bool right, double wing) {
  Canvas duck(static_cast<int>(size * 1.1), static_cast<int>(size * 1.1));
  DrawFlyingDuck(duck, size, right, wing, 0.0);
  cairo_set_source_surface(c.cr(), duck.surface(), x, y);
  cairo_paint(c.cr());
}

// A handheld in outline, centred at (cx, cy), `turn` radians from upright.
void Handheld(const Canvas& c, double cx, double cy, double turn, Colour body) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, turn);
  c.RoundedRect(-24, -38, 48, 76, 7);
  c.FillInk(body, 2);
  c.RoundedRect(-18, -30, 36, 48, 2);
  c.FillInk(Hex(0x8CC3DC), 1.5);
  c.Ellipse(0, 28, 5, 5);
  c.FillInk(Darker(body, 0.25), 1.5);
  cairo_restore(cr);
}

// Picture 351, upright for a device still held upright: a handheld being
// turned on its side, and the words.
void TurnRequest(const Canvas& c) {
  cairo_t* cr = c.cr();
  c.SetColour(Hex(0x000000));  // the intro screen is black around it
  cairo_paint(cr);
  Handheld(c, 70, 92, 0, Hex(0x6A7684));
  Handheld(c, 152, 96, kPi / 2, Hex(0xB9C4D0));
  // A curved arrow from the upright one to the turned one.
  c.SetColour(kTitle);
  cairo_set_line_width(cr, 4);
  cairo_arc(cr, 110, 92, 44, -kPi * 0.82, -kPi * 0.28);
  cairo_stroke(cr);
  double ax = 110 + 44 * std::cos(-kPi * 0.28), ay = 92 + 44 * std::sin(-kPi * 0.28);
  cairo_move_to(cr, ax + 9, ay - 3);
  cairo_line_to(cr, ax - 3, ay - 8);
  cairo_line_to(cr, ax + 1, ay + 6);
  cairo_close_path(cr);
  cairo_fill(cr);
  CentredText(c, "PLEASE TURN", 0, 150, 220, 22, 17, kTitle, kInk, 0);
  CentredText(c, "YOUR DEVICE SIDEWAYS", 0, 174, 220, 20, 14, kCream, kInk, 0);
}

// Picture 350: the emblem, on black (black is left out when it is drawn).
void Emblem(const Canvas& c) {
  cairo_t* cr = c.cr();
  c.SetColour(Hex(0x000000));
  cairo_paint(cr);
  const double cx = 90, cy = 90;
  // A ring of reeds around a round patch of lake and sky.
  c.Ellipse(cx, cy, 86, 86);
  c.FillInk(Hex(0x4E7A36), 2.5);
  cairo_save(cr);
  c.Ellipse(cx, cy, 74, 74);
  cairo_clip(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 16, 0, 164);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.49, 0.75, 0.9);
  cairo_pattern_add_color_stop_rgb(p, 0.55, 0.91, 0.95, 0.88);
  cairo_pattern_add_color_stop_rgb(p, 0.56, 0.55, 0.76, 0.86);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.25, 0.53, 0.68);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  Duck(c, 32, 34, 100, true, 0.9);
  for (int i = 0; i < 9; ++i) {
    double x = 20 + i * 18;
    double h = 30 + 14 * std::sin(i * 1.7);
    cairo_move_to(cr, x - 2, 170);
    cairo_curve_to(cr, x - 1, 170 - h * 0.5, x + 4, 170 - h * 0.8, x + 6, 170 - h);
    cairo_curve_to(cr, x + 3, 170 - h * 0.6, x + 2, 170 - h * 0.3, x + 3, 170);
    cairo_close_path(cr);
    c.FillInk(Hex(0x6B8F3F), 1);
  }
  cairo_restore(cr);
  c.Ellipse(cx, cy, 74, 74);
  c.SetColour(kInk);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  // The name on a ribbon across the bottom.
  c.RoundedRect(14, 118, 152, 30, 6);
  c.FillInk(Hex(0xB9783A), 2);
  CentredText(c, "REEDSHOT", 14, 118, 152, 30, 22, kTitle, kInk, 3);
}

// The title picture (583): the lake, the name large, ducks in flight.
void TitleScreen(const Canvas& c) {
  LakeBackdrop(c, false);
  ScreenTitle(c, "REEDSHOT", 34, 68, 44);
  OutlinedText(c, "A DUCK HUNT BY THE LAKE", 72, 92, 11, kCream, kInk, 3);
  Duck(c, 30, 110, 68, true, 0.7);
  Duck(c, 150, 120, 48, true, -0.5);
  Duck(c, 226, 102, 36, true, 0.2);
}

// The blinking sign (584): a small board asking for a tap.
void TapSign(const Canvas& c) {
  UnderPicture(c, 200, 10, TitleScreen);
  c.RoundedRect(1, 1, c.width() - 3, c.height() - 3, 6);
  c.FillInk(kTitle, 1.5);
  CentredText(c, "TAP TO START", 1, 1, c.width() - 3, c.height() - 3, 11, kInk, kCream, 0);
}

// The skip button (352, 353): the word on a small board, upright like the
// request it goes with (the device is still held in portrait).
void Skip(const Canvas& c, bool pressed) {
  c.SetColour(Hex(0x000000));
  cairo_paint(c.cr());
  double sink = pressed ? 1 : 0;
  c.RoundedRect(1 + sink, 1 + sink, c.width() - 2.5, c.height() - 2.5, 4);
  c.FillInk(pressed ? kWoodPressed : kWood, 1.2);
  CentredText(c, "SKIP", sink, sink, c.width(), c.height(), 11, kCream, kInk, 0);
}

const bool registered = [] {
  RegisterPicture(350, Drawn(Emblem, Mode::Opaque));
  RegisterPicture(351, Drawn(TurnRequest, Mode::Opaque));
  RegisterPicture(352, Drawn([](Canvas& c) { Skip(c, false); }, Mode::Opaque));
  RegisterPicture(353, Drawn([](Canvas& c) { Skip(c, true); }, Mode::Opaque));
  RegisterPicture(583, Drawn(TitleScreen, Mode::Opaque));
  RegisterPicture(584, Drawn(TapSign, Mode::Opaque));
  return true;
}();

}  // namespace

}  // namespace tool
