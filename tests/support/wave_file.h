// Test support: RIFF WAVE files of 8-bit PCM, built byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

inline void Put32(std::vector<std::uint8_t>* out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void Put16(std::vector<std::uint8_t>* out, std::uint16_t v) {
  out->push_back(static_cast<std::uint8_t>(v));
  out->push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void PutId(std::vector<std::uint8_t>* out, const char* id) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<std::uint8_t>(id[i]));
}

struct Wave {
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 8;
  std::uint32_t fmtExtra = 0;                                       // bytes of fmt chunk beyond 16
  std::vector<std::pair<std::string, std::uint32_t>> chunksBefore;  // id, size
  std::uint32_t dataSize = 20;

  std::vector<std::uint8_t> Build() const {
    std::vector<std::uint8_t> w;
    PutId(&w, "RIFF");
    Put32(&w, 0);  // not looked at
    PutId(&w, "WAVE");
    PutId(&w, "fmt ");
    Put32(&w, 16 + fmtExtra);
    Put16(&w, 1);
    Put16(&w, channels);
    Put32(&w, rate);
    Put32(&w, rate * channels * bits / 8);
    Put16(&w, static_cast<std::uint16_t>(channels * bits / 8));
    Put16(&w, bits);
    w.insert(w.end(), fmtExtra, 0xEE);
    for (const auto& [id, size] : chunksBefore) {
      PutId(&w, id.c_str());
      Put32(&w, size);
      w.insert(w.end(), size, 'd');  // a chunk whose bytes look like "data"
    }
    PutId(&w, "data");
    Put32(&w, dataSize);
    for (std::uint32_t i = 0; i < dataSize; ++i) w.push_back(static_cast<std::uint8_t>(i + 1));
    return w;
  }
};

}  // namespace testsupport
