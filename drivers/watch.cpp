#include "drivers/watch.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "assets/resource_ids.h"
#include "drivers/script.h"
#include "drivers/state_snapshot.h"
#include "framework/timer_id.h"
#include "framework/view_list.h"
#include "game/game_controller.h"
#include "graphics/edit_field.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"
#include "persistence/settings.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/registry.h"

namespace drivers {

namespace {

constexpr ce::DWORD kTimerPeriod = 10;
// Where the intro and the title are tapped on the way to the main menu.
constexpr ce::LPARAM kTapAt = 120 | (160 << 16);

ce::DWORD Now() { return ce::GetTickCount(); }

bool Later(ce::DWORD a, ce::DWORD b) { return static_cast<std::int32_t>(a - b) > 0; }

// Marks a window's picture as a game watched, not played: REPLAY and the
// player's name in the screens' picture font, light on black, at the left
// of what the player sees.
void ShowReplayLabel(const std::u16string& name) {
  CPictureFont font;
  font.Setup(kPictureScreenFont, 18, 554, '0');
  CEditField field;
  field.Create(0, 0, &font, 15, 1, 0);
  const std::u16string text = u"REPLAY " + name;
  field.SetText(text.c_str());
  const CPicture* picture = field.picture;
  const std::uint16_t key = font.picture->Pixel(0, 0);
  std::vector<std::uint16_t> pixels(static_cast<std::size_t>(picture->width) * picture->height);
  for (int y = 0; y < picture->height; ++y)
    for (int x = 0; x < picture->width; ++x) {
      const std::uint16_t pixel = picture->Pixel(x, y);
      pixels[static_cast<std::size_t>(y * picture->width + x)] = pixel == key ? 0 : pixel;
    }
  // The text is read from larger y to smaller: it ends at the margin.
  constexpr int kMargin = 4;
  ce::ShowWindowLabel(std::move(pixels), picture->width, picture->height, kMargin,
                      320 - kMargin - picture->height);
  field.Clear();
  font.ReleasePicture();
}

}  // namespace

std::unique_ptr<WatchDriver> WatchDriver::FromFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path;
    return nullptr;
  }
  // One byte past the limit tells a file that is too large.
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kGameRecordLimit + 1);
  std::istreambuf_iterator<char> it(in), end;
  for (; it != end && bytes.size() <= kGameRecordLimit; ++it)
    bytes.push_back(static_cast<std::uint8_t>(*it));
  GameRecord record;
  std::string why;
  if (!DecodeGameRecord(bytes.data(), bytes.size(), &record, &why)) {
    *error = path + ": " + why;
    return nullptr;
  }
  return std::make_unique<WatchDriver>(std::move(record));
}

WatchDriver::WatchDriver(GameRecord record) : record_(std::move(record)) {
  status_.name = ce::ToUtf8(record_.name.c_str());
  status_.claimedScore = record_.claimedScore;
  SetWatchStatus(&status_);
}

WatchDriver::~WatchDriver() { SetWatchStatus(nullptr); }

bool WatchDriver::Begin() {
  ce::HKEY key = nullptr;
  ce::DWORD disposition = 0;
  if (ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, u"Tarnwick\\Reedshot", 0, nullptr, 0, 0, nullptr,
                          &key, &disposition) != 0)
    return false;
  bool ok = true;
  auto number = [&](const char16_t* name, ce::DWORD value) {
    ok = ok && ce::RegSetValueExW(key, name, 0, ce::REG_DWORD,
                                  reinterpret_cast<const ce::BYTE*>(&value), sizeof value) == 0;
  };
  auto text = [&](const char16_t* name, const std::u16string& value) {
    ok = ok && ce::RegSetValueExW(key, name, 0, ce::REG_SZ,
                                  reinterpret_cast<const ce::BYTE*>(value.c_str()),
                                  static_cast<ce::DWORD>((value.size() + 1) * 2)) == 0;
  };
  number(u"SoundVol", static_cast<ce::DWORD>(record_.soundVolume));
  number(u"MusicVol", static_cast<ce::DWORD>(record_.musicVolume));
  for (const char16_t* name :
       {u"KilledDucks", u"KilledLeafs", u"NegPoints", u"PersentageSuccess", u"LastScores"})
    number(name, 0);
  text(u"UserName", record_.name);
  text(u"PlayerName", record_.name);
  number(u"MenuAnimation", record_.menuAnimation ? 1 : 0);
  number(u"SpecialEffects", record_.specialEffects ? 1 : 0);
  ce::RegCloseKey(key);
  return ok;
}

ce::DWORD WatchDriver::NextTimer() {
  // As the window's timer: on its beat, or at once when the beat has passed.
  const ce::DWORD now = Now();
  const ce::DWORD at = Later(now, timerDue_) ? now : timerDue_;
  while (!Later(timerDue_, at)) timerDue_ += kTimerPeriod;
  return at;
}

void WatchDriver::UpdateScore() {
  const SettingsStore* settings = CurrentProgramParts().settings;
  if (settings != nullptr && settings->resultPending != 0)
    status_.score = settings->pendingScore;
  else if (g_gameController != nullptr && g_gameController->playing())
    status_.score = g_gameController->scoreCounter.score;
}

bool WatchDriver::OnIdle() {
  const CViewList* views = CurrentProgramParts().viewList;
  if (views == nullptr) return false;
  if (!feeding_) {
    // On the way to the main menu: the intro and the title are tapped.
    if (tapping_) {
      tapping_ = false;
      ce::headless::PostInput(ce::WM_LBUTTONUP, 0, kTapAt);
      return true;
    }
    if (views->current != kViewMainMenu || views->next != views->current) {
      if (views->current == kViewIntro || views->current == kViewTapToStart) {
        ce::headless::PostInput(ce::WM_LBUTTONDOWN, 1, kTapAt);
        tapping_ = true;
      }
      ce::headless::Wait(kTimerPeriod);
      return true;
    }
    if (Later(Now(), record_.startTick)) {
      late_ = true;
      if (state_) std::printf("%s\n", state_().c_str());
      return false;
    }
    if (Later(record_.startTick, Now())) {
      ce::headless::Wait(record_.startTick - Now());
      return true;
    }
    // The game goes on from the random numbers it went on from, and on its
    // own clock from here: the record brings the timer's ticks.
    if (g_gameController != nullptr) {
      g_gameController->ducks.random = CRandom(record_.duckRandom);
      g_gameController->targets.random = CRandom(record_.targetRandom);
    }
    feeding_ = true;
    ShowReplayLabel(record_.name);
    ce::headless::SetReplay(true);
    lastTime_ = record_.startTick;
    timerDue_ = record_.firstTimerTick;
    const GameInput& first = record_.inputs.front();
    ce::headless::PostInput(first.message, first.wParam, first.lParam);
    next_ = 1;
    timersLeft_ =
        next_ < record_.inputs.size() ? record_.inputs[next_].timersBefore : record_.timersAfter;
    return true;
  }
  UpdateScore();
  if (timersLeft_ > 0) {
    --timersLeft_;
    lastTime_ = NextTimer();
    ce::headless::RunClockTo(lastTime_);
    ce::headless::PostInput(ce::WM_TIMER, kTimerId, 0);
    return true;
  }
  if (next_ < record_.inputs.size()) {
    const GameInput& input = record_.inputs[next_];
    lastTime_ += input.sinceLast;
    ce::headless::RunClockTo(lastTime_);
    ce::headless::PostInput(input.message, input.wParam, input.lParam);
    ++next_;
    timersLeft_ =
        next_ < record_.inputs.size() ? record_.inputs[next_].timersBefore : record_.timersAfter;
    return true;
  }
  status_.finished = true;
  if (!screenshotDir_.empty()) TakeScreenshot(screenshotDir_, "last");
  if (state_) std::printf("%s\n", state_().c_str());
  return false;
}

}  // namespace drivers
