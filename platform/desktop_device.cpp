// The desktop device: an SDL2 window that shows the emulated 240 x 320
// screen turned to landscape, integer-scaled, with the mouse as the stylus.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/device.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/single_instance.h"

namespace ce::detail {

namespace {

class DesktopDevice final : public Device {
 public:
  explicit DesktopDevice(const PlatformOptions& options) : options_(options) {}

  ~DesktopDevice() override {
    if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool Init(std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      *error = std::string("cannot open a window (") + SDL_GetError() +
               "). Is there a display? To run without one, use --headless.";
      return false;
    }
    start_ = std::chrono::steady_clock::now();
    return true;
  }

  DWORD Now() override {
    auto elapsed = std::chrono::steady_clock::now() - start_;
    return kStartTick + static_cast<DWORD>(
                            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
  }

  void SleepFor(DWORD ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  bool OpenWindow() override {
    int viewWidth = options_.portrait ? kScreenWidth : kScreenHeight;
    int viewHeight = options_.portrait ? kScreenHeight : kScreenWidth;
    int scale = options_.scale;
    if (scale <= 0) {
      SDL_Rect usable;
      scale = 3;
      if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
        scale =
            std::clamp(std::min((usable.w - 40) / viewWidth, (usable.h - 80) / viewHeight), 1, 6);
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (options_.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow("Reedshot", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               viewWidth * scale, viewHeight * scale, flags);
    if (window_ == nullptr) return false;
    SDL_SetWindowMinimumSize(window_, viewWidth, viewHeight);
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) return false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_RenderSetLogicalSize(renderer_, viewWidth, viewHeight);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 viewWidth, viewHeight);
    if (texture_ == nullptr) return false;
    view_.assign(static_cast<size_t>(viewWidth) * viewHeight, 0);
    fullscreen_ = options_.fullscreen;
    // The stylus needs no pointer, but a mouse player aims with one.
    cursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_CROSSHAIR);
    if (cursor_ != nullptr) SDL_SetCursor(cursor_);
    changed_ = true;
    Render();
    return true;
  }

  void RaiseWindow() override {
    if (window_ == nullptr) return;
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
  }

  void WindowChanged() override { changed_ = true; }

  int ShowMessageBox(const std::string& caption, const std::string& text) override {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION,
                             caption.empty() ? "Reedshot" : caption.c_str(), text.c_str(), window_);
    return 1;  // IDOK
  }

  bool IsHeadless() const override { return false; }

  bool Pump(bool hasDeadline, DWORD deadline) override {
    if (changed_) Render();
    if (PollRaiseRequests()) RaiseWindow();
    int timeout = 50;
    if (hasDeadline) {
      auto left = static_cast<std::int32_t>(deadline - Now());
      timeout = std::clamp(left, 0, 50);
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout) == 0) return true;
    do {
      if (!Translate(event)) return false;
    } while (SDL_PollEvent(&event) != 0);
    return true;
  }

 private:
  static constexpr DWORD kStartTick = 100000;

  void Render() {
    changed_ = false;
    int width = 0, height = 0;
    ViewOfWindow(options_.portrait, &view_, &width, &height);
    SDL_UpdateTexture(texture_, nullptr, view_.data(), width * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }

  // Window point (already in logical view pixels) to frame-buffer point.
  bool ToFrameBuffer(int vx, int vy, int* x, int* y) const {
    if (options_.portrait) {
      *x = vx;
      *y = vy;
    } else {
      *x = vy;
      *y = kScreenHeight - 1 - vx;
    }
    *x = std::clamp(*x, 0, kScreenWidth - 1);
    *y = std::clamp(*y, 0, kScreenHeight - 1);
    return true;
  }

  void PostPen(UINT message, int vx, int vy) {
    int x = 0, y = 0;
    ToFrameBuffer(vx, vy, &x, &y);
    PostToMain(message, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }

  void PostHotKey(UINT vk, bool down) {
    if (down)
      PostToMain(WM_HOTKEY, vk, MAKELPARAM(0x0008, static_cast<WORD>(vk)));
    else
      PostToMain(WM_KEYUP, vk, 0);
  }

  UINT ArrowKey(SDL_Keycode key) const {
    if (options_.portrait) {
      switch (key) {
        case SDLK_LEFT:
          return VK_LEFT;
        case SDLK_RIGHT:
          return VK_RIGHT;
        case SDLK_UP:
          return VK_UP;
        case SDLK_DOWN:
          return VK_DOWN;
        default:
          return 0;
      }
    }
    // Turned with the picture: the player's right is the frame buffer's up.
    switch (key) {
      case SDLK_RIGHT:
        return VK_UP;
      case SDLK_LEFT:
        return VK_DOWN;
      case SDLK_UP:
        return VK_LEFT;
      case SDLK_DOWN:
        return VK_RIGHT;
      default:
        return 0;
    }
  }

  bool Translate(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT:
        return false;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) return false;
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
            event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
          changed_ = true;
        return true;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
          penDown_ = true;
          PostPen(WM_LBUTTONDOWN, event.button.x, event.button.y);
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
          PostHotKey(VK_APP3, true);
        }
        return true;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT && penDown_) {
          penDown_ = false;
          PostPen(WM_LBUTTONUP, event.button.x, event.button.y);
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
          PostHotKey(VK_APP3, false);
        }
        return true;
      case SDL_MOUSEMOTION:
        if (penDown_) PostPen(WM_MOUSEMOVE, event.motion.x, event.motion.y);
        return true;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        Key(event.key, event.type == SDL_KEYDOWN);
        return true;
      default:
        return true;
    }
  }

  void Key(const SDL_KeyboardEvent& key, bool down) {
    SDL_Keycode code = key.keysym.sym;
    if (down && key.repeat != 0) return;
    if (down && (code == SDLK_F11 || (code == SDLK_RETURN && (key.keysym.mod & KMOD_ALT) != 0))) {
      fullscreen_ = !fullscreen_;
      SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
      changed_ = true;
      return;
    }
    if (UINT vk = ArrowKey(code)) {
      PostToMain(down ? WM_KEYDOWN : WM_KEYUP, vk, 0);
      return;
    }
    switch (code) {
      case SDLK_RETURN:
      case SDLK_KP_ENTER:
        PostToMain(down ? WM_KEYDOWN : WM_KEYUP, VK_RETURN, 0);
        return;
      case SDLK_1:
        PostHotKey(VK_APP1, down);
        return;
      case SDLK_2:
        PostHotKey(VK_APP2, down);
        return;
      case SDLK_3:
      case SDLK_SPACE:
        PostHotKey(VK_APP3, down);
        return;
      case SDLK_4:
        PostHotKey(VK_APP4, down);
        return;
      default:
        return;
    }
  }

  PlatformOptions options_;
  std::chrono::steady_clock::time_point start_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;
  std::vector<std::uint32_t> view_;
  bool changed_ = false;
  bool penDown_ = false;
  bool fullscreen_ = false;
};

}  // namespace

std::unique_ptr<Device> CreateDesktopDevice(const PlatformOptions& options, std::string* error) {
  auto device = std::make_unique<DesktopDevice>(options);
  if (!device->Init(error)) return nullptr;
  return device;
}

}  // namespace ce::detail
