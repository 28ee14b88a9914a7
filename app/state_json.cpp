#include "app/state_json.h"

#include "app/application.h"
#include "app/json_writer.h"
#include "framework/animated_sprite.h"
#include "framework/view_list.h"
#include "game/game_controller.h"
#include "game/mover.h"
#include "graphics/tile_background.h"
#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "sound/sound_engine.h"
#include "sound/sound_player.h"

namespace app {

namespace {

// The settings store's fields and the high-score table in table order.
void WriteSettings(JsonWriter& json, const SettingsStore& s) {
  json.Key("settings").BeginObject();
  json.Field("userName", ce::ToUtf8(s.userName));
  json.Field("playerName", ce::ToUtf8(s.playerName));
  json.Field("soundVolume", s.soundVolume);
  json.Field("musicVolume", s.musicVolume);
  json.Field("menuAnimation", s.menuAnimation != 0);
  json.Field("specialEffects", s.specialEffects != 0);
  json.Field("lastScore", s.lastScore);
  json.Field("killedDucks", s.killedDucks);
  json.Field("killedLeafs", s.killedLeafs);
  json.Field("negPoints", s.negPoints);
  json.Field("accuracy", s.persentageSuccess);
  json.Field("pendingScore", s.pendingScore);
  json.Field("resultPending", s.resultPending != 0);
  json.EndObject();
  json.Key("highScores").BeginArray();
  if (s.highScores != nullptr) {
    for (const HighScoreEntry& e : s.highScores->entries) {
      json.BeginObject();
      json.Field("name", ce::ToUtf8(e.name));
      json.Field("score", e.score);
      json.Field("newest", e.isNewest != 0);
      json.EndObject();
    }
  }
  json.EndArray();
}

void MoverList(JsonWriter& json, const char* key, CMover* const* slots, int count) {
  json.Key(key).BeginArray();
  for (int i = 0; i < count; ++i) {
    const CMover* mover = slots[i];
    if (mover == nullptr) continue;
    json.BeginObject()
        .Field("kind", static_cast<int>(mover->kind))
        .Field("x", mover->x())
        .Field("y", mover->y())
        .Field("width", mover->width)
        .Field("height", mover->height)
        .EndObject();
  }
  json.EndArray();
}

// The game in play: score, shells, clock, counters and the objects in
// their slots, in world coordinates.
void GameState(JsonWriter& json, const CGameController& game) {
  bool playing = game.playing();
  json.Key("game").BeginObject();
  json.Field("playing", playing);
  json.Field("score", playing ? game.scoreCounter.score : 0);
  json.Field("shownScore", playing ? game.scoreCounter.shown : 0);
  json.Field("shells", playing ? static_cast<int>(game.shellIndicator.shells) : 0);
  json.Field("secondsLeft", playing ? game.clock.secondsLeft : 0);
  json.Field("ducksShot", static_cast<int>(game.ducksShot));
  json.Field("leavesShot", static_cast<int>(game.leavesShot));
  json.Field("otherHits", static_cast<int>(game.otherHits));
  json.Field("penaltyPoints", static_cast<int>(game.penaltyPoints));
  json.Field("shotsFired", static_cast<int>(game.shotsFired));
  json.Field("flowerShot", playing && game.scenery.flowerShot != 0);
  MoverList(json, "ducks", game.ducks.slots, playing ? game.ducks.count : 0);
  MoverList(json, "targets", game.targets.slots, playing ? game.targets.count : 0);
  json.EndObject();
}

}  // namespace

std::string StateJson() {
  JsonWriter json;
  json.BeginObject();
  json.Field("tick", static_cast<std::int64_t>(ce::GetTickCount()));
  const CViewList* views = g_application != nullptr ? g_application->viewList : nullptr;
  if (views != nullptr) {
    json.Field("view", static_cast<int>(views->current));
    json.Field("next", static_cast<int>(views->next));
    json.Field("previous", static_cast<int>(views->previous));
    json.Key("history").BeginArray();
    for (int i = 0; i < views->historyCount; ++i) json.Value(static_cast<int>(views->history[i]));
    json.EndArray();
  }
  if (g_application != nullptr && g_application->settings != nullptr)
    WriteSettings(json, *g_application->settings);
  int scrollX = g_scene != nullptr ? g_scene->scrollX : 0;
  int scrollY = g_scene != nullptr ? g_scene->scrollY : 0;
  json.Key("scroll").BeginArray().Value(scrollX).Value(scrollY).EndArray();
  if (g_gameController != nullptr) GameState(json, *g_gameController);
  const SoundPlayer* sound = g_application != nullptr ? g_application->soundEngine : nullptr;
  json.Key("sound").BeginObject();
  json.Field("playing", sound != nullptr && sound->engine != nullptr
                            ? sound->engine->CountActiveSamples()
                            : 0);
  json.EndObject();
  json.EndObject();
  return json.str();
}

}  // namespace app
