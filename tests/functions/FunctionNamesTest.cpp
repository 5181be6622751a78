// Function names, display texts and the packing of a name into a word list.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "functions/AppletModelFixture.h"
#include "functions/FunctionBlock.h"
#include "functions/FunctionNames.h"
#include "services/CWinStringManager.h"

namespace {

TEST(FunctionNames, CodesPastTheTableHaveNoName) {
  EXPECT_STREQ(FunctionName(kFunctionCodeCount), "");
  EXPECT_STREQ(FunctionName(kFunctionDefault), "");
}

// Table "1089" knows code 3 only.
Status FunctionTexts(const char* table, std::uint16_t number, char* out) {
  if (std::string(table) != "1089" || number != 3) return kStatusNotFound;
  std::strcpy(out, "text 3");
  return kStatusOk;
}

TEST(FunctionNames, DisplayTextsComeFromTheirTableOrAreABlank) {
  EXPECT_EQ(FunctionText(3), " ") << "no string manager routine yet";
  auto* strings = dynamic_cast<CWinStringManager*>(GetStringManager());
  ASSERT_NE(strings, nullptr);
  ASSERT_EQ(strings->InstallRoutine(&FunctionTexts), kStatusOk);
  EXPECT_EQ(FunctionText(3), "text 3");
  EXPECT_EQ(FunctionText(23), " ");
  EXPECT_EQ(FunctionText(kFunctionDefault), " ");
  ReleaseStringManager();
}

TEST(FunctionNames, PackingKeepsSixtyThreeCharactersAndAZeroWord) {
  PackedFunctionName packed{};
  packed.fill(std::byte{0xEE});
  PackFunctionName(std::string(70, 'n'), packed);
  EXPECT_EQ(packed[4 * 62 + 3], std::byte{'n'}) << "the character is each word's last byte";
  for (std::size_t b = 4 * 63; b < packed.size(); ++b) EXPECT_EQ(packed[b], std::byte{0}) << b;
  EXPECT_EQ(UnpackFunctionName(packed), std::string(63, 'n'));

  PackedFunctionName full{};
  for (std::size_t i = 0; i < 64; ++i) full[4 * i + 3] = std::byte{'x'};
  EXPECT_EQ(UnpackFunctionName(full), std::string(63, 'x')) << "no zero word: 63 read";
}

class CFunctionNameItemTest : public CAppletModelFixture {};

// The driver keeps the names it was built with in the same packing.
TEST_F(CFunctionNameItemTest, TabletButtonNamesReadBackThroughTheNameItem) {
  StProfile profile = MakeDefaultProfile();
  profile.tablets[0].tabletButtons = 6;
  ASSERT_EQ(Connect(profile), kStatusOk);
  CDataGrouping& area = Child(Child(Child(Tablet(0), 0), 0), 2);
  EXPECT_EQ(UnpackFunctionName(Value<PackedFunctionName>(Child(area, 4), 185)), "Undo");
  EXPECT_EQ(Value<std::uint32_t>(Child(area, 4), 175), kFunctionKeystroke);

  PackedFunctionName renamed{};
  PackFunctionName("Step back", renamed);
  ASSERT_EQ(SetValue(Child(area, 4), 185, renamed), kStatusOk);
  EXPECT_EQ(UnpackFunctionName(InService<PackedFunctionName>({{2}, {23, 0, 1}, {11, 4}, {241}})),
            "Step back")
      << "a tablet button's name is written at once";
}

}  // namespace
