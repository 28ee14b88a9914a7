// Start and stop of the device, and what every device shares.
#include "platform/platform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "platform/device.h"
#include "platform/png_writer.h"
#include "platform/single_instance.h"
#include "platform/thread_internals.h"
#include "platform/wave_device.h"

namespace ce {

namespace detail {
std::unique_ptr<Device> CreateHeadlessDevice(const PlatformOptions& options);
std::unique_ptr<Device> CreateWindowDevice(const PlatformOptions& options, std::string* error);
void MarkMainThread();
void ResetWindowState();
void CloseDataStore();
}  // namespace detail

namespace {
std::unique_ptr<detail::Device> g_device;
bool g_displayLost = false;
PlatformOptions g_options;
// How long stopping waits for the run's threads to end.
constexpr std::chrono::seconds kThreadEndBound{5};
std::string (*g_stateReporter)() = nullptr;
void (*g_teardownSave)() = nullptr;
}  // namespace

namespace detail {
Device* CurrentDevice() { return g_device.get(); }
}  // namespace detail

bool StartPlatform(const PlatformOptions& options, std::string* error) {
  StopPlatform();
  g_options = options;
  g_displayLost = false;
  detail::MarkMainThread();
  detail::ResetWindowState();
  std::fill_n(detail::WindowPixels(), detail::kScreenWidth * detail::kScreenHeight, 0);
  if (options.headless) {
    g_device = detail::CreateHeadlessDevice(options);
  } else {
    std::string why;
    g_device = detail::CreateWindowDevice(options, &why);
    if (!g_device) {
      if (error != nullptr) *error = why;
      return false;
    }
  }
  detail::StartWave(options);
  return true;
}

bool DisplayLost() { return g_displayLost; }

std::string NoDisplayReason() {
#ifdef __EMSCRIPTEN__
  return "";
#else
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (set("SDL_VIDEODRIVER") || set("DISPLAY") || set("WAYLAND_DISPLAY")) return "";
  return "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
#endif
}

void ShowWindowLabel(std::vector<std::uint16_t> pixels, int width, int height, int x, int y) {
  if (detail::Device* device = detail::CurrentDevice())
    device->ShowLabel(std::move(pixels), width, height, x, y);
}

void StopPlatform() {
  // The run's threads end first: they may still use the device.
  for (DWORD id : detail::EndThreads(kThreadEndBound))
    std::fprintf(stderr, "reedshot: thread %u has not ended %lld s after the stop\n",
                 static_cast<unsigned>(id), static_cast<long long>(kThreadEndBound.count()));
  if (g_device) detail::StopWave();
  detail::StopListening();
  detail::CloseDataStore();
  if (g_device) g_displayLost = g_device->DisplayLost();
  g_device.reset();
}

bool PlatformStarted() { return g_device != nullptr; }

void SetStateReporter(std::string (*reporter)()) { g_stateReporter = reporter; }

std::string (*StateReporter())() { return g_stateReporter; }

void SetTeardownSave(void (*save)()) { g_teardownSave = save; }

void (*TeardownSave())() { return g_teardownSave; }

const PlatformOptions& GetPlatformOptions() { return g_options; }

namespace detail {

void ViewOfWindow(bool portrait, std::vector<std::uint32_t>* out, int* width, int* height) {
  const std::uint16_t* pixels = WindowPixels();
  const int fbWidth = kScreenWidth, fbHeight = kScreenHeight;
  *width = portrait ? fbWidth : fbHeight;
  *height = portrait ? fbHeight : fbWidth;
  out->resize(static_cast<size_t>(fbWidth) * fbHeight);
  auto colour = [](std::uint16_t p) {
    std::uint8_t rgb[3];
    Rgb565ToRgb888(p, rgb);
    return (static_cast<std::uint32_t>(rgb[0]) << 16) | (rgb[1] << 8) | rgb[2];
  };
  if (portrait) {
    for (int i = 0; i < fbWidth * fbHeight; ++i) (*out)[i] = colour(pixels[i]);
    return;
  }
  // Landscape, as the player holds the device: player (px, py) shows
  // frame-buffer (py, fbHeight - 1 - px).
  for (int py = 0; py < fbWidth; ++py)
    for (int px = 0; px < fbHeight; ++px)
      (*out)[static_cast<size_t>(py) * fbHeight + px] =
          colour(pixels[static_cast<size_t>(fbHeight - 1 - px) * fbWidth + py]);
}

}  // namespace detail

bool SaveWindowScreenshot(const std::string& path) {
  std::vector<std::uint32_t> view;
  int width = 0, height = 0;
  detail::ViewOfWindow(g_options.portrait, &view, &width, &height);
  std::vector<std::uint8_t> rgb(view.size() * 3);
  for (size_t i = 0; i < view.size(); ++i) {
    rgb[i * 3] = static_cast<std::uint8_t>(view[i] >> 16);
    rgb[i * 3 + 1] = static_cast<std::uint8_t>(view[i] >> 8);
    rgb[i * 3 + 2] = static_cast<std::uint8_t>(view[i]);
  }
  return WritePng(path, width, height, rgb);
}

std::string ToUtf8(const char16_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (const char16_t* p = text; *p != 0; ++p) {
    std::uint32_t c = *p;
    if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
      ++p;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string FromUtf8(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    std::uint32_t c = 0xFFFD;
    size_t length = 1;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0 && i + 1 < text.size()) {
      c = ((b & 0x1F) << 6) | (text[i + 1] & 0x3F);
      length = 2;
    } else if ((b & 0xF0) == 0xE0 && i + 2 < text.size()) {
      c = ((b & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
      length = 3;
    } else if ((b & 0xF8) == 0xF0 && i + 3 < text.size()) {
      c = ((b & 0x07) << 18) | ((text[i + 1] & 0x3F) << 12) | ((text[i + 2] & 0x3F) << 6) |
          (text[i + 3] & 0x3F);
      length = 4;
    }
    i += length;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

}  // namespace ce
