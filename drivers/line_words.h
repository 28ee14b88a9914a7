// Reading the line-based text files a player hands the program: scripts
// and recordings.
#pragma once

#include <charconv>
#include <fstream>
#include <istream>
#include <string>
#include <vector>

namespace drivers {

// What is wrong with a file, and on which line (1 is the first).
struct LineError {
  int line = 0;
  std::string why;
  // "file:line: why"
  std::string Text(const std::string& file) const {
    return file + ":" + std::to_string(line) + ": " + why;
  }
};

// The words of a line, split at white space.
std::vector<std::string> Words(const std::string& line);

// No line of these files is longer (in bytes); a longer one is refused.
constexpr size_t kLongestLine = 4096;

// A word of the file as an error message may show it: at most 40
// characters, anything but printable ASCII as '?', so that a file cannot
// send control sequences to the terminal.
std::string Shown(const std::string& word);

// Reads one line without its line ending ("\n" or "\r\n"). False at the end.
// A line longer than kLongestLine stops being read after kLongestLine + 1
// bytes (which CheckLength refuses), so that neither a file without line
// ends nor an endless one (/dev/zero) is held or read whole.
bool ReadLine(std::istream& in, std::string* line);

// False, with *why, for a line longer than kLongestLine.
bool CheckLength(const std::string& line, std::string* why);

// Opens a script or a recording for reading. A regular file is said so
// (*regular), as it can be read twice: checked whole, then run. Anything
// else that reads (a pipe, a device) is read once, as a stream. False, with
// *why, for a folder or what cannot be opened.
bool OpenLines(const std::string& path, std::ifstream* in, bool* regular, std::string* why);

// Hands every further line to parse(line, &why), numbering them from
// first; false at the first line parse refuses, which *error names.
template <typename Parse>
bool ParseLines(std::istream& in, int first, Parse parse, LineError* error) {
  std::string line;
  for (int number = first; ReadLine(in, &line); ++number) {
    if (!parse(line, &error->why)) {
      error->line = number;
      return false;
    }
  }
  return true;
}

// A whole decimal number in low..high, nothing before or after it.
template <typename T>
bool ToNumber(const std::string& text, T low, T high, T* out) {
  T v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  *out = v;
  return true;
}

}  // namespace drivers
