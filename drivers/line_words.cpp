#include "drivers/line_words.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
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
    line->push_back(static_cast<char>(c));
    if (line->size() > kLongestLine + 1) return true;  // room for a '\r'
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
  *why = "a line longer than " + std::to_string(kLongestLine) + " bytes";
  return false;
}

bool OpenLines(const std::string& path, std::ifstream* in, bool* regular, std::string* why) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    *why = std::strerror(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    *why = "a folder, not a file";
    return false;
  }
  *regular = S_ISREG(info.st_mode);
  in->open(path, std::ios::binary);
  if (!*in) {
    *why = std::strerror(errno != 0 ? errno : EACCES);
    return false;
  }
  return true;
}

}  // namespace drivers
