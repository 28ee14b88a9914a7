// The name entry screen: a keyboard of 38 keys on paper under the name
// field. The background shows every key, the field and both buttons in their
// normal look; it is assembled from the keys' own pictures, so each key's
// normal picture matches it pixel for pixel in place.
#include <string>
#include <vector>

#include "assets/tool/screen_style.h"

namespace tool {

namespace {

struct Key {
  int id;  // normal picture; pressed = id + 1
  int fbX, fbY;
  std::string label;
};

std::vector<Key> Keys() {
  std::vector<Key> keys;
  keys.push_back({426, 200, 287, "0"});
  for (int k = 0; k < 9; ++k)
    keys.push_back({428 + 2 * k, 166, 287 - 34 * k, std::string(1, '1' + k)});
  for (int k = 0; k < 9; ++k)
    keys.push_back({446 + 2 * k, 59, 287 - 34 * k, std::string(1, 'A' + k)});
  for (int k = 0; k < 9; ++k)
    keys.push_back({464 + 2 * k, 93, 287 - 34 * k, std::string(1, 'J' + k)});
  for (int k = 0; k < 8; ++k)
    keys.push_back({482 + 2 * k, 127, 269 - 34 * k, std::string(1, 'S' + k)});
  keys.push_back({498, 200, 253, "space"});
  keys.push_back({500, 200, 219, "delete"});
  return keys;
}

void NameScreen(const Canvas& c) {
  LakeBackdrop(c, true);
  PaperPanel(c, 6, 48, 308, 186);
  // The field that shows the name, centred on the player's x 160.
  c.RoundedRect(40, 12, 240, 28, 5);
  c.FillInk(Hex(0xFFFFFF), 1.8);
  OutlinedText(c, "NAME", 8, 30, 9, kCream, kInk, 2.5);
}

void KeyCap(const Canvas& c, const Key& k, bool pressed) {
  UnderPicture(c, k.fbX, k.fbY, NameScreen);
  cairo_t* cr = c.cr();
  double s = pressed ? 1 : 0;
  c.RoundedRect(0.75 + s, 0.75 + s, 18.5 - s, 18.5 - s, 3.5);
  c.FillInk(pressed ? kWoodPressed : Lighter(kWood, 0.15), 1.3);
  if (!pressed) {
    c.SetColour(Hex(0xFFFFFF, 0.35));
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 4, 2.5);
    cairo_line_to(cr, 15, 2.5);
    cairo_stroke(cr);
  }
  Colour ink = pressed ? Hex(0xF0DDB8) : kCream;
  if (k.label == "space") {
    // An open bracket lying down: the sign of a space.
    cairo_move_to(cr, 5 + s, 9 + s);
    cairo_line_to(cr, 5 + s, 13 + s);
    cairo_line_to(cr, 15 + s, 13 + s);
    cairo_line_to(cr, 15 + s, 9 + s);
    InkedLine(c, ink, 1.6, 1.9);
  } else if (k.label == "delete") {
    // An arrow pointing back.
    cairo_move_to(cr, 15 + s, 10 + s);
    cairo_line_to(cr, 6 + s, 10 + s);
    cairo_move_to(cr, 9 + s, 6.5 + s);
    cairo_line_to(cr, 5.5 + s, 10 + s);
    cairo_line_to(cr, 9 + s, 13.5 + s);
    InkedLine(c, ink, 1.6, 1.9);
  } else {
    CentredText(c, k.label, s, s, 19, 19, 12, ink, kInk, 2.2);
  }
}

Pixels Background(const PictureContext& context) {
  Pixels p = Drawn(NameScreen, Mode::Opaque)(context);
  for (const Key& k : Keys()) PastePixels(p, MakePicture(k.id), k.fbX, k.fbY);
  PastePixels(p, MakePicture(422), 203, 27);
  PastePixels(p, MakePicture(424), 203, 86);
  return p;
}

const bool registered = [] {
  for (const Key& k : Keys()) {
    for (int pressed = 0; pressed < 2; ++pressed)
      RegisterPicture(k.id + pressed,
                      Drawn([k, pressed](Canvas& c) { KeyCap(c, k, pressed == 1); }, Mode::Opaque));
  }
  RegisterScreenButton(422, 203, 27, "OK", NameScreen);
  RegisterScreenButton(424, 203, 86, "CANCEL", NameScreen);
  RegisterPicture(502, Background);
  return true;
}();

}  // namespace

}  // namespace tool
