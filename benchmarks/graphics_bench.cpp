// Pictures: decoding against zlib, blits against memcpy and SDL, and the
// cost of one scene frame.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "assets/pct_encoder.h"
#include "graphics/blitters.h"
#include "graphics/pct_decoder.h"
#include "graphics/picture.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"
#include "graphics/tile_background.h"
#include "platform/platform.h"
#include "platform/resource_table.h"
#include "platform/window.h"

namespace {

// ---- Decoding -------------------------------------------------------------

struct Coded {
  std::vector<std::uint8_t> pct;   // the resource
  std::vector<std::uint8_t> zlib;  // the same pixels, zlib level 6
  std::size_t size = 0;            // decoded bytes
};

// Pictures with flat areas, gradients and edges, for when the game has none.
std::vector<std::vector<std::uint8_t>> SyntheticPictures() {
  std::vector<std::vector<std::uint8_t>> pictures;
  std::mt19937 rng(5);
  for (int n = 0; n < 8; ++n) {
    int w = n % 2 ? 240 : 68, h = n % 2 ? 320 : 68;
    std::vector<std::uint8_t> bytes(w * h * 2);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        unsigned p;
        if ((x - w / 2) * (x - w / 2) + (y - h / 3) * (y - h / 3) < w * w / 9) {
          p = 0x8000 | (((x + y) & 0x3F) << 5) | (rng() % 3);  // shaded disc, a little noise
        } else if (y > h * 2 / 3) {
          p = (0x001F & (x / 8)) | (((y / 4) << 5) & 0x7E0);  // gradient
        } else {
          p = 0xF81F;  // flat key colour
        }
        bytes[2 * (y * w + x)] = static_cast<std::uint8_t>(p);
        bytes[2 * (y * w + x) + 1] = static_cast<std::uint8_t>(p >> 8);
      }
    }
    pictures.push_back(bytes);
  }
  return pictures;
}

// The game's pictures as the executable holds them, or synthetic ones
// while it has only a few; each also compressed with zlib at level 6.
const std::vector<Coded>& Pictures() {
  static std::vector<Coded> coded = [] {
    std::vector<Coded> out;
    std::vector<std::uint8_t> buffer(1 << 20);
    for (unsigned i = 0; i < ce::g_resourceRecordCount; ++i) {
      const ce::ResourceRecord& r = ce::g_resourceRecords[i];
      if (std::u16string_view(r.type) != u"PCT") continue;
      Coded c;
      c.pct.assign(r.data, r.data + r.size);
      c.size = DecodePctData(r.data, r.size, buffer.data(), buffer.size());
      c.zlib.assign(buffer.begin(), buffer.begin() + c.size);
      out.push_back(std::move(c));
    }
    if (out.size() < 20) {
      out.clear();
      for (auto& bytes : SyntheticPictures()) {
        Coded c;
        c.pct = EncodePct(bytes.data(), bytes.size());
        c.size = bytes.size();
        c.zlib = std::move(bytes);
        out.push_back(std::move(c));
      }
    }
    for (Coded& c : out) {
      std::vector<std::uint8_t> raw = std::move(c.zlib);
      uLongf zsize = compressBound(raw.size());
      c.zlib.resize(zsize);
      compress2(c.zlib.data(), &zsize, raw.data(), raw.size(), 6);
      c.zlib.resize(zsize);
    }
    return out;
  }();
  return coded;
}

std::size_t TotalBytes() {
  std::size_t total = 0;
  for (const Coded& c : Pictures()) total += c.size;
  return total;
}

void BM_ours_pct_decode_vs_zlib(benchmark::State& state) {
  Pictures();  // made before the timing starts
  std::vector<std::uint8_t> out(1 << 20);
  for (auto _ : state) {
    for (const Coded& c : Pictures()) {
      DecodePctData(c.pct.data(), c.pct.size(), out.data(), c.size);
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TotalBytes()));
}
BENCHMARK(BM_ours_pct_decode_vs_zlib);

void BM_ref_pct_decode_vs_zlib(benchmark::State& state) {
  Pictures();
  std::vector<std::uint8_t> out(1 << 20);
  for (auto _ : state) {
    for (const Coded& c : Pictures()) {
      uLongf n = c.size;
      uncompress(out.data(), &n, c.zlib.data(), c.zlib.size());
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TotalBytes()));
}
BENCHMARK(BM_ref_pct_decode_vs_zlib);

// ---- Blits ------------------------------------------------------------------

void FillPattern(CSurface* s) {
  for (std::uint32_t y = 0; y < s->height; ++y)
    for (std::uint32_t x = 0; x < s->width; ++x) s->Row(y)[x] = static_cast<Pixel>(x * 31 + y * 7);
}

void BM_ours_blit_opaque_vs_memcpy(benchmark::State& state) {
  CSurface src(240, 320), dst(240, 320);
  FillPattern(&src);
  for (auto _ : state) {
    CopyPicture(&src, &dst, {0, 0});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ours_blit_opaque_vs_memcpy);

void BM_ref_blit_opaque_vs_memcpy(benchmark::State& state) {
  CSurface src(240, 320), dst(240, 320);
  FillPattern(&src);
  // A row size the compiler cannot see, so that this is the library's memcpy
  // as ours is, not an inlined fixed-size copy.
  std::size_t rowBytes = 240 * 2;
  benchmark::DoNotOptimize(rowBytes);
  for (auto _ : state) {
    for (int y = 0; y < 320; ++y) std::memcpy(dst.Row(y), src.Row(y), rowBytes);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ref_blit_opaque_vs_memcpy);

constexpr Pixel kKey = 0xF81F;
constexpr int kSprite = 68;

// A 68 x 68 sprite: a shaded disc on the key colour, about 40 % key pixels.
void DrawSpriteShape(Pixel* pixels, int pitchPixels) {
  for (int y = 0; y < kSprite; ++y) {
    for (int x = 0; x < kSprite; ++x) {
      double dx = x - 33.5, dy = y - 33.5;
      bool inside = std::sqrt(dx * dx + dy * dy) < 29.7;
      pixels[y * pitchPixels + x] = inside ? static_cast<Pixel>(0x4208 + x * 64 + y) : kKey;
    }
  }
}

template <void (*Blit)(const CSurface*, CSurface*, ce::POINT, const ce::RECT&, std::uint16_t)>
void OursKeyed(benchmark::State& state) {
  CSurface sprite(kSprite, kSprite), screen(240, 320);
  DrawSpriteShape(sprite.pixels, kSprite);
  FillPattern(&screen);
  for (auto _ : state) {
    Blit(&sprite, &screen, {86, 126}, {0, 0, kSprite, kSprite}, kKey);
    benchmark::ClobberMemory();
  }
}

void SdlKeyed(benchmark::State& state) {
  SDL_Surface* sprite =
      SDL_CreateRGBSurfaceWithFormat(0, kSprite, kSprite, 16, SDL_PIXELFORMAT_RGB565);
  SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 240, 320, 16, SDL_PIXELFORMAT_RGB565);
  DrawSpriteShape(static_cast<Pixel*>(sprite->pixels), sprite->pitch / 2);
  SDL_SetColorKey(sprite, SDL_TRUE, kKey);
  SDL_Rect at{86, 126, kSprite, kSprite};
  for (auto _ : state) {
    SDL_Rect dest = at;
    SDL_BlitSurface(sprite, nullptr, screen, &dest);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(sprite);
  SDL_FreeSurface(screen);
}

void BM_ours_blit_keyed_vs_sdl(benchmark::State& state) { OursKeyed<KeyedCopyRect>(state); }
BENCHMARK(BM_ours_blit_keyed_vs_sdl);
void BM_ref_blit_keyed_vs_sdl(benchmark::State& state) { SdlKeyed(state); }
BENCHMARK(BM_ref_blit_keyed_vs_sdl);
void BM_ours_blit_soft_vs_sdl(benchmark::State& state) { OursKeyed<KeyedSoftRect>(state); }
BENCHMARK(BM_ours_blit_soft_vs_sdl);
void BM_ref_blit_soft_vs_sdl(benchmark::State& state) { SdlKeyed(state); }
BENCHMARK(BM_ref_blit_soft_vs_sdl);

// ---- The scene --------------------------------------------------------------

// One Update of the game's scene with 30 moving keyed sprites over the
// background, every sprite moved and invalidated each frame.
void BM_figure_scene_update_us(benchmark::State& state) {
  ce::PlatformOptions options;
  options.headless = true;
  std::string error;
  ce::StartPlatform(options, &error);
  ce::WNDCLASSW wc{};
  wc.lpfnWndProc = [](ce::HWND, ce::UINT, ce::WPARAM, ce::LPARAM) -> ce::LRESULT { return 0; };
  wc.lpszClassName = u"DUV";
  ce::RegisterClassW(&wc);
  ce::HWND window = ce::CreateWindowExW(0, u"DUV", u"DUV", ce::WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                        nullptr, nullptr, nullptr);
  auto* scene = new CTileBackground(window, 1, 3, 240, 320);
  scene->CreateTiles(&WorldTileId);
  scene->SetScroll(0, 320);
  scene->DrawTiles();

  CPicture picture;
  picture.Init();
  picture.Create(kSprite, kSprite);
  DrawSpriteShape(picture.surface->pixels, kSprite);
  std::vector<CSprite*> sprites;
  std::mt19937 rng(11);
  for (int i = 0; i < 30; ++i) {
    auto* s = new CSprite;
    s->SetPicture(&picture, static_cast<int>(rng() % 200) - 20,
                  320 + static_cast<int>(rng() % 300) - 20, 1, 1, 0, -1);
    scene->Add(s, static_cast<std::uint8_t>(50 + i));
    sprites.push_back(s);
  }
  int frame = 0;
  for (auto _ : state) {
    ++frame;
    for (std::size_t i = 0; i < sprites.size(); ++i) {
      CSprite* s = sprites[i];
      s->x = static_cast<int>((s->x + 3 + i) % 260) - 20;
      s->y = 320 + static_cast<int>((s->y - 320 + 2 + frame % 3 + 340) % 340) - 20;
      scene->Invalidate(s);
    }
    scene->Update();
  }
  for (CSprite* s : sprites) {
    scene->Remove(s);
    delete s;
  }
  picture.Release();
  delete scene;
  ce::StopPlatform();
}
BENCHMARK(BM_figure_scene_update_us)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
