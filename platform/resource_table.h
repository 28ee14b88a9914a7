// The table of resources compiled into the executable. The build generates
// it (assets/CMakeLists.txt) from the directory of built resource files; the
// records are sorted by type, then id.
#pragma once

namespace ce {

struct ResourceRecord {
  const char16_t* type;  // u"PCT" or u"WAVE"
  int id;
  const unsigned char* data;
  unsigned size;
};

extern const ResourceRecord g_resourceRecords[];
extern const unsigned g_resourceRecordCount;

// A table whose bytes arrive while the program runs (the web page's) has
// them in g_resourceBytes, and installs a wait that returns once the bytes
// up to `end` are there; LoadResource calls it before handing a resource out.
extern unsigned char g_resourceBytes[];
extern const unsigned g_resourceByteCount;
void SetResourceWait(void (*wait)(const unsigned char* end));

namespace testing {
// Looks resources up in `records` instead of the built-in table until called
// again with null.
void UseResourceTable(const ResourceRecord* records, unsigned count);
}  // namespace testing

}  // namespace ce
