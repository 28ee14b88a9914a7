#include "persistence/ce_db_prop.h"

#include <cstdlib>
#include <cstring>

#include "platform/window.h"

namespace {

constexpr std::size_t kLongestString = 199;

std::size_t Length(const char16_t* s) {
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

}  // namespace

CCeDbProp::CCeDbProp() : prop(), string(nullptr) {}

CCeDbProp::CCeDbProp(const CCeDbProp& other) : prop(), string(nullptr) { *this = other; }

CCeDbProp& CCeDbProp::operator=(const CCeDbProp& other) {
  if (this == &other) return *this;
  delete[] string;
  string = nullptr;
  prop = other.prop;
  if (other.string != nullptr) {
    std::size_t n = Length(other.string);
    string = new char16_t[n + 1];
    std::memcpy(string, other.string, (n + 1) * sizeof(char16_t));
  }
  if (ce::TypeFromPropId(prop.propid) == ce::CEVT_LPWSTR) prop.val.lpwstr = string;
  return *this;
}

CCeDbProp::~CCeDbProp() { delete[] string; }

void CCeDbProp::SetIndex(ce::WORD index) {
  prop.propid = ce::MakePropId(index, ce::TypeFromPropId(prop.propid));
}

void CCeDbProp::SetBool(int v) {
  prop.propid = ce::MakePropId(ce::IndexFromPropId(prop.propid), ce::CEVT_BOOL);
  prop.val = {};
  prop.val.iVal = static_cast<short>(v);
}

void CCeDbProp::SetLong(ce::LONG v) {
  prop.propid = ce::MakePropId(ce::IndexFromPropId(prop.propid), ce::CEVT_I4);
  prop.val = {};
  prop.val.lVal = v;
}

void CCeDbProp::SetString(const char16_t* s) {
  if (s == nullptr) s = u"";
  std::size_t n = Length(s);
  if (n > kLongestString) {
    ce::MessageBoxW(ce::GetForegroundWindow(), u"Very long string??", nullptr,
                    ce::MB_OK | ce::MB_ICONSTOP);
    std::exit(-1);
  }
  char16_t* copy = new char16_t[n + 1];
  std::memcpy(copy, s, (n + 1) * sizeof(char16_t));
  delete[] string;
  string = copy;
  prop.propid = ce::MakePropId(ce::IndexFromPropId(prop.propid), ce::CEVT_LPWSTR);
  prop.val = {};
  prop.val.lpwstr = string;
}

void CCeDbPropList::Insert(const CCeDbProp& prop, int index) {
  if (index < 0) index = 0;
  if (index > count) index = count;
  CCeDbProp* grown = new CCeDbProp[count + 1];
  for (int i = 0; i < index; ++i) grown[i] = props[i];
  grown[index] = prop;
  for (int i = index; i < count; ++i) grown[i + 1] = props[i];
  delete[] props;
  props = grown;
  ++count;
}

void CCeDbPropList::Clear() {
  delete[] props;
  props = nullptr;
  count = 0;
}

void CCeDbPropList::GetValues(ce::CEPROPVAL* out) const {
  for (int i = 0; i < count; ++i) out[i] = props[i].prop;
}
