#include "app/command_line.h"

#include <charconv>

#include "drivers/play_sound.h"

namespace app {

namespace {

bool ToInt(const std::string& text, int low, int high, int* value) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  *value = v;
  return true;
}

bool LooksLikeOption(const std::string& text) { return text.rfind("--", 0) == 0 || text == "-h"; }

}  // namespace

const char* Usage() {
  return "usage: reedshot [options]\n"
         "  --scale N           window scale, 1 to 16 (default: the largest that fits)\n"
         "  --fullscreen        start in full screen (F11 or Alt+Enter toggles)\n"
         "  --portrait          show the screen unturned, as the device held upright\n"
         "  --data-dir DIR      where settings and scores live\n"
         "                      (default: $XDG_DATA_HOME/reedshot or ~/.local/share/reedshot)\n"
         "  --mute              no sound\n"
         "  --headless          no window: virtual time, for scripts and tests\n"
         "  --script FILE       run a headless script (- reads standard input)\n"
         "  --screenshots DIR   where a script's 'shot' commands write their pictures\n"
         "  --audio-out FILE    headless: write everything played to a WAV file\n"
         "  --play-sound ID     play one sound resource and exit\n"
         "  --extract DIR       write every embedded picture and sound to DIR\n"
         "  --contact-sheet F   draw every picture on one PNG sheet\n"
         "  --demo [DIR]        play a whole session by itself, headless (default ./demo)\n"
         "  --record FILE       record a run: the data it starts with and its input\n"
         "  --replay FILE       play a recording back headless, on the recorded data\n"
         "  --watch FILE        watch a game record (.reedshot) in the window (hold Enter\n"
         "                      for 4x, any other key ends it); with --headless, print\n"
         "                      its final state and check the score it claims\n"
         "  --export-game N F   write the game of the high-score table's place N to F\n"
         "  --help              this text\n"
         "  --version           the versions of the program, SDL and SQLite\n";
}

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  CommandLine& o = result.options;
  auto fail = [&](const std::string& why) {
    result.ok = false;
    result.error = why;
    return result;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // A value that looks like an option is an option the value was left
    // out before ("--screenshots --headless").
    std::string given;
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) return false;
      if (LooksLikeOption(args[i + 1])) {
        given = args[i + 1];
        return false;
      }
      *out = args[++i];
      return true;
    };
    // Names what was given instead of a value, when it was an option.
    auto missing = [&](const std::string& what) {
      if (!given.empty())
        return fail(arg + " needs " + what + ", not the option " + given +
                    " (for a name that begins with -, write ./" + given + ")");
      return fail(arg + " needs " + what);
    };
    std::string text;
    if (arg == "--scale") {
      if (!value(&text) || !ToInt(text, 1, 16, &o.scale)) return missing("a number from 1 to 16");
    } else if (arg == "--fullscreen") {
      o.fullscreen = true;
    } else if (arg == "--portrait") {
      o.portrait = true;
    } else if (arg == "--data-dir") {
      if (!value(&o.dataDir) || o.dataDir.empty()) return missing("a directory");
    } else if (arg == "--mute") {
      o.mute = true;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--script") {
      if (!value(&o.script) || o.script.empty()) return missing("a file (or - for standard input)");
      o.headless = true;
    } else if (arg == "--screenshots") {
      if (!value(&o.screenshots) || o.screenshots.empty()) return missing("a directory");
    } else if (arg == "--audio-out") {
      if (!value(&o.audioOut) || o.audioOut.empty()) return missing("a file");
    } else if (arg == "--play-sound") {
      int id = 0;
      if (!value(&text) || !ToInt(text, 0, 65535, &id))
        return missing("a sound id, one of " + drivers::PlayableSoundIds());
      o.playSound = id;
    } else if (arg == "--extract") {
      if (!value(&o.extractDir) || o.extractDir.empty()) return missing("a directory");
    } else if (arg == "--contact-sheet") {
      if (!value(&o.contactSheet) || o.contactSheet.empty()) return missing("a file");
    } else if (arg == "--demo") {
      o.demoDir = "demo";
      if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) o.demoDir = args[++i];
      o.headless = true;
    } else if (arg == "--record") {
      if (!value(&o.record) || o.record.empty()) return missing("a file");
    } else if (arg == "--replay") {
      if (!value(&o.replay) || o.replay.empty()) return missing("a file");
      o.headless = true;
    } else if (arg == "--watch") {
      if (!value(&o.watch) || o.watch.empty()) return missing("a game record");
    } else if (arg == "--export-game") {
      if (!value(&text) || !ToInt(text, 1, 10, &o.exportRank) || !value(&o.exportFile) ||
          o.exportFile.empty())
        return fail("--export-game needs a place from 1 to 10 and a file");
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg.rfind("-", 0) != 0 && o.watch.empty()) {
      o.watch = arg;  // a game record opened by its name
    } else {
      return fail("unknown option: " + arg);
    }
  }
  if (o.headless && o.script.empty() && o.replay.empty() && o.watch.empty() && !o.demoDir &&
      !o.playSound && o.extractDir.empty() && o.contactSheet.empty() && o.exportFile.empty())
    return fail(
        "--headless needs something to run: --script FILE, --replay FILE, --watch FILE or "
        "--demo");
  if (!o.audioOut.empty() && !o.headless)
    return fail(
        "--audio-out writes what a headless run plays: add --headless with a script, "
        "a replay or the demo (the window plays through the sound device)");
  return result;
}

}  // namespace app
