#include "assets/tool/screen_style.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/tool/convert.h"

namespace tool {

namespace {

constexpr double kPi = 3.14159265358979;

// A small fixed sequence for scattering reeds and ripples.
class Scatter {
 public:
  explicit Scatter(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }

 private:
  std::uint32_t state_;
};

void Gradient(const Canvas& c, double y0, double y1, Colour top, Colour bottom, double x, double y,
              double w, double h) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_rectangle(c.cr(), x, y, w, h);
  cairo_set_source(c.cr(), p);
  cairo_fill(c.cr());
  cairo_pattern_destroy(p);
}

void Cloud(const Canvas& c, double x, double y, double s) {
  c.SetColour(Hex(0xFFFFFF, 0.85));
  c.Ellipse(x, y, 16 * s, 6 * s);
  cairo_fill(c.cr());
  c.Ellipse(x - 9 * s, y + 1 * s, 9 * s, 5 * s);
  cairo_fill(c.cr());
  c.Ellipse(x + 4 * s, y - 4 * s, 9 * s, 6 * s);
  cairo_fill(c.cr());
}

// One clump of reeds standing on the water line at x, `height` tall.
void Reeds(const Canvas& c, double x, double base, double height, Scatter& r) {
  cairo_t* cr = c.cr();
  int blades = 5 + static_cast<int>(r.Next() * 4);
  for (int i = 0; i < blades; ++i) {
    double bx = x + (r.Next() - 0.5) * 16;
    double h = height * (0.6 + 0.4 * r.Next());
    double lean = (r.Next() - 0.5) * 18;
    Colour g = Mix(kReed, Hex(0x8DB04A), r.Next() * 0.7);
    cairo_move_to(cr, bx - 2, base);
    cairo_curve_to(cr, bx - 1, base - h * 0.5, bx + lean * 0.6, base - h * 0.8, bx + lean,
                   base - h);
    cairo_curve_to(cr, bx + lean * 0.5, base - h * 0.7, bx + 2, base - h * 0.4, bx + 2, base);
    cairo_close_path(cr);
    c.FillInk(g, 0.8);
  }
  // Cattails: a brown head on a thin stem.
  int tails = 1 + static_cast<int>(r.Next() * 2);
  for (int i = 0; i < tails; ++i) {
    double bx = x + (r.Next() - 0.5) * 10;
    double h = height * (0.75 + 0.35 * r.Next());
    c.SetColour(Darker(kReed, 0.2));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, bx, base);
    cairo_line_to(cr, bx + 1, base - h);
    cairo_stroke(cr);
    c.RoundedRect(bx - 2.2, base - h + 3, 5.4, height * 0.22, 2.5);
    c.FillInk(Hex(0x7A4A2A), 0.8);
  }
}

}  // namespace

void LakeBackdrop(const Canvas& c, bool calm) {
  cairo_t* cr = c.cr();
  const double w = 320, h = 240;  // always the whole screen
  const double shore = h * 0.5;
  Gradient(c, 0, shore, Hex(0x7CC0E6), Hex(0xE9F2E0), 0, 0, w, shore + 1);
  // The morning sun's glow.
  cairo_pattern_t* sun =
      cairo_pattern_create_radial(w * 0.78, shore * 0.45, 4, w * 0.78, shore * 0.45, 70);
  cairo_pattern_add_color_stop_rgba(sun, 0, 1, 0.97, 0.8, 0.9);
  cairo_pattern_add_color_stop_rgba(sun, 1, 1, 0.97, 0.8, 0.0);
  cairo_set_source(cr, sun);
  cairo_rectangle(cr, 0, 0, w, shore);
  cairo_fill(cr);
  cairo_pattern_destroy(sun);
  Cloud(c, w * 0.22, shore * 0.3, 1.2);
  Cloud(c, w * 0.55, shore * 0.18, 0.8);
  Cloud(c, w * 0.9, shore * 0.62, 0.7);

  // The far shore: hazy hills, then a darker line of trees.
  cairo_move_to(cr, 0, shore);
  for (double x = 0; x <= w; x += 8)
    cairo_line_to(cr, x, shore - 14 - 10 * std::sin(x / 47.0) - 6 * std::sin(x / 19.0 + 1));
  cairo_line_to(cr, w, shore);
  cairo_close_path(cr);
  c.SetColour(Hex(0x9DBFA6));
  cairo_fill(cr);
  Scatter trees(7);
  cairo_move_to(cr, 0, shore + 1);
  for (double x = 0; x <= w + 6; x += 6)
    cairo_line_to(cr, x, shore - 3 - 5 * trees.Next() - 3 * std::sin(x / 13.0));
  cairo_line_to(cr, w, shore + 1);
  cairo_close_path(cr);
  c.SetColour(Hex(0x5F8F6A));
  cairo_fill(cr);

  // The lake, lighter towards the far shore, with strokes of reflected sky.
  Gradient(c, shore, h, Hex(0x8CC3DC), kWater, 0, shore, w, h - shore);
  Scatter ripples(11);
  for (int i = 0; i < 26; ++i) {
    double y = shore + 4 + (h - shore - 8) * ripples.Next();
    double x = w * ripples.Next();
    double len = 8 + 18 * ripples.Next() * (y - shore) / (h - shore);
    c.SetColour(Hex(0xE4F3FA, 0.55));
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + len, y);
    cairo_stroke(cr);
  }

  // Reeds along the near bank, thicker at the sides.
  Scatter r(23);
  for (double x = -4; x < w + 8; x += 9 + 7 * r.Next()) {
    double edge = std::min(x, w - x) / (w / 2);  // 0 at the sides, 1 in the middle
    if (calm && edge > 0.35) continue;
    double height = 28 + 40 * (1 - edge) * (0.6 + 0.4 * r.Next());
    Reeds(c, x, h + 2, height, r);
  }
}

void InkedLine(const Canvas& c, Colour colour, double width, double rim) {
  c.SetColour(kInk);
  cairo_set_line_width(c.cr(), width + rim);
  cairo_stroke_preserve(c.cr());
  c.SetColour(colour);
  cairo_set_line_width(c.cr(), width);
  cairo_stroke(c.cr());
}

void PaperPanel(const Canvas& c, double x, double y, double w, double h) {
  c.SetColour(Hex(0x000000, 0.25));
  c.RoundedRect(x + 3, y + 3, w, h, 6);
  cairo_fill(c.cr());
  c.RoundedRect(x, y, w, h, 6);
  c.FillInk(kPaper, 1.5);
  c.SetColour(Hex(0xFFFFFF, 0.35));
  cairo_set_line_width(c.cr(), 1.0);
  c.RoundedRect(x + 3, y + 3, w - 6, h - 6, 4);
  cairo_stroke(c.cr());
}

void OutlinedText(const Canvas& c, const std::string& text, double x, double y, double size,
                  Colour fill, Colour outline, double outlineWidth) {
  cairo_t* cr = c.cr();
  c.UseFont(size, true);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text.c_str());
  if (outlineWidth > 0) {
    c.SetColour(outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_stroke_preserve(cr);
  }
  c.SetColour(fill);
  cairo_fill(cr);
}

double FitSize(const Canvas& c, const std::string& text, double size, double width) {
  while (size > 6 && c.TextWidth(text, size, true) > width) size -= 0.5;
  return size;
}

void CentredText(const Canvas& c, const std::string& text, double x, double y, double w, double h,
                 double size, Colour fill, Colour outline, double outlineWidth) {
  size = FitSize(c, text, size, w - 2 * outlineWidth - 2);
  c.UseFont(size, true);
  cairo_text_extents_t e;
  cairo_text_extents(c.cr(), text.c_str(), &e);
  double tx = x + (w - e.width) / 2 - e.x_bearing;
  double ty = y + (h - e.height) / 2 - e.y_bearing;
  OutlinedText(c, text, std::round(tx), std::round(ty), size, fill, outline, outlineWidth);
}

void ScreenTitle(const Canvas& c, const std::string& text, double x, double y, double size) {
  OutlinedText(c, text, x + 2, y + 2, size, Hex(0x000000, 0.3), Hex(0x000000, 0.3), 3);
  OutlinedText(c, text, x, y, size, kTitle, kInk, 3);
  OutlinedText(c, text, x, y, size, kTitle, kInk, 0);
}

namespace {

void ButtonPath(const Canvas& c, double x, double y, double w, double h, double r,
                ButtonShape shape) {
  if (shape == ButtonShape::Rounded) {
    c.RoundedRect(x, y, w, h, r);
    return;
  }
  // A signpost board: pointed at the left, running off the right edge.
  cairo_t* cr = c.cr();
  cairo_move_to(cr, x, y + h / 2);
  cairo_line_to(cr, x + h * 0.45, y);
  cairo_line_to(cr, x + w + 4, y);
  cairo_line_to(cr, x + w + 4, y + h);
  cairo_line_to(cr, x + h * 0.45, y + h);
  cairo_close_path(cr);
}

}  // namespace

void WoodButton(const Canvas& c, double x, double y, double w, double h, const std::string& label,
                bool pressed, double size, ButtonShape shape) {
  cairo_t* cr = c.cr();
  double r = std::min(6.0, h / 3);
  double sink = pressed ? 1 : 0;
  if (!pressed) {
    c.SetColour(Hex(0x000000, 0.3));
    ButtonPath(c, x + 1.5, y + 1.5, w - 1.5, h - 1.5, r, shape);
    cairo_fill(cr);
  }
  double bw = w - 1.5, bh = h - 1.5;
  ButtonPath(c, x + 0.75 + sink, y + 0.75 + sink, bw - sink, bh - sink, r, shape);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  Colour top = pressed ? Darker(kWoodPressed, 0.1) : Lighter(kWood, 0.3);
  Colour bottom = pressed ? kWoodPressed : Darker(kWood, 0.15);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  c.SetColour(kInk);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  // A few grain lines, and a bright top edge on a raised button.
  c.SetColour(Hex(0x5A3515, 0.25));
  cairo_set_line_width(cr, 1.0);
  for (double gy = y + h * 0.3; gy < y + h - 3; gy += h * 0.28) {
    cairo_move_to(cr, x + 4 + sink, gy + sink);
    cairo_curve_to(cr, x + w * 0.4, gy - 1 + sink, x + w * 0.6, gy + 1 + sink, x + w - 5,
                   gy + sink);
  }
  cairo_stroke(cr);
  if (!pressed) {
    c.SetColour(Hex(0xFFFFFF, 0.35));
    cairo_move_to(cr, x + r, y + 2.5);
    cairo_line_to(cr, x + w - r - 2, y + 2.5);
    cairo_stroke(cr);
  }
  double inset = shape == ButtonShape::PointLeft ? h * 0.3 : 0;
  CentredText(c, label, x + sink + inset, y + sink, w - 1.5 - inset, h - 1.5, size,
              pressed ? Hex(0xF0DDB8) : kCream, kInk, 2.5);
}

void UnderPicture(const Canvas& c, int fbX, int fbY, const ScreenDraw& screen, int parentHeight) {
  // A picture of frame-buffer size fw x fh at (fbX, fbY) shows to the player
  // at (parentHeight - fbY - fh, fbX), c.width() = fh wide.
  double px = parentHeight - fbY - c.width();
  double py = fbX;
  cairo_save(c.cr());
  cairo_translate(c.cr(), -px, -py);
  screen(c);
  cairo_restore(c.cr());
}

void RegisterScreenButton(int id, int fbX, int fbY, const std::string& label, ScreenDraw screen,
                          double size, int parentHeight) {
  for (int pressed = 0; pressed < 2; ++pressed) {
    RegisterPicture(id + pressed, Drawn(
                                      [=](Canvas& c) {
                                        UnderPicture(c, fbX, fbY, screen, parentHeight);
                                        WoodButton(c, 0, 0, c.width(), c.height(), label,
                                                   pressed == 1, size);
                                      },
                                      Mode::Opaque));
  }
}

void PaintPicture(const Canvas& c, int id, double x, double y, double scale) {
  if (!FindPicture(id) || !FindPictureContext(id)) return;
  Pixels p = MakePicture(id);
  const PictureContext* context = FindPictureContext(id);
  bool turned = context && context->turned;
  int pw = turned ? p.height : p.width;
  int ph = turned ? p.width : p.height;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  std::uint16_t key = p.rgb565[0];
  bool keyed = key == kKey565;
  for (int fy = 0; fy < p.height; ++fy) {
    for (int fx = 0; fx < p.width; ++fx) {
      int px = fx, py = fy;
      if (turned) PlayerPixelOf(fx, fy, p.height, &px, &py);
      std::uint16_t v = p.rgb565[static_cast<std::size_t>(fy) * p.width + fx];
      std::uint32_t argb = 0;
      if (!(keyed && v == key)) {
        int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
        argb = 0xFF000000u | static_cast<std::uint32_t>((r * 255 / 31) << 16) |
               static_cast<std::uint32_t>((g * 255 / 63) << 8) |
               static_cast<std::uint32_t>(b * 255 / 31);
      }
      *reinterpret_cast<std::uint32_t*>(data + py * stride + px * 4) = argb;
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

void PastePixels(Pixels& into, const Pixels& from, int x, int y) {
  for (int fy = 0; fy < from.height; ++fy) {
    for (int fx = 0; fx < from.width; ++fx) {
      int tx = x + fx, ty = y + fy;
      if (tx < 0 || ty < 0 || tx >= into.width || ty >= into.height) continue;
      into.rgb565[static_cast<std::size_t>(ty) * into.width + tx] =
          from.rgb565[static_cast<std::size_t>(fy) * from.width + fx];
    }
  }
}

}  // namespace tool
