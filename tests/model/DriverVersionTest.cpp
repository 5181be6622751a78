#include "model/DriverVersion.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <string>

namespace {

struct FitCase {
  VersionRecord driver;
  bool fits;
};

TEST(DriverVersionTest, FitsOnlyWithSameMajorAndEachMinorDigitAtLeastTheApplets) {
  const VersionRecord applet{4, 8, 2, 2, 8};
  const FitCase cases[] = {
      {{4, 8, 2, 2, 8}, true},   {{4, 9, 2, 0, 0}, true},   {{4, 8, 9, 1, 99}, true},
      {{4, 8, 1, 2, 8}, false},  {{5, 8, 2, 2, 8}, false},  {{3, 9, 9, 2, 8}, false},
      {{4, 9, 0, 2, 8}, false},  {{4, 7, 9, 2, 8}, false},  {{4, 8, 2, 0, 0}, true},
  };
  for (const FitCase& c : cases) {
    EXPECT_EQ(VersionsFit(c.driver, applet), c.fits)
        << int{c.driver[0]} << '.' << int{c.driver[1]} << int{c.driver[2]};
  }
}

std::string Decode(const char* codePage, const char* bytes) {
  iconv_t converter = iconv_open("UTF-8", codePage);
  if (converter == reinterpret_cast<iconv_t>(-1)) return "<no converter for " + std::string(codePage) + ">";
  std::string in(bytes);
  std::string out(in.size() * 4 + 4, '\0');
  char* inPointer = in.data();
  std::size_t inLeft = in.size();
  char* outPointer = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return "<invalid bytes>";
  out.resize(out.size() - outLeft);
  return out;
}

struct MessageCase {
  std::uint32_t index;
  const char* codePage;
  const char* title;
  const char* text;
};

TEST(DriverVersionTest, MismatchMessagesDecodeFromTheirCodePages) {
  const char* english[] = {"Tablet Version Mismatch", "Please reinstall the tablet software."};
  // One language of each code page the messages are kept in, and the ones
  // without a text of their own.
  const MessageCase cases[] = {
      {4, "CP1252", "La version de la tablette est incompatible",
       "Veuillez ré-installer le logiciel de la tablette."},
      {1, "CP936", "KELVO 数位板驱动程序版本不一致", "请重新安装 KELVO 数位板驱动程序"},
      {6, "CP932", "タブレットのバージョンが不一致", "タブレットドライバを再インストールしてください。"},
      {13, "CP1251", "Несоответствие версии графического планшета",
       "Переустановите программное обеспечение графического планшета."},
      // Swedish has no text of its own and falls back to English.
      {14, "CP1252", english[0], english[1]},
      {20, "CP1252", english[0], english[1]},
  };
  for (const MessageCase& c : cases) {
    const StVersionMismatchMessage& message = GetVersionMismatchMessage(c.index);
    EXPECT_EQ(Decode(c.codePage, message.title), c.title) << "index " << c.index;
    EXPECT_EQ(Decode(c.codePage, message.text), c.text) << "index " << c.index;
  }
}

}  // namespace
