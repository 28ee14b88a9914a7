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

}  // namespace ce::data_rows

namespace ce {

// The rows of the data file. A row too long for a recording's line is left
// out, and its table named in *skipped.
std::vector<std::string> DataRows(std::string* skipped);
// Replaces everything in the data file by `rows` (rows that read, as
// above); false when the file cannot take them.
bool RestoreDataRows(const std::vector<std::string>& rows);

}  // namespace ce
