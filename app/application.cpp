#include "app/application.h"

#include <algorithm>

#include "app/dispatcher.h"
#include "app/screen_maker.h"
#include "assets/resource_ids.h"
#include "drivers/state_snapshot.h"
#include "framework/animation_list.h"
#include "framework/timer_id.h"
#include "framework/view_list.h"
#include "game/game_controller.h"
#include "persistence/high_score_table.h"
#include "persistence/kept_result.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "screens/options_view.h"
#include "sound/game_sounds.h"
#include "sound/sound_player.h"

CApplication* g_application = nullptr;
ce::HWND g_hwnd = nullptr;
ce::HINSTANCE g_hInstance = nullptr;
bool g_raisedOtherInstance = false;

namespace {

constexpr char16_t kWindowName[] = u"DUV";

// The window procedure: the loop never dispatches to it.
ce::LRESULT WindowProc(ce::HWND, ce::UINT, ce::WPARAM, ce::LPARAM) { return 0; }

}  // namespace

CApplication::~CApplication() { DestroyComponents(); }

bool CApplication::InitInstance(ce::HINSTANCE instance, int cmdShow) {
  hInstance = instance;
  if (ce::HWND other = ce::FindWindowW(kWindowName, kWindowName)) {
    g_raisedOtherInstance = ce::SetForegroundWindow(other) != ce::FALSE;
    return false;
  }
  ce::WNDCLASSW wc{};
  wc.style = ce::CS_HREDRAW | ce::CS_VREDRAW;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hbrBackground = ce::GetStockObject(ce::WHITE_BRUSH);
  wc.lpszClassName = kWindowName;
  ce::RegisterClassW(&wc);

  hwnd = ce::CreateWindowExW(
      0, kWindowName, kWindowName, ce::WS_VISIBLE, 0, 0, ce::GetSystemMetrics(ce::SM_CXSCREEN),
      ce::GetSystemMetrics(ce::SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  g_hwnd = hwnd;
  if (hwnd == nullptr) return false;
  ce::ShowWindow(hwnd, cmdShow);
  ce::SHFullScreen(hwnd, ce::SHFS_HIDETASKBAR | ce::SHFS_HIDESIPBUTTON | ce::SHFS_HIDESTARTICON);
  ce::UpdateWindow(hwnd);
  RegisterHardwareKeys();
  CreateComponents();
  return ce::SetTimer(hwnd, kTimerId, 10, nullptr) != 0;
}

void CApplication::RegisterHardwareKeys() {
  ce::HMODULE core = ce::LoadLibraryW(u"coredll.dll");
  auto freeKey =
      reinterpret_cast<ce::UnregisterFunc1Proc>(ce::GetProcAddressW(core, u"UnregisterFunc1"));
  for (ce::UINT key = 0xC1; key <= 0xCF; ++key) {
    if (freeKey != nullptr) freeKey(ce::MOD_WIN, key);
    ce::RegisterHotKey(hwnd, static_cast<int>(key), ce::MOD_WIN, key);
  }
  ce::FreeLibrary(core);
}

void CApplication::CreateComponents() {
  g_inputState = &input;
  animationList = new CAnimationList;
  viewList = new CViewList;
  dispatcher = new CDispatcher(viewList, animationList);
  // Opens the wave device and starts the mixing thread.
  soundEngine = new SoundPlayer;
  gameController = new CGameController(viewList, animationList, soundEngine);
  dispatcher->SetGameController(gameController);
  settings = new SettingsStore(soundEngine);
  // Results of games whose run ended before their table was saved.
  EnterKeptResults(settings->highScores);
  // The scene and every view; the intro starts.
  gameController->CreateViews(hwnd, settings, &MakeScreen);
}

void CApplication::Run() {
  input = InputState{};
  ce::MSG msg{};
  if (ce::GetMessageW(&msg, g_hwnd, 0, 0) == 0) return;
  for (;;) {
    ce::TranslateMessage(&msg);
    BuildEvent(msg, &input, &event);
    if (dispatcher->Dispatch(&event) == 0) return;
    if (ce::GetMessageW(&msg, g_hwnd, 0, 0) == 0) return;
  }
}

void CApplication::DestroyComponents() {
  delete viewList;
  viewList = nullptr;
  if (animationList != nullptr) animationList->Clear();
  delete animationList;
  animationList = nullptr;
  delete dispatcher;
  dispatcher = nullptr;
  // With every view and the scene.
  delete gameController;
  gameController = nullptr;
  // Stops the mixing thread and closes the device.
  delete soundEngine;
  soundEngine = nullptr;
  // A game that ended as the run ended (the window closed during its
  // game-over picture) never reached the high-score screen: its result is
  // entered now, so that it is saved with the table.
  if (settings != nullptr) {
    HighScoreEntry entry;
    settings->EnterPendingResult(&entry);
    // Last: writes the settings and the high-score table.
    delete settings;
    settings = nullptr;
    ForgetSettledResults();
  }
  if (g_inputState == &input) g_inputState = nullptr;
}

// The settings, then the high-score table, as they stand; a game that has
// just ended is in the written table, as at teardown. Unlike the teardown it
// leaves the result waiting for the high-score screen, which the game goes
// on to show.
void CApplication::SaveWithoutEnding() {
  if (settings == nullptr) return;
  settings->Save();
  HighScoreTable table = *settings->highScores;
  HighScoreEntry entry;
  if (settings->PendingResult(&entry)) table.InsertScore(entry);
  table.Save();
  ForgetSettledResults();
}

namespace {

// For a device that may end the program without its teardown.
void SaveWithoutEnding() {
  if (g_application != nullptr) g_application->SaveWithoutEnding();
}

// Where the drivers' snapshots find the program's parts.
drivers::ProgramParts CurrentParts() {
  if (g_application == nullptr) return {};
  return {g_application->viewList, g_application->settings, g_application->soundEngine};
}

// The screen shown, as the keyboard of a device with a player sees it.
ce::ShownScreen ShownScreen() {
  if (g_application == nullptr || g_application->viewList == nullptr)
    return ce::ShownScreen::kOther;
  switch (g_application->viewList->current) {
    case kViewGame:
      return ce::ShownScreen::kGame;
    case kViewPauseMenu:
      return ce::ShownScreen::kPauseMenu;
    case kViewNameEntry:
      return ce::ShownScreen::kNameEntry;
    case kViewOptions:
      return ce::ShownScreen::kOptions;
    default:
      return ce::ShownScreen::kOther;
  }
}

// The volume keys: the options screen's sound slider moved by `steps`
// presses, with its sample at the new volume, then saved as its OK saves.
void StepSoundVolume(int steps) {
  if (g_application == nullptr || g_application->settings == nullptr) return;
  SettingsStore* settings = g_application->settings;
  const int v =
      std::clamp(static_cast<int>(settings->soundVolume) + steps * kVolumeStep, 0, kVolumeMax);
  if (v == settings->soundVolume) return;
  if (SoundPlayer* player = g_application->soundEngine) player->SetSoundVolume(v);
  PlayEffect(kSoundVolumePreview);
  settings->soundVolume = v;
  settings->Save();
}

}  // namespace

int WinMain(ce::HINSTANCE instance, ce::HINSTANCE, const char16_t*, int cmdShow) {
  drivers::SetProgramParts(&CurrentParts);
  ce::SetTeardownSave(&SaveWithoutEnding);
  ce::SetKeyboardHooks({&ShownScreen, &StepSoundVolume});
  g_hInstance = instance;
  ce::SetCursor(ce::LoadCursorW(instance, ce::IDC_WAIT));
  ce::ShowCursor(ce::TRUE);
  CApplication application;
  g_application = &application;
  if (!application.InitInstance(instance, cmdShow)) {
    g_application = nullptr;
    return 0;
  }
  application.Run();
  application.DestroyComponents();
  g_application = nullptr;
  return 1;
}
