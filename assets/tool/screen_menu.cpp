// The main menu: the lake behind a signpost of five boards, and the player's
// name board.
#include <string>

#include "assets/tool/play_style.h"
#include "assets/tool/screen_style.h"

namespace tool {

namespace {

// The menu's backdrop (picture 355): the lake, the game's name, a duck and
// the post that the boards hang on.
void MenuScreen(const Canvas& c) {
  LakeBackdrop(c, false);
  cairo_t* cr = c.cr();
  // The signpost's pole behind the boards, at the right edge.
  c.RoundedRect(296, 2, 14, 250, 3);
  c.FillInk(Hex(0x8A5A2E), 1.5);
  c.SetColour(Hex(0xFFFFFF, 0.2));
  cairo_rectangle(cr, 299, 4, 3, 248);
  cairo_fill(cr);
  ScreenTitle(c, "REEDSHOT", 12, 40, 25);
  OutlinedText(c, "A DUCK HUNT BY THE LAKE", 14, 56, 8.5, kCream, kInk, 2.5);
}

struct Board {
  int normal;  // pressed = normal + 1
  int fbX;
  int fbY;
  const char* label;
};

// Frame-buffer positions where the boards come to rest.
const Board kBoards[] = {{366, 11, 0, "NEW GAME"},
                         {358, 57, 0, "OPTIONS"},
                         {368, 103, 0, "SCORES"},
                         {362, 149, 0, "HELP"},
                         {360, 195, 0, "EXIT"}};

void Duck(const Canvas& c, double x, double y, double size, double wing) {
  Canvas duck(static_cast<int>(size * 1.1), static_cast<int>(size * 1.1));
  DrawFlyingDuck(duck, size, true, wing, 0.0);
  cairo_set_source_surface(c.cr(), duck.surface(), x, y);
  cairo_paint(c.cr());
}

void MenuWithDucks(const Canvas& c) {
  MenuScreen(c);
  Duck(c, 20, 74, 64, 0.8);
  Duck(c, 98, 98, 44, -0.4);
}

// The name board: wood around a plain paper label where the name is written.
void NameBoard(const Canvas& c, bool pressed) {
  UnderPicture(c, 195, 162, MenuWithDucks);
  WoodButton(c, 0, 0, c.width(), c.height(), "", pressed);
  double sink = pressed ? 1 : 0;
  c.RoundedRect(7 + sink, 7 + sink, c.width() - 16, c.height() - 16, 3);
  c.FillInk(pressed ? Darker(kPaper, 0.12) : kPaper, 1.2);
}

const bool registered = [] {
  RegisterPicture(355, Drawn(MenuWithDucks, Mode::Opaque));
  for (const Board& b : kBoards) {
    for (int pressed = 0; pressed < 2; ++pressed) {
      RegisterPicture(b.normal + pressed, Drawn(
                                              [b, pressed](Canvas& c) {
                                                UnderPicture(c, b.fbX, b.fbY, MenuWithDucks);
                                                WoodButton(c, 0, 0, c.width(), c.height(), b.label,
                                                           pressed == 1, 15,
                                                           ButtonShape::PointLeft);
                                              },
                                              Mode::Opaque));
    }
  }
  RegisterPicture(364, Drawn([](Canvas& c) { NameBoard(c, false); }, Mode::Opaque));
  RegisterPicture(365, Drawn([](Canvas& c) { NameBoard(c, true); }, Mode::Opaque));
  return true;
}();

}  // namespace

}  // namespace tool
