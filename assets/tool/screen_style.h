// Colours and shapes shared by the pictures of the screens: the lakeside
// backdrop, paper panels, wooden buttons and outlined lettering. Everything
// is drawn in the player's orientation (320 x 240 for a full screen).
#pragma once

#include <functional>
#include <string>

#include "assets/tool/canvas.h"
#include "assets/tool/registry.h"

namespace tool {

inline const Colour kCream = Hex(0xFFF4D8);
inline const Colour kPaper = Hex(0xF4E8C8);
inline const Colour kWood = Hex(0xB9783A);
inline const Colour kWoodPressed = Hex(0x87542A);
inline const Colour kReed = Hex(0x4E7A36);
inline const Colour kWater = Hex(0x3F86AE);
inline const Colour kTitle = Hex(0xFFD66B);

// A full screen's backdrop: morning sky, far shore, the lake and reeds at
// the edges. `calm` leaves the middle quieter for text.
void LakeBackdrop(const Canvas& c, bool calm);

// Strokes the current path as a coloured line with an ink rim (the ink
// `rim` pixels wider), and clears the path.
void InkedLine(const Canvas& c, Colour colour, double width, double rim = 2.0);

// A sheet of paper with an ink edge and a soft shadow.
void PaperPanel(const Canvas& c, double x, double y, double w, double h);

// Text with its left baseline end at (x, y), filled and outlined.
void OutlinedText(const Canvas& c, const std::string& text, double x, double y, double size,
                  Colour fill, Colour outline, double outlineWidth);
// The largest size up to `size` at which the bold text fits `width`.
double FitSize(const Canvas& c, const std::string& text, double size, double width);
// Bold text centred in a box, shrunk to fit.
void CentredText(const Canvas& c, const std::string& text, double x, double y, double w, double h,
                 double size, Colour fill, Colour outline, double outlineWidth);
// A screen's title: gold letters with an ink outline and a drop shadow.
void ScreenTitle(const Canvas& c, const std::string& text, double x, double y, double size);

// A wooden button filling (x, y, w, h) with its label; pressed buttons are
// darker and sunk by a pixel.
enum class ButtonShape { Rounded, PointLeft };
void WoodButton(const Canvas& c, double x, double y, double w, double h, const std::string& label,
                bool pressed, double size = 13.0, ButtonShape shape = ButtonShape::Rounded);

// Draws something of a whole screen (player orientation, 320 x 240).
using ScreenDraw = std::function<void(const Canvas&)>;

// Draws the part of a full screen that lies under a picture placed at
// frame-buffer (fbX, fbY) of the current canvas's size, so that a button's
// corners carry exactly the backdrop around it.
// `parentHeight` is the frame-buffer height of what lies under it (a full
// screen's 320 unless the picture sits on a smaller panel).
void UnderPicture(const Canvas& c, int fbX, int fbY, const ScreenDraw& screen,
                  int parentHeight = 320);

// Registers an opaque button pair (normal id, pressed id = id + 1) placed at
// frame-buffer (fbX, fbY) over the given screen.
void RegisterScreenButton(int id, int fbX, int fbY, const std::string& label, ScreenDraw screen,
                          double size = 13.0, int parentHeight = 320);

// Paints a registered picture (as the player sees it; its key colour left
// out) into a canvas with its top-left at (x, y), scaled. A picture that has
// no maker yet is left out.
void PaintPicture(const Canvas& c, int id, double x, double y, double scale = 1.0);

// Copies frame-buffer pixels into a larger picture at frame-buffer (x, y).
void PastePixels(Pixels& into, const Pixels& from, int x, int y);

}  // namespace tool
