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
#include "drivers/asset_export.h"
#include "drivers/demo.h"
#include "drivers/play_sound.h"
#include "drivers/recorder.h"
#include "drivers/replay.h"
#include "drivers/script.h"
#include "drivers/state_json.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
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
  if (!options.contactSheet.empty()) return drivers::WriteContactSheet(options.contactSheet);

  // The demo plays on a fresh data directory unless told otherwise, so
  // that the same command gives the same files every time.
  std::unique_ptr<drivers::DemoDriver> demo;
  std::string demoData;
  ce::PlatformOptions platformOptions = ToPlatformOptions(options);
  if (options.demoDir) {
    if (!MakeFolder(*options.demoDir)) return 1;
    if (platformOptions.dataDir.empty()) {
      demoData = (std::filesystem::temp_directory_path() / "reedshot-demo-XXXXXX").string();
      if (mkdtemp(demoData.data()) == nullptr) {
        std::fprintf(stderr, "reedshot: cannot create a data directory for the demo\n");
        return 1;
      }
      platformOptions.dataDir = demoData;
    }
    demo = std::make_unique<drivers::DemoDriver>(*options.demoDir);
  }

  std::string error;
  if (!ce::StartPlatform(platformOptions, &error)) {
    std::fprintf(stderr, "reedshot: %s\n", error.c_str());
    return 1;
  }
  ce::SetStateReporter(&drivers::StateJson);
  if (options.playSound) {
    int status = drivers::PlaySoundResource(*options.playSound);
    ce::StopPlatform();
    return status;
  }
  if (script) ce::headless::SetDriver(script.get());
  if (demo) ce::headless::SetDriver(demo.get());
  if (replay) {
    replay->Begin();
    ce::headless::SetDriver(replay.get());
  }
  if (!options.record.empty() && !drivers::recording::Start(options.record)) {
    ce::StopPlatform();
    std::fprintf(stderr, "reedshot: cannot write recording %s\n", options.record.c_str());
    return 1;
  }

  int result = WinMain(ce::GetModuleHandleW(nullptr), nullptr, u"", 1);
  drivers::recording::Stop();
  ce::StopPlatform();
  if (demo) {
    bool written = demo->WriteSummary();
    if (!demoData.empty()) std::filesystem::remove_all(demoData);
    if (!written || !demo->completed()) {
      std::fprintf(stderr, "reedshot: the demo did not finish\n");
      return 1;
    }
    return 0;
  }
  if (script && script->failed()) return 2;
  if (ce::DisplayLost()) {
    std::fprintf(stderr,
                 "reedshot: the display went away; the game ended as when its window is closed\n");
    return 1;
  }
  if (result == 0 && !g_raisedOtherInstance) {
    std::fprintf(stderr, "reedshot: start-up failed\n");
    return 1;
  }
  return 0;
}

}  // namespace app
