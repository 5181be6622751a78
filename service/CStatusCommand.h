#pragma once

class CControlCommand;

// tabletctl status: the devices the running service drives (event node,
// name, model code, grabbed or not), or that it runs on the profile's
// tablets alone.
class CStatusCommand {
 public:
  explicit CStatusCommand(CControlCommand& control) : m_control(control) {}
  [[nodiscard]] int Run();

 private:
  CControlCommand& m_control;
};
