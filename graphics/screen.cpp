#include "graphics/screen.h"

#include <algorithm>

#include "graphics/dib_surface.h"
#include "graphics/presenter.h"

CSurface* g_backBuffer = nullptr;

namespace {

std::int32_t Area3(const ce::RECT& r) { return (3 * r.bottom - 3 * r.top) * (r.right - r.left); }

}  // namespace

CScreen::CScreen(ce::HWND window)
    : presenter(new CPresenter(window)), dirtyRects{}, dirtyCount(0), originX(0), originY(0) {
  g_backBuffer = presenter->backBuffer;
}

CScreen::~CScreen() {
  if (g_backBuffer == presenter->backBuffer) g_backBuffer = nullptr;
  delete presenter;
}

void CScreen::AddDirtyRect(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) {
  const ce::RECT added{left, top, right, bottom};
  // A rectangle joins the first one whose bounding box with it is smaller
  // than one and a half times their areas together.
  for (std::int32_t i = 0; i < dirtyCount; ++i) {
    ce::RECT& e = dirtyRects[i];
    const ce::RECT u{std::min(e.left, left), std::min(e.top, top), std::max(e.right, right),
                     std::max(e.bottom, bottom)};
    const std::uint32_t areaU = static_cast<std::uint32_t>((u.bottom - u.top) * (u.right - u.left));
    const std::uint32_t threshold = static_cast<std::uint32_t>((Area3(e) + Area3(added)) >> 1);
    if (areaU < threshold) {
      e = u;
      return;
    }
  }
  if (dirtyCount < kMaxDirtyRects) {
    dirtyRects[dirtyCount++] = added;
    return;
  }
  // The list is full and nothing qualified: the last rectangle grows to
  // cover the new one, so nothing is lost and nothing is written past it.
  ce::RECT& last = dirtyRects[kMaxDirtyRects - 1];
  last = ce::RECT{std::min(last.left, left), std::min(last.top, top), std::max(last.right, right),
                  std::max(last.bottom, bottom)};
}

void CScreen::PresentDirty() {
  if (dirtyCount > 0) presenter->PresentRects(dirtyRects, static_cast<std::uint16_t>(dirtyCount));
  dirtyCount = 0;
}

void CScreen::PresentAll() { presenter->PresentAll(); }

void CScreen::PresentShifted(std::int32_t dx, std::int32_t dy) {
  presenter->PresentShifted(dx, dy);
}

void CScreen::Greyscale() {
  CSurface* buffer = presenter->backBuffer;
  for (std::uint32_t y = 0; y < buffer->height; ++y) {
    Pixel* row = buffer->Row(static_cast<int>(y));
    for (std::uint32_t x = 0; x < buffer->width; ++x) {
      const Pixel p = row[x];
      const unsigned l = (Red8(p) + Green8(p) + Blue8(p)) >> 2;
      row[x] = static_cast<Pixel>(((l & 0xF8) << 8) | ((l & 0xFC) << 3) | (l >> 3));
    }
  }
}
