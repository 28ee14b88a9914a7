#include "drivers/line_words.h"

#include <sstream>

namespace drivers {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string Shown(const std::string& word) {
  std::string shown = word.substr(0, 40);
  for (char& c : shown)
    if (c < 0x20 || c > 0x7E) c = '?';
  if (word.size() > shown.size()) shown += "...";
  return shown;
}

bool ReadLine(std::istream& in, std::string* line) {
  line->clear();
  std::streambuf* buffer = in.rdbuf();
  bool any = false;
  for (int c; (c = buffer->sbumpc()) != std::char_traits<char>::eof();) {
    any = true;
    if (c == '\n') break;
    if (line->size() <= kLongestLine) line->push_back(static_cast<char>(c));
  }
  if (!any) {
    in.setstate(std::ios::eofbit);
    return false;
  }
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return true;
}

bool CheckLength(const std::string& line, std::string* why) {
  if (line.size() <= kLongestLine) return true;
  *why = "a line longer than " + std::to_string(kLongestLine) + " characters";
  return false;
}

}  // namespace drivers
