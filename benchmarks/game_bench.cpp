// A whole game played headless, against the real time it lasts for the
// player: the program starts, a new game begins, and a player taps at the
// ducks on screen four times a second, reloading when the gun is empty.
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/application.h"
#include "framework/view_list.h"
#include "game/game_controller.h"
#include "game/mover.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"

namespace {

constexpr int kPlaySeconds = CGameController::kGameSeconds;

// The process's CPU time: the machine may be shared, so wall time says
// little about what the game costs.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

class Player : public ce::headless::Driver {
 public:
  bool OnIdle() override {
    switch (phase_) {
      case kToMenu:
        g_application->viewList->SwitchTo(kViewMainMenu, 0);
        return Next(kToGame, 10);
      case kToGame:
        g_application->viewList->SwitchTo(kViewGame, 1);
        return Next(kPlaying, 10);
      case kPlaying:
        if (!g_gameController->playing()) {
          playSeconds = CpuSeconds() - start_;
          return false;
        }
        if (shots_ == 0) start_ = CpuSeconds();
        Shoot();
        return Next(kPenUp, 50);
      case kPenUp:
        ce::headless::PostInput(ce::WM_LBUTTONUP, 0, 0);
        return Next(kPlaying, 200);
    }
    return false;
  }

  // CPU seconds that the play took.
  double playSeconds = 0;

 private:
  enum Phase { kToMenu, kToGame, kPlaying, kPenUp };

  bool Next(Phase phase, ce::DWORD wait) {
    phase_ = phase;
    ce::headless::Wait(wait);
    return true;
  }

  // At the first duck on screen, at the reload sign when the gun is empty,
  // or somewhere in the sky.
  void Shoot() {
    CGameController& game = *g_gameController;
    int x = 40 + (shots_ * 37) % 150, y = 20 + (shots_ * 53) % 280;
    if (game.shellIndicator.shells == 0) {
      x = 220, y = 80;
    } else {
      int scrollY = g_scene->GetScrollY();
      for (int i = 0; i < game.ducks.count; ++i) {
        const CMover* duck = game.ducks.slots[i];
        int cx = duck->x() + duck->width / 2, cy = duck->y() - scrollY + duck->height / 2;
        if (cx >= 0 && cx < 240 && cy >= 0 && cy < 320) {
          x = cx, y = cy;
          break;
        }
      }
    }
    ce::headless::PostInput(ce::WM_LBUTTONDOWN, 0, ce::MAKELPARAM(x, y));
    ++shots_;
  }

  Phase phase_ = kToMenu;
  int shots_ = 0;
  double start_ = 0;
};

std::string DataDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = std::string(tmp != nullptr ? tmp : "/tmp") + "/reedshot-bench-XXXXXX";
  std::vector<char> buffer(dir.begin(), dir.end());
  buffer.push_back('\0');
  const char* made = mkdtemp(buffer.data());
  return made != nullptr ? made : "";
}

// The play of one whole game, from its first frame to the hand-over, in
// CPU time.
void BM_ours_game_vs_realtime(benchmark::State& state) {
  std::string dataDir = DataDir();
  for (auto _ : state) {
    ce::PlatformOptions options;
    options.headless = true;
    options.mute = true;
    options.dataDir = dataDir;
    std::string error;
    if (!ce::StartPlatform(options, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    Player player;
    ce::headless::SetDriver(&player);
    WinMain(nullptr, nullptr, u"", 1);
    ce::headless::SetDriver(nullptr);
    ce::StopPlatform();
    state.SetIterationTime(player.playSeconds);
  }
}
BENCHMARK(BM_ours_game_vs_realtime)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The same game as the player lives it: 180 seconds.
void BM_ref_game_vs_realtime(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(kPlaySeconds);
}
BENCHMARK(BM_ref_game_vs_realtime)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
