// The rows of the data file as lines of text: how a recording carries the
// settings and high scores its run started with. The format is header only,
// so that the readers of recordings check a row without the data store.
//
// A row is "TABLE VALUE..." with one value for each column of the table:
//   -            null
//   i<decimal>   an integer
//   f<16 hex>    a real, by the bits of its double
//   t<hex>       text, the hex of its UTF-8 bytes ("t" alone: empty)
//   x<hex>       a blob ("x" alone: empty)
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ce::data_rows {

struct Table {
  const char* name;
  const char* columns;  // as the INSERT and SELECT name them
  int count;
};

// Every table of the data file, in the order a snapshot lists them.
inline constexpr Table kTables[] = {
    {"registry_keys", "path", 1},
    {"registry_values", "key, name, type, value", 4},
    {"databases", "oid, name, type", 3},
    {"records", "oid, database", 2},
    {"properties", "record, idx, type, value", 4},
};

// A recording's line holds at most 4096 bytes, "D " and the row.
constexpr std::size_t kLongestRow = 4094;
// No more rows are carried (the game's own data needs about a hundred), so
// that a replay holds a few MB of them at most.
constexpr std::size_t kMostRows = 1024;

struct Value {
  enum Type { kNull, kInteger, kReal, kText, kBlob };
  Type type = kNull;
  std::int64_t integer = 0;
  double real = 0;
  std::string bytes;  // kText, kBlob
};

inline const Table* FindTable(std::string_view name) {
  for (const Table& t : kTables)
    if (name == t.name) return &t;
  return nullptr;
}

inline bool FromHex(std::string_view hex, std::string* out) {
  if (hex.size() % 2 != 0) return false;
  out->clear();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    unsigned byte = 0;
    auto [end, ec] = std::from_chars(hex.data() + i, hex.data() + i + 2, byte, 16);
    if (ec != std::errc() || end != hex.data() + i + 2) return false;
    out->push_back(static_cast<char>(byte));
  }
  return true;
}

inline std::string ToHex(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

inline bool ParseValue(std::string_view word, Value* value) {
  if (word.empty()) return false;
  std::string_view rest = word.substr(1);
  switch (word[0]) {
    case '-':
      value->type = Value::kNull;
      return rest.empty();
    case 'i': {
      value->type = Value::kInteger;
      auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value->integer);
      return !rest.empty() && ec == std::errc() && end == rest.data() + rest.size();
    }
    case 'f': {
      std::uint64_t bits = 0;
      value->type = Value::kReal;
      auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), bits, 16);
      if (rest.size() != 16 || ec != std::errc() || end != rest.data() + rest.size()) return false;
      static_assert(sizeof bits == sizeof value->real);
      std::memcpy(&value->real, &bits, sizeof bits);
      return true;
    }
    case 't':
    case 'x':
      value->type = word[0] == 't' ? Value::kText : Value::kBlob;
      return FromHex(rest, &value->bytes);
    default:
      return false;
  }
}

inline std::string FormatValue(const Value& value) {
  std::string out;
  switch (value.type) {
    case Value::kInteger:
      out.push_back('i');
      out += std::to_string(value.integer);
      return out;
    case Value::kReal: {
      std::uint64_t bits = 0;
      std::memcpy(&bits, &value.real, sizeof bits);
      char hex[17] = "0000000000000000";
      for (int i = 15; i >= 0; --i, bits >>= 4) hex[i] = "0123456789abcdef"[bits & 15];
      out.push_back('f');
      out += hex;
      return out;
    }
    case Value::kText:
    case Value::kBlob:
      out.push_back(value.type == Value::kText ? 't' : 'x');
      out += ToHex(value.bytes);
      return out;
    case Value::kNull:
      break;
  }
  out.push_back('-');
  return out;
}

// Reads a row; false when its table is unknown, a value does not read or
// the number of values is not the table's.
inline bool ParseRow(std::string_view row, const Table** table, std::vector<Value>* values) {
  values->clear();
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < row.size();) {
    std::size_t end = row.find(' ', at);
    if (end == std::string_view::npos) end = row.size();
    if (end > at) words.push_back(row.substr(at, end - at));
    at = end + 1;
  }
  if (words.empty() || (*table = FindTable(words[0])) == nullptr) return false;
  if (static_cast<int>(words.size()) - 1 != (*table)->count) return false;
  for (std::size_t i = 1; i < words.size(); ++i) {
    Value v;
    if (!ParseValue(words[i], &v)) return false;
    values->push_back(std::move(v));
  }
  return true;
}

// What a column of a row must hold so that the program can use it.
struct Column {
  enum Kind { kText, kNumber, kAny };
  Kind kind;
  std::int64_t low = 0, high = 0;  // kNumber, and an integer in a kAny column
  bool key = false;                // part of the table's key (names ignore ASCII case)
  bool unique = false;             // unique on its own
};

// The data file's 32-bit numbers: ids, types and values are the device's
// DWORD, WORD and LONG.
constexpr std::int64_t kId = 0xFFFFFFFF;
constexpr std::int64_t kLowestValue = -0x80000000LL;

inline const Column* ColumnsOf(const Table* table) {
  static const Column kKeys[] = {{Column::kText, 0, 0, true}};
  static const Column kValues[] = {{Column::kText, 0, 0, true},
                                   {Column::kText, 0, 0, true},
                                   {Column::kNumber, 0, kId},
                                   {Column::kAny, kLowestValue, kId}};
  static const Column kDatabases[] = {{Column::kNumber, 1, kId, true},
                                      {Column::kText, 0, 0, false, true},
                                      {Column::kNumber, 0, kId}};
  static const Column kRecords[] = {{Column::kNumber, 1, kId, true}, {Column::kNumber, 1, kId}};
  static const Column kProperties[] = {{Column::kNumber, 1, kId, true},
                                       {Column::kNumber, 0, 0xFFFF, true},
                                       {Column::kNumber, 0, 0xFFFF},
                                       {Column::kAny, kLowestValue, kId}};
  const Column* all[] = {kKeys, kValues, kDatabases, kRecords, kProperties};
  return all[table - kTables];
}

inline std::string FoldCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Checks a row that read (ParseRow) against what its columns hold, and
// adds its keys to `keys` (which holds those of the rows before it).
// False, with the reason in *why, for a value out of range or of the
// wrong kind, and for a key that an earlier row has.
inline bool CheckRow(const Table* table, const std::vector<Value>& values,
                     std::set<std::string>* keys, std::string* why) {
  const Column* columns = ColumnsOf(table);
  std::string key = table->name;
  std::vector<std::string> found;
  for (int c = 0; c < table->count; ++c) {
    const Column& column = columns[c];
    const Value& v = values[c];
    const bool number = v.type == Value::kInteger;
    if ((column.kind == Column::kText && v.type != Value::kText) ||
        (column.kind == Column::kNumber && !number)) {
      *why = std::string("column ") + std::to_string(c + 1) + " of " + table->name + " must be " +
             (column.kind == Column::kText ? "text" : "an integer");
      return false;
    }
    if (number && (v.integer < column.low || v.integer > column.high)) {
      *why = std::string("column ") + std::to_string(c + 1) + " of " + table->name +
             " must be from " + std::to_string(column.low) + " to " + std::to_string(column.high);
      return false;
    }
    std::string word = number ? std::to_string(v.integer) : FoldCase(v.bytes);
    if (column.key) key += '\n' + word;
    if (column.unique) found.push_back(std::string(table->name) + "\t" + word);
  }
  found.push_back(key);
  for (const std::string& k : found)
    if (keys->count(k) != 0) {
      *why = std::string("a second row of ") + table->name + " with the same key";
      return false;
    }
  keys->insert(found.begin(), found.end());
  return true;
}

}  // namespace ce::data_rows

namespace ce {

// The rows of the data file. A row too long for a recording's line is left
// out, and its table named in *skipped.
std::vector<std::string> DataRows(std::string* skipped);
// Replaces everything in the data file by `rows` (rows that read, as
// above); false when the file cannot take them.
bool RestoreDataRows(const std::vector<std::string>& rows);
// Writes a copy of the data file beside it, its name followed by `suffix`,
// and names it in *kept; a file without rows is not copied (*kept empty).
// False when the copy cannot be written.
bool KeepDataFile(const std::string& suffix, std::string* kept);

}  // namespace ce
