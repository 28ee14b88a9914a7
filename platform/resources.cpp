#include "platform/resources.h"

#include "platform/error.h"
#include "platform/resource_table.h"

namespace ce {

namespace {

const ResourceRecord* g_records = nullptr;
unsigned g_count = 0;
bool g_override = false;
void (*g_wait)(const unsigned char* end) = nullptr;

bool SameType(const char16_t* a, const char16_t* b) {
  while (*a != 0 && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

}  // namespace

namespace testing {
void UseResourceTable(const ResourceRecord* records, unsigned count) {
  g_override = records != nullptr;
  g_records = records;
  g_count = records != nullptr ? count : 0;
}
}  // namespace testing

void SetResourceWait(void (*wait)(const unsigned char* end)) { g_wait = wait; }

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
  const ResourceRecord* records = g_override ? g_records : g_resourceRecords;
  unsigned count = g_override ? g_count : g_resourceRecordCount;
  if (type != nullptr && IS_INTRESOURCE(name)) {
    int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    for (unsigned i = 0; i < count; ++i) {
      if (records[i].id == id && SameType(records[i].type, type)) {
        return reinterpret_cast<HRSRC>(const_cast<ResourceRecord*>(&records[i]));
      }
    }
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  if (resource == nullptr) return nullptr;
  const auto* record = reinterpret_cast<const ResourceRecord*>(resource);
  if (g_wait != nullptr && !g_override) g_wait(record->data + record->size);
  return const_cast<unsigned char*>(record->data);
}

LPVOID LockResource(HGLOBAL loaded) { return loaded; }

DWORD SizeofResource(HMODULE, HRSRC resource) {
  if (resource == nullptr) return 0;
  return reinterpret_cast<const ResourceRecord*>(resource)->size;
}

}  // namespace ce
