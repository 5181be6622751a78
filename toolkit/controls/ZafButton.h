#pragma once

// Push button, check box or radio button. A radio button's siblings in the
// same parent are its group: checking one unchecks the others.

#include "toolkit/ZafWindowObject.h"

class ZafPopUpMenu;

enum class ZafButtonType { kPush, kCheckBox, kRadio };

class ZafButton : public ZafWindowObject {
 public:
  ZafButton() : ZafButton("ZafButton") {}

  [[nodiscard]] ZafButtonType ButtonType() const { return m_type; }
  void SetButtonType(ZafButtonType type) { m_type = type; }
  // A default button closes its window with OK, a cancel button with Cancel.
  [[nodiscard]] bool IsDefault() const { return m_default; }
  void SetDefault(bool isDefault) { m_default = isDefault; }
  [[nodiscard]] bool IsCancel() const { return m_cancel; }
  void SetCancel(bool isCancel) { m_cancel = isCancel; }

  [[nodiscard]] bool Checked() const { return m_checked; }
  void SetChecked(bool checked);

  // The picture shown on the button (a bitmap name), empty for text only.
  [[nodiscard]] const std::string& BitmapName() const { return m_bitmapName; }
  void SetBitmapName(std::string name) { m_bitmapName = std::move(name); }

  // A menu button owns a pop-up menu (as a child) that pressing opens.
  [[nodiscard]] ZafPopUpMenu* Menu();

  // The user pressed the button: a check box toggles, a radio button is
  // checked; the user function runs, the send message goes to the window,
  // a default or cancel button closes the window. Ignored while disabled.
  virtual ZafEventType UserPress();
  // While held, a press repeats every so many milliseconds (0: it does not).
  [[nodiscard]] virtual std::int32_t RepeatMs() const { return 0; }

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kButton; }
  [[nodiscard]] std::int32_t ShownValue() const override;
  [[nodiscard]] std::string ShownPicture() const override { return m_bitmapName; }

 protected:
  explicit ZafButton(std::string className) : ZafWindowObject(std::move(className)) {}

 private:
  void UncheckSiblings();

  ZafButtonType m_type = ZafButtonType::kPush;
  bool m_default = false;
  bool m_cancel = false;
  bool m_checked = false;
  std::string m_bitmapName;
};
