#include "persistence/ce_db_prop.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CCeDbPropTest, CopiesOwnTheirStrings) {
  CCeDbProp a;
  EXPECT_EQ(a.GetPropId(), 0u);
  EXPECT_EQ(a.string, nullptr);
  a.SetIndex(4);
  a.SetString(u"Anna");
  EXPECT_EQ(a.GetPropId(), ce::MakePropId(4, ce::CEVT_LPWSTR));
  EXPECT_EQ(a.prop.val.lpwstr, a.string);

  CCeDbProp b;
  b = a;
  EXPECT_NE(b.string, a.string);
  EXPECT_EQ(b.prop.val.lpwstr, b.string);
  a.SetString(nullptr);  // empty, not null
  EXPECT_EQ(std::u16string(a.string), u"");
  EXPECT_EQ(std::u16string(b.string), u"Anna");

  b.SetBool(1);
  EXPECT_EQ(b.GetPropId(), ce::MakePropId(4, ce::CEVT_BOOL));
  EXPECT_EQ(b.prop.val.boolVal, 1);  // the whole value, not only its low half
  b.SetLong(-5);
  EXPECT_EQ(b.GetPropId(), ce::MakePropId(4, ce::CEVT_I4));
  EXPECT_EQ(b.prop.val.lVal, -5);
}

TEST(CCeDbPropTest, AStringOf200CharactersEndsTheProgram) {
  CCeDbProp ok;
  ok.SetString(std::u16string(199, u'a').c_str());
  EXPECT_EQ(std::u16string(ok.string).size(), 199u);
  EXPECT_EXIT(
      {
        CCeDbProp p;
        p.SetString(std::u16string(200, u'a').c_str());
      },
      ::testing::ExitedWithCode(255), "");
}

TEST(CCeDbPropListTest, InsertPlacesCopiesAndClampsTheIndex) {
  CCeDbPropList list;
  CCeDbProp p;
  const char16_t* names[] = {u"b", u"d", u"a", u"c"};
  const int at[] = {0, 7, -3, 2};  // beyond the end and below 0 are clamped
  for (int i = 0; i < 4; ++i) {
    p.SetString(names[i]);
    list.Insert(p, at[i]);
  }
  ASSERT_EQ(list.count, 4);
  std::u16string order;
  for (int i = 0; i < list.count; ++i) order += list.props[i].string;
  EXPECT_EQ(order, u"abcd");

  ce::CEPROPVAL values[4];
  list.GetValues(values);
  EXPECT_EQ(std::u16string(values[3].val.lpwstr), u"d");
  list.Clear();
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.props, nullptr);
}

}  // namespace
