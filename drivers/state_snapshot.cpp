#include "drivers/state_snapshot.h"

#include <algorithm>
#include <cstdlib>

#include "framework/input_event.h"
#include "framework/view_list.h"
#include "game/game_controller.h"
#include "game/mover.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "screens/credits_view.h"
#include "screens/help_view.h"
#include "screens/high_score_view.h"
#include "screens/intro_view.h"
#include "screens/main_menu_view.h"
#include "screens/name_entry_view.h"
#include "screens/options_view.h"
#include "screens/pause_menu_view.h"
#include "screens/widgets/slider.h"
#include "sound/sound_engine.h"
#include "sound/sound_player.h"

namespace drivers {

namespace {

// The opaque pixel nearest the middle of the mover's picture, searched in
// growing squares; hit-tested exactly as a shot would be.
void FindAim(const CMover& mover, int scrollX, int scrollY, ObjectSnapshot* out) {
  const int cx = mover.x() + mover.width / 2, cy = mover.y() + mover.height / 2;
  const int reach = std::max(mover.width, mover.height) / 2 + 1;
  for (int r = 0; r <= reach; ++r) {
    for (int dy = -r; dy <= r; ++dy) {
      for (int dx = -r; dx <= r; ++dx) {
        if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
        const int wx = cx + dx, wy = cy + dy;
        if (mover.HitTest(wx - scrollX, wy - scrollY, scrollX, scrollY) == 1) {
          out->hasAim = true;
          out->aimX = wx;
          out->aimY = wy;
          return;
        }
      }
    }
  }
}

void Objects(CMover* const* slots, int count, int scrollX, int scrollY,
             std::vector<ObjectSnapshot>* out) {
  for (int i = 0; i < count; ++i) {
    const CMover* mover = slots[i];
    if (mover == nullptr) continue;
    ObjectSnapshot object;
    object.kind = mover->kind;
    object.x = mover->x();
    object.y = mover->y();
    object.width = mover->width;
    object.height = mover->height;
    FindAim(*mover, scrollX, scrollY, &object);
    out->push_back(object);
  }
}

void Game(const CGameController& game, int scrollX, int scrollY, GameSnapshot* out) {
  out->playing = game.playing();
  if (out->playing) {
    out->score = game.scoreCounter.score;
    out->shownScore = game.scoreCounter.shown;
    out->shells = game.shellIndicator.shells;
    out->secondsLeft = game.clock.secondsLeft;
    out->flowerShot = game.scenery.flowerShot != 0;
    Objects(game.ducks.slots, game.ducks.count, scrollX, scrollY, &out->ducks);
    Objects(game.targets.slots, game.targets.count, scrollX, scrollY, &out->targets);
  }
  out->ducksShot = game.ducksShot;
  out->leavesShot = game.leavesShot;
  out->otherHits = game.otherHits;
  out->penaltyPoints = game.penaltyPoints;
  out->shotsFired = game.shotsFired;
}

// What the current screen is doing: the fields a test or a player checks.
void Screen(CView* view, std::vector<ScreenField>* out) {
  auto number = [out](const char* key, double value) { out->push_back({key, false, value, {}}); };
  auto text = [out](const char* key, const char16_t* value) {
    out->push_back({key, true, 0, ce::ToUtf8(value)});
  };
  if (auto* menu = dynamic_cast<CMainMenuView*>(view)) {
    number("animating", menu->animating);
    number("stage", CMainMenuView::stage);
  } else if (auto* intro = dynamic_cast<CIntroView*>(view)) {
    number("angle", intro->angle);
    number("alpha", CIntroView::alpha);
  } else if (auto* options = dynamic_cast<COptionsView*>(view)) {
    if (options->musicSlider != nullptr) number("musicSlider", options->musicSlider->value);
    if (options->soundSlider != nullptr) number("soundSlider", options->soundSlider->value);
  } else if (auto* scores = dynamic_cast<CHighScoreView*>(view)) {
    number("page", scores->page);
    number("firstRow", scores->firstRow);
  } else if (auto* names = dynamic_cast<CNameEntryView*>(view)) {
    text("text", names->text);
    number("length", names->length);
  } else if (auto* help = dynamic_cast<CHelpView*>(view)) {
    number("page", help->page);
  } else if (auto* pause = dynamic_cast<CPauseMenuView*>(view)) {
    number("sliding", pause->sliding);
    number("panelLeft", pause->panelArea.left);
    number("pressedItem", pause->pressedItem);
  } else if (auto* credits = dynamic_cast<CCreditsView*>(view)) {
    if (credits->lineSprites[0] != nullptr) number("firstLineX", credits->lineSprites[0]->x);
  }
}

void Settings(const SettingsStore& s, StateSnapshot* out) {
  SettingsSnapshot& o = out->settings;
  o.userName = ce::ToUtf8(s.userName);
  o.playerName = ce::ToUtf8(s.playerName);
  o.soundVolume = s.soundVolume;
  o.musicVolume = s.musicVolume;
  o.menuAnimation = s.menuAnimation != 0;
  o.specialEffects = s.specialEffects != 0;
  o.lastScore = s.lastScore;
  o.killedDucks = s.killedDucks;
  o.killedLeafs = s.killedLeafs;
  o.negPoints = s.negPoints;
  o.accuracy = s.persentageSuccess;
  o.pendingScore = s.pendingScore;
  o.resultPending = s.resultPending != 0;
  if (s.highScores == nullptr) return;
  for (const HighScoreEntry& e : s.highScores->entries)
    out->highScores.push_back({ce::ToUtf8(e.name), static_cast<int>(e.score), e.isNewest != 0});
}

ProgramParts (*g_programParts)() = nullptr;

}  // namespace

void SetProgramParts(ProgramParts (*parts)()) { g_programParts = parts; }

ProgramParts CurrentProgramParts() {
  return g_programParts != nullptr ? g_programParts() : ProgramParts{};
}

StateSnapshot TakeSnapshot() {
  StateSnapshot s;
  s.tick = ce::GetTickCount();
  const ProgramParts parts = CurrentProgramParts();
  const CViewList* views = parts.viewList;
  if (views != nullptr) {
    s.hasViews = true;
    s.view = views->current;
    s.next = views->next;
    s.previous = views->previous;
    s.history.assign(views->history, views->history + views->historyCount);
    Screen(views->views[views->current], &s.screen);
  }
  if (parts.settings != nullptr) {
    s.hasSettings = true;
    Settings(*parts.settings, &s);
  }
  s.scrollX = g_scene != nullptr ? g_scene->scrollX : 0;
  s.scrollY = g_scene != nullptr ? g_scene->scrollY : 0;
  if (g_gameController != nullptr) {
    s.hasGame = true;
    Game(*g_gameController, s.scrollX, s.scrollY, &s.game);
  }
  const SoundPlayer* sound = parts.soundPlayer;
  s.soundPlaying =
      sound != nullptr && sound->engine != nullptr ? sound->engine->CountActiveSamples() : 0;
  s.keysHeld = g_inputState != nullptr ? g_inputState->inputState & ~kStatePen : 0;
  return s;
}

}  // namespace drivers
