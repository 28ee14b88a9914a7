// The asset tool: makes every picture and sound of the manifest and writes
//   OUT/ID.pct   PCT resources (RGB565, frame-buffer orientation)
//   OUT/ID.wav   WAVE resources
//   TABLE        the manifest as a C++ table for the program
// Files are rewritten only when their bytes change, so a rebuild after an
// edit re-embeds only what changed. With --preview DIR it also writes each
// picture as the player sees it, three times enlarged, for review.
#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "assets/pct_encoder.h"
#include "assets/tool/canvas.h"
#include "assets/tool/convert.h"
#include "assets/tool/manifest_reader.h"
#include "assets/tool/registry.h"
#include "assets/tool/wave_writer.h"

namespace fs = std::filesystem;

namespace {

bool WriteIfChanged(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::vector<std::uint8_t> old((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    if (old == bytes) return true;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string Quoted(const std::string& s) {
  std::string q = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

// `keyed` holds the ids of the pictures made with a key colour.
std::vector<std::uint8_t> ManifestTable(const std::vector<tool::ManifestRow>& rows,
                                        const std::set<int>& keyed) {
  std::string s =
      "// Made by the asset tool from assets/manifest.tsv; do not edit.\n"
      "#include \"assets/manifest.h\"\n\n"
      "namespace assets {\n\n"
      "const ManifestEntry g_manifest[] = {\n";
  for (const auto& r : rows) {
    s += "    {" + Quoted(r.kind) + ", " + std::to_string(r.id) + ", " + std::to_string(r.width) +
         ", " + std::to_string(r.height) + ", " + std::to_string(r.rate) + ", " + Quoted(r.name) +
         ", " + (r.view == "portrait" ? "false" : "true") + ", " +
         (r.kind == "pct" && keyed.count(r.id) ? "true" : "false") + ", " + Quoted(r.role) + "},\n";
  }
  s += "};\n\nconst int g_manifestCount = " + std::to_string(rows.size()) +
       ";\n\n}  // namespace assets\n";
  return std::vector<std::uint8_t>(s.begin(), s.end());
}

// A stand-in for a picture nobody has drawn yet: a grey checker board.
tool::Pixels Placeholder(const tool::PictureContext& c) {
  tool::Pixels p;
  p.width = c.width;
  p.height = c.height;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      p.rgb565.push_back(((x / 4 + y / 4) & 1) ? tool::To565(96, 96, 104)
                                               : tool::To565(64, 64, 72));
  return p;
}

void WritePreview(const fs::path& path, const tool::Pixels& p, bool turned) {
  const int scale = 3;
  int pw = turned ? p.height : p.width;
  int ph = turned ? p.width : p.height;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pw * scale, ph * scale);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  std::uint16_t key = p.rgb565[0];
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      int px = x, py = y;
      if (turned) tool::PlayerPixelOf(x, y, p.height, &px, &py);
      std::uint16_t v = p.rgb565[static_cast<std::size_t>(y) * p.width + x];
      for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
          std::uint32_t rgb;
          if (v == key && p.keyed) {
            rgb = (((px * scale + dx) / 6 + (py * scale + dy) / 6) & 1) ? 0xC8C8C8 : 0xE8E8E8;
          } else {
            int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
            rgb = static_cast<std::uint32_t>(((r * 255 / 31) << 16) | ((g * 255 / 63) << 8) |
                                             (b * 255 / 31));
          }
          *reinterpret_cast<std::uint32_t*>(data + (py * scale + dy) * stride +
                                            (px * scale + dx) * 4) = rgb;
        }
      }
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_surface_write_to_png(s, path.c_str());
  cairo_surface_destroy(s);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && !(argc == 6 && std::string(argv[4]) == "--preview")) {
    std::fprintf(stderr, "usage: %s MANIFEST OUTDIR TABLE.cpp [--preview DIR]\n", argv[0]);
    return 2;
  }
  std::vector<tool::ManifestRow> rows;
  std::string error;
  if (!tool::ReadManifest(argv[1], &rows, &error)) {
    std::fprintf(stderr, "asset tool: %s\n", error.c_str());
    return 1;
  }
  fs::path out = argv[2];
  fs::path table = argv[3];
  fs::path preview = argc == 6 ? fs::path(argv[5]) : fs::path();
  fs::create_directories(out);
  if (!preview.empty()) fs::create_directories(preview);

  for (const auto& r : rows) {
    if (r.kind == "pct") tool::SetPictureContext({r.id, r.width, r.height, r.view != "portrait"});
  }

  std::set<int> keyed;
  int missing = 0;
  bool ok = true;
  for (const auto& r : rows) {
    if (r.kind == "pct") {
      const tool::PictureContext* context = tool::FindPictureContext(r.id);
      const tool::PictureMaker* maker = tool::FindPicture(r.id);
      tool::Pixels pixels = maker ? (*maker)(*context) : Placeholder(*context);
      if (!maker) ++missing;
      if (pixels.keyed) keyed.insert(r.id);
      if (pixels.width != r.width || pixels.height != r.height ||
          pixels.rgb565.size() != static_cast<std::size_t>(r.width) * r.height) {
        std::fprintf(stderr, "asset tool: picture %d came out %d x %d, not %d x %d\n", r.id,
                     pixels.width, pixels.height, r.width, r.height);
        return 1;
      }
      ok &= WriteIfChanged(out / (std::to_string(r.id) + ".pct"),
                           EncodePctPixels(pixels.rgb565.data(), pixels.rgb565.size()));
      if (!preview.empty())
        WritePreview(preview / (std::to_string(r.id) + ".png"), pixels, context->turned);
    } else {
      const tool::SoundMaker* maker = tool::FindSound(r.id);
      std::vector<std::uint8_t> samples =
          maker ? (*maker)(r.rate) : std::vector<std::uint8_t>(r.rate / 10, 128);
      if (!maker) ++missing;
      ok &=
          WriteIfChanged(out / (std::to_string(r.id) + ".wav"), tool::EncodeWave(samples, r.rate));
    }
  }
  ok &= WriteIfChanged(table, ManifestTable(rows, keyed));
  if (!ok) {
    std::fprintf(stderr, "asset tool: cannot write to %s\n", out.c_str());
    return 1;
  }
  if (missing > 0)
    std::fprintf(stderr, "asset tool: %d of %zu resources are placeholders\n", missing,
                 rows.size());
  return 0;
}
