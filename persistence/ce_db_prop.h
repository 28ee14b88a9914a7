// One property of a high-score record, and the growable list of them that
// makes a record.
#pragma once

#include "platform/object_store.h"

class CCeDbProp {
 public:
  CCeDbProp();  // all zero, no string
  CCeDbProp(const CCeDbProp& other);
  CCeDbProp& operator=(const CCeDbProp& other);
  virtual ~CCeDbProp();

  // Each setter sets the value and its type; the index (high 16 bits of
  // the property id) is set with SetIndex.
  void SetIndex(ce::WORD index);
  void SetBool(int v);  // stored as a 16-bit value
  void SetLong(ce::LONG v);
  // Keeps a copy; null stores an empty string. 200 or more characters end
  // the program.
  void SetString(const char16_t* s);
  ce::CEPROPID GetPropId() const { return prop.propid; }

  ce::CEPROPVAL prop;
  char16_t* string;  // owned; prop.val.lpwstr points at it for CEVT_LPWSTR
};

class CCeDbPropList {
 public:
  CCeDbPropList() = default;
  CCeDbPropList(const CCeDbPropList&) = delete;
  CCeDbPropList& operator=(const CCeDbPropList&) = delete;
  ~CCeDbPropList() { Clear(); }

  // Inserts a copy of `prop` before `index` (clamped to the count).
  void Insert(const CCeDbProp& prop, int index);
  void Clear();
  // Copies the CEPROPVALs into `out` (count entries), for a record write.
  void GetValues(ce::CEPROPVAL* out) const;

  CCeDbProp* props = nullptr;
  int count = 0;
};
