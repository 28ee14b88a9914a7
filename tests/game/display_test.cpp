// The clock's text and seconds, and the score's roll, on the displays of a
// running game.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/game_harness.h"

namespace {

using namespace gametest;

std::u16string Time(int seconds) {
  char16_t text[8];
  CGameClock::FormatTime(seconds, text);
  return text;
}

TEST(GameClockTest, TimeText) {
  EXPECT_EQ(Time(180), u"03:00");
  EXPECT_EQ(Time(9), u"00:09");
  EXPECT_EQ(Time(659), u"10:59");
}

TEST(GameClockTest, SecondsAddedAndTaken) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    CGameClock& clock = Game().clock;
    // Exactly as much as is left: 0 by subtraction; Tick reports it at once.
    // (More than is left ends a game: the red-bird coin in the game's rules.)
    clock.secondsLeft = 30;
    clock.AddSeconds(-30);
    EXPECT_EQ(clock.secondsLeft, 0);
    EXPECT_EQ(clock.Tick(), 0);
    // +30 at 5: the next second starts afresh and counts to 34.
    clock.Start();
    clock.secondsLeft = 5;
    clock.AddSeconds(30);
    EXPECT_EQ(clock.secondsLeft, 35);
  });
  h.Wait(1000);
  h.Then([] { EXPECT_EQ(Game().clock.secondsLeft, 35); });
  h.Wait(20);
  h.Then([] { EXPECT_EQ(Game().clock.secondsLeft, 34); });
  EXPECT_EQ(h.Run(), 1);
}

TEST(ScoreCounterTest, RollsOneUnitAFrame) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    CScoreCounter& score = Game().scoreCounter;
    // +10 at 100, then +25 three frames later: the display jumps to 110.
    score.score = score.shown = 100;
    score.Add(10);
    for (int i = 0; i < 3; ++i) score.Update();
    EXPECT_EQ(score.shown, 103);
    score.Add(25);
    EXPECT_EQ(score.shown, 110);
    for (int i = 0; i < 30; ++i) score.Update();
    EXPECT_EQ(score.shown, 135);
  });
  EXPECT_EQ(h.Run(), 1);
}

}  // namespace
