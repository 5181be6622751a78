#pragma once

#include <string>

#include "toolkit/ZafDialogWindow.h"

// "RunDialog": the program a button runs, typed or chosen with Browse; OK
// stores its path and, as the function's name, its file name.
class CRunDialog : public ZafDialogWindow {
 public:
  ZafEventType Event(const ZafEventStruct& event) override;

 private:
  void Open();
  void Browse();
  // OK only with a path; the focus where it can act.
  void Update();
  void Confirm();

  ZafWindowObject* m_pathField = nullptr;
  ZafWindowObject* m_okButton = nullptr;
  std::string m_browseTitle;
};
