#include "drivers/json_writer.h"

#include <cmath>
#include <cstdio>

namespace drivers {

void JsonWriter::Separator() {
  if (needComma_) out_ += ',';
  needComma_ = false;
}

JsonWriter& JsonWriter::BeginObject() {
  Separator();
  out_ += '{';
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  out_ += '}';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separator();
  out_ += '[';
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  out_ += ']';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Key(const std::string& key) {
  Value(key);
  out_ += ':';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::Value(std::int64_t value) {
  Separator();
  out_ += std::to_string(value);
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Value(bool value) {
  Separator();
  out_ += value ? "true" : "false";
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Value(double value) {
  Separator();
  if (!std::isfinite(value)) {
    out_ += "null";
  } else {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.6g", value);
    out_ += buffer;
  }
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Value(const std::string& value) {
  Separator();
  out_ += '"';
  for (unsigned char c : value) {
    switch (c) {
      case '"':
        out_ += "\\\"";
        break;
      case '\\':
        out_ += "\\\\";
        break;
      case '\n':
        out_ += "\\n";
        break;
      case '\r':
        out_ += "\\r";
        break;
      case '\t':
        out_ += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof(buffer), "\\u%04x", c);
          out_ += buffer;
        } else {
          out_ += static_cast<char>(c);
        }
    }
  }
  out_ += '"';
  needComma_ = true;
  return *this;
}

}  // namespace drivers
