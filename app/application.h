// The program's spine: single instance, the window, the components in their
// fixed order, the message loop and the teardown.
#pragma once

#include <cstdint>

#include "framework/input_event.h"
#include "platform/types.h"

class CAnimationList;
class CDispatcher;
class CGameController;
class CViewList;
class SettingsStore;
class SoundPlayer;

class CApplication {
 public:
  CApplication() = default;
  CApplication(const CApplication&) = delete;
  CApplication& operator=(const CApplication&) = delete;
  ~CApplication();

  bool InitInstance(ce::HINSTANCE instance, int cmdShow);
  void CreateComponents();
  void RegisterHardwareKeys();
  void Run();
  void DestroyComponents();
  // Writes what DestroyComponents writes, without ending the run.
  void SaveWithoutEnding();

  // The top-level components, owned.
  SettingsStore* settings = nullptr;
  CAnimationList* animationList = nullptr;
  CViewList* viewList = nullptr;
  CGameController* gameController = nullptr;
  CDispatcher* dispatcher = nullptr;
  SoundPlayer* soundEngine = nullptr;  // the sound player, which owns the engine

  ce::HINSTANCE hInstance = nullptr;
  ce::HWND hwnd = nullptr;
  InputState input = {};
  InputEvent event = {};  // the loop's one record, reused from message to message
};

// The process globals: the application, its window and instance.
extern CApplication* g_application;
extern ce::HWND g_hwnd;
extern ce::HINSTANCE g_hInstance;
// Set when start-up found the game already running and brought its window
// forward.
extern bool g_raisedOtherInstance;

// Returns 1 after a normal run, 0 when start-up failed or another instance
// was brought to the front.
int WinMain(ce::HINSTANCE instance, ce::HINSTANCE previous, const char16_t* commandLine,
            int cmdShow);
