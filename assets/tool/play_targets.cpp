// The other targets: falling leaves, the sign duck, red birds, the creeper,
// their fall-away animations and the pop-ups that show what a hit was worth.
#include <cmath>
#include <string>

#include "assets/tool/canvas.h"
#include "assets/tool/play_lake.h"
#include "assets/tool/play_style.h"
#include "assets/tool/registry.h"

namespace tool {

namespace {

constexpr double kPi = 3.14159265358979;

// ---- Leaves ----

// A maple leaf centred on (cx, cy), `size` across, turned by `angle` and
// seen at `tilt` (1 flat on, towards 0 edge on). `bite` cuts a tear into it.
void MapleLeaf(const Canvas& c, double cx, double cy, double size, double angle, double tilt,
               Colour colour, double bite = 0) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, size / 20.0 * tilt, size / 20.0);
  // Five lobes around the stem base at (0, 4).
  static const double outline[][2] = {{0, -10},  {2, -6},  {5, -7}, {4, -3},  {9, -4},  {7, -1},
                                      {9, 1},    {5, 2},   {6, 5},  {1, 3.5}, {0.6, 6}, {-0.6, 6},
                                      {-1, 3.5}, {-6, 5},  {-5, 2}, {-9, 1},  {-7, -1}, {-9, -4},
                                      {-4, -3},  {-5, -7}, {-2, -6}};
  for (const auto& p : outline) cairo_line_to(cr, p[0], p[1]);
  cairo_close_path(cr);
  c.SetColour(colour);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  if (bite > 0) {
    cairo_new_path(cr);
    c.Ellipse(6, -6, bite * 7, bite * 5);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  }
  cairo_restore(cr);
  c.SetColour(kInk);
  cairo_set_line_width(cr, 1.2 * 20.0 / size);
  cairo_stroke(cr);
  // Veins and stem.
  c.SetColour(Darker(colour, 0.3));
  cairo_set_line_width(cr, 0.9 * 20.0 / size);
  cairo_move_to(cr, 0, 8);
  cairo_line_to(cr, 0, -8);
  cairo_move_to(cr, 0, 2);
  cairo_line_to(cr, 6.5, -2.5);
  cairo_move_to(cr, 0, 2);
  cairo_line_to(cr, -6.5, -2.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

const Colour kLeafColour = Hex(0xE98B2C);

// Twelve frames of one swing of a falling leaf: played forwards and back it
// rocks from side to side, turning over as it goes.
void FlutteringLeaf(const Canvas& c, int frame) {
  double t = frame / 11.0;
  double swing = std::sin((t - 0.5) * kPi);  // -1 to 1, easing at the ends
  double tilt = 0.45 + 0.55 * std::cos((t - 0.5) * kPi);
  Colour colour = Mix(kLeafColour, Hex(0xD2521E), 0.5 + 0.5 * swing);
  MapleLeaf(c, 11 + swing * 1.5, 11, 19, kPi / 2 + swing * 0.7, tilt, colour);
}

// The leaf torn by the shot: pieces spin apart and shrink away.
void LeafFallAway(const Canvas& c, int frame) {
  double t = (frame + 1) / 6.0;
  double size = 19 * (1 - 0.55 * t);
  MapleLeaf(c, 11 - 4 * t, 11 - 3 * t, size, kPi / 2 - t * 1.6, 1 - 0.4 * t, kLeafColour, t);
  MapleLeaf(c, 11 + 5 * t, 11 + 4 * t, size * 0.6, kPi / 2 + t * 2.4, 0.9, Hex(0xD2521E), 0.5);
  Dice dice(61);
  for (int i = 0; i < 5; ++i) {
    double a = dice.In(0, 2 * kPi), d = 9 * t * dice.In(0.6, 1.2);
    c.Ellipse(11 + d * std::cos(a), 11 + d * std::sin(a), 1.2, 1.2);
    c.SetColour(Hex(0xF3B45C));
    cairo_fill(c.cr());
  }
}

// ---- Sign duck ----

// A duck seen from the front, rising from below the picture's bottom edge
// with a sign board on a pole. `sign` 0 to 2 chooses the board's face; `fall`
// from 0 (standing) to 1 (sunk out of sight, the board broken).
void SignDuck(const Canvas& c, int sign, double fall) {
  cairo_t* cr = c.cr();
  double w = c.width();
  double sink = fall * fall * 70;
  cairo_save(cr);
  cairo_translate(cr, 0, sink);
  // The board and its pole, tipping over as it falls.
  cairo_save(cr);
  cairo_translate(cr, w / 2, 62);
  cairo_rotate(cr, fall * 0.9);
  cairo_translate(cr, -w / 2, -62);
  cairo_rectangle(cr, w / 2 - 2.5, 30, 5, 50);
  c.FillInk(Hex(0x9A6A3C), 1.4);
  if (fall > 0) {
    // Broken board: two halves parting.
    for (int half = 0; half < 2; ++half) {
      cairo_save(cr);
      double dir = half ? 1 : -1;
      cairo_translate(cr, w / 2 + dir * fall * 10, 24 + fall * 14 * half);
      cairo_rotate(cr, dir * fall * 0.6);
      cairo_move_to(cr, 0, -20);
      cairo_line_to(cr, dir * 34, -20);
      cairo_line_to(cr, dir * 34, 18);
      cairo_line_to(cr, dir * 3, 18);
      cairo_line_to(cr, dir * 6, 8);
      cairo_line_to(cr, dir * 1, 0);
      cairo_line_to(cr, dir * 5, -10);
      cairo_close_path(cr);
      c.FillInk(Hex(0xE8D2A0), 1.6);
      cairo_restore(cr);
    }
  } else {
    c.RoundedRect(3.5, 3.5, w - 7, 42, 4);
    c.FillInk(Hex(0xF0DDB0), 1.8);
    c.RoundedRect(6.5, 6.5, w - 13, 36, 2.5);
    c.SetColour(Hex(0xC9A56A));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // Nails.
    for (double x : {9.0, w - 9})
      for (double y : {9.0, 40.0}) {
        c.Ellipse(x, y, 1, 1);
        c.SetColour(Hex(0x6E6A66));
        cairo_fill(cr);
      }
    if (sign == 0) {
      // A target.
      for (int ring = 0; ring < 4; ++ring) {
        c.Ellipse(w / 2, 24.5, 15 - ring * 4, 15 - ring * 4);
        c.SetColour(ring % 2 ? Hex(0xF4F0E4) : Hex(0xD8412E));
        cairo_fill_preserve(cr);
        c.SetColour(kInk);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
      }
    } else {
      const char* words = sign == 1 ? "+50" : "HIT ME";
      double size = sign == 1 ? 22 : 15;
      double tw = c.TextWidth(words, size, true);
      c.SetColour(sign == 1 ? Hex(0x2E8B3E) : Hex(0xC0392B));
      c.Text(words, (w - tw) / 2, 24.5 + size * 0.36, size, true);
    }
  }
  cairo_restore(cr);

  // The duck: body and the wings holding the pole, then the head.
  c.Ellipse(w / 2, 104, 25, 22);
  c.FillInk(Hex(0xC9C3B4), 1.8);
  c.Ellipse(w / 2, 94, 16, 10);
  c.SetColour(Hex(0x8A4E2C));
  cairo_fill(cr);
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, w / 2 + side * 20, 95);
    cairo_rotate(cr, side * (-0.5 - fall));
    c.Ellipse(0, -6, 6, 13);
    c.FillInk(Hex(0x9A8C78), 1.6);
    cairo_restore(cr);
  }
  double hx = w / 2, hy = 72;
  c.Ellipse(hx, hy, 15, 14);
  c.FillInk(Hex(0x1E7048), 1.8);
  c.Ellipse(hx - 6, hy - 7, 5, 3);
  c.SetColour(Hex(0x4FB07A));
  cairo_fill(cr);
  cairo_move_to(cr, hx - 14, hy + 11);
  cairo_curve_to(cr, hx - 6, hy + 15, hx + 6, hy + 15, hx + 14, hy + 11);
  c.SetColour(Hex(0xF4F1E8));
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  // Eyes: open and cheerful, or crossed out.
  for (int side = -1; side <= 1; side += 2) {
    double ex = hx + side * 6, ey = hy - 2;
    if (fall > 0) {
      c.SetColour(kInk);
      cairo_set_line_width(cr, 1.6);
      cairo_move_to(cr, ex - 2.5, ey - 2.5);
      cairo_line_to(cr, ex + 2.5, ey + 2.5);
      cairo_move_to(cr, ex + 2.5, ey - 2.5);
      cairo_line_to(cr, ex - 2.5, ey + 2.5);
      cairo_stroke(cr);
    } else {
      c.Ellipse(ex, ey, 4, 4.5);
      c.FillInk(Hex(0xFFFFFF), 1.2);
      c.Ellipse(ex + 0.8, ey + 0.6, 1.8, 2.2);
      c.SetColour(kInk);
      cairo_fill(cr);
    }
  }
  // Bill.
  cairo_move_to(cr, hx - 8, hy + 4);
  cairo_curve_to(cr, hx - 6, hy + 1, hx + 6, hy + 1, hx + 8, hy + 4);
  cairo_curve_to(cr, hx + 7, hy + (fall > 0 ? 11 : 8), hx - 7, hy + (fall > 0 ? 11 : 8), hx - 8,
                 hy + 4);
  cairo_close_path(cr);
  c.FillInk(Hex(0xF0C53A), 1.4);
  cairo_restore(cr);
  // Feathers knocked off by the hit.
  if (fall > 0) {
    Dice dice(71);
    for (int i = 0; i < 6; ++i) {
      double x = dice.In(10, w - 10), y = dice.In(20, 70) + fall * 25;
      c.Ellipse(x, y, 3.5, 1.4);
      c.FillInk(Hex(0xE4DFD2), 1.0);
    }
  }
}

// ---- Red birds ----

// A small red bird in flight, facing right or left; wing 1 up to -1 down.
void RedBird(const Canvas& c, bool right, double wing, bool dead = false) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, c.width() / 2.0, c.height() / 2.0 + 1);
  if (dead) cairo_rotate(cr, right ? 2.6 : -2.6);
  cairo_scale(cr, right ? 1 : -1, 1);
  Colour red = Hex(0xD8322A);
  auto flap = [&](double lift, Colour colour) {
    cairo_save(cr);
    cairo_translate(cr, -1, -1);
    cairo_scale(cr, 1, -(std::fabs(lift) < 0.15 ? (lift < 0 ? -0.15 : 0.15) : lift));
    cairo_move_to(cr, 2, 0);
    cairo_curve_to(cr, 2, 5, -2, 9, -6, 10);
    cairo_curve_to(cr, -6, 6, -6, 3, -5, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    c.FillInk(colour, 1.0);
  };
  flap(wing * 0.8, Darker(red, 0.3));
  // Tail.
  cairo_move_to(cr, -6, -1);
  cairo_line_to(cr, -12, -3);
  cairo_line_to(cr, -11, 2);
  cairo_close_path(cr);
  c.FillInk(Darker(red, 0.2), 1.0);
  c.Ellipse(-1, 0.5, 6.5, 4);
  c.FillInk(red, 1.1);
  c.Ellipse(5, -2, 3.6, 3.4);
  c.FillInk(red, 1.1);
  // Crest, black mask, beak, eye.
  cairo_move_to(cr, 3, -5);
  cairo_line_to(cr, 2.5, -8);
  cairo_line_to(cr, 5.5, -5.2);
  c.FillInk(red, 0.9);
  c.Ellipse(6.8, -1.6, 1.8, 1.5);
  c.SetColour(kInk);
  cairo_fill(cr);
  cairo_move_to(cr, 8.2, -2.8);
  cairo_line_to(cr, 11.5, -1.4);
  cairo_line_to(cr, 8.2, -0.2);
  cairo_close_path(cr);
  c.FillInk(Hex(0xF2A43A), 0.8);
  if (dead) {
    c.SetColour(Hex(0xFFFFFF));
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, 5, -3.4);
    cairo_line_to(cr, 7, -1.4);
    cairo_move_to(cr, 7, -3.4);
    cairo_line_to(cr, 5, -1.4);
    cairo_stroke(cr);
  } else {
    c.Ellipse(6.2, -2.4, 0.6, 0.6);
    c.SetColour(Hex(0xFFFFFF));
    cairo_fill(cr);
  }
  flap(wing, red);
  cairo_restore(cr);
}

// ---- The creeper: a snail on its slow way along the bank ----

void Snail(const Canvas& c) {
  cairo_t* cr = c.cr();
  // Foot and head, facing right, with its eye stalks.
  cairo_move_to(cr, 2, 26);
  cairo_curve_to(cr, 8, 23, 24, 23, 30, 21);
  cairo_curve_to(cr, 31, 15, 35, 13, 36, 17);
  cairo_curve_to(cr, 37, 22, 35, 26, 31, 27);
  cairo_close_path(cr);
  c.FillInk(Hex(0xB9C48A), 1.3);
  for (double dx : {0.0, 3.0}) {
    cairo_move_to(cr, 33 + dx * 0.3, 15);
    cairo_line_to(cr, 33 + dx, 8);
    c.SetColour(kInk);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    c.Ellipse(33 + dx, 7.5, 1.5, 1.5);
    c.FillInk(Hex(0xB9C48A), 0.8);
  }
  c.Ellipse(34.3, 17.5, 0.9, 0.9);
  c.SetColour(kInk);
  cairo_fill(cr);
  // Shell with its spiral.
  c.Ellipse(16, 15, 11, 10);
  c.FillInk(Hex(0xC9772F), 1.4);
  cairo_move_to(cr, 16, 15);
  for (double a = 0; a < 4.2 * kPi; a += 0.2) {
    double r = 0.75 * a;
    cairo_line_to(cr, 16 + r * std::cos(a) * 1.05, 15 + r * std::sin(a));
  }
  c.SetColour(Hex(0x7A3F1C));
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  c.Ellipse(12, 10, 3, 1.8);
  c.SetColour(Hex(0xE8A45C));
  cairo_fill(cr);
}

// ---- Pop-ups ----

// Text with a dark outline and a light fill, centred in the canvas.
void OutlinedText(const Canvas& c, const std::string& text, double size, Colour fill) {
  cairo_t* cr = c.cr();
  c.UseFont(size, true);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  double x = (c.width() - e.width) / 2 - e.x_bearing;
  double y = (c.height() - e.height) / 2 - e.y_bearing;
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text.c_str());
  c.SetColour(kInk);
  cairo_set_line_width(cr, 3.0);
  cairo_stroke_preserve(cr);
  c.SetColour(fill);
  cairo_fill(cr);
}

void Coin(const Canvas& c, Colour rim) {
  c.Ellipse(12, 12, 10.5, 10.5);
  c.FillInk(rim, 1.4);
  c.Ellipse(12, 12, 8, 8);
  c.SetColour(Lighter(rim, 0.35));
  cairo_fill(c.cr());
}

void ClockIcon(const Canvas& c) {
  cairo_t* cr = c.cr();
  for (int side = -1; side <= 1; side += 2) {
    c.Ellipse(12 + side * 7, 5, 3.5, 3.5);
    c.FillInk(Hex(0xE0B640), 1.2);
  }
  c.Ellipse(12, 13, 9.5, 9.5);
  c.FillInk(Hex(0xE0B640), 1.4);
  c.Ellipse(12, 13, 7.2, 7.2);
  c.FillInk(Hex(0xFBF6E8), 1.0);
  c.SetColour(kInk);
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 12, 13);
  cairo_line_to(cr, 12, 8);
  cairo_move_to(cr, 12, 13);
  cairo_line_to(cr, 15.5, 14.5);
  cairo_stroke(cr);
}

void RedBirdCoin(const Canvas& c) {
  Coin(c, Hex(0xB8462E));
  Canvas bird(18, 14);
  RedBird(bird, true, 0.6);
  cairo_set_source_surface(c.cr(), bird.surface(), 3, 5);
  cairo_paint(c.cr());
}

void DuckCoin(const Canvas& c) {
  cairo_t* cr = c.cr();
  Coin(c, Hex(0xD9A62E));
  // A duck's head in profile.
  c.Ellipse(11, 11, 4.5, 4.2);
  c.FillInk(Hex(0x1E7048), 1.0);
  cairo_move_to(cr, 14.5, 10);
  cairo_line_to(cr, 19, 11.5);
  cairo_line_to(cr, 14.5, 13);
  cairo_close_path(cr);
  c.FillInk(Hex(0xF0C53A), 0.9);
  cairo_rectangle(cr, 8.5, 15, 5, 4);
  c.FillInk(Hex(0x1E7048), 1.0);
  c.Ellipse(12, 10, 0.8, 0.8);
  c.SetColour(kInk);
  cairo_fill(cr);
}

double WingOfFive(int frame) { return std::cos(kPi * frame / 4.0); }

const bool registered = [] {
  RegisterFrames(313, 12, Mode::Keyed, FlutteringLeaf);
  RegisterFrames(341, 6, Mode::Keyed, LeafFallAway);
  for (int sign = 0; sign < 3; ++sign)
    RegisterPicture(304 + sign, Drawn([sign](Canvas& c) { SignDuck(c, sign, 0); }, Mode::Keyed));
  RegisterFrames(307, 6, Mode::Keyed, [](Canvas& c, int i) { SignDuck(c, 0, (i + 1) / 6.0); });
  RegisterFrames(330, 5, Mode::Keyed, [](Canvas& c, int i) { RedBird(c, false, WingOfFive(i)); });
  RegisterFrames(335, 5, Mode::Keyed, [](Canvas& c, int i) { RedBird(c, true, WingOfFive(i)); });
  RegisterPicture(340, Drawn([](Canvas& c) { RedBird(c, false, -0.6, true); }, Mode::Keyed));
  RegisterPicture(303, Drawn(Snail, Mode::Keyed));
  RegisterPicture(325, Drawn(ClockIcon, Mode::Keyed));
  RegisterPicture(326, Drawn(RedBirdCoin, Mode::Keyed));
  RegisterPicture(327, Drawn(DuckCoin, Mode::Keyed));
  RegisterPicture(347,
                  Drawn([](Canvas& c) { OutlinedText(c, "-50", 17, Hex(0xFF5A4A)); }, Mode::Keyed));
  RegisterPicture(348,
                  Drawn([](Canvas& c) { OutlinedText(c, "+1", 15, Hex(0xFFE27A)); }, Mode::Keyed));
  RegisterPicture(349,
                  Drawn([](Canvas& c) { OutlinedText(c, "+50", 17, Hex(0x8EE06A)); }, Mode::Keyed));
  return true;
}();

}  // namespace

}  // namespace tool
