#include "game/game_controller.h"

#include "assets/resource_ids.h"
#include "framework/animation_list.h"
#include "framework/view.h"
#include "game/game_view.h"
#include "graphics/image.h"
#include "graphics/picture_font.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "persistence/settings.h"
#include "platform/clock.h"
#include "sound/game_sounds.h"

CGameController* g_gameController = nullptr;

namespace {

// The duck result's type, or what else the shot hit.
constexpr std::uint32_t kCodeTarget = 7;
constexpr std::uint32_t kCodeFlower = 8;

constexpr int kLastScrollY = 639;
constexpr int kScrollStep = 10;

void DrawOnce(CTileBackground* scene, int id, int width, int height, int x, int y, int keyed) {
  CImage image(id, width, height);
  CSprite sprite(&image, x, y, 0, keyed, 0, kKeyFromPicture);
  scene->DrawSprite(&sprite);
  scene->Redraw();
}

}  // namespace

CGameController::CGameController(CViewList* list, CAnimationList* animations, SoundPlayer* player)
    : viewList(list), animationList(animations), soundPlayer(player) {
  g_gameController = this;
  g_gameSession = this;
  SetGameSoundPlayer(player);
}

CGameController::~CGameController() {
  if (playing_) DestroyObjects();
  for (CView*& view : views) {
    delete view;
    view = nullptr;
  }
  if (g_scene == scene) g_scene = nullptr;
  delete scene;
  scene = nullptr;
  SetGameSoundPlayer(nullptr);
  if (g_gameController == this) g_gameController = nullptr;
  if (g_gameSession == this) g_gameSession = nullptr;
}

void CGameController::AddView(CView* view, int id) {
  views[id] = view;
  viewList->AddView(view, id);
}

void CGameController::CreateViews(ce::HWND window, SettingsStore* settingsStore,
                                  ScreenMaker makeScreen) {
  settings = settingsStore;
  targets.SetSettings(settings);

  scene = new CTileBackground(window, 1, 3, 240, 320);
  g_scene = scene;
  scene->CreateTiles(&WorldTileId);

  AddView(new CGameView(scene, this), kViewGame);
  constexpr int kScreens[] = {kViewAbout,      kViewMainMenu,  kViewIntro,   kViewOptions,
                              kViewHighScores, kViewHelp,      kViewCredits, kViewNameEntry,
                              kViewPauseMenu,  kViewTapToStart};
  for (int id : kScreens) AddView(makeScreen(id, scene), id);

  viewList->StartView(kViewIntro);
  animationList->SetTarget(scene);

  savedScrollX = savedScrollY = 0;
  pointsFont = nullptr;
  otherHits = ducksShot = leavesShot = penaltyPoints = shotsFired = 0;
  lastBlinkTick = 0;
  hurryWarned = 0;
}

int CGameController::HandleEvent(InputEvent* event) {
  // Back from the high scores, options or help opened from the pause menu.
  if (event->type == kEventViewEntered && viewList->current == kViewGame &&
      viewList->previous != kViewMainMenu && viewList->previous != kViewPauseMenu) {
    StartMusic(kSoundGameMusic);
    ShowGame();
    scene->DrawTiles();
    scene->Redraw();
    return 0;
  }
  if (viewList->current != kViewGame) return 1;

  // A player who looks away during play finds the game paused.
  if (event->type == kEventLookedAway)
    return playing_ && settings->resultPending == 0 ? OpenPauseMenu() : 1;

  if (event->type == kEventKeys) HandleKeys(event);

  // The main menu started a new game.
  if (event->type == kEventViewEntered && viewList->previous == kViewMainMenu) {
    animationList->Clear();
    scene->SetScroll(0, kLastScrollY);
    scene->DrawTiles();
    StartGame();
    return 0;
  }
  if (!playing_) return 0;
  return PlayFrame(event);
}

void CGameController::HandleKeys(const InputEvent* event) {
  if (!playing_) return;
  for (int k = 0; k < event->keyCount; ++k) {
    bool scrolled = false;
    switch (event->data[k]) {
      case KeyUp:
        if (scene->GetScrollY() >= kScrollStep) {
          scene->ScrollBy(0, -kScrollStep);
          scrolled = true;
        }
        break;
      case KeyDown:
        if (scene->GetScrollY() <= kLastScrollY - kScrollStep) {
          scene->ScrollBy(0, kScrollStep);
          scrolled = true;
        }
        break;
      case KeyApp3:
        if (shellIndicator.shells == 0) shellIndicator.Reload();
        break;
      default:
        break;
    }
    if (scrolled) {
      shellIndicator.Follow();
      clock.Follow();
      scoreCounter.Follow();
      scene->DrawTiles();
    }
  }
}

int CGameController::PlayFrame(InputEvent* event) {
  int armed = shellIndicator.shells > 0 ? 1 : 0;
  DuckResult duck = ducks.Update(event, armed, kDuckModeFrame);
  std::uint32_t code = duck.type;
  fallingDucks.Update(event);
  if (duck.type == kDuckShot) {
    PlayEffect(kSoundDuckHit);
    int points = duck.kind > 2 ? 25 : 10;
    if (settings->specialEffects) featherBursts.Add(duck.x, duck.y, duck.kind);
    fallingDucks.Add(duck.x, duck.y, duck.kind, points);
    scoreCounter.Add(points);
    ducksShot += 1;
  }

  TargetResult target = targets.Update(event, armed, 0);
  switch (target.type) {
    case kTargetPoints:
      scoreCounter.Add(target.value);
      if (target.value == 1) leavesShot += 1;
      if (target.value < 0) {
        penaltyPoints = static_cast<std::int16_t>(penaltyPoints - target.value);
        otherHits += 1;
      }
      if (target.value > 1) otherHits += 1;
      code = kCodeTarget;
      break;
    case kTargetTime:
      clock.AddSeconds(static_cast<std::int8_t>(target.value & 0xFF));
      hurryWarned = 0;
      leavesShot += 1;
      otherHits += 1;
      code = kCodeTarget;
      break;
    case kTargetVFormation:
      duck = ducks.Update(event, 1, kDuckModeV);
      otherHits += 1;
      code = kCodeTarget;
      break;
    default:
      break;
  }

  std::uint32_t now = ce::GetTickCount();
  if (shellIndicator.shells == 0 && now > lastBlinkTick + 140) {
    lastBlinkTick = now;
    shellIndicator.Blink();
  }

  if (event->type == kEventPenDown) {
    int x = event->x, y = event->y;
    // The menu corner: the objects of play above still saw the tap.
    if (x >= 229 && x <= 240 && y >= 309 && y <= 319) return OpenPauseMenu();
    Shoot(event, armed, &code);
  }

  shotPuffs.Update(event, armed);
  std::int32_t left = clock.Tick();
  if (left == 0) {
    WriteResults();
    scene->DrawAll();
    return 1;
  }
  if (left < 5 && hurryWarned == 0) {
    PlayEffect(kSoundHurry);
    hurryWarned = 1;
  }
  scoreCounter.Update();
  featherBursts.Update(event, armed);
  return 0;
}

int CGameController::OpenPauseMenu() {
  if (settings->menuAnimation) {
    scene->DrawAll();
    scene->screen.Greyscale();
    scene->screen.PresentAll();
  }
  viewList->SwitchTo(kViewPauseMenu, 1);
  StartMusic(kSoundMenuMusic);
  return 1;
}

void CGameController::Shoot(const InputEvent* event, int armed, std::uint32_t* code) {
  int x = event->x, y = event->y;
  int worldX = x + scene->GetScrollX();
  int worldY = y + scene->GetScrollY();
  if (armed && worldX >= 160 && worldX <= 170 && worldY >= 909 && worldY <= 929 &&
      scenery.flowerShot == 0) {
    PlayEffect(kSoundFlowerFound);
    scenery.flowerShot = 1;
    scenery.ShootFlower();
    *code = kCodeFlower;
  }
  if (armed && *code != kDuckShot && *code != kCodeTarget && *code != kCodeFlower &&
      settings->specialEffects)
    shotPuffs.Add(x, y);

  if (x >= 201 && y >= 6 && y <= 164 && shellIndicator.shells == 0) {
    PlayEffect(kSoundReload);
    shellIndicator.Reload();
  } else if (shellIndicator.shells == 0) {
    PlayEffect(kSoundEmptyGun);
  } else {
    PlayEffect(kSoundShot);
    shellIndicator.Fire();
    if (shellIndicator.shells == 0) PlayEffect(kSoundLastShell);
    shotsFired += 1;
  }
}

std::int8_t CGameController::Accuracy() const {
  // Without a shot there is nothing to divide by.
  if (shotsFired == 0) return 0;
  double hits = static_cast<double>(ducksShot + leavesShot + otherHits);
  int percent = static_cast<int>(hits * 100 / shotsFired);
  return static_cast<std::int8_t>(percent);
}

void CGameController::WriteResults() {
  std::int32_t score = scoreCounter.score;
  settings->pendingScore = score;
  settings->resultPending = 1;
  settings->killedDucks = ducksShot;
  settings->killedLeafs = leavesShot;
  settings->negPoints = penaltyPoints;
  settings->persentageSuccess = Accuracy();
  settings->lastScore = score;
  for (int i = 0; i < 9; ++i) settings->playerName[i] = settings->userName[i];
}

void CGameController::StartGame() {
  hurryWarned = 0;
  StopAllSounds();
  scene->SetScroll(0, kLastScrollY);
  // The loading picture, in the middle of the screen.
  DrawOnce(scene, kPictureLoading, 58, 184, 90, 707, 1);

  scenery.Create(scene);
  ducks.Create(scene);
  shellIndicator.Create(212, 5, scene, kShells);
  shotPuffs.Create(scene);
  featherBursts.Create(scene);
  targets.Create(scene);
  pointsFont = NewGameFont();
  scoreCounter.Create(3, 10, scene);
  clock.Create(3, 225, kGameSeconds, scene);
  clock.Start();
  fallingDucks.Create(scene, pointsFont);
  playing_ = 1;

  settings->resultPending = 0;
  lastBlinkTick = ce::GetTickCount();
  otherHits = ducksShot = leavesShot = penaltyPoints = shotsFired = 0;

  PlayMusic(kSoundGameMusic);
  scene->DrawTiles();
}

void CGameController::DestroyObjects() {
  ducks.Destroy();
  scenery.Destroy();
  shellIndicator.Destroy();
  shotPuffs.Destroy();
  scoreCounter.Destroy();
  clock.Destroy();
  featherBursts.Destroy();
  fallingDucks.Destroy();
  targets.Destroy();
  if (pointsFont != nullptr) pointsFont->ReleasePicture();
  delete pointsFont;
  pointsFont = nullptr;
  playing_ = 0;
}

void CGameController::EndGame() {
  if (playing_) DestroyObjects();
  scene->sprites.Clear();
  animationList->Clear();
  if (settings->menuAnimation) {
    scene->DrawAll();
    scene->screen.Greyscale();
    scene->screen.PresentAll();
  }
  PlayEffect(kSoundPageTurn);
  ce::Sleep(100);
  // The game-over picture, centred on the screen.
  DrawOnce(scene, kPictureGameOver, 68, 260, (240 - 68) / 2, scene->GetScrollY() + (320 - 260) / 2,
           0);
  StopAllSounds();
  ce::Sleep(1000);
  StartMusic(kSoundMenuMusic);
  scene->SetScroll(0, 0);
}

void CGameController::HideGame() {
  if (!playing_) return;
  clock.Hide();
  scoreCounter.Hide();
  shellIndicator.Hide();
  scenery.Hide();
  ducks.Hide();
  targets.Hide();
  // The effects under way go too, so that no other screen shows them.
  fallingDucks.Hide();
  featherBursts.Hide();
  shotPuffs.Hide();
  savedScrollX = scene->GetScrollX();
  savedScrollY = scene->GetScrollY();
}

void CGameController::ShowGame() {
  if (!playing_) return;
  shotPuffs.Show();
  featherBursts.Show();
  fallingDucks.Show();
  targets.Show();
  ducks.Show();
  scenery.Show();
  shellIndicator.Show();
  scoreCounter.Show();
  clock.Show();
  scene->SetScroll(savedScrollX, savedScrollY);
}
