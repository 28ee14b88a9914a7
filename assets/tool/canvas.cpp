#include "assets/tool/canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>

namespace tool {

Colour Hex(std::uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Colour Lighter(Colour c, double t) { return Mix(c, {1, 1, 1, c.a}, t); }
Colour Darker(Colour c, double t) { return Mix(c, {0, 0, 0, c.a}, t); }

const Colour kInk = Hex(0x2B2233);
// 0x28 0x1C 0x30: one step of green away from the ink.
const std::uint16_t kKey565 = ((0x28 & 0xF8) << 8) | ((0x1C & 0xFC) << 3) | (0x30 >> 3);

namespace {

// The fonts come from the fonts-dejavu-core package, loaded by path so that
// no font configuration of the machine changes the pictures.
cairo_font_face_t* DejaVu(bool bold) {
  static FT_Library library = nullptr;
  static cairo_font_face_t* faces[2] = {nullptr, nullptr};
  cairo_font_face_t*& face = faces[bold ? 1 : 0];
  if (face) return face;
  if (!library && FT_Init_FreeType(&library) != 0) {
    std::fprintf(stderr, "asset tool: FreeType failed to start\n");
    std::exit(1);
  }
  const char* path = bold ? "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
                          : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  FT_Face ft = nullptr;
  if (FT_New_Face(library, path, 0, &ft) != 0) {
    std::fprintf(stderr, "asset tool: cannot load %s (install fonts-dejavu-core)\n", path);
    std::exit(1);
  }
  face = cairo_ft_font_face_create_for_ft_face(ft, 0);
  return face;
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

std::uint32_t Canvas::Pixel(int x, int y) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
}

void Canvas::SetColour(Colour c) const { cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a); }

void Canvas::FillInk(Colour fill, double ink) const {
  SetColour(fill);
  cairo_fill_preserve(cr_);
  SetColour(kInk);
  cairo_set_line_width(cr_, ink);
  cairo_stroke(cr_);
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry) const {
  cairo_save(cr_);
  cairo_translate(cr_, cx, cy);
  cairo_scale(cr_, rx, ry);
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, 0, 0, 1, 0, 2 * 3.14159265358979);
  cairo_close_path(cr_);
  cairo_restore(cr_);
}

void Canvas::FillVertical(double y0, double y1,
                          std::initializer_list<std::pair<double, Colour>> stops) const {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
  for (const auto& [offset, c] : stops)
    cairo_pattern_add_color_stop_rgba(g, offset, c.r, c.g, c.b, c.a);
  cairo_set_source(cr_, g);
  cairo_fill(cr_);
  cairo_pattern_destroy(g);
}

void Canvas::RoundedRect(double x, double y, double w, double h, double r) const {
  const double pi = 3.14159265358979;
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x + w - r, y + r, r, -pi / 2, 0);
  cairo_arc(cr_, x + w - r, y + h - r, r, 0, pi / 2);
  cairo_arc(cr_, x + r, y + h - r, r, pi / 2, pi);
  cairo_arc(cr_, x + r, y + r, r, pi, 3 * pi / 2);
  cairo_close_path(cr_);
}

void Canvas::UseFont(double size, bool bold) const {
  cairo_set_font_face(cr_, DejaVu(bold));
  cairo_set_font_size(cr_, size);
}

double Canvas::Text(const std::string& text, double x, double y, double size, bool bold) const {
  UseFont(size, bold);
  cairo_text_extents_t e;
  cairo_text_extents(cr_, text.c_str(), &e);
  cairo_move_to(cr_, x, y);
  cairo_show_text(cr_, text.c_str());
  return e.x_advance;
}

double Canvas::TextWidth(const std::string& text, double size, bool bold) const {
  UseFont(size, bold);
  cairo_text_extents_t e;
  cairo_text_extents(cr_, text.c_str(), &e);
  return e.x_advance;
}

}  // namespace tool
