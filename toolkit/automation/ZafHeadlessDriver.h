#pragma once

#include "toolkit/automation/ZafAutomationDriver.h"

class ZafHeadlessPresenter;

// Acts through the controls' User* operations and posted key messages: the
// toolkit alone, as the headless presenter shows it (nothing to compare).
class ZafHeadlessDriver : public ZafAutomationDriver {
 public:
  explicit ZafHeadlessDriver(ZafHeadlessPresenter& presenter) : m_presenter(presenter) {}

  std::string Press(ZafButton& button) override;
  std::string Slide(ZafScrollBar& slider, std::int32_t position) override;
  std::string Choose(ZafList& list, int index) override;
  std::string EnterInteger(ZafInteger& field, std::int32_t value) override;
  std::string Spin(ZafSpinControl& spin, int direction) override;
  std::string Focus(ZafWindowObject& object) override;
  std::string PlaceCaret(ZafString& field, int position) override;
  std::string Tap(CMouseCaptureWindow& capture, std::int32_t x, std::int32_t y) override;
  std::string Drag(CThumbnail& picture, const ZafRegion& path) override;
  std::string ChoosePage(ZafNotebook& notebook, int index) override;
  std::string Key(const StNamedKey& key, char32_t character, bool down) override;
  std::string CloseFromFrame(ZafWindow& window) override;
  std::string MoveWindow(ZafWindow& window, const ZafRegion& region) override;
  std::string DescribeScreens(std::vector<ZafScreen> screens) override;

 private:
  ZafHeadlessPresenter& m_presenter;
};
