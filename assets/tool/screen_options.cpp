// The options screen: its background with the title and the controls'
// labels, the two slider tracks and their thumb, the check boxes, OK and
// Cancel.
#include <string>

#include "assets/tool/screen_style.h"

namespace tool {

namespace {

// Player positions of the controls, from their frame-buffer places.
constexpr double kMusicY = 71, kSoundY = 110, kTrackX = 115, kTrackW = 184;
constexpr double kBoxY = 144, kEffectsX = 142, kAnimsX = 265;

void Label(const Canvas& c, const std::string& text, double right, double y, double h) {
  double size = 12;
  double w = c.TextWidth(text, size, true);
  OutlinedText(c, text, right - w, y + h / 2 + 4.5, size, kInk, kInk, 0);
}

void OptionsScreen(const Canvas& c) {
  LakeBackdrop(c, true);
  ScreenTitle(c, "OPTIONS", 12, 34, 24);
  PaperPanel(c, 8, 54, 304, 132);
  Label(c, "MUSIC", kTrackX - 8, kMusicY, 18);
  Label(c, "SOUND", kTrackX - 8, kSoundY, 18);
  Label(c, "EFFECTS", kEffectsX - 8, kBoxY, 26);
  Label(c, "ANIMATIONS", kAnimsX - 8, kBoxY, 26);
  // Soft grooves where the tracks lie, so that they sit in the paper.
  for (double y : {kMusicY, kSoundY}) {
    c.RoundedRect(kTrackX - 2, y - 2, kTrackW + 4, 22, 6);
    c.SetColour(Hex(0x000000, 0.08));
    cairo_fill(c.cr());
  }
}

// A slider track: a wedge that grows from quiet (left) to loud (right), with
// a note or a speaker at the loud end.
void Track(const Canvas& c, bool music) {
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height();
  cairo_move_to(cr, 4, h / 2 + 1.5);
  cairo_line_to(cr, w - 14, 3);
  cairo_line_to(cr, w - 14, h - 3);
  cairo_line_to(cr, 4, h / 2 + 2.5);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.76, 0.86);
  cairo_pattern_add_color_stop_rgb(p, 1, music ? 0.3 : 0.85, music ? 0.55 : 0.55,
                                   music ? 0.85 : 0.25);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  c.SetColour(kInk);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  double x = w - 8;
  if (music) {
    c.Ellipse(x - 2, h - 5, 3, 2.4);
    c.SetColour(kInk);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.3);
    cairo_move_to(cr, x + 0.8, h - 5);
    cairo_line_to(cr, x + 0.8, 2);
    cairo_line_to(cr, x + 4, 5);
    cairo_stroke(cr);
  } else {
    cairo_rectangle(cr, x - 5, h / 2 - 2.5, 3, 5);
    cairo_move_to(cr, x - 2, h / 2 - 2.5);
    cairo_line_to(cr, x + 2, h / 2 - 6);
    cairo_line_to(cr, x + 2, h / 2 + 6);
    cairo_line_to(cr, x - 2, h / 2 + 2.5);
    cairo_close_path(cr);
    c.SetColour(kInk);
    cairo_fill(cr);
  }
}

// The thumb: a round wooden knob with grip lines.
void Thumb(const Canvas& c, bool pressed) {
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height();
  c.RoundedRect(1, 1, w - 2, h - 2, 6);
  c.FillInk(pressed ? Lighter(kWood, 0.25) : kWood, 1.4);
  c.SetColour(Hex(0x000000, 0.3));
  cairo_set_line_width(cr, 1);
  for (double x : {w / 2 - 5, w / 2, w / 2 + 5}) {
    cairo_move_to(cr, x + 0.5, 5);
    cairo_line_to(cr, x + 0.5, h - 5);
  }
  cairo_stroke(cr);
  c.SetColour(Hex(0xFFFFFF, pressed ? 0.6 : 0.35));
  for (double x : {w / 2 - 4, w / 2 + 1, w / 2 + 6}) {
    cairo_move_to(cr, x + 0.5, 5);
    cairo_line_to(cr, x + 0.5, h - 5);
  }
  cairo_stroke(cr);
}

// A check box on the paper; ticked or empty.
void CheckBox(const Canvas& c, int fbY, bool ticked) {
  UnderPicture(c, 144, fbY, OptionsScreen);
  cairo_t* cr = c.cr();
  c.RoundedRect(3, 4, c.width() - 6, c.height() - 8, 3);
  c.FillInk(Hex(0xFFFFFF), 1.6);
  if (!ticked) return;
  cairo_move_to(cr, 6, 13);
  cairo_line_to(cr, 10.5, 19);
  cairo_line_to(cr, 20, 5);
  c.SetColour(Hex(0x2F8A3A));
  cairo_set_line_width(cr, 3.5);
  cairo_stroke(cr);
}

const bool registered = [] {
  RegisterPicture(370, Drawn(OptionsScreen, Mode::Opaque));
  RegisterScreenButton(371, 200, 140, "OK", OptionsScreen);
  RegisterScreenButton(373, 200, 14, "CANCEL", OptionsScreen);
  // One look serves both boxes; both stand on the same plain paper.
  RegisterPicture(375, Drawn([](Canvas& c) { CheckBox(c, 154, true); }, Mode::Opaque));
  RegisterPicture(376, Drawn([](Canvas& c) { CheckBox(c, 154, false); }, Mode::Opaque));
  RegisterPicture(377, Drawn([](Canvas& c) { Thumb(c, false); }, Mode::Keyed));
  RegisterPicture(378, Drawn([](Canvas& c) { Thumb(c, true); }, Mode::Keyed));
  RegisterPicture(379, Drawn([](Canvas& c) { Track(c, false); }, Mode::Keyed));
  RegisterPicture(380, Drawn([](Canvas& c) { Track(c, true); }, Mode::Keyed));
  return true;
}();

}  // namespace

}  // namespace tool
