// A small writer for one-line JSON objects (the headless state, summaries).
#pragma once

#include <cstdint>
#include <string>

namespace drivers {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(const std::string& key);
  JsonWriter& Value(std::int64_t value);
  JsonWriter& Value(bool value);
  JsonWriter& Value(const std::string& value);
  JsonWriter& Value(const char* value) { return Value(std::string(value)); }
  JsonWriter& Value(int value) { return Value(static_cast<std::int64_t>(value)); }
  JsonWriter& Value(unsigned value) { return Value(static_cast<std::int64_t>(value)); }
  JsonWriter& Value(double value);

  template <typename T>
  JsonWriter& Field(const std::string& key, const T& value) {
    Key(key);
    return Value(value);
  }

  const std::string& str() const { return out_; }

 private:
  void Separator();
  std::string out_;
  bool needComma_ = false;
};

}  // namespace drivers
