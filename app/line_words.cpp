#include "app/line_words.h"

#include <sstream>

namespace app {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
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

}  // namespace app
