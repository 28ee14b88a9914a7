// A drawing surface in the player's orientation: width and height are what
// the player sees. Thin helpers over Cairo for the style all pictures share:
// flat fills with a soft shade, and a dark ink outline.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace tool {

struct Colour {
  double r, g, b, a = 1.0;
};

// Colour from 0xRRGGBB.
Colour Hex(std::uint32_t rgb, double alpha = 1.0);
// Mixes a towards b by t (0 gives a).
Colour Mix(Colour a, Colour b, double t);
Colour Lighter(Colour c, double t);
Colour Darker(Colour c, double t);

// The ink of every outline, and the key colour of keyed pictures: the key is
// close to the ink, because a keyed blit mixes the key into one edge pixel.
extern const Colour kInk;
extern const std::uint16_t kKey565;

class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }

  // Premultiplied ARGB of pixel (x, y), after flushing pending drawing.
  std::uint32_t Pixel(int x, int y) const;

  void SetColour(Colour c) const;
  // Fills the current path, then strokes it with the ink at `ink` pixels.
  void FillInk(Colour fill, double ink = 1.0) const;
  void Ellipse(double cx, double cy, double rx, double ry) const;
  // Fills the current path with colours running from y0 to y1; each stop is
  // (offset 0 to 1, colour).
  void FillVertical(double y0, double y1,
                    std::initializer_list<std::pair<double, Colour>> stops) const;
  void RoundedRect(double x, double y, double w, double h, double r) const;

  // Text in DejaVu Sans (bold when asked), with its left end of the baseline
  // at (x, y); returns the advance width.
  double Text(const std::string& text, double x, double y, double size, bool bold) const;
  double TextWidth(const std::string& text, double size, bool bold) const;
  // Sets the DejaVu face as the current font.
  void UseFont(double size, bool bold) const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

}  // namespace tool
