// The one game window, its class, timer, cursor and hot keys.
#include "platform/window.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/device.h"
#include "platform/ending_signals.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "platform/single_instance.h"
#include "platform/testing.h"

namespace ce {

namespace {

struct WindowState {
  bool registered = false;
  std::u16string className;
  WNDPROC proc = nullptr;
  bool exists = false;
  std::u16string title;
  bool timerRunning = false;
  UINT timerId = 0;
  UINT timerPeriod = 10;
  int cursorShowCount = 0;
  bool fullScreen = false;
};

WindowState g_window;
// Handles are addresses of these markers.
char g_windowMarker;
char g_otherInstanceMarker;
char g_cursorMarker;
char g_brushMarker;
char g_coreModuleMarker;
char g_instanceMarker;

HWND OwnWindow() { return reinterpret_cast<HWND>(&g_windowMarker); }
HWND OtherInstanceWindow() { return reinterpret_cast<HWND>(&g_otherInstanceMarker); }

BOOL FreeKey(UINT, UINT) { return TRUE; }

bool SameText(LPCWSTR a, const std::u16string& b) { return a != nullptr && b == a; }

}  // namespace

namespace detail {

HWND MainWindow() { return g_window.exists ? OwnWindow() : nullptr; }
bool TimerRunning() { return g_window.timerRunning; }
UINT TimerId() { return g_window.timerId; }
DWORD TimerPeriod() { return g_window.timerPeriod == 0 ? 1 : g_window.timerPeriod; }

void ResetWindowState() { g_window = WindowState{}; }

}  // namespace detail

ATOM RegisterClassW(const WNDCLASSW* wc) {
  if (wc == nullptr || wc->lpszClassName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  g_window.registered = true;
  g_window.className = wc->lpszClassName;
  g_window.proc = wc->lpfnWndProc;
  return 1;
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR windowName, DWORD, int, int, int, int, HWND,
                     HMENU, HINSTANCE, LPVOID) {
  if (!g_window.registered || !SameText(className, g_window.className) || g_window.exists) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  detail::Device* device = detail::CurrentDevice();
  if (device == nullptr || !device->OpenWindow()) return nullptr;
  g_window.exists = true;
  g_window.title = windowName != nullptr ? windowName : u"";
  if (!device->IsHeadless()) detail::ListenForOtherInstances();
  return OwnWindow();
}

BOOL ShowWindow(HWND hwnd, int) { return hwnd == OwnWindow() ? TRUE : FALSE; }

BOOL UpdateWindow(HWND hwnd) { return hwnd == OwnWindow() ? TRUE : FALSE; }

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  if (hwnd != OwnWindow() || rect == nullptr) return FALSE;
  *rect = RECT{0, 0, detail::kScreenWidth, detail::kScreenHeight};
  return TRUE;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  if (g_window.exists && (className == nullptr || SameText(className, g_window.className)) &&
      (windowName == nullptr || SameText(windowName, g_window.title)))
    return OwnWindow();
  detail::Device* device = detail::CurrentDevice();
  if (device != nullptr && !device->IsHeadless() && detail::OtherInstanceRunning())
    return OtherInstanceWindow();
  return nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (hwnd == OwnWindow()) {
    if (detail::Device* device = detail::CurrentDevice()) device->RaiseWindow();
    return TRUE;
  }
  if (hwnd == OtherInstanceWindow()) return detail::RaiseOtherInstance() ? TRUE : FALSE;
  return FALSE;
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return detail::kScreenWidth;
    case SM_CYSCREEN:
      return detail::kScreenHeight;
    default:
      return 0;
  }
}

HGDIOBJ GetStockObject(int) { return reinterpret_cast<HGDIOBJ>(&g_brushMarker); }

BOOL SHFullScreen(HWND hwnd, DWORD) {
  if (hwnd != OwnWindow()) return FALSE;
  g_window.fullScreen = true;
  return TRUE;
}

UINT SetTimer(HWND hwnd, UINT id, UINT elapseMs, void*) {
  if (hwnd != OwnWindow() || id == 0) return 0;
  g_window.timerRunning = true;
  g_window.timerId = id;
  g_window.timerPeriod = elapseMs;
  return id;
}

BOOL KillTimer(HWND hwnd, UINT id) {
  if (hwnd != OwnWindow() || id != g_window.timerId) return FALSE;
  g_window.timerRunning = false;
  return TRUE;
}

HCURSOR LoadCursorW(HINSTANCE, std::uintptr_t) {
  return reinterpret_cast<HCURSOR>(&g_cursorMarker);
}

HCURSOR SetCursor(HCURSOR cursor) { return cursor; }

// The stylus has no cursor; the desktop keeps the mouse pointer visible so
// that the player can aim.
int ShowCursor(BOOL show) {
  g_window.cursorShowCount += show ? 1 : -1;
  return g_window.cursorShowCount;
}

BOOL RegisterHotKey(HWND hwnd, int, UINT, UINT) { return hwnd == OwnWindow() ? TRUE : FALSE; }

HWND GetForegroundWindow() { return detail::MainWindow(); }

namespace {
std::vector<testing::MessageBoxRecord>* g_messageBoxLog = nullptr;
}

void testing::RecordMessageBoxes(std::vector<MessageBoxRecord>* log) { g_messageBoxLog = log; }

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  std::string t = text != nullptr ? ToUtf8(text) : std::string();
  std::string c = caption != nullptr ? ToUtf8(caption) : std::string();
  if (g_messageBoxLog != nullptr) g_messageBoxLog->push_back({owner, t, c, type});
  // A run that ends on a signal has nobody to click: the text goes to
  // standard error and the teardown goes on.
  if (EndingSignal() != 0) {
    std::fprintf(stderr, "reedshot: %s%s%s\n", c.c_str(), c.empty() ? "" : ": ", t.c_str());
    return IDOK;
  }
  if (detail::Device* device = detail::CurrentDevice()) return device->ShowMessageBox(c, t);
  return IDOK;
}

HMODULE LoadLibraryW(LPCWSTR name) {
  if (name != nullptr && std::u16string(name) == u"coredll.dll")
    return reinterpret_cast<HMODULE>(&g_coreModuleMarker);
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR name) {
  if (module == reinterpret_cast<HMODULE>(&g_coreModuleMarker) && name != nullptr &&
      std::u16string(name) == u"UnregisterFunc1")
    return reinterpret_cast<FARPROC>(&FreeKey);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) { return module != nullptr ? TRUE : FALSE; }

HINSTANCE GetModuleHandleW(LPCWSTR) { return reinterpret_cast<HINSTANCE>(&g_instanceMarker); }

}  // namespace ce
