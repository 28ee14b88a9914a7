#include "drivers/game_record.h"

#include <cstring>

#include "drivers/input_message.h"
#include "platform/deflate.h"
#include "platform/messages.h"

namespace drivers {

namespace {

constexpr char kMagic[8] = {'R', 'E', 'E', 'D', 'S', 'H', 'O', 'T'};
constexpr std::size_t kHeader = sizeof kMagic + 1;
// No game of 180 seconds holds more than this; a longer stream is not one.
constexpr std::size_t kPayloadLimit = 1 << 20;
constexpr std::uint32_t kMostInputs = 200000;
constexpr int kNameChars = 8;

// What each input is; the pen's position is written as x and y.
enum Kind : std::uint8_t { kPenDown, kPenMove, kPenUp, kKeyDown, kKeyUp, kHotKey, kFocus, kKinds };
constexpr ce::UINT kMessages[kKinds] = {ce::WM_LBUTTONDOWN, ce::WM_MOUSEMOVE, ce::WM_LBUTTONUP,
                                        ce::WM_KEYDOWN,     ce::WM_KEYUP,     ce::WM_HOTKEY,
                                        ce::WM_ACTIVATE};

bool IsPen(int kind) { return kind <= kPenUp; }

class Writer {
 public:
  void Unsigned(std::uint64_t v) {
    while (v >= 0x80) {
      bytes.push_back(static_cast<std::uint8_t>(v | 0x80));
      v >>= 7;
    }
    bytes.push_back(static_cast<std::uint8_t>(v));
  }
  void Signed(std::int64_t v) {
    Unsigned((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
  }
  std::vector<std::uint8_t> bytes;
};

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
  // False past the end, or for a number above `most`.
  bool Unsigned(std::uint64_t most, std::uint64_t* v) {
    *v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      if (p_ == end_) return false;
      std::uint8_t b = *p_++;
      *v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
      if ((b & 0x80) == 0) return *v <= most;
    }
    return false;
  }
  template <typename T>
  bool Number(std::uint64_t most, T* out) {
    std::uint64_t v = 0;
    if (!Unsigned(most, &v)) return false;
    *out = static_cast<T>(v);
    return true;
  }
  bool Signed(std::int64_t low, std::int64_t high, std::int64_t* v) {
    std::uint64_t u = 0;
    if (!Unsigned(~0ull, &u)) return false;
    *v = static_cast<std::int64_t>(u >> 1) ^ -static_cast<std::int64_t>(u & 1);
    return *v >= low && *v <= high;
  }
  bool AtEnd() const { return p_ == end_; }

 private:
  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

int KindOf(ce::UINT message) {
  for (int k = 0; k < kKinds; ++k)
    if (kMessages[k] == message) return k;
  return -1;
}

// A pen's kind carries its button state (wParam) in bit 3, and its
// position is written as the step from the pen's position before.
struct PenAt {
  std::int64_t x = 0, y = 0;
};

bool ReadInput(Reader* in, PenAt* pen, GameInput* input) {
  std::uint8_t code = 0;
  if (!in->Number(UINT32_MAX, &input->timersBefore) || !in->Number(UINT32_MAX, &input->sinceLast) ||
      !in->Number(15, &code))
    return false;
  const int kind = code & 7;
  if (kind >= kKinds) return false;
  input->message = kMessages[kind];
  if (IsPen(kind)) {
    std::int64_t dx = 0, dy = 0;
    if (!in->Signed(-0xFFFF, 0xFFFF, &dx) || !in->Signed(-0xFFFF, 0xFFFF, &dy)) return false;
    pen->x += dx;
    pen->y += dy;
    if (pen->x < 0 || pen->x > 0xFFFF || pen->y < 0 || pen->y > 0xFFFF) return false;
    input->wParam = code >> 3;
    input->lParam = ce::MAKELPARAM(static_cast<ce::WORD>(pen->x), static_cast<ce::WORD>(pen->y));
  } else {
    std::int64_t lParam = 0;
    if (code >> 3 != 0 || !in->Number(0xFFFF, &input->wParam) ||
        !in->Signed(INT32_MIN, INT32_MAX, &lParam))
      return false;
    input->lParam = static_cast<ce::LPARAM>(lParam);
  }
  // Only what the devices send reaches the game.
  return IsInputMessage(input->message, input->wParam, input->lParam);
}

}  // namespace

std::vector<std::uint8_t> EncodeGameRecord(const GameRecord& record) {
  Writer w;
  w.Unsigned(GameRecord::kRules);
  w.Unsigned(record.name.size());
  for (char16_t c : record.name) w.Unsigned(c);
  w.Signed(record.claimedScore);
  w.Unsigned((record.menuAnimation ? 1 : 0) | (record.specialEffects ? 2 : 0) |
             (record.silent ? 4 : 0));
  w.Unsigned(static_cast<std::uint64_t>(record.soundVolume));
  w.Unsigned(static_cast<std::uint64_t>(record.musicVolume));
  w.Signed(record.duckRandom);
  w.Signed(record.targetRandom);
  w.Unsigned(record.startTick);
  w.Unsigned(record.firstTimerTick - record.startTick);
  w.Unsigned(record.inputs.size());
  PenAt pen;
  for (const GameInput& input : record.inputs) {
    const int kind = KindOf(input.message);
    w.Unsigned(input.timersBefore);
    w.Unsigned(input.sinceLast);
    if (IsPen(kind)) {
      w.Unsigned(static_cast<std::uint64_t>(kind) | (input.wParam & 1) << 3);
      const std::int64_t x = ce::LOWORD(static_cast<ce::DWORD>(input.lParam));
      const std::int64_t y = ce::HIWORD(static_cast<ce::DWORD>(input.lParam));
      w.Signed(x - pen.x);
      w.Signed(y - pen.y);
      pen = {x, y};
    } else {
      w.Unsigned(static_cast<std::uint64_t>(kind));
      w.Unsigned(input.wParam);
      w.Signed(input.lParam);
    }
  }
  w.Unsigned(record.timersAfter);
  std::vector<std::uint8_t> out(kMagic, kMagic + sizeof kMagic);
  out.push_back(kGameRecordVersion);
  std::vector<std::uint8_t> packed = ce::Deflate(w.bytes.data(), w.bytes.size());
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

bool DecodeGameRecord(const std::uint8_t* data, std::size_t size, GameRecord* record,
                      std::string* error) {
  *error = "not a Reedshot game record";
  if (size > kGameRecordLimit || size < kHeader || std::memcmp(data, kMagic, sizeof kMagic) != 0)
    return false;
  const int version = data[sizeof kMagic];
  if (version == 0) return false;
  if (version > kGameRecordVersion) {
    *error = "a game record from a newer Reedshot (version " + std::to_string(version) + ")";
    return false;
  }
  std::vector<std::uint8_t> payload;
  if (!ce::Inflate(data + kHeader, size - kHeader, kPayloadLimit, &payload)) return false;
  Reader in(payload.data(), payload.size());
  GameRecord r;
  std::uint32_t rules = 0;
  if (!in.Number(UINT32_MAX, &rules)) return false;
  if (rules != GameRecord::kRules) {
    if (rules > GameRecord::kRules)
      *error = "a game record from a newer Reedshot (version " + std::to_string(version) +
               ", rules " + std::to_string(rules) + ")";
    return false;
  }
  std::uint32_t nameLength = 0;
  if (!in.Number(kNameChars, &nameLength)) return false;
  for (std::uint32_t i = 0; i < nameLength; ++i) {
    char16_t c = 0;
    if (!in.Number(0xFFFF, &c) || c == 0) return false;
    r.name.push_back(c);
  }
  std::int64_t score = 0, duckRandom = 0, targetRandom = 0;
  std::uint8_t flags = 0;
  std::uint32_t firstTimer = 0, count = 0;
  if (!in.Signed(INT32_MIN, INT32_MAX, &score) || !in.Number(7, &flags) ||
      !in.Number(70, &r.soundVolume) || !in.Number(70, &r.musicVolume) ||
      !in.Signed(INT32_MIN, INT32_MAX, &duckRandom) ||
      !in.Signed(INT32_MIN, INT32_MAX, &targetRandom) || !in.Number(UINT32_MAX, &r.startTick) ||
      !in.Number(UINT32_MAX, &firstTimer) || !in.Number(kMostInputs, &count))
    return false;
  r.claimedScore = static_cast<std::int32_t>(score);
  r.duckRandom = static_cast<std::int32_t>(duckRandom);
  r.targetRandom = static_cast<std::int32_t>(targetRandom);
  r.menuAnimation = (flags & 1) != 0;
  r.specialEffects = (flags & 2) != 0;
  r.silent = (flags & 4) != 0;
  r.firstTimerTick = r.startTick + firstTimer;
  r.inputs.resize(count);
  PenAt pen;
  for (GameInput& input : r.inputs)
    if (!ReadInput(&in, &pen, &input)) return false;
  // The game begins with the pen going down (on New Game).
  if (r.inputs.empty() || r.inputs.front().message != ce::WM_LBUTTONDOWN) return false;
  if (!in.Number(UINT32_MAX, &r.timersAfter) || !in.AtEnd()) return false;
  *record = std::move(r);
  error->clear();
  return true;
}

}  // namespace drivers
