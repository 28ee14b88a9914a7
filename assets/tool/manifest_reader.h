// Reads assets/manifest.tsv: one picture or sound a line,
// kind id width height rate name view role, separated by tabs; # starts a comment.
#pragma once

#include <string>
#include <vector>

namespace tool {

struct ManifestRow {
  std::string kind;  // "pct" or "wave"
  int id = 0;
  int width = 0;
  int height = 0;
  int rate = 0;
  std::string name;
  std::string view;  // "landscape" (stored turned), "portrait" (stored upright) or "-"
  std::string role;
};

// Returns false with a message naming the line when the file is malformed.
bool ReadManifest(const std::string& path, std::vector<ManifestRow>* rows, std::string* error);

}  // namespace tool
