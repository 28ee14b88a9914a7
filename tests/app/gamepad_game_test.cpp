// A game played with a game controller (SDL's virtual one, no hardware) in
// a real window, in this process: the pointer aims, the south button
// shoots, west reloads, the direction pad scrolls the lake and Back opens
// the pause menu; the run's recording, replayed headless, ends on the same
// picture. Needs a display, xdotool and ImageMagick; skipped otherwise.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "app/run.h"
#include "tests/support/real_window.h"

namespace {

using testsupport::PauseMs;
using testsupport::Shell;

// The controller and the mouse, worked from another thread while the
// program runs on this one.
class Player {
 public:
  explicit Player(SDL_Joystick* pad) : pad_(pad) {}

  void Button(SDL_GameControllerButton button, int holdMs, int thenMs) {
    SDL_JoystickSetVirtualButton(pad_, button, 1);
    PauseMs(holdMs);
    SDL_JoystickSetVirtualButton(pad_, button, 0);
    PauseMs(thenMs);
  }
  void Tilt(SDL_GameControllerAxis axis, double share, int ms) {
    SDL_JoystickSetVirtualAxis(pad_, axis, static_cast<Sint16>(share * 32767));
    PauseMs(ms);
    SDL_JoystickSetVirtualAxis(pad_, axis, 0);
  }
  // A click at a frame-buffer point of the window at scale 1, where the
  // player sees (x, y) at (319 - y, x).
  static void Click(int x, int y, int thenMs) {
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      SDL_Event e{};
      e.type = type;
      e.button.windowID = 1;
      e.button.button = SDL_BUTTON_LEFT;
      e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      e.button.x = 319 - y;
      e.button.y = x;
      SDL_PushEvent(&e);
      PauseMs(50);
    }
    PauseMs(thenMs);
  }
  static void MoveMouse() {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = 1;
    e.motion.x = e.motion.y = 5;
    SDL_PushEvent(&e);
  }

 private:
  SDL_Joystick* pad_;
};

TEST(GamepadGame, AGamePlayedWithAControllerReplaysToTheSamePicture) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  testsupport::DisplayLock lock;
  std::string dir = testsupport::MakeTempDir("gamepad");
  std::string runtime = dir + "/runtime";
  mkdir(runtime.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

  // The controller is there before the program starts; the window need not
  // have the focus to hear it.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* pad = SDL_JoystickOpen(index);
  ASSERT_NE(pad, nullptr);

  const std::string recording = dir + "/run.rec", seen = dir + "/seen.png";
  std::thread player([&] {
    std::string window = Shell("xdotool search --sync --all --onlyvisible --pid " +
                               std::to_string(getpid()) + " --name '^Reedshot$' | head -1");
    Player p(pad);
    PauseMs(1000);
    Player::Click(203, 308, 1000);  // the intro's Skip
    Player::Click(120, 160, 2000);  // the title
    Player::Click(31, 76, 2500);    // New game
    // Aim a little right of the middle, and shoot the gun empty (a shot
    // or two more than its seven shells, in case the game started late).
    p.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0.6, 300);
    for (int shot = 0; shot < 10; ++shot) p.Button(SDL_CONTROLLER_BUTTON_A, 40, 150);
    p.Button(SDL_CONTROLLER_BUTTON_X, 40, 800);  // reload
    p.Tilt(SDL_CONTROLLER_AXIS_RIGHTY, -0.8, 200);
    for (int shot = 0; shot < 2; ++shot) p.Button(SDL_CONTROLLER_BUTTON_A, 40, 150);
    // Along the lake to its right end.
    p.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1500, 100);
    p.Button(SDL_CONTROLLER_BUTTON_BACK, 40, 1500);  // the pause menu
    // The mouse takes the controller's pointer off the picture.
    Player::MoveMouse();
    PauseMs(500);
    Shell("import -window " + window + " " + seen);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  });
  std::string data = dir + "/data";
  std::vector<std::string> args{"reedshot",   "--scale", "1",        "--mute",
                                "--data-dir", data,      "--record", recording};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  int status = app::Main(static_cast<int>(argv.size()), argv.data());
  player.join();
  SDL_JoystickClose(pad);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  unsetenv("XDG_RUNTIME_DIR");
  ASSERT_EQ(status, 0);

  // The replay takes a picture and says the state where the run ended.
  std::string text = testsupport::ReadFile(recording);
  ASSERT_GE(text.size(), 2u);
  ASSERT_EQ(text.substr(text.size() - 2), "Q\n");
  std::ofstream(recording) << text.substr(0, text.size() - 2) << "S end\nJ\nQ\n";
  const std::string shots = dir + "/shots";
  auto replayed = testsupport::RunProgram(
      REEDSHOT_BINARY,
      {"--replay", recording, "--screenshots", shots, "--data-dir", dir + "/data2", "--mute"});
  ASSERT_EQ(replayed.status, 0) << replayed.err;
  const std::string& state = replayed.out;
  EXPECT_NE(state.find("\"view\":5,"), std::string::npos) << state;  // paused
  // The game starts at the lake's left end (639) and scrolls to its right.
  size_t scroll = state.find("\"scroll\":[0,");
  ASSERT_NE(scroll, std::string::npos) << state;
  EXPECT_LT(std::stoi(state.substr(scroll + 12)), 100) << state;
  EXPECT_NE(state.find("\"shells\":5,"), std::string::npos) << state;
  EXPECT_NE(state.find("\"shotsFired\":9,"), std::string::npos) << state;
  EXPECT_EQ(Shell("compare -metric AE " + seen + " " + shots + "/end.png null: 2>&1"), "0");
}

}  // namespace
