#include "persistence/kept_result.h"

#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/registry.h"

namespace {

constexpr char16_t kKey[] = u"Tarnwick\\Reedshot";
constexpr char16_t kValue[] = u"KeptResults";
// A result as stored: the score (4 bytes, little-endian) and the name
// (8 UTF-16 characters, zero-filled).
constexpr int kNameChars = 8;
constexpr int kResultBytes = 4 + kNameChars * 2;
// The best ten are all a table can take.
constexpr int kMostResults = HighScoreTable::kEntries;

struct KeptResults {
  int count = 0;
  HighScoreEntry entries[kMostResults];
};

ce::HKEY OpenKey() {
  ce::HKEY key = nullptr;
  ce::DWORD disposition = 0;
  if (ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, kKey, 0, nullptr, 0, 0, nullptr, &key,
                          &disposition) != static_cast<ce::LONG>(ce::ERROR_SUCCESS))
    return nullptr;
  return key;
}

void Read(KeptResults* kept) {
  kept->count = 0;
  ce::HKEY key = OpenKey();
  if (key == nullptr) return;
  ce::BYTE bytes[kMostResults * kResultBytes];
  ce::DWORD size = sizeof bytes;
  ce::DWORD type = 0;
  if (ce::RegQueryValueExW(key, kValue, nullptr, &type, bytes, &size) !=
          static_cast<ce::LONG>(ce::ERROR_SUCCESS) ||
      type != ce::REG_BINARY)
    size = 0;
  ce::RegCloseKey(key);
  for (ce::DWORD at = 0; at + kResultBytes <= size; at += kResultBytes) {
    HighScoreEntry& entry = kept->entries[kept->count++];
    entry = HighScoreEntry{};
    entry.isNewest = 1;
    ce::DWORD score = 0;
    for (int i = 0; i < 4; ++i) score |= static_cast<ce::DWORD>(bytes[at + i]) << (8 * i);
    entry.score = static_cast<ce::LONG>(score);
    for (int i = 0; i < kNameChars; ++i)
      entry.name[i] = static_cast<char16_t>(bytes[at + 4 + 2 * i] | (bytes[at + 5 + 2 * i] << 8));
    entry.name[kNameChars] = 0;
  }
}

// One write: the kept results are all there or not changed at all.
void Write(const KeptResults& kept) {
  ce::HKEY key = OpenKey();
  if (key == nullptr) return;
  ce::BYTE bytes[kMostResults * kResultBytes] = {};
  for (int r = 0; r < kept.count; ++r) {
    ce::BYTE* out = bytes + r * kResultBytes;
    const auto score = static_cast<ce::DWORD>(kept.entries[r].score);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<ce::BYTE>(score >> (8 * i));
    bool ended = false;
    for (int i = 0; i < kNameChars; ++i) {
      ended = ended || kept.entries[r].name[i] == 0;
      const char16_t c = ended ? 0 : kept.entries[r].name[i];
      out[4 + 2 * i] = static_cast<ce::BYTE>(c);
      out[5 + 2 * i] = static_cast<ce::BYTE>(c >> 8);
    }
  }
  ce::RegSetValueExW(key, kValue, 0, ce::REG_BINARY, bytes,
                     static_cast<ce::DWORD>(kept.count * kResultBytes));
  ce::RegCloseKey(key);
}

bool SameName(const char16_t* a, const char16_t* b) {
  for (int i = 0; i < kNameChars; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  return true;
}

// The stored table holds the result, or would not take it.
bool Settled(const HighScoreTable& stored, const HighScoreEntry& result) {
  for (const HighScoreEntry& entry : stored.entries)
    if (entry.score == result.score && SameName(entry.name, result.name)) return true;
  HighScoreTable trial = stored;
  return trial.InsertScore(result) == 0;
}

}  // namespace

void KeepPendingResult(const SettingsStore& settings) {
  HighScoreEntry entry;
  if (!settings.PendingResult(&entry)) return;
  KeptResults kept;
  Read(&kept);
  if (kept.count == kMostResults) {
    // The lowest gives way: it would not stay in a table with the others.
    int lowest = 0;
    for (int r = 1; r < kept.count; ++r)
      if (kept.entries[r].score < kept.entries[lowest].score) lowest = r;
    if (kept.entries[lowest].score > entry.score) return;
    kept.entries[lowest] = kept.entries[--kept.count];
  }
  kept.entries[kept.count++] = entry;
  Write(kept);
}

void ForgetSettledResults() {
  KeptResults kept;
  Read(&kept);
  if (kept.count == 0) return;
  HighScoreTable stored;
  stored.Load();
  KeptResults left;
  for (int r = 0; r < kept.count; ++r)
    if (!Settled(stored, kept.entries[r])) left.entries[left.count++] = kept.entries[r];
  if (left.count != kept.count) Write(left);
}

void ForgetKeptResults() {
  KeptResults kept;
  Read(&kept);
  if (kept.count > 0) Write(KeptResults{});
}

void EnterKeptResults(HighScoreTable* table) {
  KeptResults kept;
  Read(&kept);
  if (kept.count == 0) return;
  for (int r = 0; r < kept.count; ++r) table->InsertScore(kept.entries[r]);
  table->Save();
  ForgetSettledResults();
}
