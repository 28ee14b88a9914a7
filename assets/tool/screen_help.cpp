// Help: the book's background and buttons, its six pages, the about card,
// and the credit lines that roll over black.
#include <cmath>
#include <string>
#include <vector>

#include "assets/tool/screen_style.h"

namespace tool {

namespace {

void HelpScreen(const Canvas& c) {
  cairo_t* cr = c.cr();
  LakeBackdrop(c, true);
  ScreenTitle(c, "HOW TO PLAY", 12, 34, 24);
  // A board that the pages rest on (pages: x 42 to 258, y 62 to 180).
  c.RoundedRect(36, 56, 228, 130, 7);
  c.FillInk(Hex(0x8A5A2E), 1.5);
  c.SetColour(Hex(0x000000, 0.3));
  cairo_rectangle(cr, 42, 62, 216, 118);
  cairo_fill(cr);
}

// A wooden button with two chevrons pointing up (previous) or down (next).
void ArrowButton(const Canvas& c, int fbX, bool up, bool pressed) {
  UnderPicture(c, fbX, 19, HelpScreen);
  WoodButton(c, 0, 0, c.width(), c.height(), "", pressed);
  cairo_t* cr = c.cr();
  double s = pressed ? 1 : 0;
  double cx = c.width() / 2.0 - 0.5 + s;
  for (int k = 0; k < 2; ++k) {
    double y = 13 + 12 * k + s;
    double d = up ? -4 : 4;
    cairo_move_to(cr, cx - 5, y - d / 2);
    cairo_line_to(cr, cx, y + d / 2);
    cairo_line_to(cr, cx + 5, y - d / 2);
  }
  InkedLine(c, pressed ? Hex(0xF0DDB8) : kCream, 2);
}

// Page text: dark bold lines on the paper.
void Line(const Canvas& c, const std::string& text, double x, double y, double size = 9) {
  OutlinedText(c, text, x, y, size, kInk, kInk, 0);
}

void Page(const Canvas& c, const std::string& title, int number) {
  c.SetColour(kPaper);
  cairo_paint(c.cr());
  c.SetColour(Hex(0x2B2233, 0.35));
  cairo_set_line_width(c.cr(), 1);
  cairo_move_to(c.cr(), 6, 19.5);
  cairo_line_to(c.cr(), c.width() - 6, 19.5);
  cairo_stroke(c.cr());
  OutlinedText(c, title, 7, 15, 11, Hex(0x8A4A1E), Hex(0x8A4A1E), 0);
  std::string n = std::to_string(number) + " / 6";
  Line(c, n, c.width() - 8 - c.TextWidth(n, 8, true), 14, 8);
}

// A row of the scoring table: a picture, what it is, and what it gives.
void ScoreRow(const Canvas& c, int picture, double scale, double y, const std::string& what,
              const std::string& gives) {
  PaintPicture(c, picture, 8, y - 11, scale);
  Line(c, what, 44, y + 3, 8.5);
  double w = c.TextWidth(gives, 9, true);
  OutlinedText(c, gives, c.width() - 8 - w, y + 3, 9, Hex(0x1F5E9E), Hex(0x1F5E9E), 0);
}

void Page1(const Canvas& c) {
  Page(c, "SHOOTING", 1);
  PaintPicture(c, 166, 150, 30, 0.9);
  Line(c, "TAP A DUCK TO SHOOT IT.", 8, 36);
  Line(c, "EVERY SHOT USES ONE", 8, 50);
  Line(c, "OF YOUR SEVEN SHELLS,", 8, 62);
  Line(c, "HIT OR MISS.", 8, 74);
  Line(c, "SHOOT AS MANY DUCKS AS YOU", 8, 92);
  Line(c, "CAN IN THREE MINUTES.", 8, 104);
}

void Page2(const Canvas& c) {
  Page(c, "RELOADING", 2);
  PaintPicture(c, 251, 146, 55, 0.6);
  Line(c, "WHEN THE GUN IS EMPTY,", 8, 36);
  Line(c, "THE SHELLS BLINK RELOAD.", 8, 48);
  Line(c, "TAP THE SHELLS AT THE", 8, 64);
  Line(c, "BOTTOM RIGHT, OR PRESS", 8, 76);
  Line(c, "THE RELOAD KEY (3, SPACE", 8, 88);
  Line(c, "OR THE RIGHT MOUSE BUTTON).", 8, 100);
  Line(c, "A TAP ON AN EMPTY GUN ONLY CLICKS.", 8, 113, 8);
}

void Page3(const Canvas& c) {
  Page(c, "SCROLLING", 3);
  cairo_t* cr = c.cr();
  // Two arrow keys.
  for (int k = 0; k < 2; ++k) {
    double x = 150 + 30 * k;
    c.RoundedRect(x, 30, 24, 24, 4);
    c.FillInk(Lighter(kWood, 0.15), 1.3);
    double d = k == 0 ? -5 : 5;
    cairo_move_to(cr, x + 12 - d, 35);
    cairo_line_to(cr, x + 12 + d, 42);
    cairo_line_to(cr, x + 12 - d, 49);
    c.SetColour(kCream);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
  }
  Line(c, "THE LAKE IS THREE", 8, 36);
  Line(c, "SCREENS WIDE.", 8, 48);
  Line(c, "PRESS LEFT OR RIGHT ON", 8, 66);
  Line(c, "THE DIRECTION PAD (THE ARROW", 8, 78);
  Line(c, "KEYS) TO LOOK ALONG THE SHORE.", 8, 90);
  Line(c, "DUCKS FLY THE WHOLE LENGTH OF IT.", 8, 106, 8);
}

void Page4(const Canvas& c) {
  Page(c, "SCORING", 4);
  ScoreRow(c, 166, 0.34, 32, "NEAR DUCK", "10");
  ScoreRow(c, 203, 0.5, 50, "FAR DUCK", "25");
  ScoreRow(c, 304, 0.2, 68, "DUCK WITH A SIGN", "+50");
  ScoreRow(c, 332, 0.8, 86, "RED BIRD: SPARE IT", "-50");
  ScoreRow(c, 303, 0.55, 104, "CREEPER ON THE BANK", "-50");
}

void Page5(const Canvas& c) {
  Page(c, "LEAVES", 5);
  ScoreRow(c, 313, 0.8, 32, "FALLING LEAF", "+1");
  ScoreRow(c, 325, 0.8, 50, "CLOCK LEAF", "+30 S");
  ScoreRow(c, 326, 0.8, 68, "RED-BIRD COIN", "-30 S");
  ScoreRow(c, 327, 0.8, 86, "DUCK COIN: A FLOCK", "V");
  Line(c, "LEAVES FALL WHILE EFFECTS ARE ON.", 8, 110, 8);
}

void Page6(const Canvas& c) {
  Page(c, "SECRETS AND PAUSE", 6);
  PaintPicture(c, 302, 186, 30, 2.0);
  Line(c, "A FLOWER HIDES IN THE BUSHES", 8, 36);
  Line(c, "NEAR THE HUT. FIND IT!", 8, 48);
  PaintPicture(c, 269, 8, 66, 1.3);
  Line(c, "TAP THE MENU CORNER AT THE", 32, 70);
  Line(c, "BOTTOM LEFT TO PAUSE. FROM", 32, 82);
  Line(c, "THERE: RESUME, OPTIONS,", 32, 94);
  Line(c, "SCORES, HELP OR EXIT.", 32, 106);
}

void About(const Canvas& c) {
  c.RoundedRect(1.5, 1.5, c.width() - 3, c.height() - 3, 8);
  c.FillInk(kPaper, 2);
  CentredText(c, "REEDSHOT", 6, 8, c.width() - 12, 26, 22, kTitle, kInk, 3);
  CentredText(c, "A DUCK HUNT BY THE LAKE", 6, 36, c.width() - 12, 14, 9, kInk, kInk, 0);
  const char* lines[] = {
      "SEVEN SHELLS, THREE MINUTES,", "AS MANY DUCKS AS YOU CAN.", "",
      "ITS PICTURES AND SOUNDS ARE",  "MADE BY ITS OWN TOOLS.",    "TAP TO GO BACK."};
  for (int i = 0; i < 6; ++i)
    CentredText(c, lines[i], 6, 58 + 14 * i, c.width() - 12, 12, 8.5, kInk, kInk, 0);
}

// The credit lines, in the order they roll; each starts at the player's
// x 0 of its picture.
struct Credit {
  int id;
  const char* text;
  bool heading;
};

const Credit kCredits[] = {
    {407, "REEDSHOT", true},
    {408, "A DUCK HUNT BY THE LAKE", false},
    {409, "THE REEDSHOT PROJECT", false},
    {410, "GAME CODE", true},
    {411, "THE PROJECT'S DEVELOPERS", false},
    {412, "PICTURES, SOUNDS", true},
    {413, "DRAWN AND SYNTHESISED IN CODE", false},
    {415, "BUILT WITH FREE SOFTWARE", true},
    {416, "SDL2, CAIRO, SQLITE", false},
    {417, "FREETYPE AND THE DEJAVU FONTS", false},
    {418, "GCC, CMAKE, GOOGLETEST", false},
    {419, "THANK YOU FOR PLAYING", true},
    {420, "SEE YOU AT THE LAKE", false},
};

void CreditLine(const Canvas& c, const Credit& k) {
  double size = FitSize(c, k.text, 12, c.width() - 4);
  c.UseFont(size, true);
  cairo_text_extents_t e;
  cairo_text_extents(c.cr(), k.text, &e);
  double y = (c.height() - e.height) / 2 - e.y_bearing;
  OutlinedText(c, k.text, 1, std::round(y), size, k.heading ? kTitle : kCream, kInk, 0);
}

// A credit line is drawn keyed while it fades and copied whole while it is
// solid, over black: so its background is black, and black is its key.
PictureMaker CreditPicture(const Credit& k) {
  PictureMaker keyed = Drawn([k](Canvas& c) { CreditLine(c, k); }, Mode::Keyed);
  return [keyed](const PictureContext& context) {
    Pixels p = keyed(context);
    for (std::uint16_t& v : p.rgb565)
      if (v == kKey565) v = 0;
    return p;
  };
}

void CreditsLogo(const Canvas& c) {
  c.RoundedRect(1, 2, c.width() - 3, c.height() - 4, 5);
  c.FillInk(kWood, 1.4);
  CentredText(c, "REEDSHOT", 2, 2, c.width() - 4, c.height() - 4, 14, kTitle, kInk, 2.5);
}

const bool registered = [] {
  RegisterPicture(383, Drawn(HelpScreen, Mode::Opaque));
  RegisterScreenButton(390, 200, 14, "OK", HelpScreen);
  RegisterScreenButton(386, 200, 72, "CREDITS", HelpScreen);
  RegisterScreenButton(399, 200, 214, "ABOUT", HelpScreen);
  for (int pressed = 0; pressed < 2; ++pressed) {
    RegisterPicture(
        384 + pressed,
        Drawn([pressed](Canvas& c) { ArrowButton(c, 22, true, pressed == 1); }, Mode::Opaque));
    RegisterPicture(
        388 + pressed,
        Drawn([pressed](Canvas& c) { ArrowButton(c, 137, false, pressed == 1); }, Mode::Opaque));
  }
  RegisterPicture(401, Drawn(Page1, Mode::Opaque));
  RegisterPicture(402, Drawn(Page2, Mode::Opaque));
  RegisterPicture(403, Drawn(Page3, Mode::Opaque));
  RegisterPicture(404, Drawn(Page4, Mode::Opaque));
  RegisterPicture(405, Drawn(Page5, Mode::Opaque));
  RegisterPicture(406, Drawn(Page6, Mode::Opaque));
  RegisterPicture(509, Drawn(About, Mode::Opaque));
  for (const Credit& k : kCredits) RegisterPicture(k.id, CreditPicture(k));
  RegisterPicture(421, Drawn(CreditsLogo, Mode::Keyed));
  return true;
}();

}  // namespace

}  // namespace tool
