#include "app/run.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/game_export.h"
#include "app/throwaway_folder.h"
#include "drivers/asset_export.h"
#include "drivers/demo.h"
#include "drivers/game_archive.h"
#include "drivers/play_sound.h"
#include "drivers/recorder.h"
#include "drivers/replay.h"
#include "drivers/script.h"
#include "drivers/state_json.h"
#include "drivers/watch.h"
#include "platform/data_rows.h"
#include "platform/ending_signals.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/single_instance.h"
#include "platform/window.h"

namespace app {

namespace {

ce::PlatformOptions ToPlatformOptions(const CommandLine& o) {
  ce::PlatformOptions p;
  p.headless = o.headless;
  p.scale = o.scale;
  p.fullscreen = o.fullscreen;
  p.portrait = o.portrait;
  p.mute = o.mute;
  p.dataDir = o.dataDir;
  p.audioOut = o.audioOut;
  p.screenshotsDir = o.screenshots;
  return p;
}

// Makes dir and its parents when they are missing; false, with a message,
// when that fails.
bool MakeFolder(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!ec && std::filesystem::is_directory(dir, ec)) return true;
  std::fprintf(stderr, "reedshot: cannot create %s: %s\n", dir.c_str(),
               ec ? ec.message().c_str() : "a file of that name is in the way");
  return false;
}

// True when `dir` is missing or holds nothing.
bool FolderIsEmpty(const std::string& dir) {
  std::error_code ec;
  return !std::filesystem::exists(dir, ec) || std::filesystem::is_empty(dir, ec);
}

void BusyFolder(const std::string& dataDir) {
  std::fprintf(stderr,
               "reedshot: another Reedshot is running on the data folder %s; close the other "
               "Reedshot, or give --data-dir another folder\n",
               dataDir.c_str());
}

// Makes the folder that `file` goes into, when it is missing.
bool MakeFolderOf(const std::string& file) {
  std::string dir = std::filesystem::path(file).parent_path().string();
  return dir.empty() || MakeFolder(dir);
}

// The game itself, on the data folder of `platformOptions`.
int RunGame(const CommandLine& options, const ce::PlatformOptions& platformOptions,
            drivers::ScriptDriver* script, drivers::ReplayDriver* replay, drivers::DemoDriver* demo,
            bool throwaway, drivers::WatchDriver* watch) {
  // One run at a time on a data folder. A second desktop start finds the
  // first in WinMain and brings its window forward; any other run stops.
  if (std::string home = ce::MissingHome(platformOptions.dataDir); !home.empty()) {
    std::fprintf(stderr,
                 "reedshot: the home folder %s does not exist; give one with --data-dir or "
                 "XDG_DATA_HOME\n",
                 home.c_str());
    return 2;
  }
  const std::string dataDir = ce::DataDirectory(platformOptions.dataDir);
  if (!platformOptions.headless) {
    const std::string why = ce::NoDisplayReason();
    if (!why.empty()) {
      std::fprintf(stderr,
                   "reedshot: cannot open a window: %s. Is there a display? To play without "
                   "one, run a script with --headless --script FILE, or watch the demo with "
                   "--demo.\n",
                   why.c_str());
      return 1;
    }
  }
  std::string why;
  const ce::FolderLock lock = ce::LockDataFolder(dataDir, &why);
  if (lock == ce::FolderLock::kRefused) {
    std::fprintf(stderr, "reedshot: %s\n", why.c_str());
    return 2;
  }
  const bool held = lock == ce::FolderLock::kHeld;
  struct Unlock {
    ~Unlock() { ce::ReleaseDataFolder(); }
  } unlock;
  if (held && platformOptions.headless) {
    BusyFolder(dataDir);
    return 2;
  }
  std::string error;
  if (!ce::StartPlatform(platformOptions, &error)) {
    std::fprintf(stderr, "reedshot: %s\n", error.c_str());
    return 1;
  }
  ce::SetStateReporter(&drivers::StateJson);
  if (script) ce::headless::SetDriver(script);
  if (demo) ce::headless::SetDriver(demo);
  if (replay) {
    // The rows of a recording replace the folder's: what was there is kept.
    if (!throwaway && replay->dataRows() > 0) {
      std::string kept;
      if (!ce::KeepDataFile(".before-replay", &kept)) {
        ce::StopPlatform();
        std::fprintf(stderr, "reedshot: cannot keep a copy of the data in %s; nothing replaced\n",
                     dataDir.c_str());
        return 1;
      }
      if (!kept.empty())
        std::fprintf(stderr, "reedshot: the data the replay replaces is kept in %s\n",
                     kept.c_str());
    }
    if (!replay->Begin()) {
      ce::StopPlatform();
      std::fprintf(stderr, "reedshot: cannot write the recording's data into %s\n",
                   dataDir.c_str());
      return 1;
    }
    ce::headless::SetDriver(replay);
  }
  if (watch) {
    if (!watch->Begin()) {
      ce::StopPlatform();
      std::fprintf(stderr, "reedshot: cannot write the game's settings into %s\n", dataDir.c_str());
      return 1;
    }
    ce::headless::SetDriver(watch);
  }
  std::string recordError;
  if (!held && !options.record.empty() &&
      !drivers::recording::Start(options.record, &recordError)) {
    ce::StopPlatform();
    std::fprintf(stderr, "reedshot: cannot write recording %s: %s\n", options.record.c_str(),
                 recordError.c_str());
    return 1;
  }

  // Every game that ends in the table keeps its record there, where the
  // clock is the program's own (a clock the record does not carry would
  // not give the same game again).
  std::unique_ptr<drivers::GameArchive> archive;
  if (!held && !replay && !watch && ce::ProgramClockIsExact())
    archive = std::make_unique<drivers::GameArchive>();
  int result = WinMain(ce::GetModuleHandleW(nullptr), nullptr, u"", 1);
  archive.reset();
  // A recording that could not be written fails the run, whatever else it did.
  const bool recorded = drivers::recording::Stop();
  ce::StopPlatform();
  if (held) {
    if (g_raisedOtherInstance) return 0;
    BusyFolder(dataDir);
    return 2;
  }
  if (demo) {
    if (!demo->WriteSummary() || !demo->completed()) {
      std::fprintf(stderr, "reedshot: the demo did not finish\n");
      return 1;
    }
    return 0;
  }
  if (script && script->failed()) return 2;
  // Watching in the window ends when the watcher likes: only a game watched
  // to its end has a verdict.
  if (watch && (platformOptions.headless || watch->finished())) return WatchVerdict(*watch);
  if (watch && !ce::DisplayLost()) return 0;
  if (ce::DisplayLost()) {
    std::fprintf(stderr,
                 "reedshot: the display went away; the game ended as when its window is closed\n");
    return 1;
  }
  if (result == 0) {
    std::fprintf(stderr, "reedshot: start-up failed\n");
    return 1;
  }
  return recorded ? 0 : 1;
}

}  // namespace

int Main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  ParseResult parsed = ParseCommandLine(args);
  if (!parsed.ok) {
    std::fprintf(stderr, "reedshot: %s; see reedshot --help\n", parsed.error.c_str());
    return 2;
  }
  const CommandLine& options = parsed.options;
  if (options.help) {
    std::fputs(Usage(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("reedshot %s\n%s\n", REEDSHOT_VERSION, ce::LibraryVersions().c_str());
    return 0;
  }

  // A script file is checked whole before anything runs.
  std::unique_ptr<drivers::ScriptDriver> script;
  if (!options.script.empty()) {
    std::string error;
    script = options.script == "-" ? drivers::ScriptDriver::FromStream(&std::cin)
                                   : drivers::ScriptDriver::FromFile(options.script, &error);
    if (!script) {
      std::fprintf(stderr, "reedshot: %s\n", error.c_str());
      return 2;
    }
    script->SetStateFunction(&drivers::StateJson);
    script->SetScreenshotDir(options.screenshots);
  }
  // So is a recording: anything else is refused before the game starts.
  std::unique_ptr<drivers::ReplayDriver> replay;
  if (!options.replay.empty()) {
    std::string error;
    replay = drivers::ReplayDriver::FromFile(options.replay, &error);
    if (!replay) {
      std::fprintf(stderr, "reedshot: %s\n", error.c_str());
      return 2;
    }
    replay->SetStateFunction(&drivers::StateJson);
    replay->SetScreenshotDir(options.screenshots);
  }
  if (!options.screenshots.empty() && !MakeFolder(options.screenshots)) return 1;

  // Looking at the built-in pictures and sounds needs no device.
  if (!options.extractDir.empty()) return drivers::ExtractResources(options.extractDir);
  if (!options.contactSheet.empty() && !MakeFolderOf(options.contactSheet)) return 1;
  if (!options.record.empty() && !MakeFolderOf(options.record)) return 1;
  if (!options.contactSheet.empty()) return drivers::WriteContactSheet(options.contactSheet);

  // Playing a sound needs no data.
  if (options.playSound) {
    std::string error;
    if (!ce::StartPlatform(ToPlatformOptions(options), &error)) {
      std::fprintf(stderr, "reedshot: %s\n", error.c_str());
      return 1;
    }
    int status = drivers::PlaySoundResource(*options.playSound);
    ce::StopPlatform();
    return status;
  }

  // So is a game record.
  std::unique_ptr<drivers::WatchDriver> watch;
  if (!options.watch.empty()) {
    std::string error;
    watch = drivers::WatchDriver::FromFile(options.watch, &error);
    if (!watch) {
      std::fprintf(stderr, "reedshot: %s\n", error.c_str());
      return 2;
    }
    watch->SetStateFunction(&drivers::StateJson);
    watch->SetScreenshotDir(options.screenshots);
  }
  if (options.exportRank != 0) return ExportGame(options);

  // The demo and a replay run on a fresh data directory unless told
  // otherwise: the demo gives the same files every time, and a replay
  // never touches the player's own data.
  ce::PlatformOptions platformOptions = ToPlatformOptions(options);
  if (watch && watch->silent()) platformOptions.mute = true;
  // In the window, the record plays the game and the watcher only speeds
  // it up or ends it.
  if (watch && !options.headless) platformOptions.playback = true;
  // From here on a signal ends the run as closing its window does.
  ce::CatchEndingSignals();
  if (options.demoDir && !MakeFolder(*options.demoDir)) return 1;
  std::string throwaway;
  // A recording made on a fresh folder carries no rows: replayed onto a
  // player's folder it would empty it, so it replays on its own folder.
  if (replay && !platformOptions.dataDir.empty() && replay->carriesData() &&
      replay->dataRows() == 0 && !FolderIsEmpty(platformOptions.dataDir)) {
    std::fprintf(stderr,
                 "reedshot: the recording carries no settings or scores; it replays on a "
                 "temporary folder and %s stays as it is\n",
                 platformOptions.dataDir.c_str());
    platformOptions.dataDir.clear();
  }
  // A game watched never touches the watcher's own data.
  if (watch) platformOptions.dataDir.clear();
  if ((options.demoDir || replay || watch) && platformOptions.dataDir.empty()) {
    throwaway = MakeThrowawayFolder(replay ? "replay" : watch ? "watch" : "demo");
    if (throwaway.empty()) return 2;
    platformOptions.dataDir = throwaway;
  }
  std::unique_ptr<drivers::DemoDriver> demo;
  if (options.demoDir) demo = std::make_unique<drivers::DemoDriver>(*options.demoDir);
  int status = RunGame(options, platformOptions, script.get(), replay.get(), demo.get(),
                       !throwaway.empty(), watch.get());
  if (!throwaway.empty()) RemoveThrowawayFolder(throwaway);
  return status;
}

}  // namespace app
