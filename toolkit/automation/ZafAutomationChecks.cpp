#include "toolkit/automation/ZafAutomationChecks.h"

#include <charconv>
#include <optional>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/StAutomationState.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafAutomationDriver.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafString.h"

namespace {

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

std::optional<bool> YesNo(const std::string& word) {
  if (word == "yes" || word == "on" || word == "true") return true;
  if (word == "no" || word == "off" || word == "false") return false;
  return std::nullopt;
}

bool IsNumber(const std::string& word) {
  std::int32_t value = 0;
  const char* end = word.data() + word.size();
  return !word.empty() && std::from_chars(word.data(), end, value).ptr == end;
}

bool Enabled(ZafWindowObject& o) {
  if (o.EffectivelyDisabled()) return false;
  ZafWindowObject* parent = o.Parent();
  return parent == nullptr || parent->WidgetKind() != ZafWidgetKind::kNotebook ||
         !static_cast<ZafNotebook*>(parent)->TabDisabled(static_cast<ZafWindow&>(o));
}

std::string Join(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : " ") + Quote(word);
  return out.empty() ? "nothing" : out;
}

std::string RegionText(const ZafRegion& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.Width()) + " " +
         std::to_string(r.Height());
}

}  // namespace

std::string ZafAutomationChecks::Compare(ZafWindowObject& control, ZafCheck check, const std::string& prefix,
                                         const std::string& got, const std::string& expected) {
  if (got != expected) return prefix + "got " + got + ", expected " + expected;
  const std::string shown = m_automation.Driver().Disagreement(control, check);
  return shown.empty() ? std::string{} : prefix + "the toolkit holds " + got + " but the screen shows " + shown;
}

std::string ZafAutomationChecks::ExpectYesNo(ZafWindowObject& control, const std::string& what,
                                             const std::string& prefix, const std::string& word) {
  const auto expected = YesNo(word);
  if (!expected) return prefix + "yes or no, not " + Quote(word);
  bool got = false;
  ZafCheck check = ZafCheck::kVisible;
  if (what == "visible") {
    got = control.OnScreen();
  } else if (what == "enabled") {
    got = Enabled(control);
    check = ZafCheck::kEnabled;
  } else if (what == "checked") {
    got = control.ShownValue() != 0;
    check = ZafCheck::kChecked;
  } else if (what == "focused") {
    got = control.HasFocus();
    check = ZafCheck::kFocused;
  } else if (what == "open") {
    got = control.ShownOpen();
    check = ZafCheck::kOpen;
  } else {
    return "expect: unknown check " + Quote(what);
  }
  return Compare(control, check, prefix, got ? "yes" : "no", *expected ? "yes" : "no");
}

std::string ZafAutomationChecks::Expect(const std::vector<std::string>& w) {
  ZafApplication* application = m_automation.Application();
  if (application == nullptr) return "expect: no application";
  if (w.size() == 4 && w[1] == "message") {
    const auto& messages = m_automation.State().messages;
    if (messages.empty()) return "expect message: no message box was shown";
    const StMessageRecord& last = messages.back();
    if (last.title != w[2] || last.text != w[3]) {
      return "expect message: got " + Quote(last.title) + " " + Quote(last.text) + ", expected " + Quote(w[2]) +
             " " + Quote(w[3]);
    }
    return {};
  }
  if (w.size() == 3 && w[1] == "window") {
    ZafWindow* current = application->WindowManager().Current();
    const std::string got = current != nullptr ? current->StringID() : "none";
    return got == w[2] ? std::string{} : "expect window: got " + Quote(got) + ", expected " + Quote(w[2]);
  }
  if (w.size() < 3) return "expect: WHAT CONTROL VALUE";
  const std::string& what = w[1];
  ZafWindowObject* control = m_automation.FindControl(w[2]);
  if (control == nullptr) {
    // A control that is nowhere on screen is, for the user, not visible.
    if (what == "visible" && w.size() == 4 && YesNo(w[3]) == false) return {};
    return "expect " + what + " " + w[2] + ": no such control on screen";
  }
  const std::string prefix = "expect " + what + " " + w[2] + ": ";
  if (what == "entries") {
    const std::vector<std::string> expected(w.begin() + 3, w.end());
    return Compare(*control, ZafCheck::kEntries, prefix, Join(control->ShownEntries()), Join(expected));
  }
  if (what == "region" && w.size() == 7) {
    for (std::size_t i = 3; i < 7; ++i) {
      if (!IsNumber(w[i])) return prefix + Quote(w[i]) + " is no number";
    }
    return Compare(*control, ZafCheck::kRegion, prefix, RegionText(control->Region()),
                   w[3] + " " + w[4] + " " + w[5] + " " + w[6]);
  }
  if (w.size() != 4) return "expect: WHAT CONTROL VALUE";
  if (what == "value" || what == "caret") {
    if (!IsNumber(w[3])) return prefix + Quote(w[3]) + " is no number";
    if (what == "value") return Compare(*control, ZafCheck::kValue, prefix, std::to_string(control->ShownValue()), w[3]);
    if (control->WidgetKind() != ZafWidgetKind::kTextField) return prefix + "not a text field";
    return Compare(*control, ZafCheck::kCaret, prefix,
                   std::to_string(static_cast<ZafString*>(control)->CaretPosition()), w[3]);
  }
  if (what == "text") return Compare(*control, ZafCheck::kText, prefix, Quote(control->ShownText()), Quote(w[3]));
  if (what == "selection") return Compare(*control, ZafCheck::kValue, prefix, Quote(control->ShownSelection()), Quote(w[3]));
  if (what == "picture") {
    const std::string got = control->ShownPicture().empty() ? "none" : control->ShownPicture();
    return Compare(*control, ZafCheck::kPicture, prefix, Quote(got), Quote(w[3]));
  }
  if (what == "pointer") {
    if (control->WidgetKind() != ZafWidgetKind::kWindow || control->Parent() != nullptr) return prefix + "not a window";
    if (w[3] != "hidden" && w[3] != "shown") return prefix + "hidden or shown, not " + Quote(w[3]);
    return Compare(*control, ZafCheck::kPointer, prefix,
                   static_cast<ZafWindow*>(control)->PointerHidden() ? "hidden" : "shown", w[3]);
  }
  return ExpectYesNo(*control, what, prefix, w[3]);
}
