#include "model/CKelvoObject.h"

#include <gtest/gtest.h>

namespace {

TEST(CKelvoObjectTest, BaseSupportsNoOperationAndKeepsItsWords) {
  CKelvoObject object;
  EXPECT_EQ(object.GetFirstWord(), 0U);
  EXPECT_EQ(object.GetSecondWord(), 0U);
  int argument = 0;
  EXPECT_EQ(object.Start(), kStatusNotSupported);
  EXPECT_EQ(object.Stop(), kStatusNotSupported);
  EXPECT_EQ(object.Load(&argument), kStatusNotSupported);
  EXPECT_EQ(object.Store(&argument), kStatusNotSupported);
  EXPECT_EQ(object.Handle(&argument), kStatusNotSupported);
  std::uint16_t answer = 0;
  EXPECT_EQ(object.Check(&answer), kStatusNotSupported);
  EXPECT_EQ(answer, kStatusNotSupported);
  object.SetFirstWord(7);
  object.SetSecondWord(9);
  EXPECT_EQ(object.GetFirstWord(), 7U);
  EXPECT_EQ(object.GetSecondWord(), 9U);
}

}  // namespace
