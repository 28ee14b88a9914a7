// What play shows on top of the lake: the shell indicator with its Reload
// sign, the menu icon, the game's picture font, and the loading and
// game-over pictures.
#include <cmath>
#include <string>

#include "assets/tool/canvas.h"
#include "assets/tool/convert.h"
#include "assets/tool/play_style.h"
#include "assets/tool/registry.h"

namespace tool {

namespace {

// ---- Shells ----

// One cartridge standing with its brass base at the bottom, or the faint
// outline of a spent one.
void Cartridge(const Canvas& c, double x, double top, double bottom, bool loaded) {
  cairo_t* cr = c.cr();
  const double w = 10;
  auto hull = [&] { c.RoundedRect(x + 0.5, top + 0.5, w, bottom - top - 6, 2.5); };
  if (!loaded) {
    hull();
    c.SetColour(Hex(0x6A6570));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return;
  }
  hull();
  c.FillInk(Hex(0xC8302A), 1.3);
  cairo_rectangle(cr, x + 2.5, top + 3, 2, bottom - top - 11);
  c.SetColour(Hex(0xF07A62));
  cairo_fill(cr);
  cairo_rectangle(cr, x + 0.5, bottom - 6.5, w, 6);
  c.FillInk(Hex(0xD9A441), 1.3);
  cairo_rectangle(cr, x + 2, bottom - 5, w - 3, 1.5);
  c.SetColour(Hex(0xF6DB8A));
  cairo_fill(cr);
}

// `loaded` of seven shells in a row; the spent ones go from the left.
void ShellRow(const Canvas& c, int loaded) {
  for (int i = 0; i < 7; ++i) Cartridge(c, 3 + i * 13, 2, 24, i >= 7 - loaded);
}

void ReloadSign(const Canvas& c, bool lit) {
  cairo_t* cr = c.cr();
  c.RoundedRect(2.5, 2.5, c.width() - 5, c.height() - 5, 5);
  c.FillInk(lit ? Hex(0xF4C542) : Hex(0xC0392B), 1.8);
  c.RoundedRect(4.5, 4.5, c.width() - 9, c.height() - 9, 3.5);
  c.SetColour(lit ? Hex(0xFFF0A8) : Hex(0xE06050));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  const char* word = "RELOAD";
  double size = 15;
  double tw = c.TextWidth(word, size, true);
  c.SetColour(lit ? Hex(0x8A1E16) : Hex(0xFFF8EC));
  c.Text(word, (c.width() - tw) / 2, c.height() / 2 + size * 0.36, size, true);
}

// ---- The menu icon ----

void MenuIcon(const Canvas& c) {
  cairo_t* cr = c.cr();
  c.RoundedRect(1.5, 1.5, 13, 13, 3);
  c.FillInk(Hex(0x2E5A7A), 1.3);
  c.SetColour(Hex(0xF4F0E4));
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(cr, 4.5, 4.5 + i * 3, 7, 1.5);
    cairo_fill(cr);
  }
}

// ---- The game's picture font ----

// The glyphs in strip order: digits from 0, the colon, the signs the font
// code maps (semicolon, full stop, percent, quote, parentheses), the
// letters A to X, and the blank last.
const char* const kGlyphs[] = {"0", "1", "2", "3",  "4", "5", "6", "7", "8", "9", ":",
                               ";", ".", "%", "\"", "(", ")", "A", "B", "C", "D", "E",
                               "F", "G", "H", "I",  "J", "K", "L", "M", "N", "O", "P",
                               "Q", "R", "S", "T",  "U", "V", "W", "X", " "};
constexpr int kGlyphCount = sizeof(kGlyphs) / sizeof(kGlyphs[0]);
constexpr double kFontSize = 19;
constexpr int kBlankWidth = 8;

// Width of each glyph's cell along the strip (the player's x); digits all
// take the widest digit's cell, so that numbers keep their place.
std::vector<int> GlyphWidths(const Canvas& c) {
  std::vector<int> widths;
  int digit = 0;
  for (int i = 0; i < kGlyphCount; ++i) {
    std::string g = kGlyphs[i];
    if (g == " ") {
      widths.push_back(kBlankWidth);
      continue;
    }
    c.UseFont(kFontSize, true);
    cairo_text_extents_t e;
    cairo_text_extents(c.cr(), g.c_str(), &e);
    int w = static_cast<int>(std::ceil(e.width)) + 4;
    if (i < 10) digit = std::max(digit, w);
    widths.push_back(w);
  }
  for (int i = 0; i < 10; ++i) widths[i] = digit;
  return widths;
}

// The strip as the player would read it: glyph 0 at the left, each glyph
// white with a dark outline, the top row left free for the markers.
void DrawGameFont(const Canvas& c) {
  cairo_t* cr = c.cr();
  std::vector<int> widths = GlyphWidths(c);
  double x = 0;
  for (int i = 0; i < kGlyphCount; ++i) {
    std::string g = kGlyphs[i];
    if (g != " ") {
      c.UseFont(kFontSize, true);
      cairo_text_extents_t e;
      cairo_text_extents(cr, g.c_str(), &e);
      double gx = x + (widths[i] - e.width) / 2 - e.x_bearing;
      cairo_move_to(cr, std::round(gx), 17.5);
      cairo_text_path(cr, g.c_str());
      c.SetColour(kInk);
      cairo_set_line_width(cr, 3.0);
      cairo_stroke_preserve(cr);
      c.SetColour(Hex(0xFFFBEF));
      cairo_fill(cr);
    }
    x += widths[i];
  }
}

constexpr std::uint16_t kMarker = 0xF800;

// The strip in the frame buffer: column 0 is the background except for the
// marker sample in the next-to-last row and one marker at the start of each
// glyph after the first (its distance from the bottom row).
Pixels GameFont(const PictureContext& context) {
  Canvas canvas(context.height, context.width);
  DrawGameFont(canvas);
  Pixels strip = Convert(canvas, context.width, context.height, true, Mode::Keyed);
  std::uint16_t background = strip.rgb565[0];
  int h = context.height;
  for (int y = 0; y < h; ++y)
    strip.rgb565[static_cast<std::size_t>(y) * context.width] = background;
  strip.rgb565[static_cast<std::size_t>(h - 2) * context.width] = kMarker;
  std::vector<int> widths = GlyphWidths(canvas);
  int distance = 0;
  for (int width : widths) {
    distance += width;
    strip.rgb565[static_cast<std::size_t>(h - 1 - distance) * context.width] = kMarker;
  }
  return strip;
}

// ---- Loading and game over ----

void SmallDuck(const Canvas& c, double x, double y, double size, bool right) {
  Canvas duck(static_cast<int>(size), static_cast<int>(size));
  DrawFlyingDuck(duck, size * 0.95, right, 0.9, 0);
  cairo_set_source_surface(c.cr(), duck.surface(), x, y);
  cairo_paint(c.cr());
}

void Loading(const Canvas& c) {
  c.RoundedRect(2.5, 6.5, c.width() - 5, c.height() - 13, 9);
  c.FillInk(Hex(0xF3E6C4), 2.2);
  c.RoundedRect(6.5, 10.5, c.width() - 13, c.height() - 21, 6);
  c.SetColour(Hex(0xC9A56A));
  cairo_set_line_width(c.cr(), 1.0);
  cairo_stroke(c.cr());
  SmallDuck(c, 8, 8, 42, true);
  c.SetColour(Hex(0x3A2E40));
  c.Text("Loading...", 56, c.height() / 2 + 8, 22, true);
}

void GameOver(const Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, c.width(), c.height());
  c.FillVertical(0, c.height(), {{0, Hex(0x2F6F8C)}, {1, Hex(0x173F55)}});
  c.RoundedRect(3.5, 3.5, c.width() - 7, c.height() - 7, 6);
  c.SetColour(Hex(0xE8C25A));
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  c.RoundedRect(7.5, 7.5, c.width() - 15, c.height() - 15, 4);
  c.SetColour(Hex(0x8FC3D6, 0.6));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  SmallDuck(c, 9, 15, 38, true);
  SmallDuck(c, c.width() - 47, 15, 38, false);
  c.UseFont(23, true);
  cairo_text_extents_t e;
  cairo_text_extents(cr, "GAME OVER", &e);
  cairo_move_to(cr, (c.width() - e.width) / 2 - e.x_bearing, c.height() / 2 + 10);
  cairo_text_path(cr, "GAME OVER");
  c.SetColour(kInk);
  cairo_set_line_width(cr, 4.0);
  cairo_stroke_preserve(cr);
  c.SetColour(Hex(0xFFF3C4));
  cairo_fill(cr);
}

const bool registered = [] {
  for (int k = 0; k < 7; ++k)
    RegisterPicture(244 + k, Drawn([k](Canvas& c) { ShellRow(c, 7 - k); }, Mode::Keyed));
  RegisterPicture(251, Drawn([](Canvas& c) { ReloadSign(c, false); }, Mode::Keyed));
  RegisterPicture(252, Drawn([](Canvas& c) { ReloadSign(c, true); }, Mode::Keyed));
  RegisterPicture(269, Drawn(MenuIcon, Mode::Keyed));
  RegisterPicture(255, GameFont);
  RegisterPicture(581, Drawn(Loading, Mode::Keyed));
  RegisterPicture(510, Drawn(GameOver, Mode::Opaque));
  return true;
}();

}  // namespace

}  // namespace tool
