// The foreground of the lake (hut, tree, bush, reeds) and the pictures cut
// from the panorama: the three background tiles, the scenery pieces and the
// hidden flower.
#include <cmath>
#include <cstdint>

#include "assets/scenery_pieces.h"
#include "assets/tool/convert.h"
#include "assets/tool/play_lake.h"
#include "assets/tool/registry.h"

namespace tool {

namespace {

constexpr double kPi = 3.14159265358979;

using Piece = assets::SceneryPiece;
constexpr const auto& kPieces = assets::kSceneryPieces;

constexpr Piece kFlower = assets::kHiddenFlower;

// Clips to the union of the pieces' rectangles in player coordinates, so
// that nothing of the foreground falls outside the pictures cut from it.
void ClipToPieces(cairo_t* cr) {
  for (const Piece& p : kPieces)
    cairo_rectangle(cr, kWorldLength - p.y - p.height, p.x, p.height, p.width);
  cairo_clip(cr);
}

void InkPath(const Canvas& c, Colour fill, double ink = 1.2) { c.FillInk(fill, ink); }

// ---- The hut on the left bank ----

void Hut(const Canvas& c) {
  cairo_t* cr = c.cr();
  // Chimney behind the roof.
  cairo_rectangle(cr, 13.5, 92.5, 11, 22);
  InkPath(c, Hex(0x9E5638));
  cairo_rectangle(cr, 12.5, 91.5, 13, 4);
  InkPath(c, Hex(0x7C3F2A));

  // Walls of vertical planks.
  cairo_rectangle(cr, -2, 128.5, 97.5, 49);
  InkPath(c, Hex(0x93613A));
  cairo_set_line_width(cr, 1.0);
  for (double x = 7.5; x < 95; x += 8) {
    c.SetColour(Hex(0x6E4428));
    cairo_move_to(cr, x, 131);
    cairo_line_to(cr, x, 177);
    cairo_stroke(cr);
    c.SetColour(Hex(0xAE7A4C));
    cairo_move_to(cr, x + 1, 131);
    cairo_line_to(cr, x + 1, 177);
    cairo_stroke(cr);
  }
  // Window with a warm light.
  cairo_rectangle(cr, 16.5, 141.5, 18, 15);
  InkPath(c, Hex(0xF4D47A));
  cairo_set_line_width(cr, 1.0);
  c.SetColour(Hex(0x5A3A24));
  cairo_move_to(cr, 25.5, 142);
  cairo_line_to(cr, 25.5, 156);
  cairo_move_to(cr, 17, 149.5);
  cairo_line_to(cr, 34, 149.5);
  cairo_stroke(cr);
  // Door.
  cairo_rectangle(cr, 58.5, 145.5, 18, 32);
  InkPath(c, Hex(0x5C3A22));
  c.Ellipse(73, 162, 1.2, 1.2);
  c.SetColour(Hex(0xE8C25A));
  cairo_fill(cr);

  // Thatched roof sloping to the porch.
  auto roof = [cr] {
    cairo_move_to(cr, -4, 108.5);
    cairo_line_to(cr, 88, 108.5);
    cairo_line_to(cr, 110.5, 126.5);
    cairo_line_to(cr, 104, 131.5);
    cairo_line_to(cr, -4, 133.5);
    cairo_close_path(cr);
  };
  roof();
  InkPath(c, Hex(0xC29A52));
  cairo_save(cr);
  roof();
  cairo_clip(cr);
  Dice dice(31);
  cairo_set_line_width(cr, 1.0);
  for (int i = 0; i < 70; ++i) {
    double x = dice.In(-4, 108);
    double y = dice.In(110, 132);
    c.SetColour(dice.Next() < 0.5 ? Hex(0x9C7636) : Hex(0xDDBB70));
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 3, y + 4);
    cairo_stroke(cr);
  }
  c.SetColour(Hex(0x8A6530));
  cairo_move_to(cr, -4, 131);
  cairo_line_to(cr, 104, 129);
  cairo_stroke(cr);
  cairo_restore(cr);

  // The porch: a lean-to roof on two posts, a barrel and the oars.
  cairo_rectangle(cr, 101.5, 133, 3, 44.5);
  InkPath(c, Hex(0x7A4E2E), 1.0);
  cairo_rectangle(cr, 123.5, 135, 3, 42.5);
  InkPath(c, Hex(0x7A4E2E), 1.0);
  cairo_move_to(cr, 95, 129.5);
  cairo_line_to(cr, 129, 134.5);
  cairo_line_to(cr, 128.5, 138.5);
  cairo_line_to(cr, 95, 134.5);
  cairo_close_path(cr);
  InkPath(c, Hex(0xA9783F), 1.0);
  // Oars leaning on the wall.
  cairo_set_line_width(cr, 2.0);
  c.SetColour(Hex(0x6E4A2C));
  cairo_move_to(cr, 86, 140);
  cairo_line_to(cr, 93, 176);
  cairo_stroke(cr);
  c.Ellipse(93.5, 172, 2.2, 5);
  InkPath(c, Hex(0xB98552), 1.0);
  // Barrel.
  c.RoundedRect(106.5, 158.5, 14, 19, 3);
  InkPath(c, Hex(0x9A6434));
  cairo_set_line_width(cr, 1.0);
  c.SetColour(kInk);
  cairo_move_to(cr, 107, 163.5);
  cairo_line_to(cr, 120, 163.5);
  cairo_move_to(cr, 107, 172.5);
  cairo_line_to(cr, 120, 172.5);
  cairo_stroke(cr);
  // A lantern under the eaves.
  cairo_move_to(cr, 104.5, 124);
  cairo_line_to(cr, 104.5, 118);
  c.SetColour(kInk);
  cairo_stroke(cr);
  c.RoundedRect(101.5, 112.5, 6, 7, 1.5);
  InkPath(c, Hex(0xF6DB7E), 1.0);
}

// ---- The tree on the right bank ----

// A mass of leaves made of round clumps {x, y, radius}: one ink outline
// around the whole, each clump shaded from its lit top left, and flecks of
// single leaves.
void Foliage(const Canvas& c, const double (*clumps)[3], int n, Colour base, unsigned seed) {
  cairo_t* cr = c.cr();
  for (int i = 0; i < n; ++i)
    c.Ellipse(clumps[i][0], clumps[i][1], clumps[i][2] + 0.7, clumps[i][2] + 0.7);
  c.SetColour(kInk);
  cairo_fill(cr);
  cairo_save(cr);
  for (int i = 0; i < n; ++i)
    c.Ellipse(clumps[i][0], clumps[i][1], clumps[i][2] - 0.5, clumps[i][2] - 0.5);
  cairo_clip(cr);
  c.SetColour(Darker(base, 0.25));
  cairo_paint(cr);
  for (int i = 0; i < n; ++i) {
    const double* k = clumps[i];
    c.Ellipse(k[0] - k[2] * 0.08, k[1] - k[2] * 0.1, k[2] * 0.9, k[2] * 0.85);
    c.SetColour(base);
    cairo_fill(cr);
  }
  // Tufts of leaves: small round bunches, lighter towards the light (top
  // left of each clump), darker in its shade.
  Dice dice(seed);
  for (int i = 0; i < n; ++i) {
    const double* k = clumps[i];
    int tufts = static_cast<int>(k[2] * 1.4);
    for (int j = 0; j < tufts; ++j) {
      double a = dice.In(0, 2 * kPi), r = std::sqrt(dice.Next()) * k[2] * 0.85;
      double x = k[0] + r * std::cos(a), y = k[1] + r * std::sin(a);
      double light = -(std::cos(a) + std::sin(a)) * r / k[2];  // -1.4 shade to 1.4 lit
      double size = k[2] * dice.In(0.16, 0.26);
      c.Ellipse(x, y, size, size * 0.85);
      Colour sunlit = Hex(0x8DC454);
      c.SetColour(light > 0.2 ? Mix(base, sunlit, 0.25 + 0.3 * light)
                              : Darker(base, std::max(0.0, -0.12 * light)));
      cairo_fill(cr);
      c.Ellipse(x - size * 0.3, y - size * 0.35, size * 0.35, size * 0.28);
      c.SetColour(Mix(base, Hex(0xB4DD74), light > 0 ? 0.75 : 0.3));
      cairo_fill(cr);
    }
  }
  for (int i = 0; i < n * 9; ++i) {
    const double* k = clumps[i % n];
    double a = dice.In(0, 2 * kPi), r = dice.In(0.3, 0.95) * k[2];
    double x = k[0] + r * std::cos(a), y = k[1] + r * std::sin(a);
    bool lit = std::sin(a) < 0 && std::cos(a) < 0.3;
    c.SetColour(lit ? Lighter(base, 0.5) : Darker(base, 0.35));
    cairo_rectangle(cr, std::floor(x), std::floor(y), 2, 1);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void Tree(const Canvas& c) {
  cairo_t* cr = c.cr();
  // Trunk with a fork into the crown.
  cairo_move_to(cr, 901.5, 178);
  cairo_curve_to(cr, 902.5, 160, 902, 140, 899, 118);
  cairo_line_to(cr, 914, 118);
  cairo_curve_to(cr, 911, 140, 910, 160, 910.5, 178);
  cairo_close_path(cr);
  InkPath(c, Hex(0x7A5434));
  cairo_set_line_width(cr, 1.0);
  c.SetColour(Hex(0x5A3C24));
  cairo_move_to(cr, 905, 170);
  cairo_curve_to(cr, 905, 155, 906, 140, 905, 128);
  cairo_stroke(cr);

  // Crown of overlapping clumps, dark ones first.
  static const double clumps[][3] = {{886, 95, 20},  {912, 78, 20},  {930, 88, 19},
                                     {884, 84, 13},  {924, 72, 14},  {905, 107, 18},
                                     {885, 110, 14}, {928, 106, 12}, {908, 93, 16}};
  Foliage(c, clumps, sizeof(clumps) / sizeof(clumps[0]), Hex(0x3E7A3C), 41);
}

// ---- The flowering bush on the headland ----

void Bush(const Canvas& c) {
  cairo_t* cr = c.cr();
  static const double clumps[][3] = {{305, 160, 16}, {344, 181, 19}, {350, 148, 19},
                                     {376, 147, 18}, {385, 180, 17}, {410, 170, 19},
                                     {316, 169, 9},  {363, 166, 16}, {398, 160, 14}};
  Foliage(c, clumps, sizeof(clumps) / sizeof(clumps[0]), Hex(0x3B733A), 43);
  cairo_save(cr);
  for (const auto& k : clumps) c.Ellipse(k[0], k[1], k[2], k[2]);
  cairo_clip(cr);
  // Blossom clusters.
  Dice dice(43);
  for (int i = 0; i < 16; ++i) {
    const auto& k = clumps[i % 9];
    double a = dice.In(0, 2 * kPi), r = dice.In(0, k[2] * 0.7);
    double x = k[0] + r * std::cos(a), y = k[1] + r * std::sin(a) * 0.8;
    for (int j = 0; j < 4; ++j) {
      c.Ellipse(x + (j % 2) * 2 - 1, y + (j / 2) * 2 - 1, 1.2, 1.2);
      c.SetColour(Hex(0xFBF4E4));
      cairo_fill(cr);
    }
    c.Ellipse(x, y, 0.7, 0.7);
    c.SetColour(Hex(0xF0C84A));
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// ---- Reeds and a stone in the water ----

void Reeds(const Canvas& c, double x0, double x1, double top, double bottom, int blades, int heads,
           unsigned seed) {
  cairo_t* cr = c.cr();
  Dice dice(seed);
  for (int i = 0; i < blades; ++i) {
    double x = dice.In(x0 + 3, x1 - 3);
    double h = dice.In(0.55, 1.0) * (bottom - top);
    double lean = dice.In(-0.35, 0.35) * h;
    double w = dice.In(1.6, 2.6);
    cairo_move_to(cr, x - w, bottom + 2);
    cairo_curve_to(cr, x - w * 0.6, bottom - h * 0.5, x + lean * 0.5, bottom - h * 0.8, x + lean,
                   bottom - h);
    cairo_curve_to(cr, x + lean * 0.5 + w * 0.4, bottom - h * 0.8, x + w * 0.6, bottom - h * 0.5,
                   x + w, bottom + 2);
    cairo_close_path(cr);
    InkPath(c, Mix(Hex(0x5E9A3E), Hex(0xA9C85A), dice.Next()), 0.9);
  }
  for (int i = 0; i < heads; ++i) {
    double x = x0 + (x1 - x0) * (i + 0.5) / heads + dice.In(-2, 2);
    double h = dice.In(0.75, 1.0) * (bottom - top);
    cairo_move_to(cr, x, bottom + 2);
    cairo_line_to(cr, x, bottom - h + 2);
    c.SetColour(Hex(0x5B7F35));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    c.RoundedRect(x - 2, bottom - h + 5, 4, std::min(10.0, h * 0.3), 2);
    InkPath(c, Hex(0x7B4A2A), 0.9);
  }
  // Where the reeds meet the water.
  cairo_set_line_width(cr, 1.0);
  c.SetColour(Hex(0xCFE8EE, 0.8));
  cairo_move_to(cr, x0 + 1, bottom - 0.5);
  cairo_line_to(cr, x1 - 1, bottom - 0.5);
  cairo_stroke(cr);
}

void Stone(const Canvas& c, double x, double y) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, x + 1, y + 11);
  cairo_curve_to(cr, x + 1, y + 4, x + 4, y + 1.5, x + 7, y + 1.5);
  cairo_curve_to(cr, x + 10, y + 1.5, x + 12.5, y + 4, x + 12.5, y + 11);
  cairo_close_path(cr);
  InkPath(c, Hex(0x8E9294));
  c.Ellipse(x + 5, y + 5, 2, 1.4);
  c.SetColour(Hex(0xC4C8CA));
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.0);
  c.SetColour(Hex(0xD6ECF0));
  cairo_move_to(cr, x, y + 11.5);
  cairo_line_to(cr, x + 13.5, y + 11.5);
  cairo_stroke(cr);
}

// ---- Pictures cut from the panorama ----

double Alpha(std::uint32_t argb) { return ((argb >> 24) & 0xFF) / 255.0; }

std::uint16_t Opaque565(std::uint32_t argb) {
  return To565(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
               static_cast<int>(argb & 0xFF));
}

// A scenery piece: what the foreground covers is the finished picture
// (foreground over backdrop), everything else the key.
Pixels CutPiece(const Piece& piece) {
  const Panorama& p = ThePanorama();
  Pixels out;
  out.width = piece.width;
  out.height = piece.height;
  out.rgb565.resize(static_cast<std::size_t>(piece.width) * piece.height);
  for (int y = 0; y < piece.height; ++y) {
    for (int x = 0; x < piece.width; ++x) {
      int px = kWorldLength - 1 - (piece.y + y), py = piece.x + x;
      std::uint16_t v = kKey565;
      if (Alpha(p.front.Pixel(px, py)) >= 0.3) {
        v = Opaque565(p.full.Pixel(px, py));
        if (v == kKey565) v ^= 1;
      }
      out.rgb565[static_cast<std::size_t>(y) * piece.width + x] = v;
    }
  }
  out.rgb565[0] = kKey565;
  out.keyed = true;
  return out;
}

// A background tile: a third of the panorama, with every scenery piece put
// on it the way the game's keyed blit leaves it after drawing the piece, so
// that drawing a piece over its tile changes no pixel: the blit mixes the
// key into the pixel below each run of the shape (in frame-buffer rows) and
// the shape's colour into its first pixel, which with the key and the shape
// already there gives the same pixels again.
Pixels Tile(int row) {
  const Panorama& p = ThePanorama();
  int worldTop = row * 320;
  Canvas third(320, 240);
  cairo_set_source_surface(third.cr(), p.full.surface(), -(kWorldLength - 320 - worldTop), 0);
  cairo_paint(third.cr());
  Pixels tile = Convert(third, 240, 320, true, Mode::Opaque);
  for (const Piece& piece : kPieces) {
    Pixels cut = MakePicture(piece.id);
    std::uint16_t key = cut.rgb565[0];
    for (int y = 0; y < piece.height; ++y) {
      int ty = piece.y + y - worldTop;
      if (ty < 0 || ty >= 320) continue;
      for (int x = 0; x < piece.width; ++x) {
        std::uint16_t v = cut.rgb565[static_cast<std::size_t>(y) * piece.width + x];
        std::uint16_t above =
            y > 0 ? cut.rgb565[static_cast<std::size_t>(y - 1) * piece.width + x] : key;
        std::uint16_t& t = tile.rgb565[static_cast<std::size_t>(ty) * 240 + piece.x + x];
        if (v != key) {
          t = v;
        } else if (above != key) {
          t = key;
        }
      }
    }
  }
  return tile;
}

void Flower(const Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_set_line_width(cr, 1.0);
  c.SetColour(Hex(0x3E7A32));
  cairo_move_to(cr, 5.5, 12);
  cairo_curve_to(cr, 5.5, 9, 4.5, 7, 5, 5);
  cairo_stroke(cr);
  c.Ellipse(3.2, 9.5, 1.6, 0.8);
  c.SetColour(Hex(0x4E9A3A));
  cairo_fill(cr);
  for (int i = 0; i < 5; ++i) {
    double a = i * 2 * kPi / 5 - kPi / 2;
    c.Ellipse(5 + 2.2 * std::cos(a), 3.6 + 2.2 * std::sin(a), 1.5, 1.5);
    c.SetColour(Hex(0xB45AD2));
    cairo_fill(cr);
  }
  c.Ellipse(5, 3.6, 1.1, 1.1);
  c.SetColour(Hex(0xFFE070));
  cairo_fill(cr);
}

Pixels FlowerPicture() {
  const Panorama& p = ThePanorama();
  int pw = kFlower.height, ph = kFlower.width;
  int px0 = kWorldLength - kFlower.y - kFlower.height, py0 = kFlower.x;
  Canvas matte(pw, ph), flower(pw, ph);
  cairo_set_source_surface(matte.cr(), p.full.surface(), -px0, -py0);
  cairo_paint(matte.cr());
  Flower(flower);
  return Convert(flower, kFlower.width, kFlower.height, true, Mode::Keyed, &matte);
}

const bool registered = [] {
  for (const Piece& piece : kPieces)
    RegisterPicture(piece.id, [piece](const PictureContext&) { return CutPiece(piece); });
  RegisterPicture(302, [](const PictureContext&) { return FlowerPicture(); });
  for (int row = 0; row < 3; ++row)
    RegisterPicture(148 - row, [row](const PictureContext&) { return Tile(row); });
  return true;
}();

}  // namespace

void DrawBankObjects(const Canvas& c) {
  cairo_save(c.cr());
  ClipToPieces(c.cr());
  Hut(c);
  Tree(c);
  Bush(c);
  cairo_restore(c.cr());
}

void DrawWaterObjects(const Canvas& c) {
  cairo_save(c.cr());
  ClipToPieces(c.cr());
  Reeds(c, 354, 370, 203, 232, 5, 2, 51);
  Reeds(c, 690, 722, 201, 238, 9, 3, 52);
  Reeds(c, 614, 624, 214, 235, 3, 0, 53);
  Reeds(c, 581, 601, 202, 231, 6, 2, 54);
  Stone(c, 546, 216);
  Reeds(c, 818, 868, 199, 240, 14, 4, 55);
  cairo_restore(c.cr());
}

}  // namespace tool
