#include "app/state_json.h"

#include "app/application.h"
#include "app/json_writer.h"
#include "framework/view_list.h"
#include "platform/clock.h"

namespace app {

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
  json.Key("scroll").BeginArray().Value(0).Value(0).EndArray();
  json.EndObject();
  return json.str();
}

}  // namespace app
