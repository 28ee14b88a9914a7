#include "app/state_json.h"

#include "app/application.h"
#include "app/json_writer.h"
#include "framework/view_list.h"
#include "graphics/tile_background.h"
#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/clock.h"
#include "platform/platform.h"

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
  json.EndObject();
  return json.str();
}

}  // namespace app
