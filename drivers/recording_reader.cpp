#include "drivers/recording_reader.h"

#include <climits>
#include <cstdint>

#include "drivers/input_message.h"
#include "drivers/recorder.h"
#include "drivers/screenshot_name.h"
#include "platform/data_rows.h"

namespace drivers {

namespace {

bool CheckHeader(const std::string& line, int* version, std::string* why) {
  std::vector<std::string> w = Words(line);
  if (w.size() != 2 || w[0] != recording::kFormatName || !ToNumber(w[1], 0, INT_MAX, version)) {
    *why = std::string("not a Reedshot recording (its first line must be '") +
           recording::kFormatName + " " + std::to_string(recording::kFormatVersion) + "')";
    return false;
  }
  if (*version < recording::kOldestFormatVersion || *version > recording::kFormatVersion) {
    *why = "a recording of format version " + w[1] + "; this program reads versions " +
           std::to_string(recording::kOldestFormatVersion) + " to " +
           std::to_string(recording::kFormatVersion);
    return false;
  }
  return true;
}

// A data row ("D TABLE VALUE..."): only in version 2 on, only before the
// run's first entry, of one of the data file's tables.
bool ParseData(const std::string& line, bool allowed, std::size_t* rows,
               std::set<std::string>* keys, RecordingEntry* entry, std::string* why) {
  if (!CheckLength(line, why)) return false;
  if (!allowed) {
    *why = "a data row ('D') comes only right after the first line, from version 2 on";
    return false;
  }
  if (++*rows > ce::data_rows::kMostRows) {
    *why = "more than " + std::to_string(ce::data_rows::kMostRows) + " data rows";
    return false;
  }
  *entry = RecordingEntry(RecordingEntry::kData);
  const ce::data_rows::Table* table = nullptr;
  std::vector<ce::data_rows::Value> values;
  if (line.compare(0, 2, "D ") != 0 || !ce::data_rows::ParseRow(line.substr(2), &table, &values)) {
    *why = "'D' takes a table of the data file and a value for each of its columns";
    return false;
  }
  if (!ce::data_rows::CheckRow(table, values, keys, why)) return false;
  entry->name = line.substr(2);
  return true;
}

bool ParseEntry(const std::string& line, RecordingEntry* entry, std::string* why) {
  if (!CheckLength(line, why)) return false;
  std::vector<std::string> w = Words(line);
  auto fields = [&](size_t n) {
    if (w.size() == n + 1) return true;
    *why = "'" + w[0] + "' takes " + std::to_string(n) + " field" + (n == 1 ? "" : "s");
    return false;
  };
  if (w.empty()) {
    *why = "an empty line";
    return false;
  }
  *entry = RecordingEntry(RecordingEntry::kTicks);
  if (w[0] == "T") {
    if (!fields(2)) return false;
    if (!ToNumber<ce::DWORD>(w[1], 0, UINT32_MAX, &entry->tick) ||
        !ToNumber<unsigned long>(w[2], 1, ULONG_MAX, &entry->count)) {
      *why = "'T' takes a tick count (0..4294967295) and a number of reads (1 or more)";
      return false;
    }
  } else if (w[0] == "M") {
    entry->kind = RecordingEntry::kMessage;
    if (!fields(3)) return false;
    if (!ToNumber<ce::UINT>(w[1], 0, UINT32_MAX, &entry->message) ||
        !ToNumber<ce::WPARAM>(w[2], 0, UINTPTR_MAX, &entry->wParam) ||
        !ToNumber<ce::LPARAM>(w[3], INTPTR_MIN, INTPTR_MAX, &entry->lParam)) {
      *why = "'M' takes a message and its two parameters, as decimal numbers";
      return false;
    }
    if (!IsInputMessage(entry->message, entry->wParam, entry->lParam)) {
      *why = "message " + w[1] + " " + w[2] + " " + w[3] +
             " is not input (the stylus at x 0..239, y 0..319, a key of the device, the timer, "
             "or the window losing the focus)";
      return false;
    }
  } else if (w[0] == "S") {
    entry->kind = RecordingEntry::kShot;
    if (!fields(1) || !CheckScreenshotName(w[1], why)) return false;
    entry->name = w[1];
  } else if (w[0] == "Q" || w[0] == "J") {
    if (!fields(0)) return false;
    entry->kind = w[0] == "Q" ? RecordingEntry::kQuit : RecordingEntry::kState;
  } else {
    *why = "unknown entry '" + Shown(w[0]) + "'";
    return false;
  }
  return true;
}

}  // namespace

bool RecordingReader::ReadHeader(LineError* error) {
  error->why.clear();
  line_ = 1;
  error->line = 1;
  if (!ReadLine(*in_, &text_) || !CheckHeader(text_, &version_, &error->why)) {
    if (error->why.empty()) CheckHeader("", &version_, &error->why);
    return false;
  }
  return true;
}

bool RecordingReader::Next(RecordingEntry* entry, LineError* error) {
  error->why.clear();
  if (!ReadLine(*in_, &text_)) return false;
  error->line = ++line_;
  std::vector<std::string> w = Words(text_.substr(0, 2));
  if (!w.empty() && w[0] == "D")
    return ParseData(text_, version_ >= 2 && !pastData_, &dataRows_, &dataKeys_, entry,
                     &error->why);
  pastData_ = true;
  return ParseEntry(text_, entry, &error->why);
}

bool ParseRecording(std::istream& in, std::vector<RecordingEntry>* entries, LineError* error) {
  RecordingReader reader(&in);
  if (!reader.ReadHeader(error)) return false;
  RecordingEntry entry(RecordingEntry::kQuit);
  while (reader.Next(&entry, error)) entries->push_back(entry);
  return error->why.empty();
}

}  // namespace drivers
