#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "service/input/CFrameWriter.h"
#include "service/input/ILauncher.h"
#include "service/input/StToolSettings.h"

// Performs buttons' functions on the virtual mouse and keyboard: clicks
// follow the button, double clicks and keystrokes happen at the press, click
// locks toggle at each press, modifiers are held while the button is, and a
// run-application press starts the program. Disabled and functions without a
// desktop meaning do nothing.
class CButtonActions {
 public:
  CButtonActions(CFrameWriter& writer, ILauncher& launcher) : m_writer(writer), m_launcher(launcher) {}

  void Press(const StButtonFunction& function);
  void Release(const StButtonFunction& function);
  // Types one keystroke sequence.
  void Type(const std::vector<std::uint32_t>& words);
  // Taps one key on the keyboard.
  void Tap(std::uint16_t key);
  // Lets go of click locks (the service stops driving the device).
  void ReleaseLocks();

 private:
  void Button(std::uint16_t button, std::int32_t value);
  void Modifiers(std::uint16_t mask, std::int32_t value);

  CFrameWriter& m_writer;
  ILauncher& m_launcher;
  std::array<bool, 3> m_locked{};  // left, middle, right
};
