// The settings store's start and exit against a real data file: what the
// player waits for when the program starts and ends. Wall time, since
// syncing the file to disk dominates.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "tests/support/run_program.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

bool StartWithDataDir(benchmark::State& state, const std::string& dataDir) {
  ce::PlatformOptions options;
  options.headless = true;
  options.mute = true;
  options.dataDir = dataDir;
  std::string error;
  if (ce::StartPlatform(options, &error)) return true;
  state.SkipWithError(error.c_str());
  return false;
}

// Construction: the high-score table loaded and the eleven values read.
void BM_figure_settings_start(benchmark::State& state) {
  std::string dataDir = testsupport::MakeTempDir("bench");
  if (!StartWithDataDir(state, dataDir)) return;
  delete new SettingsStore(nullptr);  // the first run makes the file
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    auto* settings = new SettingsStore(nullptr);
    state.SetIterationTime(Seconds(start));
    delete settings;
  }
  ce::StopPlatform();
  std::filesystem::remove_all(dataDir);
}
BENCHMARK(BM_figure_settings_start)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Destruction at exit: eleven values and ten records, each its own synced
// write.
void BM_figure_settings_exit_save(benchmark::State& state) {
  std::string dataDir = testsupport::MakeTempDir("bench");
  if (!StartWithDataDir(state, dataDir)) return;
  for (auto _ : state) {
    auto* settings = new SettingsStore(nullptr);
    settings->lastScore += 10;
    settings->highScores->InsertScore(HighScoreEntry{1, settings->lastScore, 0, 0, u"BENCH"});
    Clock::time_point start = Clock::now();
    delete settings;
    state.SetIterationTime(Seconds(start));
  }
  ce::StopPlatform();
  std::filesystem::remove_all(dataDir);
}
BENCHMARK(BM_figure_settings_exit_save)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
