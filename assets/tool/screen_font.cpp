// The screens' picture font (picture 503): one strip, 18 pixels tall for
// the player, with the glyphs side by side from its left end. The strip's
// top row carries the markers: its first pixel is the background sample, the
// second the marker sample, and a marker pixel stands above the first column
// of every following glyph. Letters are dark ink with a cream rim so that
// they read on paper and on darker wood alike; everything else is the key.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/tool/convert.h"
#include "assets/tool/screen_style.h"

namespace tool {

namespace {

constexpr int kFontId = 503;
constexpr double kSize = 13.0;
constexpr double kBaseline = 14.0;
constexpr double kRim = 2.2;
constexpr int kBlankWidth = 10;

// Glyph order of the strip; a 10-column blank follows as the last glyph.
const std::vector<std::string>& Glyphs() {
  static const std::vector<std::string> glyphs = [] {
    std::vector<std::string> g;
    for (char ch = '0'; ch <= '9'; ++ch) g.emplace_back(1, ch);
    for (const char* s : {":", ";", ".", "%", "\"", "(", ")"}) g.emplace_back(s);
    for (char ch = 'A'; ch <= 'Z'; ++ch) g.emplace_back(1, ch);
    return g;
  }();
  return glyphs;
}

// Column widths of the glyphs (the blank last): the letter's advance and
// room for its rim.
std::vector<int> Widths(const Canvas& c) {
  std::vector<int> widths;
  for (const std::string& g : Glyphs())
    widths.push_back(static_cast<int>(std::ceil(c.TextWidth(g, kSize, true) + kRim)));
  widths.push_back(kBlankWidth);
  return widths;
}

Pixels MakeFont(const PictureContext& context) {
  Canvas canvas(context.height, context.width);  // the player's view: 554 x 18
  std::vector<int> widths = Widths(canvas);
  int x = 0;
  for (size_t i = 0; i < Glyphs().size(); ++i) {
    double advance = canvas.TextWidth(Glyphs()[i], kSize, true);
    double left = x + (widths[i] - advance) / 2.0;
    OutlinedText(canvas, Glyphs()[i], left, kBaseline, kSize, kCream, kCream, kRim);
    OutlinedText(canvas, Glyphs()[i], left, kBaseline, kSize, kInk, kInk, 0);
    x += widths[i];
  }
  // Nothing may touch the marker row.
  cairo_set_operator(canvas.cr(), CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(canvas.cr(), 0, 0, canvas.width(), 1);
  cairo_fill(canvas.cr());
  cairo_set_operator(canvas.cr(), CAIRO_OPERATOR_OVER);

  Pixels p = Convert(canvas, context.width, context.height, true, Mode::Keyed);
  // Frame-buffer column 0 is the player's top row; distance d from the
  // strip's bottom is frame-buffer row height - 1 - d.
  const std::uint16_t marker = To565(255, 0, 0);
  auto column0 = [&](int distance) -> std::uint16_t& {
    return p.rgb565[static_cast<std::size_t>(context.height - 1 - distance) * context.width];
  };
  column0(0) = kKey565;
  column0(1) = marker;
  int distance = 0;
  int total = 0;
  for (int w : widths) total += w;
  if (total > context.height - 2) {
    std::fprintf(stderr, "asset tool: the screen font needs %d rows, has %d\n", total + 2,
                 context.height);
    std::exit(1);
  }
  for (int w : widths) {
    distance += w;
    column0(distance) = marker;  // ends this glyph
  }
  return p;
}

const bool registered = [] {
  RegisterPicture(kFontId, MakeFont);
  return true;
}();

}  // namespace

}  // namespace tool
