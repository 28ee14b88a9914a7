// The game controller: runs one 180-second game (input, shooting, scoring,
// the end of the game, pause), and at start creates the scene, the game's
// view and, through the maker it is given, every other view of the program.
#pragma once

#include <cstdint>

#include "framework/game_session.h"
#include "framework/input_event.h"
#include "framework/view_list.h"
#include "game/duck_set.h"
#include "game/falling_ducks.h"
#include "game/feather_bursts.h"
#include "game/game_clock.h"
#include "game/scenery.h"
#include "game/score_counter.h"
#include "game/shell_indicator.h"
#include "game/shot_puffs.h"
#include "game/target_set.h"
#include "platform/types.h"

class CAnimationList;
class CPictureFont;
class CTileBackground;
class CView;
class SettingsStore;
class SoundPlayer;

class CGameController : public CGameSession {
 public:
  static constexpr int kGameSeconds = 180;
  static constexpr int kShells = 7;

  // Seeds the generators of the ducks and the targets, once for the run.
  CGameController(CViewList* viewList, CAnimationList* animationList, SoundPlayer* soundPlayer);
  // Destroys every view it created, then the scene.
  ~CGameController() override;
  CGameController(const CGameController&) = delete;
  CGameController& operator=(const CGameController&) = delete;

  // Makes the screen of view `id` over the scene (every view but the game's
  // own); the controller owns and destroys what it returns.
  using ScreenMaker = CView* (*)(int id, CTileBackground* scene);

  // Creates the global scene and every view, registers the views with the
  // View List and starts the intro.
  void CreateViews(ce::HWND window, SettingsStore* settingsStore, ScreenMaker makeScreen);

  // The dispatcher's second step: 0 goes on to the animated sprites, 1
  // ends the pass.
  int HandleEvent(InputEvent* event);

  void StartGame();
  // Destroys the objects of play and shows the end picture.
  void EndGame() override;
  // Take the game's sprites off the scene and put them back, around the
  // screens that the pause menu opens.
  void HideGame() override;
  void ShowGame();

  CViewList* Views() override { return viewList; }
  SettingsStore* Settings() override { return settings; }

  // Whether the objects of play exist (between StartGame and EndGame).
  bool playing() const { return playing_ != 0; }
  // Hits per shot in per cent, as stored with the game's results.
  std::int8_t Accuracy() const;

  // Collaborators, not owned.
  CViewList* viewList;
  CAnimationList* animationList;
  SoundPlayer* soundPlayer;
  SettingsStore* settings = nullptr;

  CTileBackground* scene = nullptr;         // owned: the global scene
  CView* views[CViewList::kMaxViews] = {};  // owned

  std::int32_t savedScrollX = 0;
  std::int32_t savedScrollY = 0;
  CPictureFont* pointsFont = nullptr;  // owned during a game
  std::int16_t otherHits = 0;
  std::int16_t ducksShot = 0;
  std::int16_t leavesShot = 0;
  std::int16_t penaltyPoints = 0;
  std::int16_t shotsFired = 0;
  std::uint32_t lastBlinkTick = 0;
  std::uint8_t hurryWarned = 0;

  // The objects of play.
  CDuckSet ducks;
  CTargetSet targets;
  CFallingDucks fallingDucks;
  CFeatherBursts featherBursts;
  CShotPuffs shotPuffs;
  CScenery scenery;
  CShellIndicator shellIndicator;
  CGameClock clock;
  CScoreCounter scoreCounter;

 private:
  void AddView(CView* view, int id);
  void HandleKeys(const InputEvent* event);
  int PlayFrame(InputEvent* event);
  // Greys the game and opens the pause menu over it; returns 1.
  int OpenPauseMenu();
  void Shoot(const InputEvent* event, int armed, std::uint32_t* code);
  void WriteResults();
  // Destroys the objects of play in their order.
  void DestroyObjects();

  std::uint8_t playing_ = 0;
};

// The one game controller, while it exists.
extern CGameController* g_gameController;
