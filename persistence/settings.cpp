#include "persistence/settings.h"

#include <cstring>

#include "persistence/high_score_table.h"
#include "platform/window.h"
#include "sound/sound_player.h"

namespace {

constexpr char16_t kKey[] = u"Tarnwick\\Reedshot";
constexpr char16_t kDefaultName[] = u"NONAME";
constexpr ce::LONG kDefaultVolume = 64;
constexpr ce::LONG kLowestVolume = 0;
constexpr ce::LONG kLoudestVolume = 70;
constexpr int kNameChars = 9;  // 8 and the terminator

void SetName(char16_t* field, const char16_t* name) {
  int n = 0;
  for (; n < kNameChars - 1 && name[n] != 0; ++n) field[n] = name[n];
  field[n] = 0;
}

int NameLength(const char16_t* name) {
  int n = 0;
  while (name[n] != 0) ++n;
  return n;
}

// A stored volume outside the options slider's range is taken as the
// nearest end of it.
ce::LONG VolumeInRange(ce::LONG v) {
  return v < kLowestVolume ? kLowestVolume : (v > kLoudestVolume ? kLoudestVolume : v);
}

}  // namespace

SettingsStore::SettingsStore(SoundPlayer* player)
    : SettingsValues(),
      soundPlayer(nullptr),
      highScores(nullptr),
      pendingScore(0),
      resultPending(0),
      key(nullptr) {
  SetName(userName, kDefaultName);
  SetName(playerName, kDefaultName);

  highScores = new HighScoreTable;
  highScores->CreateDatabase();
  highScores->Load();

  soundPlayer = player;

  ce::DWORD disposition = 0;
  if (ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, kKey, 0, nullptr, 0, 0, nullptr, &key,
                          &disposition) != static_cast<ce::LONG>(ce::ERROR_SUCCESS)) {
    key = nullptr;
    ApplyDefaults();
    return;
  }
  if (disposition == ce::REG_CREATED_NEW_KEY) {
    ApplyDefaults();
    return;
  }

  // A missing number resets everything read so far and reading goes on.
  auto readNumber = [this](const char16_t* name, ce::LONG* field) {
    ce::DWORD value = 0;
    ce::DWORD size = sizeof value;
    if (ce::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<ce::BYTE*>(&value),
                             &size) != static_cast<ce::LONG>(ce::ERROR_SUCCESS)) {
      ApplyDefaults();
      return false;
    }
    *field = static_cast<ce::LONG>(value);
    return true;
  };
  // A flag is on exactly when the stored value is 1; a missing one keeps
  // its default.
  auto readFlag = [&](const char16_t* name, ce::BYTE* field) {
    ce::LONG value = 0;
    if (readNumber(name, &value)) *field = value == 1 ? 1 : 0;
  };
  // A name is read whole and cut to its field; a missing one is left as it is.
  auto readName = [this](const char16_t* name, char16_t* field) {
    ce::DWORD size = 0;
    if (ce::RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) !=
        static_cast<ce::LONG>(ce::ERROR_SUCCESS))
      return;
    ce::DWORD chars = size / sizeof(char16_t);
    char16_t* text = new char16_t[chars + 1];
    if (ce::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<ce::BYTE*>(text),
                             &size) == static_cast<ce::LONG>(ce::ERROR_SUCCESS)) {
      text[size / sizeof(char16_t) < chars ? size / sizeof(char16_t) : chars] = 0;
      SetName(field, text);
    }
    delete[] text;
  };

  readNumber(u"SoundVol", &soundVolume);
  soundVolume = VolumeInRange(soundVolume);
  if (soundPlayer != nullptr) soundPlayer->SetSoundVolume(soundVolume);
  readNumber(u"MusicVol", &musicVolume);
  musicVolume = VolumeInRange(musicVolume);
  if (soundPlayer != nullptr) soundPlayer->SetMusicVolume(musicVolume);
  readNumber(u"KilledDucks", &killedDucks);
  readNumber(u"KilledLeafs", &killedLeafs);
  readNumber(u"NegPoints", &negPoints);
  readNumber(u"PersentageSuccess", &persentageSuccess);
  readNumber(u"LastScores", &lastScore);
  readFlag(u"MenuAnimation", &menuAnimation);
  readFlag(u"SpecialEffects", &specialEffects);
  readName(u"UserName", userName);
  readName(u"PlayerName", playerName);
}

SettingsStore::~SettingsStore() {
  if (key != nullptr) {
    Save();
    ce::RegCloseKey(key);
    key = nullptr;
  }
  highScores->Save();
  delete highScores;
  highScores = nullptr;
}

// Each value is written on its own: one that cannot be written is told,
// and the others are still written.
void SettingsStore::Save() {
  if (key == nullptr) return;
  auto write = [this](const char16_t* name, ce::DWORD type, const void* data, ce::DWORD size) {
    if (ce::RegSetValueExW(key, name, 0, type, static_cast<const ce::BYTE*>(data), size) !=
        static_cast<ce::LONG>(ce::ERROR_SUCCESS))
      ce::MessageBoxW(ce::GetForegroundWindow(), u"Can not add information into registry!", nullptr,
                      ce::MB_OK);
  };
  auto writeNumber = [&](const char16_t* name, ce::LONG value) {
    ce::DWORD v = static_cast<ce::DWORD>(value);
    write(name, ce::REG_DWORD, &v, sizeof v);
  };
  // At most the field's 8 characters, even if the field lost its terminator.
  auto writeName = [&](const char16_t* name, const char16_t* value) {
    char16_t text[kNameChars];
    SetName(text, value);
    write(name, ce::REG_SZ, text, static_cast<ce::DWORD>((NameLength(text) + 1) * 2));
  };
  writeNumber(u"SoundVol", soundVolume);
  writeNumber(u"MusicVol", musicVolume);
  writeNumber(u"KilledDucks", killedDucks);
  writeNumber(u"KilledLeafs", killedLeafs);
  writeNumber(u"NegPoints", negPoints);
  writeNumber(u"PersentageSuccess", persentageSuccess);
  writeNumber(u"LastScores", lastScore);
  writeName(u"UserName", userName);
  writeName(u"PlayerName", playerName);
  writeNumber(u"MenuAnimation", menuAnimation != 0 ? 1 : 0);
  writeNumber(u"SpecialEffects", specialEffects != 0 ? 1 : 0);
}

bool SettingsStore::PendingResult(HighScoreEntry* entry) const {
  if (userName[0] == 0 || resultPending != 1) return false;
  *entry = HighScoreEntry{};
  entry->isNewest = 1;
  entry->score = pendingScore;
  SetName(entry->name, userName);
  return true;
}

void SettingsStore::EnterPendingResult(HighScoreEntry* entry) {
  if (!PendingResult(entry)) return;
  highScores->InsertScore(*entry);
  resultPending = 0;
}

void SettingsStore::ApplyDefaults() {
  SetName(userName, kDefaultName);
  SetName(playerName, kDefaultName);
  lastScore = 0;
  soundVolume = kDefaultVolume;
  musicVolume = kDefaultVolume;
  killedDucks = 0;
  killedLeafs = 0;
  negPoints = 0;
  persentageSuccess = 0;
  menuAnimation = 1;
  specialEffects = 1;
  if (soundPlayer != nullptr) {
    soundPlayer->SetSoundVolume(soundVolume);
    soundPlayer->SetMusicVolume(musicVolume);
  }
}
