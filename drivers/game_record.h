// A game record: what decides one game, from the New Game tap on the main
// menu to the end of the game-over second, small enough for a link. The
// game's own time decides everything in it: the random numbers are drawn
// from the tick count, so the record holds the time the game began and
// each input with the time it came, counted in the timer's ticks between
// them; the timer itself is implied.
//
// The file: "REEDSHOT" and a version byte, then one zlib stream of
// numbers (unsigned LEB128, signed ones zigzagged first). Reading is
// strict: a file of more than 64 KB, a field out of its range, bytes left
// over, or an input the devices never send is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace drivers {

// One input of the game, after `timersBefore` ticks of the timer since the
// input before it (or since the start), `sinceLast` milliseconds after the
// message before it was taken.
struct GameInput {
  std::uint32_t timersBefore = 0;
  std::uint32_t sinceLast = 0;
  ce::UINT message = 0;
  ce::WPARAM wParam = 0;
  ce::LPARAM lParam = 0;
};

struct GameRecord {
  // The rules the game was played by; a record of other rules is refused.
  static constexpr std::uint32_t kRules = 1;
  std::u16string name;  // the player the record claims, at most 8 characters
  std::int32_t claimedScore = 0;
  // The settings that change a game, and whether it was played without
  // sound, so that it is watched as it was heard.
  bool menuAnimation = true, specialEffects = true, silent = false;
  int soundVolume = 0, musicVolume = 0;  // 0 to 70
  // The generators the ducks and the targets keep from game to game.
  std::int32_t duckRandom = 0, targetRandom = 0;
  ce::DWORD startTick = 0;        // when the first input was taken
  ce::DWORD firstTimerTick = 0;   // when the timer ticks first after it
  std::vector<GameInput> inputs;  // the first is the pen going down on New Game
  std::uint32_t timersAfter = 0;  // ticks of the timer after the last input
};

constexpr std::size_t kGameRecordLimit = 64 * 1024;
constexpr int kGameRecordVersion = 1;

std::vector<std::uint8_t> EncodeGameRecord(const GameRecord& record);
// False, with the one line that says why in *error: "not a Reedshot game
// record" or "a game record from a newer Reedshot (version N)".
bool DecodeGameRecord(const std::uint8_t* data, std::size_t size, GameRecord* record,
                      std::string* error);

}  // namespace drivers
