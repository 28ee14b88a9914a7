// The ducks' own rules in play: who is hit, when ducks may appear, the V
// formation's room and the swimming duck.
#include <gtest/gtest.h>

#include "assets/resource_ids.h"
#include "tests/game/game_harness.h"

namespace {

using namespace gametest;

InputEvent NoInput() { return InputEvent{}; }

DuckResult V() {
  InputEvent none = NoInput();
  return Game().ducks.Update(&none, 1, kDuckModeV);
}

// Draws of SpawnDuck for a duck of the kind picked by k (0..3), up to the
// swimming duck's draw.
bool SpawnDraws(CRandom& r, int k, bool swimmer) {
  if (r.Next(30) != 7 || r.Next(30) % 4 != k) return false;
  int positionDraws = k <= 1 ? 3 : 5;
  for (int i = 0; i < positionDraws; ++i) r.Next(100);
  r.Next(10);  // steps
  r.Next(30);  // path
  return (r.Next(10) % 2 == 0) == swimmer;
}

TEST(DuckRulesTest, RoomForDucksAndFormations) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    EXPECT_EQ(V().type, kDuckVCreated);
    EXPECT_EQ(Game().ducks.count, 5);
    // Followers trail the leader: the formation comes from y -240 upwards.
    EXPECT_EQ(Game().ducks.slots[0]->y(), -240);
    EXPECT_EQ(Game().ducks.slots[1]->y(), -300);
    EXPECT_EQ(Game().ducks.slots[4]->y(), -360);
    // A lucky draw brings a duck while there are fewer than seven.
    Game().ducks.random = StateWhere([](CRandom& r) { return SpawnDraws(r, 2, false); });
  });
  h.Wait(10);
  h.Then([] {
    ASSERT_EQ(Game().ducks.count, 6);
    CMover* duck = Game().ducks.slots[5];
    EXPECT_EQ(duck->kind, kDuckNearDown);
    EXPECT_LE(duck->y(), -100);
    V();
    EXPECT_EQ(Game().ducks.count, 11);
    // Seven or more: no luck brings another.
    Game().ducks.random = StateWhere([](CRandom& r) { return SpawnDraws(r, 0, false); });
  });
  h.Wait(10);
  h.Then([] {
    EXPECT_EQ(Game().ducks.count, 11);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(V().type, kDuckVCreated);
    EXPECT_EQ(Game().ducks.count, 26);
    EXPECT_EQ(V().type, kDuckVCreated);  // 26 + 6 < 35
    EXPECT_EQ(Game().ducks.count, 31);
    EXPECT_EQ(V().type, kDuckVRefused);
    EXPECT_EQ(Game().ducks.count, 31);
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(DuckRulesTest, OneDuckAShotTheLowerSlotFirstAndNoneWithoutAShell) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    V();
    for (int i = 0; i < 2; ++i) {
      PlaceOnScreen(Game().ducks.slots[i], 100, 100);
      PaintOpaque(Game().ducks.slots[i], 10, 10);
    }
    Game().ducks.slots[0]->kind = kDuckNearUp;  // tells the two apart
  });
  h.Tap(110, 110);
  h.Then([] {
    EXPECT_EQ(Game().ducksShot, 1);
    EXPECT_EQ(Game().scoreCounter.score, 10);  // slot 0's duck
    EXPECT_EQ(Game().ducks.count, 4);
    // The other one is still under the pen; with no shell it is safe.
    while (Game().shellIndicator.shells > 0) Game().shellIndicator.Fire();
  });
  h.Tap(110, 110);
  h.Then([] {
    EXPECT_EQ(Game().ducksShot, 1);
    EXPECT_EQ(Game().ducks.count, 4);
    EXPECT_EQ(CountSound(kSoundEmptyGun), 1);
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(DuckRulesTest, TheSwimmingDuckTurnsAndNeverDies) {
  GameHarness h;
  h.StartGame();
  h.Then(
      [] { Game().ducks.random = StateWhere([](CRandom& r) { return SpawnDraws(r, 1, true); }); });
  h.Wait(10);
  h.Then([] {
    Game().ducks.random = CRandom(0);
    ASSERT_EQ(Game().ducks.count, 2);
    ASSERT_EQ(Game().ducks.swimmingCount, 1);
    CMover* swimmer = Game().ducks.slots[1];
    ASSERT_EQ(swimmer->kind, kDuckSwimming);
    PlaceOnScreen(swimmer, 150, 150);
    PaintOpaque(swimmer, 10, 10);
  });
  h.Tap(160, 160);
  h.Wait(20);
  h.Then([] {
    CMover* swimmer = Game().ducks.slots[1];
    EXPECT_EQ(swimmer->kind, kDuckSwimming);
    EXPECT_EQ(Game().ducks.count, 2);
    EXPECT_EQ(Game().ducksShot, 0);
    EXPECT_EQ(Game().scoreCounter.score, 0);
    EXPECT_EQ(CountSound(kSoundQuack1), 1);
    // Turned: it shows the other picture and heads the other way.
    EXPECT_EQ(swimmer->sprite->picture, swimmer->sprite->frames[0]);
    EXPECT_EQ(swimmer->sprite->frameCount, 1);
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(DuckRulesTest, HiddenAndShownAgainAroundAnotherScreen) {
  GameHarness h;
  int spritesInPlay = 0, scrollY = 0;
  h.StartGame();
  h.Key(ce::VK_UP, true);
  h.Wait(100);
  h.Key(ce::VK_UP, false);
  h.Then([&] {
    V();
    spritesInPlay = Scene().sprites.count;
    scrollY = Scene().GetScrollY();
    EXPECT_LT(scrollY, 639);
    EXPECT_GT(spritesInPlay, 30);
    // As the pause menu's Score button does.
    Game().HideGame();
    EXPECT_EQ(Scene().sprites.count, 0);
    EXPECT_EQ(Game().clock.running, 0);
    Scene().SetScroll(0, 0);
    g_application->viewList->SwitchTo(kViewHighScores, 0);
  });
  h.Wait(5000);
  h.Then([] {
    EXPECT_EQ(Game().clock.secondsLeft, 180);
    g_application->viewList->SwitchTo(kViewGame, 0);
    Sounds().clear();
  });
  h.Wait(10);
  h.Then([&] {
    EXPECT_EQ(Scene().sprites.count, spritesInPlay);
    EXPECT_EQ(Scene().GetScrollY(), scrollY);
    EXPECT_EQ(Game().clock.running, 1);
    ASSERT_FALSE(Sounds().empty());
    EXPECT_EQ(Sounds().front(), kSoundGameMusic);
  });
  EXPECT_EQ(h.Run(), 1);
}

}  // namespace
