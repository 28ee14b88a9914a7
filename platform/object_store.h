// The object store's property databases: named databases of records, each
// record a set of typed properties, kept in the data file
// (platform/data_store.h). Records stand in the order they were created.
// Each call that changes something is one durable transaction. Every call
// sets the thread's last error, to 0 when it succeeds.
#pragma once

#include "platform/handle.h"
#include "platform/types.h"

namespace ce {

using CEOID = DWORD;
using PCEOID = CEOID*;
using CEPROPID = DWORD;

struct CEGUID {
  DWORD Data1;
  DWORD Data2;
  DWORD Data3;
  DWORD Data4;
};
using PCEGUID = CEGUID*;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct CEBLOB {
  DWORD dwCount;
  BYTE* lpb;
};

union CEVALUNION {
  short iVal;
  WORD uiVal;
  LONG lVal;
  ULONG ulVal;
  FILETIME filetime;
  LPWSTR lpwstr;
  CEBLOB blob;
  BOOL boolVal;
  double dblVal;
};

struct CEPROPVAL {
  CEPROPID propid;  // index in the high 16 bits, value type in the low 16
  WORD wLenData;
  WORD wFlags;
  CEVALUNION val;
};

// Value types that the store keeps.
constexpr WORD CEVT_I4 = 3;
constexpr WORD CEVT_BOOL = 11;
constexpr WORD CEVT_LPWSTR = 31;

inline WORD TypeFromPropId(CEPROPID id) { return static_cast<WORD>(id & 0xFFFF); }
inline WORD IndexFromPropId(CEPROPID id) { return static_cast<WORD>(id >> 16); }
inline CEPROPID MakePropId(WORD index, WORD type) {
  return (static_cast<CEPROPID>(index) << 16) | type;
}

// Property flags: on write, delete the property; on read, it was not found.
constexpr WORD CEDB_PROPDELETE = 0x0002;
constexpr WORD CEDB_PROPNOTFOUND = 0x0400;

constexpr int CEDB_MAXDBASENAMELEN = 32;
constexpr int CEDB_MAXSORTORDER = 4;

struct SORTORDERSPEC {
  CEPROPID propid;
  DWORD dwFlags;
};

// CEDBASEINFO::dwFlags: which fields are given.
constexpr DWORD CEDB_VALIDNAME = 0x0001;
constexpr DWORD CEDB_VALIDTYPE = 0x0002;
constexpr DWORD CEDB_VALIDSORTSPEC = 0x0004;

struct CEDBASEINFO {
  DWORD dwFlags;
  WCHAR szDbaseName[CEDB_MAXDBASENAMELEN];
  DWORD dwDbaseType;
  WORD wNumRecords;
  WORD wNumSortOrder;
  DWORD dwSize;
  FILETIME ftLastModified;
  SORTORDERSPEC rgSortSpecs[CEDB_MAXSORTORDER];
};

// CeOpenDatabase flags: reading moves on to the next record.
constexpr DWORD CEDB_AUTOINCREMENT = 0x0001;

// CeSeekDatabase kinds.
constexpr DWORD CEDB_SEEK_CEOID = 0x00000001;
constexpr DWORD CEDB_SEEK_BEGINNING = 0x00000002;
constexpr DWORD CEDB_SEEK_END = 0x00000004;
constexpr DWORD CEDB_SEEK_CURRENT = 0x00000008;

// CeReadRecordPropsEx flag: the store may (re)allocate the buffer with
// LocalAlloc; the caller frees it with LocalFree.
constexpr DWORD CEDB_ALLOWREALLOC = 0x00000001;

// Creates a database. The name must be given (CEDB_VALIDNAME); sort orders
// are not supported. Returns its id, or 0: ERROR_DUP_NAME when the name
// exists, ERROR_INVALID_PARAMETER, ERROR_DISK_FULL when the store cannot be
// written. The volume is ignored (there is one).
CEOID CeCreateDatabaseEx(PCEGUID volume, CEDBASEINFO* info);

// Opens a database by id (*oid not 0) or else by name, and stores its id in
// *oid. The seek position starts at the first record. Returns
// INVALID_HANDLE_VALUE on failure (ERROR_FILE_NOT_FOUND when it does not
// exist). Close the handle with CloseHandle. Sort orders and notification
// are not supported: `sortProp` must be 0 and `notify` is ignored.
HANDLE CeOpenDatabase(PCEOID oid, LPCWSTR name, CEPROPID sortProp, DWORD flags, HWND notify);

// Moves the seek position: to record `value` from the first
// (CEDB_SEEK_BEGINNING), by the signed `value` (CEDB_SEEK_CURRENT), `value`
// records back from the last (CEDB_SEEK_END), or to the record whose id is
// `value` (CEDB_SEEK_CEOID). Returns that record's id and stores its index
// in *index; returns 0 and keeps the position when there is no such record.
CEOID CeSeekDatabase(HANDLE database, DWORD seekType, DWORD value, DWORD* index);

// Reads the record at the seek position: every property (`propIds` null)
// or those listed (one not found comes back flagged CEDB_PROPNOTFOUND).
// The buffer receives the CEPROPVAL array followed by the strings it points
// to. Returns the record's id, or 0 (ERROR_INSUFFICIENT_BUFFER with the size
// needed in *bufferSize when the buffer is too small and may not grow).
// `heap` is ignored.
CEOID CeReadRecordPropsEx(HANDLE database, DWORD flags, WORD* propCount, CEPROPID* propIds,
                          BYTE** buffer, DWORD* bufferSize, HANDLE heap);

// Writes properties: record 0 makes a new record at the end; an existing
// record keeps the properties that are not written. Returns the record's
// id, or 0 (ERROR_INVALID_PARAMETER, ERROR_DISK_FULL).
CEOID CeWriteRecordProps(HANDLE database, CEOID record, WORD propCount, CEPROPVAL* values);

}  // namespace ce
