// The screens by id: the current one, the switch pending, and a history.
#pragma once

#include <cstdint>

#include "framework/input_event.h"

class CView;

// View ids as the game controller registers them.
enum : std::uint8_t {
  kViewMainMenu = 0,
  kViewGame = 1,
  kViewHelp = 3,
  kViewNameEntry = 4,
  kViewPauseMenu = 5,
  kViewHighScores = 7,
  kViewAbout = 8,
  kViewOptions = 10,
  kViewCredits = 11,
  kViewIntro = 12,
  kViewTapToStart = 14,
};

class CViewList {
 public:
  static constexpr int kMaxViews = 20;
  static constexpr int kHistorySize = 20;

  virtual ~CViewList() = default;

  void AddView(CView* view, int id);
  void StartView(int id);
  void SetNextView(int id);
  void SwitchTo(int id, int push);
  void GoBack();
  void PushHistory(std::uint8_t id);
  std::uint8_t PopHistory();
  int Dispatch(InputEvent* event);

  std::uint8_t current = 0;
  std::uint8_t next = 0;
  std::uint8_t previous = 0;
  CView* views[kMaxViews] = {};
  std::uint8_t history[kHistorySize] = {};
  std::uint8_t historyCount = 0;

 private:
  bool HasView(int id) const { return id >= 0 && id < kMaxViews && views[id] != nullptr; }
};
