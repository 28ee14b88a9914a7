// The manifest of every picture and sound built into the program: the table
// is made by the asset tool from assets/manifest.tsv.
#pragma once

namespace assets {

struct ManifestEntry {
  const char* kind;  // "pct" or "wave"
  int id;
  int width;  // frame-buffer size a picture is loaded at; 0 for sounds
  int height;
  int rate;  // sample rate of a sound; 0 for pictures
  const char* name;
  bool turned;  // the picture is stored turned for the sideways player
  bool keyed;   // its top-left pixel is a key colour that the game leaves out
  const char* role;
};

extern const ManifestEntry g_manifest[];
extern const int g_manifestCount;

// The entry of the given kind and id, or null.
const ManifestEntry* FindManifestEntry(const char* kind, int id);

}  // namespace assets
