#include "assets/tool/manifest_reader.h"

#include <fstream>
#include <set>
#include <sstream>
#include <utility>

namespace tool {

namespace {

bool ToInt(const std::string& s, int* out) {
  if (s.empty()) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9' || v > 100000000) return false;
    v = v * 10 + (c - '0');
  }
  *out = v;
  return true;
}

}  // namespace

bool ReadManifest(const std::string& path, std::vector<ManifestRow>* rows, std::string* error) {
  std::ifstream in(path);
  if (!in) {
    *error = "cannot read " + path;
    return false;
  }
  std::set<std::pair<std::string, int>> seen;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string field; std::getline(ss, field, '\t');) f.push_back(field);
    auto bad = [&](const std::string& why) {
      *error = path + ":" + std::to_string(number) + ": " + why;
      return false;
    };
    if (f.size() != 8) return bad("expected 8 tab-separated fields");
    ManifestRow r;
    r.kind = f[0];
    r.name = f[5];
    r.view = f[6];
    r.role = f[7];
    if (!ToInt(f[1], &r.id) || !ToInt(f[2], &r.width) || !ToInt(f[3], &r.height) ||
        !ToInt(f[4], &r.rate))
      return bad("id, width, height and rate must be numbers");
    if (r.kind == "pct") {
      if (r.width < 1 || r.height < 1 || r.width > 240 || r.height > 960)
        return bad("picture size out of range");
      if (r.view != "landscape" && r.view != "portrait")
        return bad("view must be landscape or portrait");
    } else if (r.kind == "wave") {
      if (r.rate < 8000 || r.rate > 48000) return bad("sound rate out of range");
    } else {
      return bad("kind must be pct or wave");
    }
    if (!seen.insert({r.kind, r.id}).second) return bad("id listed twice");
    rows->push_back(std::move(r));
  }
  return true;
}

}  // namespace tool
