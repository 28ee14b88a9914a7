// The pause menu's panel with its five buttons in their normal look, and
// each button's pressed picture, which the menu copies over the panel.
#include <string>

#include "assets/tool/screen_style.h"

namespace tool {

namespace {

struct Item {
  int pressedId;  // the pressed picture; normal = pressedId - 1
  int fbX;        // frame-buffer x on the screen; the panel stands at x 70
  const char* label;
};

const Item kItems[] = {{524, 86, "OPTIONS"},
                       {528, 114, "SCORES"},
                       {522, 146, "HELP"},
                       {520, 174, "EXIT"},
                       {526, 203, "RESUME"}};

constexpr int kPanelX = 70, kPanelY = 220, kButtonY = 226;

// The panel, 100 x 170 for the player; a button at frame-buffer (x, 226)
// lies at (6, x - 70) within it.
void Panel(const Canvas& c) {
  c.RoundedRect(1.5, 1.5, c.width() - 3, c.height() - 3, 8);
  c.FillInk(kPaper, 2);
  CentredText(c, "PAUSE", 4, 3, c.width() - 8, 12, 10, kInk, kInk, 0);
  for (const Item& item : kItems)
    WoodButton(c, 6, item.fbX - kPanelX, 88, 24, item.label, false, 12);
}

const bool registered = [] {
  RegisterPicture(518, Drawn(Panel, Mode::Keyed));
  for (const Item& item : kItems) {
    RegisterPicture(item.pressedId - 1,
                    Drawn(
                        [item](Canvas& c) {
                          UnderPicture(c, item.fbX - kPanelX, kButtonY - kPanelY, Panel, 100);
                          WoodButton(c, 0, 0, c.width(), c.height(), item.label, false, 12);
                        },
                        Mode::Opaque));
    RegisterPicture(item.pressedId,
                    Drawn(
                        [item](Canvas& c) {
                          UnderPicture(c, item.fbX - kPanelX, kButtonY - kPanelY, Panel, 100);
                          WoodButton(c, 0, 0, c.width(), c.height(), item.label, true, 12);
                        },
                        Mode::Opaque));
  }
  return true;
}();

}  // namespace

}  // namespace tool
