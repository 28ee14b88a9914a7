// The rules a player notices, checked on whole games driven through the
// real message loop, dispatcher and View List with virtual time.
#include <gtest/gtest.h>

#include "assets/resource_ids.h"
#include "tests/game/game_harness.h"

namespace {

using namespace gametest;

constexpr int kEmptyX = 50, kEmptyY = 200;  // a place where nothing is

InputEvent NoInput() { return InputEvent{}; }

// Five far ducks (kind 3) from the V formation, which draws no spawn luck.
CMover* FarDuck() {
  InputEvent none = NoInput();
  Game().ducks.Update(&none, 1, kDuckModeV);
  return Game().ducks.slots[Game().ducks.count - 5];
}

// The next frame of the target set brings a target chosen by `choice`
// (the value of random(197) mod 17 that picks its kind); no other comes.
void SpawnTarget(GameHarness& h, int choice) {
  h.Then([choice] {
    Game().targets.random = StateWhere([choice](CRandom& r) {
      r.Next(100);  // the creeper's creep
      if (r.Next(30) != 7) return false;
      if (r.Next(197) % 17 != choice) return false;
      return choice != 8 || r.Next(20) % 5 == 0;  // a red bird needs more luck
    });
  });
  h.Wait(10);
  h.Then([] { Game().targets.random = CRandom(0); });
}

// A far duck placed on the screen at (x, y), opaque around its pixel (u, v).
void OpaqueDuckAt(int x, int y, int u, int v) {
  CMover* duck = FarDuck();
  PlaceOnScreen(duck, x, y);
  PaintOpaque(duck, u, v);
}

CMover* LastTarget() { return Game().targets.slots[Game().targets.count - 1]; }

// The next leaf hit draws `r` (random(100) mod 13).
void LeafHitDraws(int r) {
  Game().targets.random = StateWhere([r](CRandom& g) { return g.Next(100) % 13 == r; });
}

TEST(GameRulesTest, ShellsEmptyGunAndReload) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    EXPECT_EQ(Game().shellIndicator.shells, 7);
    EXPECT_EQ(Game().shellIndicator.sprite->frameIndex, 0);
  });
  for (int i = 0; i < 7; ++i) h.Tap(kEmptyX, kEmptyY);
  h.Then([] {
    EXPECT_EQ(Game().shellIndicator.shells, 0);
    EXPECT_EQ(Game().shellIndicator.sprite->frameIndex, 7);  // the Reload sign
    EXPECT_EQ(Game().shotsFired, 7);
    EXPECT_EQ(CountSound(kSoundShot), 7);
    EXPECT_EQ(CountSound(kSoundLastShell), 1);
    EXPECT_EQ(CountSound(kSoundEmptyGun), 0);
  });
  // The eighth tap only clicks; outside the reload rectangle nothing reloads.
  h.Tap(kEmptyX, kEmptyY);
  h.Tap(200, 100);
  h.Tap(220, 5);
  h.Tap(220, 165);
  h.Then([] {
    EXPECT_EQ(Game().shellIndicator.shells, 0);
    EXPECT_EQ(Game().shotsFired, 7);
    EXPECT_EQ(CountSound(kSoundEmptyGun), 4);
    EXPECT_EQ(CountSound(kSoundReload), 0);
  });
  // Empty, the sign blinks between its two pictures every 140 ms or more.
  h.Then([] { Game().lastBlinkTick = ce::GetTickCount(); });
  h.Wait(100);
  h.Then([] { EXPECT_EQ(Game().shellIndicator.sprite->frameIndex, 7); });
  h.Wait(60);
  h.Then([] { EXPECT_EQ(Game().shellIndicator.sprite->frameIndex, 8); });
  h.Wait(150);
  h.Then([] { EXPECT_EQ(Game().shellIndicator.sprite->frameIndex, 7); });
  // A tap in the reload rectangle reloads with its sound.
  h.Tap(201, 164);
  h.Then([] {
    EXPECT_EQ(Game().shellIndicator.shells, 7);
    EXPECT_EQ(Game().shellIndicator.sprite->frameIndex, 0);
    EXPECT_EQ(CountSound(kSoundReload), 1);
    EXPECT_EQ(Game().shotsFired, 7);
  });
  // With shells left the same rectangle is an ordinary shot.
  h.Tap(230, 6);
  h.Then([] {
    EXPECT_EQ(Game().shellIndicator.shells, 6);
    EXPECT_EQ(Game().shotsFired, 8);
  });
  // Hardware key 3 reloads an empty gun, without a sound, and scrolling
  // with a key held at the same time still reloads.
  for (int i = 0; i < 6; ++i) h.Tap(kEmptyX, kEmptyY);
  h.Then([] {
    EXPECT_EQ(Game().shellIndicator.shells, 0);
    Sounds().clear();
  });
  h.Then([] {
    ce::headless::PostInput(ce::WM_HOTKEY, 0xC3, ce::MAKELPARAM(0x0008, 0xC3));
    ce::headless::PostInput(ce::WM_KEYDOWN, ce::VK_UP, 0);
  });
  h.Then([] {
    EXPECT_EQ(Game().shellIndicator.shells, 7);
    EXPECT_EQ(Scene().GetScrollY(), 629);
    EXPECT_EQ(CountSound(kSoundReload), 0);
  });
  h.HardwareKey(0xC3, false);
  h.Key(ce::VK_UP, false);
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, KillScoresAndTheDisplayRolls) {
  GameHarness h;
  std::vector<int> shown;
  h.StartGame();
  h.Then([] { OpaqueDuckAt(100, 100, 20, 20); });
  h.PenDown(120, 120);
  h.Then([&] {
    EXPECT_EQ(Game().ducksShot, 1);
    EXPECT_EQ(Game().scoreCounter.score, 25);
    EXPECT_EQ(Game().ducks.count, 4);
    EXPECT_EQ(Game().fallingDucks.count, 1);
    EXPECT_EQ(Game().featherBursts.count, 1);
    EXPECT_EQ(CountSound(kSoundDuckHit), 1);
    EXPECT_EQ(Game().shotsFired, 1);
    EXPECT_EQ(Game().shotPuffs.count, 0);  // a hit makes no puff
    shown.push_back(Game().scoreCounter.shown);
  });
  // One unit a frame: one timer message every 10 ms.
  for (int i = 0; i < 5; ++i) {
    h.Wait(10);
    h.Then([&] { shown.push_back(Game().scoreCounter.shown); });
  }
  h.PenUp(120, 120);
  h.Wait(400);
  h.Then([&] {
    for (size_t i = 1; i < shown.size(); ++i) EXPECT_EQ(shown[i], shown[i - 1] + 1) << i;
    EXPECT_EQ(Game().scoreCounter.shown, 25);
  });
  // The points label leaves with its duck after about 0.4 s.
  h.Wait(600);
  h.Then([] { EXPECT_EQ(Game().fallingDucks.count, 0); });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, NearMissScaresTheDuck) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    CMover* duck = FarDuck();
    PlaceOnScreen(duck, 100, 100);
    PaintTransparent(duck);
  });
  h.Tap(110, 110);
  h.Then([] {
    EXPECT_EQ(Game().ducksShot, 0);
    EXPECT_EQ(Game().scoreCounter.score, 0);
    EXPECT_EQ(Game().shotsFired, 1);
    EXPECT_EQ(Game().ducks.count, 5);  // the fleeing duck replaces it
    CMover* fleeing = Game().ducks.slots[Game().ducks.count - 1];
    EXPECT_EQ(fleeing->kind, kDuckFarUp);
    EXPECT_EQ(CountSound(kSoundQuack1) + CountSound(kSoundQuack2), 1);
    EXPECT_EQ(Game().shotPuffs.count, 1);  // a miss
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, LeavesAndTheirBonuses) {
  GameHarness h;
  h.StartGame();
  auto leafAt = [&](int x, int y, int draw) {
    SpawnTarget(h, 0);
    h.Then([x, y, draw] {
      ASSERT_EQ(LastTarget()->kind, kTargetLeaf);
      PlaceOnScreen(LastTarget(), x, y);
      Game().shellIndicator.Reload();
      LeafHitDraws(draw);
    });
    h.Tap(x + 1, y + 1);  // a leaf counts on any pixel of its picture
  };
  // A plain leaf: one point.
  leafAt(60, 60, 5);
  h.Then([] {
    EXPECT_EQ(Game().scoreCounter.score, 1);
    EXPECT_EQ(Game().leavesShot, 1);
    EXPECT_EQ(Game().otherHits, 0);
    EXPECT_NE(Game().targets.popUp, nullptr);
    EXPECT_GT(Game().targets.popUpFrames, 15);
  });
  // The clock: 30 more seconds.
  h.Then([] { Game().clock.secondsLeft = 100; });
  leafAt(60, 60, 0);
  h.Then([] {
    EXPECT_EQ(Game().clock.secondsLeft, 130);
    EXPECT_EQ(Game().leavesShot, 2);
    EXPECT_EQ(Game().otherHits, 1);
    EXPECT_EQ(CountSound(kSoundTimeBonus), 1);
  });
  // The duck coin: a V formation, then five plain points, then again.
  leafAt(60, 60, 2);
  h.Then([] {
    EXPECT_EQ(Game().ducks.count, 5);
    EXPECT_EQ(Game().targets.coinCooldown, 6);
    EXPECT_EQ(Game().otherHits, 2);
    EXPECT_EQ(Game().leavesShot, 2);
  });
  for (int i = 0; i < 5; ++i) leafAt(60, 60, 2);
  h.Then([] {
    EXPECT_EQ(Game().ducks.count, 5);
    EXPECT_EQ(Game().targets.coinCooldown, 1);
    EXPECT_EQ(Game().leavesShot, 7);
  });
  leafAt(60, 60, 2);
  h.Then([] { EXPECT_EQ(Game().ducks.count, 10); });
  // The red-bird coin with 30 seconds or fewer left ends the game.
  h.Then([] { Game().clock.secondsLeft = 20; });  // more than is left: 0, and over
  leafAt(60, 60, 1);
  h.Wait(10);  // the switch to the table waits for the pass after the game-over pause
  h.Then([] {
    EXPECT_EQ(CountSound(kSoundTimePenalty), 1);
    EXPECT_FALSE(Game().playing());
    EXPECT_EQ(g_application->viewList->current, kViewHighScores);
    EXPECT_EQ(Settings().killedLeafs, 8);  // the duck coins are not leaves
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, SignDuckRedBirdAndCreeper) {
  GameHarness h;
  h.StartGame();
  // The sign duck: +50 and a hit of its own.
  SpawnTarget(h, 7);
  h.Then([] {
    ASSERT_EQ(LastTarget()->kind, kTargetSignDuck);
    EXPECT_EQ(Game().targets.signDuckPresent, 1);
    PlaceOnScreen(LastTarget(), 100, 100);
  });
  h.Tap(150, 140);
  h.Then([] {
    EXPECT_EQ(Game().scoreCounter.score, 50);
    EXPECT_EQ(Game().otherHits, 1);
    EXPECT_EQ(Game().targets.signDuckPresent, 0);
    EXPECT_EQ(CountSound(kSoundDuckHit), 1);
    Game().scoreCounter.score = 12;
    Game().scoreCounter.shown = 12;
  });
  // A red bird: -50, the score stops at 0 and the penalty counts whole.
  SpawnTarget(h, 8);
  h.Then([] {
    ASSERT_EQ(LastTarget()->kind, kTargetRedBird);
    PlaceOnScreen(LastTarget(), 30, 30);
  });
  h.Tap(35, 35);
  h.Then([] {
    EXPECT_EQ(Game().scoreCounter.score, 0);
    EXPECT_EQ(Game().penaltyPoints, 50);
    EXPECT_EQ(Game().otherHits, 2);
    EXPECT_EQ(CountSound(kSoundRedBirdHit), 1);
    EXPECT_EQ(Game().targets.effectCount, 2);  // it falls away after the sign duck
  });
  // The creeper costs 50 every time and stays.
  h.Then([] { PlaceOnScreen(Game().targets.slots[0], 180, 200); });
  h.Tap(190, 210);
  h.Tap(190, 210);
  h.Wait(300);
  h.Then([] {
    EXPECT_EQ(Game().penaltyPoints, 150);
    EXPECT_EQ(Game().otherHits, 4);
    EXPECT_EQ(Game().scoreCounter.score, 0);
    EXPECT_EQ(Game().scoreCounter.shown, 0);
    EXPECT_EQ(CountSound(kSoundCreeperHit), 2);
    EXPECT_EQ(Game().targets.slots[0]->kind, kTargetCreeper);
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, SignDuckThatGetsAwayIsTheLastOne) {
  GameHarness h;
  h.StartGame();
  SpawnTarget(h, 7);
  h.Then([] { ASSERT_EQ(Game().targets.count, 2); });
  // Out, hold and back: well under ten seconds.
  h.Wait(10000);
  h.Then([] {
    EXPECT_EQ(Game().targets.count, 1);
    EXPECT_EQ(Game().targets.signDuckPresent, 1);
  });
  SpawnTarget(h, 7);
  h.Then([] { EXPECT_EQ(Game().targets.count, 1); });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, HiddenFlowerOncePerGame) {
  GameHarness h;
  h.StartGame();
  // World (165, 919) at scroll 639.
  h.Tap(165, 280);
  h.Then([] {
    EXPECT_EQ(CountSound(kSoundFlowerFound), 1);
    EXPECT_EQ(Game().scenery.flowerShot, 1);
    EXPECT_EQ(Game().shotsFired, 1);
    EXPECT_EQ(Game().shotPuffs.count, 0);
  });
  h.Tap(165, 280);
  h.Then([] {
    EXPECT_EQ(CountSound(kSoundFlowerFound), 1);
    EXPECT_EQ(Game().shotsFired, 2);
    EXPECT_EQ(Game().shotPuffs.count, 1);  // an ordinary shot that hit nothing
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, MenuCornerOpensThePauseMenuAndStillHits) {
  GameHarness h;
  h.StartGame();
  h.Then([] { OpaqueDuckAt(215, 295, 17, 17); });
  h.PenDown(232, 312);
  h.Then([] {
    CViewList* views = g_application->viewList;
    EXPECT_EQ(views->next, kViewPauseMenu);
    ASSERT_GE(views->historyCount, 1);
    EXPECT_EQ(views->history[views->historyCount - 1], kViewGame);
    EXPECT_EQ(Game().ducksShot, 1);
    EXPECT_EQ(Game().shellIndicator.shells, 7);
    EXPECT_EQ(Game().shotsFired, 0);
    EXPECT_EQ(Sounds().back(), kSoundMenuMusic);
  });
  h.PenUp(232, 312);
  h.Wait(3000);
  // Paused: the clock does not run.
  h.Then([] {
    EXPECT_EQ(g_application->viewList->current, kViewPauseMenu);
    EXPECT_EQ(Game().clock.secondsLeft, 180);
    g_application->viewList->GoBack();
  });
  // Back: the first frame counts the second that was running, no more.
  h.Wait(10);
  h.Then([] {
    EXPECT_EQ(g_application->viewList->current, kViewGame);
    EXPECT_EQ(Game().clock.secondsLeft, 179);
  });
  h.Wait(900);
  h.Then([] { EXPECT_EQ(Game().clock.secondsLeft, 179); });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, KeysScrollWithinTheWorld) {
  GameHarness h;
  h.StartGame();
  // At the bottom already: Down does nothing.
  h.Key(ce::VK_DOWN, true);
  h.Wait(30);
  h.Key(ce::VK_DOWN, false);
  h.Then([] { EXPECT_EQ(Scene().GetScrollY(), 639); });
  // Up held: 10 a pass down to 9, where it stops.
  h.Key(ce::VK_UP, true);
  h.Wait(1000);
  h.Key(ce::VK_UP, false);
  h.Then([] {
    EXPECT_EQ(Scene().GetScrollY(), 9);
    EXPECT_EQ(Scene().GetScrollX(), 0);
    // The displays stay at their screen places.
    EXPECT_EQ(Game().shellIndicator.sprite->y, 5 + 9);
    EXPECT_EQ(Game().scoreCounter.m_editField->sprite->y, 10 + 9);
  });
  h.Key(ce::VK_DOWN, true);
  h.Wait(2000);
  h.Key(ce::VK_DOWN, false);
  h.Then([] {
    EXPECT_EQ(Scene().GetScrollY(), 639);
    EXPECT_EQ(Game().scoreCounter.m_editField->sprite->y, 10 + 639);
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, ClockTextAndHurryWarning) {
  GameHarness h;
  h.StartGame();
  h.Then([] { Game().clock.secondsLeft = 6; });
  h.Wait(1010);
  h.Then([] {
    EXPECT_EQ(Game().clock.secondsLeft, 5);
    EXPECT_EQ(CountSound(kSoundHurry), 0);
  });
  h.Wait(1010);
  h.Then([] {
    EXPECT_EQ(Game().clock.secondsLeft, 4);
    EXPECT_EQ(CountSound(kSoundHurry), 1);
  });
  h.Wait(1010);
  // A +30 leaf lets the warning sound again when time runs low.
  h.Then([] { EXPECT_EQ(CountSound(kSoundHurry), 1); });
  SpawnTarget(h, 0);
  h.Then([] {
    PlaceOnScreen(LastTarget(), 60, 60);
    LeafHitDraws(0);
  });
  h.Tap(61, 61);
  h.Then([] {
    EXPECT_EQ(Game().clock.secondsLeft, 33);
    Game().clock.secondsLeft = 5;
  });
  h.Wait(1010);
  h.Then([] { EXPECT_EQ(CountSound(kSoundHurry), 2); });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, ResultsAtZeroAndTheHandOver) {
  GameHarness h;
  h.StartGame();
  h.Then([] { OpaqueDuckAt(100, 100, 20, 20); });
  h.Tap(120, 120);
  h.Tap(kEmptyX, kEmptyY);
  h.Tap(kEmptyX, kEmptyY);
  h.Then([] {
    Game().clock.secondsLeft = 1;
    Settings().resultPending = 0;
  });
  // The pen held down over the end (a fourth shot): frames go on (type 3)
  // and nothing is handed over until an event without input.
  h.PenDown(kEmptyX, kEmptyY);
  h.Wait(1050);
  h.Then([] {
    EXPECT_EQ(Game().clock.secondsLeft, 0);
    EXPECT_EQ(Settings().resultPending, 1);
    EXPECT_EQ(Settings().pendingScore, 25);
    EXPECT_EQ(Settings().lastScore, 25);
    EXPECT_EQ(Settings().killedDucks, 1);
    EXPECT_EQ(Settings().killedLeafs, 0);
    EXPECT_EQ(Settings().negPoints, 0);
    EXPECT_EQ(Settings().persentageSuccess, 25);  // 1 hit in 4 shots
    EXPECT_EQ(std::u16string(Settings().playerName), std::u16string(Settings().userName));
    EXPECT_TRUE(Game().playing());
    EXPECT_EQ(g_application->viewList->current, kViewGame);
  });
  h.PenUp(kEmptyX, kEmptyY);
  h.Wait(20);
  h.Then([] {
    EXPECT_FALSE(Game().playing());
    EXPECT_EQ(g_application->viewList->current, kViewHighScores);
    EXPECT_EQ(g_application->viewList->historyCount, 1);  // the main menu only
    EXPECT_EQ(CountSound(kSoundPageTurn), 1);
    EXPECT_EQ(Scene().GetScrollY(), 0);
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, AGameWithoutAShotHasNoAccuracy) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    Settings().persentageSuccess = 77;
    Game().clock.secondsLeft = 1;
  });
  h.Wait(1100);
  h.Then([] {
    EXPECT_EQ(Game().shotsFired, 0);
    EXPECT_EQ(Settings().persentageSuccess, 0);
  });
  EXPECT_EQ(h.Run(), 1);
}

TEST(GameRulesTest, SpecialEffectsOff) {
  GameHarness h;
  h.StartGame();
  h.Then([] {
    Settings().specialEffects = 0;
    OpaqueDuckAt(100, 100, 20, 20);
  });
  h.Tap(120, 120);
  h.Tap(kEmptyX, kEmptyY);
  h.Then([] {
    EXPECT_EQ(Game().ducksShot, 1);
    EXPECT_EQ(Game().featherBursts.count, 0);
    EXPECT_EQ(Game().shotPuffs.count, 0);
    EXPECT_EQ(Game().fallingDucks.count, 1);  // the dead duck still falls
  });
  SpawnTarget(h, 0);  // a leaf, were they on
  h.Then([] { EXPECT_EQ(Game().targets.count, 1); });
  EXPECT_EQ(h.Run(), 1);
}

}  // namespace
