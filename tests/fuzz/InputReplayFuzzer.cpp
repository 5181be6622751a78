// Any text as an event recording; whatever reads as one is replayed through
// the pipeline with the default pen's settings, in pen and in mouse mode.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/CTabletService.h"
#include "service/input/CEventRecording.h"
#include "service/input/CInputPipeline.h"
#include "service/input/CRecordingSink.h"
#include "service/input/CReplay.h"
#include "service/input/CSettingsReader.h"

namespace {

class CNoLauncher final : public ILauncher {
 public:
  void Launch(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static CTabletService service;
  static StToolSettings pen = [] {
    StToolSettings settings;
    DropStatus(CSettingsReader(service.Model()).Read(0, 0, settings), "the default profile has a pen");
    settings.buttons[2] = {8, 0, {0x5A000002, 0x00410004}, {}};
    settings.buttons[3] = {7, 0, {}, {}};
    settings.wheel.code = 1;
    return settings;
  }();
  CEventRecording recording;
  std::string error;
  if (recording.Read(std::string_view(reinterpret_cast<const char*>(data), size), error) != kStatusOk) return 0;
  for (const bool mouse : {false, true}) {
    CRecordingSink sink;
    CNoLauncher launcher;
    CInputPipeline pipeline(sink, launcher);
    CReplay replay(pipeline, [&](ToolKind, std::uint32_t, StToolSettings& out) {
      out = pen;
      out.mouseMode = mouse;
      return true;
    });
    replay.Play(recording);
  }
  return 0;
}
