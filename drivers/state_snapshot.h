// A read-only picture of the run at one moment: what the headless `state`
// line prints, and all that the demo's player may know of the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CViewList;
class SettingsStore;
class SoundPlayer;

namespace drivers {

struct ObjectSnapshot {
  int kind = 0;
  int x = 0, y = 0, width = 0, height = 0;  // world coordinates
  // A world point on an opaque pixel of the object as it is drawn now,
  // nearest its middle (not part of the state line).
  bool hasAim = false;
  int aimX = 0, aimY = 0;
};

struct GameSnapshot {
  bool playing = false;
  int score = 0, shownScore = 0, shells = 0, secondsLeft = 0;
  int ducksShot = 0, leavesShot = 0, otherHits = 0, penaltyPoints = 0, shotsFired = 0;
  bool flowerShot = false;
  std::vector<ObjectSnapshot> ducks, targets;
};

struct SettingsSnapshot {
  std::string userName, playerName;
  int soundVolume = 0, musicVolume = 0;
  bool menuAnimation = false, specialEffects = false;
  int lastScore = 0, killedDucks = 0, killedLeafs = 0, negPoints = 0, accuracy = 0;
  int pendingScore = 0;
  bool resultPending = false;
};

struct HighScoreSnapshot {
  std::string name;
  int score = 0;
  bool newest = false;
};

// One thing the current screen shows or does (its page, a typed name...).
struct ScreenField {
  std::string key;
  bool isText = false;
  double number = 0;
  std::string text;
};

struct StateSnapshot {
  std::int64_t tick = 0;
  bool hasViews = false;
  int view = 0, next = 0, previous = 0;
  std::vector<int> history;
  std::vector<ScreenField> screen;  // of the current view
  bool hasSettings = false;
  SettingsSnapshot settings;
  std::vector<HighScoreSnapshot> highScores;
  int scrollX = 0, scrollY = 0;
  bool hasGame = false;
  GameSnapshot game;
  int soundPlaying = 0;
  // The keys the message loop holds down (InputState bits, the pen left
  // out): what the device's keys, however pressed, have told the program.
  int keysHeld = 0;
};

StateSnapshot TakeSnapshot();

// The program's top-level parts as they stand (null while one does not
// exist). The spine owns them and says where to find them; until it has, a
// snapshot shows no views, settings or sound.
struct ProgramParts {
  const CViewList* viewList = nullptr;
  const SettingsStore* settings = nullptr;
  const SoundPlayer* soundPlayer = nullptr;
};
void SetProgramParts(ProgramParts (*parts)());
// The parts as they stand now (all null before the spine has said).
ProgramParts CurrentProgramParts();

}  // namespace drivers
