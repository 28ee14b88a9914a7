// GDI: DIB sections in memory, memory device contexts, and BitBlt to the
// emulated window (which keeps whatever was blitted into it).
#include "platform/gdi.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/device.h"
#include "platform/error.h"
#include "platform/testing.h"

namespace ce {

namespace {

struct GdiObject {
  virtual ~GdiObject() = default;
};

struct DibSection : GdiObject {
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes, rows padded to 4
  bool topDown = true;
  std::vector<std::uint8_t> bits;
  const std::uint16_t* Row(int y) const {
    int memoryRow = topDown ? y : height - 1 - y;
    return reinterpret_cast<const std::uint16_t*>(bits.data() +
                                                  static_cast<size_t>(memoryRow) * stride);
  }
};

struct DeviceContext {
  bool window = false;
  DibSection* selected = nullptr;
  bool deleted = false;
};

std::array<std::uint16_t, detail::kScreenWidth * detail::kScreenHeight> g_windowPixels{};
std::vector<testing::BitBltRecord>* g_bitBltLog = nullptr;

DeviceContext* Dc(HDC dc) { return reinterpret_cast<DeviceContext*>(dc); }

}  // namespace

namespace detail {
std::uint16_t* WindowPixels() { return g_windowPixels.data(); }
}  // namespace detail

namespace testing {
void RecordBitBlts(std::vector<BitBltRecord>* log) { g_bitBltLog = log; }
unsigned short WindowPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= detail::kScreenWidth || y >= detail::kScreenHeight) return 0;
  return g_windowPixels[static_cast<size_t>(y) * detail::kScreenWidth + x];
}
}  // namespace testing

HDC GetDC(HWND hwnd) {
  auto* dc = new DeviceContext;
  dc->window = hwnd != nullptr;
  return reinterpret_cast<HDC>(dc);
}

int ReleaseDC(HWND, HDC dc) {
  if (dc == nullptr) return 0;
  delete Dc(dc);
  return 1;
}

HDC CreateCompatibleDC(HDC) { return reinterpret_cast<HDC>(new DeviceContext); }

BOOL DeleteDC(HDC dc) {
  if (dc == nullptr) return FALSE;
  delete Dc(dc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (dc == nullptr || object == nullptr) return nullptr;
  DeviceContext* context = Dc(dc);
  auto* gdi = reinterpret_cast<GdiObject*>(object);
  auto* dib = dynamic_cast<DibSection*>(gdi);
  if (dib == nullptr) return nullptr;
  DibSection* previous = context->selected;
  context->selected = dib;
  return reinterpret_cast<HGDIOBJ>(static_cast<GdiObject*>(previous));
}

BOOL DeleteObject(HGDIOBJ object) {
  if (object == nullptr) return FALSE;
  delete reinterpret_cast<GdiObject*>(object);
  return TRUE;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  if (info == nullptr || bits == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 16 || h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 8192 ||
      h.biHeight > 8192 || h.biHeight < -8192) {
    SetLastError(ERROR_INVALID_PARAMETER);
    *bits = nullptr;
    return nullptr;
  }
  auto* dib = new DibSection;
  dib->width = h.biWidth;
  dib->topDown = h.biHeight < 0;
  dib->height = dib->topDown ? -h.biHeight : h.biHeight;
  dib->stride = (dib->width * 2 + 3) & ~3;
  dib->bits.assign(static_cast<size_t>(dib->stride) * dib->height, 0);
  *bits = dib->bits.data();
  return reinterpret_cast<HBITMAP>(static_cast<GdiObject*>(dib));
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD) {
  if (dest == nullptr || src == nullptr) return FALSE;
  DeviceContext* to = Dc(dest);
  DeviceContext* from = Dc(src);
  if (g_bitBltLog != nullptr) g_bitBltLog->push_back({x, y, width, height, srcX, srcY, to->window});
  const DibSection* dib = from->selected;
  if (!to->window || dib == nullptr) return dib != nullptr ? TRUE : FALSE;
  // Clip against both the source bitmap and the window.
  int left = std::max({0, x, x - srcX});
  int right = std::min({detail::kScreenWidth, x + width, x + dib->width - srcX});
  int top = std::max({0, y, y - srcY});
  int bottom = std::min({detail::kScreenHeight, y + height, y + dib->height - srcY});
  if (left >= right || top >= bottom) return TRUE;
  for (int dy = top; dy < bottom; ++dy) {
    const std::uint16_t* source = dib->Row(srcY + dy - y) + (srcX + left - x);
    std::memcpy(&g_windowPixels[static_cast<size_t>(dy) * detail::kScreenWidth + left], source,
                static_cast<size_t>(right - left) * 2);
  }
  if (detail::Device* device = detail::CurrentDevice())
    device->WindowChanged(left, top, right, bottom);
  return TRUE;
}

}  // namespace ce
