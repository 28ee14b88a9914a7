// The main window, its class, the timer, cursors, hot keys and message boxes.
#pragma once

#include "platform/messages.h"
#include "platform/types.h"

namespace ce {

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int WHITE_BRUSH = 0;
constexpr UINT MOD_WIN = 0x0008;
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONSTOP = 0x00000010;
constexpr int IDOK = 1;
constexpr std::uintptr_t IDC_WAIT = 32514;

// The shell's full-screen request and its flags.
constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
constexpr DWORD SHFS_HIDESTARTICON = 0x0020;
BOOL SHFullScreen(HWND hwnd, DWORD state);

ATOM RegisterClassW(const WNDCLASSW* wc);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL UpdateWindow(HWND hwnd);
BOOL GetClientRect(HWND hwnd, RECT* rect);
// Finds the running game's window, in this process or (desktop) another one.
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
int GetSystemMetrics(int index);
HGDIOBJ GetStockObject(int index);

UINT SetTimer(HWND hwnd, UINT id, UINT elapseMs, void* timerProc);
BOOL KillTimer(HWND hwnd, UINT id);

HCURSOR LoadCursorW(HINSTANCE instance, std::uintptr_t cursorId);
HCURSOR SetCursor(HCURSOR cursor);
int ShowCursor(BOOL show);

BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT vk);

// Desktop: a real dialog. Headless: one line on standard error; answers OK.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Modules: only the core library and its key-freeing export exist.
using FARPROC = void*;
using UnregisterFunc1Proc = BOOL (*)(UINT modifiers, UINT id);
HMODULE LoadLibraryW(LPCWSTR name);
FARPROC GetProcAddressW(HMODULE module, LPCWSTR name);
BOOL FreeLibrary(HMODULE module);
HINSTANCE GetModuleHandleW(LPCWSTR name);

}  // namespace ce
