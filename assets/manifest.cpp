#include "assets/manifest.h"

#include <cstring>

namespace assets {

const ManifestEntry* FindManifestEntry(const char* kind, int id) {
  for (int i = 0; i < g_manifestCount; ++i) {
    if (g_manifest[i].id == id && std::strcmp(g_manifest[i].kind, kind) == 0) return &g_manifest[i];
  }
  return nullptr;
}

}  // namespace assets
