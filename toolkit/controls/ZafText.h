#pragma once

#include "toolkit/controls/ZafString.h"
#include "toolkit/storage/StResourceObject.h"

// A text field that may hold several lines.
class ZafText : public ZafString {
 public:
  ZafText() : ZafString("ZafText") {}
  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override {
    KELVO_TRY(ZafString::ReadStored(record, persistence));
    SetMultiLine(record.Has("multiLine"));
    return kStatusOk;
  }
  [[nodiscard]] bool MultiLine() const { return m_multiLine; }
  void SetMultiLine(bool multiLine) { m_multiLine = multiLine; }

 private:
  bool m_multiLine = false;
};
