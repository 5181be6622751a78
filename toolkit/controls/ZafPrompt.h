#pragma once

#include "toolkit/ZafWindowObject.h"
#include "toolkit/storage/StResourceObject.h"

enum class ZafAlignment { kLeft, kCenter, kRight };

// A text label.
class ZafPrompt : public ZafWindowObject {
 public:
  ZafPrompt() : ZafPrompt("ZafPrompt") {}
  explicit ZafPrompt(std::string className) : ZafWindowObject(std::move(className)) {}
  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override {
    KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
    SetAlignment(record.Has("right") ? ZafAlignment::kRight
                                     : (record.Has("center") ? ZafAlignment::kCenter : ZafAlignment::kLeft));
    return kStatusOk;
  }
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kPrompt; }
  [[nodiscard]] ZafAlignment Alignment() const { return m_alignment; }
  void SetAlignment(ZafAlignment alignment) { m_alignment = alignment; }

 private:
  ZafAlignment m_alignment = ZafAlignment::kLeft;
};
