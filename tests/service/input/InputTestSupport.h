#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "service/CTabletService.h"
#include "service/ServiceTestSupport.h"
#include "service/input/CEventRecording.h"
#include "service/input/CInputPipeline.h"
#include "service/input/CRecordingSink.h"
#include "service/input/CReplay.h"
#include "service/input/CSettingsReader.h"
#include "service/input/ILauncher.h"

namespace input_test {

using service_test::L;
using Lines = std::vector<std::string>;

class CFakeLauncher final : public ILauncher {
 public:
  void Launch(const std::string& path) override { m_started.push_back(path); }
  std::vector<std::string> m_started;
};

// One of the sample recordings under data/recordings.
inline CEventRecording Recording(const std::string& name) {
  std::ifstream in(std::string(KELVO_SOURCE_DIR) + "/data/recordings/" + name + ".events");
  std::stringstream text;
  text << in.rdbuf();
  CEventRecording recording;
  std::string error;
  EXPECT_EQ(recording.Read(text.str(), error), kStatusOk) << name << ": " << error;
  return recording;
}

// All that was written to `file`.
inline std::string Text(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, file) != nullptr) text += buffer;
  return text;
}

// How often `line` was written.
inline std::size_t Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

// Little-endian bytes of `words` in `size` bytes, zeros after them.
inline std::vector<std::uint8_t> Words(const std::vector<std::uint32_t>& words, std::size_t size) {
  std::vector<std::uint8_t> bytes(size, 0);
  for (std::size_t i = 0; i < size && i / 4 < words.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(words[i / 4] >> (8 * (i % 4)));
  return bytes;
}
inline std::vector<std::uint8_t> Bytes(std::uint32_t value, std::size_t size) {
  return Words({value}, size);
}

// A keystroke word: modifiers, character, key code.
constexpr std::uint32_t Word(std::uint16_t modifiers, char character, std::uint8_t key) {
  return modifiers | static_cast<std::uint32_t>(static_cast<std::uint8_t>(character)) << 16 |
         static_cast<std::uint32_t>(key) << 24;
}

inline constexpr std::uint32_t kPenSerial = 0x1234;

// Paths of the default profile's pen (tool 0) and puck (tool 1).
inline std::vector<StObjectKey> Tool(std::uint32_t tool, std::vector<StObjectKey> rest) {
  std::vector<StObjectKey> path{L(2, 0), L(4, tool)};
  path.insert(path.end(), rest.begin(), rest.end());
  return path;
}
inline std::vector<StObjectKey> PenMapping(std::vector<StObjectKey> rest) {
  std::vector<StObjectKey> path{L(2, 0), L(12), L(5, 0, 4), L(2), L(5), L(19, kPenSerial, 4), L(19, 1)};
  path.insert(path.end(), rest.begin(), rest.end());
  return path;
}

// The service as the applet sees it, with a replay that reads the settings
// of the tool a recording comes from out of its driver model.
class CHarness {
 public:
  CHarness() : m_pipeline(m_sink, m_launcher) {}

  // A set as the applet sends it; the test fails when the service refuses it.
  void Set(const std::vector<StObjectKey>& path, std::vector<std::uint8_t> bytes) {
    ASSERT_EQ(service_test::Request(m_service, kCommandSet, path, bytes), kStatusOk);
  }

  std::vector<std::string> Replay(const std::string& name) {
    const CEventRecording recording = Recording(name);
    CSettingsReader reader(m_service.Model());
    CReplay replay(m_pipeline, [&](ToolKind kind, std::uint32_t serial, StToolSettings& out) {
      const std::optional<std::uint32_t> tool = reader.FindTool(0, kind, serial);
      return tool && reader.Read(0, *tool, out) == kStatusOk;
    });
    m_sink.Clear();
    replay.Play(recording);
    return m_sink.Lines();
  }

  CTabletService m_service;
  CRecordingSink m_sink;
  CFakeLauncher m_launcher;
  CInputPipeline m_pipeline;
};

// The pressure a curve gives, found by halving the curve's parameter rather
// than by solving for it.
inline std::int32_t CurveAt(const std::array<double, 6>& w, double input) {
  const double x0 = w[1], y0 = w[0], x1 = w[3], y1 = w[2], x2 = w[5], y2 = w[4];
  if (input <= x0) return static_cast<std::int32_t>(y0);
  if (input >= x2) return static_cast<std::int32_t>(y2);
  double low = 0, high = 1;
  for (int i = 0; i < 100; ++i) {
    const double t = (low + high) / 2;
    const double x = (1 - t) * (1 - t) * x0 + 2 * (1 - t) * t * x1 + t * t * x2;
    (x < input ? low : high) = t;
  }
  const double t = (low + high) / 2;
  return static_cast<std::int32_t>(std::lround((1 - t) * (1 - t) * y0 + 2 * (1 - t) * t * y1 + t * t * y2));
}

}  // namespace input_test
