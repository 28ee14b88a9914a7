#include "graphics/dib_surface.h"

#include "platform/error.h"
#include "platform/gdi.h"

namespace {

// The header followed by the three colour masks of RGB565.
struct BitFieldsInfo {
  ce::BITMAPINFOHEADER header;
  ce::DWORD masks[3];
};

}  // namespace

CDibSurface::CDibSurface(std::uint32_t w, std::uint32_t h)
    : CSurface(nullptr, w, h, (w * 2 + 3) & ~3u), bitmap(nullptr) {
  BitFieldsInfo info{};
  info.header.biSize = 40;
  info.header.biWidth = static_cast<ce::LONG>(w);
  info.header.biHeight = -static_cast<ce::LONG>(h);  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = 16;
  info.header.biCompression = ce::BI_BITFIELDS;
  info.header.biSizeImage = w * h * 2;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;
  ce::SetLastError(0);
  void* bits = nullptr;
  bitmap = ce::CreateDIBSection(nullptr, reinterpret_cast<const ce::BITMAPINFO*>(&info),
                                ce::DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels = static_cast<Pixel*>(bits);
  if (pixels == nullptr) {
    // No DIB section: draw into plain memory so that the game still runs;
    // presenting then shows nothing.
    pixels = new Pixel[static_cast<std::size_t>(stride / 2) * h]();
    ownsPixels = 1;
  }
}

CDibSurface::~CDibSurface() { ce::DeleteObject(bitmap); }

ce::HDC CDibSurface::AcquireDC() {
  ce::HDC screen = ce::GetDC(nullptr);
  ce::HDC memory = ce::CreateCompatibleDC(screen);
  ce::SelectObject(memory, bitmap);
  ce::ReleaseDC(nullptr, screen);
  return memory;
}

void CDibSurface::ReleaseDC(ce::HDC dc) { ce::DeleteDC(dc); }
