#pragma once

// Shows the toolkit's windows as Qt widgets and keeps both sides in step:
// state changes reach the widgets (without firing their signals), user input
// reaches the objects' User* operations or is posted as toolkit events.
// Waiting for input runs Qt's event loop, so a modal run of the toolkit is a
// nested Qt loop; a timer's deadline wakes it through a QTimer. Needs a
// QApplication.

#include <memory>
#include <set>
#include <string>

#include "toolkit/ZafEvents.h"
#include "toolkit/ZafPresenter.h"
#include "toolkit/ZafSteadyClock.h"
#include "toolkit/automation/StAutomationState.h"

class CQtBindings;
class CQtInputFilter;
class CQtWidgetBuilder;
class CQtWidgetSync;
class QAction;
class QSocketNotifier;
class QTimer;
class QWidget;

enum class ZafQtShow {
  kOnScreen,
  kOffscreen,  // windows are drawn for pictures only, never shown; runs end by themselves
};

class ZafQtPresenter : public ZafPresenter {
 public:
  explicit ZafQtPresenter(ZafQtShow show = ZafQtShow::kOnScreen);
  ~ZafQtPresenter() override;
  ZafQtPresenter(const ZafQtPresenter&) = delete;
  ZafQtPresenter& operator=(const ZafQtPresenter&) = delete;

  // The widget of an object (nullptr when it has none or is not shown here).
  [[nodiscard]] QWidget* WidgetFor(const ZafWindowObject& object) const;
  [[nodiscard]] QAction* ActionFor(const ZafWindowObject& object) const;
  [[nodiscard]] bool Realized(const ZafWindow& window) const;
  // Saves the first window shown as a PNG at path (and says so on stderr);
  // with closeAfter the window is then closed, ending a run nobody can see.
  void SetScreenshotOnShow(std::string path, bool closeAfter);

  void ObjectChanged(ZafWindowObject& object, ZafChange change) override;
  void Realize(ZafWindow& window) override;
  void Unrealize(ZafWindow& window) override;
  void BeginModal(ZafWindow& window) override;
  void EndModal(ZafWindow& window) override;
  [[nodiscard]] ZafWaitResult WaitForInput(std::optional<std::int64_t> deadlineMs) override;
  [[nodiscard]] std::int32_t UnattendedModalAnswer() const override;
  [[nodiscard]] ZafMessageAnswer MessageBox(const std::string& title, const std::string& text,
                                            ZafMessageButtons buttons) override;
  [[nodiscard]] bool ChooseOpenFile(const std::string& title, const std::string& filter,
                                    std::string& path) override;
  [[nodiscard]] std::vector<ZafScreen> Screens() const override;
  [[nodiscard]] ZafClock& Clock() override;
  [[nodiscard]] Status Screenshot(ZafWindow& window, const std::string& path) override;
  // Watches the channel; a request from a later start shows the window
  // again if it was minimised, raises and activates it.
  bool OfferRaise(ZafWindow& window, std::unique_ptr<ZafRaiseChannel> channel) override;

  // A filter as the applet writes it ("Text files|*.txt|All|*.*") in Qt's
  // form; "*.*" means every file, with an extension or without.
  [[nodiscard]] static std::string QtFilter(const std::string& filter);

  // An automation script acts on the widgets (see CQtAutomationDriver);
  // time then stands still unless the script advances it, and message boxes
  // and file choosers are answered as the script armed them.
  [[nodiscard]] Status LoadScript(const std::string& path) override;
  [[nodiscard]] ZafAutomation* Automation() const override { return m_automation.get(); }
  // The screens reported from now on, in place of Qt's (automation describes them).
  void SetScreenOverride(std::vector<ZafScreen> screens) { m_screenOverride = std::move(screens); }

 private:
  void TakeScreenshotOnShow(ZafWindow& window);

  ZafQtShow m_show;
  ZafSteadyClock m_clock;
  std::unique_ptr<CQtBindings> m_bindings;
  std::unique_ptr<CQtWidgetSync> m_sync;
  std::unique_ptr<CQtWidgetBuilder> m_builder;
  std::unique_ptr<CQtInputFilter> m_filter;
  std::unique_ptr<QTimer> m_wake;
  std::set<const ZafWindow*> m_modal;
  std::set<const ZafWindow*> m_windows;
  // The channel a later start reaches this run through, and the window it raises.
  std::unique_ptr<ZafRaiseChannel> m_raiseChannel;
  std::unique_ptr<QSocketNotifier> m_raiseNotifier;
  const ZafWindow* m_raiseWindow = nullptr;
  std::string m_screenshotPath;
  bool m_closeAfterScreenshot = false;
  bool m_screenshotPending = false;
  StAutomationState m_state;
  std::unique_ptr<ZafAutomation> m_automation;
  std::vector<ZafScreen> m_screenOverride;
};
