#include "drivers/state_json.h"

#include "drivers/json_writer.h"
#include "drivers/state_snapshot.h"

namespace drivers {

namespace {

void WriteSettings(JsonWriter& json, const StateSnapshot& s) {
  const SettingsSnapshot& o = s.settings;
  json.Key("settings").BeginObject();
  json.Field("userName", o.userName);
  json.Field("playerName", o.playerName);
  json.Field("soundVolume", o.soundVolume);
  json.Field("musicVolume", o.musicVolume);
  json.Field("menuAnimation", o.menuAnimation);
  json.Field("specialEffects", o.specialEffects);
  json.Field("lastScore", o.lastScore);
  json.Field("killedDucks", o.killedDucks);
  json.Field("killedLeafs", o.killedLeafs);
  json.Field("negPoints", o.negPoints);
  json.Field("accuracy", o.accuracy);
  json.Field("pendingScore", o.pendingScore);
  json.Field("resultPending", o.resultPending);
  json.EndObject();
}

void WriteObjects(JsonWriter& json, const char* key, const std::vector<ObjectSnapshot>& objects) {
  json.Key(key).BeginArray();
  for (const ObjectSnapshot& o : objects) {
    json.BeginObject()
        .Field("kind", o.kind)
        .Field("x", o.x)
        .Field("y", o.y)
        .Field("width", o.width)
        .Field("height", o.height)
        .EndObject();
  }
  json.EndArray();
}

void WriteGame(JsonWriter& json, const GameSnapshot& g) {
  json.Key("game").BeginObject();
  json.Field("playing", g.playing);
  json.Field("score", g.score);
  json.Field("shownScore", g.shownScore);
  json.Field("shells", g.shells);
  json.Field("secondsLeft", g.secondsLeft);
  json.Field("ducksShot", g.ducksShot);
  json.Field("leavesShot", g.leavesShot);
  json.Field("otherHits", g.otherHits);
  json.Field("penaltyPoints", g.penaltyPoints);
  json.Field("shotsFired", g.shotsFired);
  json.Field("flowerShot", g.flowerShot);
  WriteObjects(json, "ducks", g.ducks);
  WriteObjects(json, "targets", g.targets);
  json.EndObject();
}

const WatchStatus* g_watch = nullptr;

}  // namespace

void SetWatchStatus(const WatchStatus* status) { g_watch = status; }

void WriteHighScores(JsonWriter& json, const std::vector<HighScoreSnapshot>& table) {
  json.BeginArray();
  for (const HighScoreSnapshot& e : table)
    json.BeginObject()
        .Field("name", e.name)
        .Field("score", e.score)
        .Field("newest", e.newest)
        .EndObject();
  json.EndArray();
}

std::string StateJson() {
  const StateSnapshot s = TakeSnapshot();
  JsonWriter json;
  json.BeginObject();
  json.Field("tick", s.tick);
  if (s.hasViews) {
    json.Field("view", s.view);
    json.Field("next", s.next);
    json.Field("previous", s.previous);
    json.Key("history").BeginArray();
    for (int id : s.history) json.Value(id);
    json.EndArray();
    json.Key("screen").BeginObject();
    for (const ScreenField& f : s.screen) {
      if (f.isText) {
        json.Field(f.key, f.text);
      } else {
        json.Field(f.key, f.number);
      }
    }
    json.EndObject();
  }
  if (s.hasSettings) {
    WriteSettings(json, s);
    json.Key("highScores");
    WriteHighScores(json, s.highScores);
  }
  json.Key("scroll").BeginArray().Value(s.scrollX).Value(s.scrollY).EndArray();
  if (s.hasGame) WriteGame(json, s.game);
  json.Key("sound").BeginObject().Field("playing", s.soundPlaying).EndObject();
  json.Field("keysHeld", s.keysHeld);
  if (g_watch != nullptr)
    json.Key("watch")
        .BeginObject()
        .Field("name", g_watch->name)
        .Field("claimedScore", g_watch->claimedScore)
        .Field("score", g_watch->score)
        .Field("finished", g_watch->finished)
        .EndObject();
  json.EndObject();
  return json.str();
}

}  // namespace drivers
