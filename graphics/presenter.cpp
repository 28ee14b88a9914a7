#include "graphics/presenter.h"

#include <algorithm>

#include "graphics/dib_surface.h"
#include "platform/gdi.h"
#include "platform/window.h"

namespace {

// Runs one presentation: the window's and the back buffer's contexts exist
// only for its length.
template <typename Blits>
void Present(ce::HWND window, CDibSurface* backBuffer, Blits blits) {
  ce::HDC windowDc = ce::GetDC(window);
  ce::HDC memoryDc = backBuffer->AcquireDC();
  blits(windowDc, memoryDc);
  backBuffer->ReleaseDC(memoryDc);
  ce::ReleaseDC(window, windowDc);
}

}  // namespace

CPresenter::CPresenter(ce::HWND w) : backBuffer(nullptr), window(w) {
  ce::RECT client{};
  ce::GetClientRect(window, &client);
  backBuffer = new CDibSurface(static_cast<std::uint32_t>(client.right - client.left),
                               static_cast<std::uint32_t>(client.bottom - client.top));
}

CPresenter::~CPresenter() { delete backBuffer; }

void CPresenter::PresentAll() {
  Present(window, backBuffer, [&](ce::HDC to, ce::HDC from) {
    ce::BitBlt(to, 0, 0, static_cast<int>(backBuffer->width), static_cast<int>(backBuffer->height),
               from, 0, 0, ce::SRCCOPY);
  });
}

void CPresenter::PresentShifted(std::int32_t dx, std::int32_t dy) {
  std::int32_t w = static_cast<std::int32_t>(backBuffer->width);
  std::int32_t h = static_cast<std::int32_t>(backBuffer->height);
  if (dx < 0) w += dx;
  if (dy < 0) h += dy;
  std::int32_t destX = std::max(dx, 0), destY = std::max(dy, 0);
  if (destX + w > 240) w = 240 - destX;
  if (destY + h > 320) h = 320 - destY;
  Present(window, backBuffer, [&](ce::HDC to, ce::HDC from) {
    ce::BitBlt(to, destX, destY, w, h, from, std::max(-dx, 0), std::max(-dy, 0), ce::SRCCOPY);
  });
}

void CPresenter::PresentRects(const ce::RECT* rects, std::uint16_t count) {
  Present(window, backBuffer, [&](ce::HDC to, ce::HDC from) {
    for (std::uint16_t i = 0; i < count; ++i) {
      const ce::RECT& r = rects[i];
      ce::BitBlt(to, r.left, r.top, r.right - r.left, r.bottom - r.top, from, r.left, r.top,
                 ce::SRCCOPY);
    }
  });
}
