// The game record reader on any bytes: it never crashes; it refuses with
// one of its two lines or accepts only what the devices send, and what it
// accepts reads back the same when written again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "drivers/game_record.h"
#include "drivers/input_message.h"

namespace {

bool Same(const drivers::GameRecord& a, const drivers::GameRecord& b) {
  if (a.name != b.name || a.claimedScore != b.claimedScore || a.menuAnimation != b.menuAnimation ||
      a.specialEffects != b.specialEffects || a.silent != b.silent ||
      a.soundVolume != b.soundVolume || a.musicVolume != b.musicVolume ||
      a.startTick != b.startTick || a.firstTimerTick != b.firstTimerTick ||
      a.timersAfter != b.timersAfter || a.inputs.size() != b.inputs.size())
    return false;
  for (std::size_t i = 0; i < a.inputs.size(); ++i) {
    const drivers::GameInput &x = a.inputs[i], &y = b.inputs[i];
    if (x.timersBefore != y.timersBefore || x.sinceLast != y.sinceLast || x.message != y.message ||
        x.wParam != y.wParam || x.lParam != y.lParam)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  drivers::GameRecord record;
  std::string why;
  if (!drivers::DecodeGameRecord(data, size, &record, &why)) {
    if (why != "not a Reedshot game record" &&
        why.rfind("a game record from a newer Reedshot (version ", 0) != 0)
      std::abort();
    return 0;
  }
  if (size > drivers::kGameRecordLimit || !why.empty() || record.name.size() > 8 ||
      record.soundVolume > 70 || record.musicVolume > 70)
    std::abort();
  for (const drivers::GameInput& input : record.inputs)
    if (!drivers::IsInputMessage(input.message, input.wParam, input.lParam)) std::abort();
  const std::vector<std::uint8_t> again = drivers::EncodeGameRecord(record);
  drivers::GameRecord reread;
  if (!drivers::DecodeGameRecord(again.data(), again.size(), &reread, &why) ||
      !Same(record, reread))
    std::abort();
  return 0;
}
