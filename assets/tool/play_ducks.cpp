// The ducks: near and far fliers, the falling ducks and the swimming duck,
// all drawn by one parametric mallard.
#include <cmath>

#include "assets/tool/canvas.h"
#include "assets/tool/play_style.h"
#include "assets/tool/registry.h"

namespace tool {

namespace {

struct DuckColours {
  Colour body, belly, chest, head, headShine, ring, bill, wing, wingDark, speculum, tail, ink;
};

DuckColours Mallard(double haze) {
  DuckColours c{Hex(0xC9C3B4), Hex(0xE4DFD2), Hex(0x8A4E2C), Hex(0x1E7048),
                Hex(0x4FB07A), Hex(0xF4F1E8), Hex(0xF0C53A), Hex(0x9A8C78),
                Hex(0x5E5446), Hex(0x3C62C8), Hex(0x2E2A2A), kInk};
  if (haze > 0) {
    Colour sky = kSkyHaze;
    for (Colour* p : {&c.body, &c.belly, &c.chest, &c.head, &c.headShine, &c.ring, &c.bill, &c.wing,
                      &c.wingDark, &c.speculum, &c.tail})
      *p = Mix(*p, sky, haze);
    c.ink = Mix(kInk, sky, haze * 0.55);
  }
  return c;
}

void Stroke(const Canvas& c, Colour fill, Colour ink, double width) {
  c.SetColour(fill);
  cairo_fill_preserve(c.cr());
  c.SetColour(ink);
  cairo_set_line_width(c.cr(), width);
  cairo_stroke(c.cr());
}

// One wing in the duck's own frame (facing +x, y down): the shoulder at
// (sx, sy), `lift` from 1 (raised) through 0 (edge on) to -1 (lowered).
void Wing(const Canvas& c, const DuckColours& k, double sx, double sy, double lift, double length,
          bool far, double ink) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, sx, sy);
  double v = std::fabs(lift) < 0.12 ? (lift < 0 ? -0.12 : 0.12) : lift;
  cairo_scale(cr, 1.0, -v);  // the wing is drawn raised; the scale flaps it
  // Wing outline: from the shoulder up and back to the tip, the trailing
  // edge comes back in three feather scallops.
  double L = length;
  auto outline = [cr, L] {
    cairo_move_to(cr, 6, 0);
    cairo_curve_to(cr, 4, L * 0.45, -L * 0.05, L * 0.85, -L * 0.30, L);
    cairo_curve_to(cr, -L * 0.36, L * 0.78, -L * 0.40, L * 0.62, -L * 0.44, L * 0.52);
    cairo_curve_to(cr, -L * 0.40, L * 0.38, -L * 0.42, L * 0.28, -L * 0.46, L * 0.20);
    cairo_curve_to(cr, -L * 0.38, L * 0.12, -L * 0.30, L * 0.02, -L * 0.26, 0);
    cairo_close_path(cr);
  };
  outline();
  Colour fill = far ? Darker(k.wing, 0.25) : k.wing;
  c.SetColour(fill);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  // Dark primaries at the tip, the blue speculum along the trailing edge.
  c.SetColour(far ? Darker(k.wingDark, 0.25) : k.wingDark);
  cairo_rectangle(cr, -L, L * 0.56, 2 * L, L);
  cairo_fill(cr);
  c.SetColour(Lighter(fill, 0.3));
  c.Ellipse(L * 0.02, L * 0.2, L * 0.16, L * 0.3);
  cairo_fill(cr);
  c.SetColour(far ? Darker(k.speculum, 0.2) : k.speculum);
  cairo_rectangle(cr, -L, L * 0.04, L * 0.76, L * 0.36);
  cairo_fill(cr);
  c.SetColour(Lighter(fill, 0.6));
  cairo_rectangle(cr, -L * 0.3, L * 0.04, L * 0.06, L * 0.36);
  cairo_fill(cr);
  // Feather lines.
  c.SetColour(Mix(fill, k.ink, 0.6));
  cairo_set_line_width(cr, ink * 0.7);
  for (int i = 0; i < 3; ++i) {
    double t = 0.64 + 0.11 * i;
    cairo_move_to(cr, -L * 0.02 - i * L * 0.08, L * t);
    cairo_line_to(cr, -L * 0.28 - i * L * 0.04, L * (t + 0.16));
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_restore(cr);
  // The outline is stroked unscaled, so that it keeps its width edge on.
  cairo_save(cr);
  cairo_translate(cr, sx, sy);
  cairo_scale(cr, 1.0, -v);
  outline();
  cairo_restore(cr);
  c.SetColour(k.ink);
  cairo_set_line_width(cr, ink);
  cairo_stroke(cr);
}

struct DuckPose {
  double size;      // the box the duck fills, in pixels
  bool right;       // faces right (else left)
  double wing;      // 1 raised to -1 lowered
  double turn = 0;  // turned about its middle, in radians (a falling duck)
  bool dead = false;
};

// Head and neck in the duck's own frame (facing +x, y down, 68-pixel box).
void Head(const Canvas& c, const DuckColours& k, double ink, bool dead) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 14, -4);
  cairo_curve_to(cr, 18, -8, 20, -11, 22, -12);
  cairo_line_to(cr, 27, -7);
  cairo_curve_to(cr, 24, -4, 22, 0, 19, 4);
  cairo_close_path(cr);
  Stroke(c, k.head, k.ink, ink);
  c.Ellipse(25.5, -12, 6.2, 5.4);
  Stroke(c, k.head, k.ink, ink);
  c.SetColour(k.headShine);
  c.Ellipse(24.5, -14.2, 3.0, 1.6);
  cairo_fill(cr);
  // White collar.
  cairo_move_to(cr, 18.5, -4.8);
  cairo_line_to(cr, 23.5, -1.6);
  c.SetColour(k.ring);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  // Bill.
  cairo_move_to(cr, 30, -13);
  cairo_curve_to(cr, 34, -13.5, 38, -12.5, 40, -10.5);
  cairo_curve_to(cr, 38, -9, 34, -9, 30.5, -9.5);
  cairo_close_path(cr);
  Stroke(c, k.bill, k.ink, ink);
  // Eye: a bright dot, or a cross for a shot duck.
  c.SetColour(k.ink);
  if (dead) {
    cairo_set_line_width(cr, 1.1);
    cairo_move_to(cr, 25.6, -14.8);
    cairo_line_to(cr, 28.8, -11.6);
    cairo_move_to(cr, 28.8, -14.8);
    cairo_line_to(cr, 25.6, -11.6);
    cairo_stroke(cr);
    return;
  }
  c.Ellipse(27.2, -13.2, 1.3, 1.3);
  cairo_fill(cr);
  c.SetColour(Hex(0xFFFFFF));
  c.Ellipse(27.6, -13.7, 0.45, 0.45);
  cairo_fill(cr);
}

// Tail and body (white tail fan with the drake's curl, grey body, light
// belly, chestnut breast).
void Body(const Canvas& c, const DuckColours& k, double ink) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, -18, -3);
  cairo_curve_to(cr, -24, -5, -29, -4, -32, -1);
  cairo_curve_to(cr, -29, 3, -24, 5, -18, 5);
  cairo_close_path(cr);
  Stroke(c, k.belly, k.ink, ink);
  cairo_move_to(cr, -22, -2);
  cairo_curve_to(cr, -25, -6, -28, -7, -27, -3);
  c.SetColour(k.tail);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);

  c.Ellipse(-1, 1, 20, 9.5);
  c.SetColour(k.body);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  c.SetColour(k.belly);
  c.Ellipse(-1, 8, 21, 6);
  cairo_fill(cr);
  c.SetColour(k.chest);
  c.Ellipse(15, 2, 9, 10);
  cairo_fill(cr);
  c.SetColour(k.tail);
  c.Ellipse(-19, 0, 4, 8);
  cairo_fill(cr);
  cairo_restore(cr);
  c.Ellipse(-1, 1, 20, 9.5);
  c.SetColour(k.ink);
  cairo_set_line_width(cr, ink);
  cairo_stroke(cr);
}

// A mallard in flight (or falling) filling its canvas.
void FlyingDuck(const Canvas& c, const DuckPose& pose, const DuckColours& k) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  double s = pose.size / 68.0;
  cairo_translate(cr, c.width() / 2.0, c.height() / 2.0 + 4 * s - pose.wing * 1.5 * s);
  cairo_rotate(cr, pose.right ? pose.turn : -pose.turn);
  cairo_scale(cr, pose.right ? s : -s, s);
  double ink = 1.7 / s;
  Wing(c, k, 2, -3, pose.wing * 0.9, 27, true, ink);  // the far wing, behind
  Body(c, k, ink);
  Head(c, k, ink, pose.dead);
  Wing(c, k, 4, -2, pose.wing, 30, false, ink);
  cairo_restore(cr);
}

// A mallard on the water, wings folded, seen down to its waterline; drawn
// facing right in the 32 x 36 box and mirrored for the left.
void SwimmingDuck(const Canvas& c, bool right, const DuckColours& k) {
  cairo_t* cr = c.cr();
  const double ink = 1.4;
  cairo_save(cr);
  if (!right) {
    cairo_translate(cr, c.width(), 0);
    cairo_scale(cr, -1, 1);
  }
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, c.width(), 30);
  cairo_clip(cr);
  // Tail with its curl.
  cairo_move_to(cr, 6, 25);
  cairo_curve_to(cr, 4, 23, 2.5, 21, 2, 19);
  cairo_curve_to(cr, 5, 20, 8, 22, 10, 24);
  cairo_close_path(cr);
  Stroke(c, k.belly, k.ink, ink);
  // Body, breast and the dark stern.
  auto body = [&] { c.Ellipse(15, 27.5, 12, 6.5); };
  body();
  c.SetColour(k.body);
  cairo_fill(cr);
  cairo_save(cr);
  body();
  cairo_clip(cr);
  c.SetColour(k.chest);
  c.Ellipse(25, 27, 6, 7);
  cairo_fill(cr);
  c.SetColour(k.tail);
  c.Ellipse(3.5, 27, 3, 6);
  cairo_fill(cr);
  cairo_restore(cr);
  body();
  c.SetColour(k.ink);
  cairo_set_line_width(cr, ink);
  cairo_stroke(cr);
  // Folded wing with the blue speculum.
  cairo_move_to(cr, 21, 23.5);
  cairo_curve_to(cr, 16, 20.5, 8, 21, 4.5, 23.5);
  cairo_curve_to(cr, 9, 27, 16, 27, 21, 23.5);
  cairo_close_path(cr);
  Stroke(c, k.wing, k.ink, 1.1);
  cairo_move_to(cr, 12, 24.5);
  cairo_line_to(cr, 7, 24.5);
  c.SetColour(k.speculum);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  // Neck and head.
  cairo_move_to(cr, 20, 26);
  cairo_curve_to(cr, 21, 21, 21.5, 18, 21.5, 16);
  cairo_line_to(cr, 26.5, 16);
  cairo_curve_to(cr, 26, 19, 26, 22, 26.5, 25);
  cairo_close_path(cr);
  Stroke(c, k.head, k.ink, ink);
  c.Ellipse(24, 14.5, 4.8, 4.3);
  Stroke(c, k.head, k.ink, ink);
  c.SetColour(k.headShine);
  c.Ellipse(23, 12.8, 2, 1.1);
  cairo_fill(cr);
  cairo_move_to(cr, 21.3, 20.5);
  cairo_line_to(cr, 26.4, 20.5);
  c.SetColour(k.ring);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  cairo_move_to(cr, 27.5, 13.5);
  cairo_curve_to(cr, 29.5, 13.5, 31, 14.2, 31.5, 15.8);
  cairo_curve_to(cr, 30, 16.6, 28.5, 16.6, 27.5, 16.2);
  cairo_close_path(cr);
  Stroke(c, k.bill, k.ink, 1.0);
  c.SetColour(k.ink);
  c.Ellipse(25.6, 13.6, 0.95, 0.95);
  cairo_fill(cr);
  cairo_restore(cr);
  // Ripples where it sits.
  cairo_set_line_width(cr, 1.0);
  c.SetColour(Hex(0xE6F4F8));
  cairo_move_to(cr, 1, 30.5);
  cairo_line_to(cr, 30, 30.5);
  cairo_move_to(cr, 0, 33.5);
  cairo_line_to(cr, 6, 33.5);
  cairo_move_to(cr, 11, 33.5);
  cairo_line_to(cr, 24, 33.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// Wing position of frame i of 8: raised to lowered along a cosine, so the
// ping-pong cycle eases at both ends.
double WingOf(int frame) { return 0.075 + 0.925 * std::cos(3.14159265358979 * frame / 7.0); }

}  // namespace

void DrawFlyingDuck(const Canvas& c, double size, bool right, double wing, double haze) {
  FlyingDuck(c, {size, right, wing}, Mallard(haze));
}

namespace {

const bool registered = [] {
  RegisterFrames(163, 8, Mode::Keyed, [](Canvas& c, int i) {
    FlyingDuck(c, {64, false, WingOf(i)}, Mallard(0));
  });
  RegisterFrames(192, 8, Mode::Keyed, [](Canvas& c, int i) {
    FlyingDuck(c, {64, true, WingOf(i)}, Mallard(0));
  });
  RegisterFrames(200, 8, Mode::Keyed, [](Canvas& c, int i) {
    FlyingDuck(c, {40, true, WingOf(i)}, Mallard(0.38));
  });
  RegisterFrames(208, 8, Mode::Keyed, [](Canvas& c, int i) {
    FlyingDuck(c, {40, false, WingOf(i)}, Mallard(0.38));
  });
  // Shot ducks fall on their backs, wings limp.
  RegisterPicture(253, Drawn(
                           [](Canvas& c) {
                             FlyingDuck(c, {54, false, -0.5, 2.75, true}, Mallard(0));
                           },
                           Mode::Keyed));
  RegisterPicture(254, Drawn(
                           [](Canvas& c) {
                             FlyingDuck(c, {28, false, -0.5, 2.75, true}, Mallard(0.38));
                           },
                           Mode::Keyed));
  RegisterPicture(328, Drawn([](Canvas& c) { SwimmingDuck(c, false, Mallard(0)); }, Mode::Keyed));
  RegisterPicture(329, Drawn([](Canvas& c) { SwimmingDuck(c, true, Mallard(0)); }, Mode::Keyed));
  return true;
}();

}  // namespace

}  // namespace tool
