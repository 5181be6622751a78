#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/CFakeDesktop.h"
#include "platform/User.h"
#include "support/CTempDir.h"

namespace {

constexpr char kAllFiles[] = "All Files (*.*)\0*.*\0";

struct StChooser {
  char file[256] = {};
  OPENFILENAMEA ofn;
  StChooser(const char* start, DWORD flags) {
    std::strcpy(file, start);
    ofn.lpstrFilter = kAllFiles;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Application to run";
    ofn.Flags = flags;
  }
};

TEST(User, TheChosenFileFillsTheBufferWithItsNameAndExtensionPlaces) {
  CTempDir dir;
  CFakeDesktop desktop;
  desktop.chosen = dir.Write("bin/notes.txt", "x");
  StChooser chooser("/usr/bin/old", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
  ASSERT_EQ(GetOpenFileNameA(&chooser.ofn), TRUE);
  EXPECT_EQ(chooser.file, *desktop.chosen);
  EXPECT_EQ(chooser.ofn.nFileOffset, dir.Path().size() + 5);
  EXPECT_EQ(chooser.ofn.nFileExtension, desktop.chosen->size() - 3);
  EXPECT_EQ(desktop.askedFilter, "All Files (*.*)|*.*");
  EXPECT_EQ(desktop.askedPath, "/usr/bin/old");
  EXPECT_EQ(desktop.askedTitle, "Application to run");
}

TEST(User, APathLongerThanTheBufferOrMissingIsRefused) {
  CFakeDesktop desktop;
  // 255 characters and the zero fit in 256 bytes; 256 do not, and the buffer
  // then holds the size it needs.
  StChooser fits("", 0);
  desktop.chosen = "/" + std::string(254, 'a');
  EXPECT_EQ(GetOpenFileNameA(&fits.ofn), TRUE);
  StChooser tooLong("", 0);
  desktop.chosen = "/" + std::string(255, 'a');
  EXPECT_EQ(GetOpenFileNameA(&tooLong.ofn), FALSE);
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  WORD needed = 0;
  std::memcpy(&needed, tooLong.file, sizeof needed);
  EXPECT_EQ(needed, 257);

  StChooser missing("", OFN_FILEMUSTEXIST);
  desktop.chosen = "/no/such/file";
  EXPECT_EQ(GetOpenFileNameA(&missing.ofn), FALSE);
}

}  // namespace
