// The high-score screen: the ruled paper the table is written on, its
// buttons, the tick of the newest entry, and the confirmation panel.
#include <string>

#include "assets/tool/screen_style.h"

namespace tool {

namespace {

void ScoresScreen(const Canvas& c) {
  cairo_t* cr = c.cr();
  LakeBackdrop(c, true);
  ScreenTitle(c, "HIGH SCORES", 12, 34, 24);
  PaperPanel(c, 8, 50, 304, 140);
  // Rules under the column titles and between the rows (rows are 18 high
  // from y 81).
  c.SetColour(Hex(0x2B2233, 0.5));
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 16, 78.5);
  cairo_line_to(cr, 304, 78.5);
  cairo_stroke(cr);
  c.SetColour(Hex(0x7FA6C8, 0.45));
  for (int r = 1; r < 6; ++r) {
    cairo_move_to(cr, 16, 80.5 + 18 * r);
    cairo_line_to(cr, 304, 80.5 + 18 * r);
  }
  cairo_stroke(cr);
}

// The tick beside the newest entry.
void Tick(const Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 3, 10);
  cairo_line_to(cr, 8, 16);
  cairo_line_to(cr, 17, 3);
  InkedLine(c, Hex(0x35A845), 3);
}

// The confirmation panel (532): the question and its two answers. Its
// frame-buffer place is (69, 75); the answers lie at (137, 190) and
// (137, 84), i.e. (13, 68) and (73, 68) for the player within the panel.
void ConfirmPanel(const Canvas& c) {
  c.RoundedRect(1.5, 1.5, c.width() - 3, c.height() - 3, 8);
  c.FillInk(kPaper, 2);
  CentredText(c, "DELETE ALL", 6, 10, c.width() - 12, 20, 14, kInk, kInk, 0);
  CentredText(c, "HIGH SCORES?", 6, 32, c.width() - 12, 20, 14, kInk, kInk, 0);
  WoodButton(c, 13, 68, 40, 24, "OK", false, 12);
  WoodButton(c, 73, 68, 86, 24, "CANCEL", false, 12);
}

void PressedAnswer(const Canvas& c, int fbX, int fbY, const std::string& label) {
  UnderPicture(c, fbX - 69, fbY - 75, ConfirmPanel, 168);
  WoodButton(c, 0, 0, c.width(), c.height(), label, true, 12);
}

const bool registered = [] {
  RegisterPicture(398, Drawn(ScoresScreen, Mode::Opaque));
  RegisterScreenButton(392, 200, 13, "OK", ScoresScreen);
  RegisterScreenButton(394, 200, 70, "RESET", ScoresScreen);
  RegisterScreenButton(396, 200, 174, "STATS", ScoresScreen);
  RegisterScreenButton(504, 200, 174, "SCORES", ScoresScreen);
  RegisterPicture(506, Drawn(Tick, Mode::Keyed));
  RegisterPicture(532, Drawn(ConfirmPanel, Mode::Keyed));
  RegisterPicture(533, Drawn([](Canvas& c) { PressedAnswer(c, 137, 190, "OK"); }, Mode::Opaque));
  RegisterPicture(534, Drawn([](Canvas& c) { PressedAnswer(c, 137, 84, "CANCEL"); }, Mode::Opaque));
  return true;
}();

}  // namespace

}  // namespace tool
