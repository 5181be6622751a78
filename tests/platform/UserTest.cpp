#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
  const std::string program = dir.Write("bin/tablet-tool", "x");
  const std::string document = dir.Write("notes.txt", "x");
  CFakeDesktop desktop;
  for (const auto& [chosen, offset, extension] :
       {std::tuple{program, dir.Path().size() + 5, program.size()}, {document, dir.Path().size() + 1, document.size() - 3}}) {
    StChooser chooser("/usr/bin/old", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    desktop.chosen = chosen;
    ASSERT_EQ(GetOpenFileNameA(&chooser.ofn), TRUE) << chosen;
    EXPECT_EQ(std::string(chooser.file), chosen);
    EXPECT_EQ(chooser.ofn.nFileOffset, offset) << chosen;
    EXPECT_EQ(chooser.ofn.nFileExtension, extension) << chosen;
    EXPECT_EQ(desktop.askedFilter, "All Files (*.*)|*.*");
    EXPECT_EQ(desktop.askedPath, "/usr/bin/old");
    EXPECT_EQ(desktop.askedTitle, "Application to run");
  }
}

TEST(User, APathLongerThanTheBufferOrMissingOrCancelledIsRefused) {
  CFakeDesktop desktop;
  StChooser tooLong("", 0);
  desktop.chosen = "/" + std::string(260, 'a');
  EXPECT_EQ(GetOpenFileNameA(&tooLong.ofn), FALSE);
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  WORD needed = 0;
  std::memcpy(&needed, tooLong.file, sizeof needed);
  EXPECT_EQ(needed, 262) << "the size it needs, with its terminating zero";

  // 255 characters and the zero fit in 256 bytes; 256 do not.
  for (const auto& [length, fits] : {std::pair<std::size_t, BOOL>{255, TRUE}, {256, FALSE}}) {
    StChooser edge("", 0);
    desktop.chosen = "/" + std::string(length - 1, 'b');
    EXPECT_EQ(GetOpenFileNameA(&edge.ofn), fits) << length;
  }

  StChooser missing("", OFN_FILEMUSTEXIST);
  desktop.chosen = "/no/such/file";
  EXPECT_EQ(GetOpenFileNameA(&missing.ofn), FALSE);
  StChooser cancelled("/keep", 0);
  desktop.chosen.reset();
  EXPECT_EQ(GetOpenFileNameA(&cancelled.ofn), FALSE);
  EXPECT_EQ(CommDlgExtendedError(), 0U);
  EXPECT_STREQ(cancelled.file, "/keep");
}

}  // namespace
