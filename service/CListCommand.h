#pragma once

#include <cstdint>
#include <vector>

#include "protocol/StObjectKey.h"

class CControlCommand;

// tabletctl list and names: what a user can name, in the words the named
// settings use (pen, puck, switch1 ...), so that no path has to be known.
class CListCommand {
 public:
  explicit CListCommand(CControlCommand& control) : m_control(control) {}

  // Tablets, their tools by kind and each tool's buttons. tabletctl's exit code.
  [[nodiscard]] int List();
  // Every named setting with its type and range.
  [[nodiscard]] int Names();

 private:
  void ListButtons(const std::vector<StObjectKey>& tool, std::uint16_t typeCode);

  CControlCommand& m_control;
};
