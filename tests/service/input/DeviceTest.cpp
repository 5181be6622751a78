// Real devices: the uinput sink and the recorder. Both need the kernel's
// uinput; where /dev/uinput is missing (containers, CI) that test is skipped
// with a line that says so, and only the recorder's refusals are tested.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "service/input/CEventRecording.h"
#include "service/input/CRecordCommand.h"
#include "service/input/CUinputSink.h"
#include "service/input/InputTestSupport.h"

namespace {

int Record(const std::vector<std::string>& args, std::string& out, std::string& err) {
  std::FILE* outFile = std::tmpfile();
  std::FILE* errFile = std::tmpfile();
  const int status = CRecordCommand(outFile, errFile).Run(args);
  out = input_test::Text(outFile);
  err = input_test::Text(errFile);
  std::fclose(outFile);
  std::fclose(errFile);
  return status;
}

TEST(RecordCommand, RefusesWhatItCannotRecordInOneLine) {
  struct StCase {
    std::vector<std::string> args;
    int status;
    std::string error;
  };
  const std::vector<StCase> cases{
      {{}, 2, "usage: tabletctl record"},
      {{"/dev/null", "--reports", "0"}, 2, "tabletctl: record: --reports wants a positive number\n"},
      {{"/dev/null", "extra"}, 2, "usage: tabletctl record"},
      {{"/nonexistent/event9"}, 1, "tabletctl: record: /nonexistent/event9: cannot open: No such file or directory\n"},
      {{"/dev/null"}, 1, "tabletctl: record: /dev/null: not an input device"},
  };
  for (const StCase& entry : cases) {
    std::string out;
    std::string err;
    EXPECT_EQ(Record(entry.args, out, err), entry.status) << err;
    EXPECT_TRUE(err.starts_with(entry.error)) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(out, "");
  }
}

// The uinput sink's pen, recorded as a device while the sink writes to it.
TEST(CUinputSink, VirtualPenIsRecordedAsItWasWritten) {
  if (access(CUinputSink::kUinputPath, R_OK | W_OK) != 0)
    GTEST_SKIP() << "no usable /dev/uinput here: the uinput sink and recording are not tested";
  CUinputSink sink;
  std::string error;
  ASSERT_EQ(sink.Create({}, 1023, error), kStatusOk) << error;
  std::thread writer([&] {
    for (int i = 0; i < 20; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      sink.Emit(OutputDevice::kPen, EV_ABS, ABS_X, 10 + i);
      sink.Sync(OutputDevice::kPen);
    }
  });
  std::string out;
  std::string err;
  const int status =
      Record({sink.Node(OutputDevice::kPen), "--reports", "2", "--seconds", "5"}, out, err);
  writer.join();
  EXPECT_EQ(status, 0) << err;
  EXPECT_EQ(sink.Lost(), 0U);
  CEventRecording recording;
  ASSERT_EQ(recording.Read(out, error), kStatusOk) << error;
  EXPECT_EQ(recording.m_device.name, "Kelvo Virtual Pen");
  ASSERT_NE(recording.m_device.Axis(ABS_PRESSURE), nullptr);
  EXPECT_EQ(recording.m_device.Axis(ABS_PRESSURE)->maximum, 1023);
  ASSERT_FALSE(recording.m_events.empty());
  EXPECT_EQ(recording.m_events[0].code, ABS_X);
  EXPECT_EQ(std::count_if(recording.m_events.begin(), recording.m_events.end(),
                          [](const StInputEvent& e) { return e.type == EV_SYN; }),
            2);
}

}  // namespace
