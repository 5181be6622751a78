#include "toolkit/automation/ZafAutomation.h"

#include <charconv>
#include <cstdio>
#include <map>

#include "platform/Keyboard.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/StAutomationState.h"
#include "toolkit/automation/ZafAutomationChecks.h"
#include "toolkit/automation/ZafAutomationDriver.h"
#include "toolkit/automation/ZafKeyNames.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafList.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafString.h"

namespace {

std::map<std::string, ZafAutomation::Verb>& Verbs() {
  static std::map<std::string, ZafAutomation::Verb> verbs;
  return verbs;
}

std::optional<std::int32_t> Number(const std::string& word) {
  std::int32_t value = 0;
  const char* end = word.data() + word.size();
  if (word.empty() || std::from_chars(word.data(), end, value).ptr != end) return std::nullopt;
  return value;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// The notebook that holds a page with this string id, and the page's index.
std::pair<ZafNotebook*, int> FindTab(ZafWindowObject& root, const std::string& page) {
  for (const auto& child : root.Children()) {
    if (child->WidgetKind() == ZafWidgetKind::kNotebook) {
      auto* notebook = static_cast<ZafNotebook*>(child.get());
      for (std::size_t i = 0; i < notebook->PageCount(); ++i) {
        if (notebook->Page(i)->StringID() == page) return {notebook, static_cast<int>(i)};
      }
    }
    if (auto found = FindTab(*child, page); found.first != nullptr) return found;
  }
  return {nullptr, -1};
}

// The Unicode characters of UTF-8 text (a broken sequence gives U+FFFD).
std::vector<char32_t> Characters(const std::string& text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    char32_t c = length == 1 ? lead : lead & (0x7FU >> length);
    for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3FU);
    out.push_back(c);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

// What a named key types on a US layout: letters small unless Shift is held,
// the keypad's digits and signs, a blank for Space; nothing for the rest.
char32_t CharacterOf(const StNamedKey& key, bool shift) {
  if (key.virtualKey >= 'A' && key.virtualKey <= 'Z') return shift ? key.virtualKey : key.virtualKey + ('a' - 'A');
  if (key.keypad && key.virtualKey >= 0x60 && key.virtualKey <= 0x6F) return MapVirtualKeyA(key.virtualKey, MAPVK_VK_TO_CHAR);
  if (key.keypad) return 0;
  const UINT c = MapVirtualKeyA(key.virtualKey, MAPVK_VK_TO_CHAR);
  return c >= 0x20 && c < 0x7F ? c : 0;
}

bool Enabled(ZafWindowObject& o) {
  if (o.EffectivelyDisabled()) return false;
  auto* notebook = o.Parent();
  return notebook == nullptr || notebook->WidgetKind() != ZafWidgetKind::kNotebook ||
         !static_cast<ZafNotebook*>(notebook)->TabDisabled(static_cast<ZafWindow&>(o));
}

}  // namespace

void ZafAutomation::AddVerb(const std::string& name, Verb verb) {
  if (verb) Verbs()[name] = std::move(verb);
  else Verbs().erase(name);
}

ZafAutomation::ZafAutomation(std::unique_ptr<ZafScript> script, std::unique_ptr<ZafAutomationDriver> driver,
                             StAutomationState& state)
    : m_script(std::move(script)), m_driver(std::move(driver)), m_state(state) {}

ZafAutomation::~ZafAutomation() = default;

void ZafAutomation::Attach(ZafApplication& application) {
  m_application = &application;
  m_driver->Attach(application);
}

bool ZafAutomation::Done() const { return Failed() || (m_next >= m_script->Lines().size() && !m_advanceTo); }

ZafWaitResult ZafAutomation::Step(std::optional<std::int64_t> nextTimerDue) {
  if (Failed() || m_application == nullptr) return ZafWaitResult::kEnded;
  ZafManualClock& clock = m_state.clock;
  if (m_advanceTo) {
    // Stop at each timer that falls due on the way so every tick is seen.
    if (nextTimerDue && *nextTimerDue <= *m_advanceTo) {
      clock.AdvanceTo(*nextTimerDue);
    } else {
      clock.AdvanceTo(*m_advanceTo);
      m_advanceTo.reset();
    }
    return ZafWaitResult::kInput;
  }
  if (m_next >= m_script->Lines().size()) return ZafWaitResult::kEnded;
  const StScriptLine& line = m_script->Lines()[m_next++];
  ++m_linesRun;
  const std::string problem = Execute(line);
  if (!problem.empty()) {
    m_failure = m_script->Name() + ":" + std::to_string(line.number) + ": " + problem;
    std::fprintf(stderr, "%s\n", m_failure.c_str());
    return ZafWaitResult::kEnded;
  }
  return ZafWaitResult::kInput;
}

void ZafAutomation::RunToEnd() {
  if (m_application == nullptr) return;
  ZafEventManager& events = m_application->EventManager();
  while (true) {
    events.ProcessPending();
    if (Step(events.NextDue()) == ZafWaitResult::kEnded) break;
  }
  events.ProcessPending();
}

bool ZafAutomation::Report() const {
  if (Failed()) {
    std::fprintf(stderr, "script %s: FAILED\n", m_script->Name().c_str());
    return false;
  }
  if (m_next < m_script->Lines().size()) {
    std::fprintf(stderr, "script %s: FAILED: ended before line %d\n", m_script->Name().c_str(),
                 m_script->Lines()[m_next].number);
    return false;
  }
  std::fprintf(stderr, "script %s: passed (%d lines)\n", m_script->Name().c_str(), m_linesRun);
  return true;
}

bool ZafAutomation::Finish() const {
  const bool passed = Report();
  std::string line;
  if (Failed())
    line = "failed: " + FailureText();
  // No line ran: the window the script is for never opened; the file stays
  // empty so that the caller can tell that apart from a failed check.
  else if (LinesRun() > 0 || Done())
    line = passed ? "passed" : "failed: the run ended before the script did";
  if (const char* result = std::getenv("KELVO_SCRIPT_RESULT"); !line.empty() && result != nullptr && *result != '\0') {
    if (std::FILE* out = std::fopen(result, "w")) {
      std::fprintf(out, "%s\n", line.c_str());
      std::fclose(out);
    }
  }
  return passed;
}

ZafWindowObject* ZafAutomation::FindControl(const std::string& name) const {
  if (m_application == nullptr) return nullptr;
  const auto& windows = m_application->WindowManager().Windows();
  std::string windowName;
  std::string control = name;
  if (const std::size_t slash = name.find('/'); slash != std::string::npos) {
    windowName = name.substr(0, slash);
    control = name.substr(slash + 1);
  }
  // The topmost window first: that is where the user is looking.
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    ZafWindow* window = *it;
    if (!windowName.empty() && window->StringID() != windowName) continue;
    if (window->StringID() == control) return window;
    if (ZafWindowObject* found = window->Find(control)) return found;
  }
  return nullptr;
}

std::string ZafAutomation::Execute(const StScriptLine& line) {
  const std::string& verb = line.words[0];
  if (verb == "expect") return ZafAutomationChecks(*this).Expect(line.words);
  if (auto custom = Verbs().find(verb); custom != Verbs().end()) return custom->second(line.words);
  return Act(verb, line);
}

std::string ZafAutomation::Act(const std::string& verb, const StScriptLine& line) {
  const auto& w = line.words;
  const auto need = [&](std::size_t n) { return w.size() == n + 1; };
  ZafKeyboard& keyboard = m_application->Keyboard();
  if (verb == "advance" && need(1)) {
    const auto ms = Number(w[1]);
    if (!ms || *ms < 0) return "advance: " + Quote(w[1]) + " is no number of milliseconds";
    m_advanceTo = m_state.clock.NowMs() + *ms;
    return {};
  }
  if (verb == "answer" && need(1)) {
    if (w[1] != "ok" && w[1] != "cancel") return "answer: ok or cancel, not " + Quote(w[1]);
    const ZafEventType event = w[1] == "ok" ? kZafEventOk : kZafEventCancel;
    if (ZafWindow* modal = m_application->WindowManager().ModalWindow()) {
      m_application->EventManager().Post(event, modal);
    } else {
      m_state.armedAnswer = event;
    }
    return {};
  }
  if (verb == "choose" && need(1)) {
    m_state.armedFile = w[1];
    return {};
  }
  if (verb == "hold" && need(2)) {
    const auto key = ZafKeyNames::Find(w[1]);
    if (!key || (w[2] != "on" && w[2] != "off")) return "hold: KEY on|off";
    return m_driver->Key(*key, 0, w[2] == "on");
  }
  if (verb == "key" && (need(1) || need(2))) {
    const auto key = ZafKeyNames::Find(w[1]);
    if (!key) return "key: unknown key " + Quote(w[1]);
    const char32_t character = CharacterOf(*key, keyboard.IsDown(kZafKeyShift));
    if (need(2)) {
      if (w[2] != "down" && w[2] != "up") return "key: down or up, not " + Quote(w[2]);
      return m_driver->Key(*key, character, w[2] == "down");
    }
    if (std::string problem = m_driver->Key(*key, character, true); !problem.empty()) return problem;
    return m_driver->Key(*key, character, false);
  }
  if (verb == "type" && need(1)) {
    for (char32_t c : Characters(w[1])) {
      const StNamedKey key{c < 0x80 ? ZafKeyNames::ForCharacter(static_cast<char>(c)) : std::uint8_t{0}, false};
      if (std::string problem = m_driver->Key(key, c, true); !problem.empty()) return problem;
      if (std::string problem = m_driver->Key(key, c, false); !problem.empty()) return problem;
    }
    return {};
  }
  if (verb == "screens" && need(1)) {
    std::vector<ZafScreen> screens;
    if (!ZafScreens::Parse(w[1], screens)) return "screens: " + Quote(w[1]) + " describes no screens";
    return m_driver->DescribeScreens(std::move(screens));
  }
  if (verb == "screenshot" && need(1)) {
    ZafWindow* window = m_application->WindowManager().Current();
    if (window == nullptr) return "screenshot: no window on screen";
    const Status status = m_application->Presenter().Screenshot(*window, w[1]);
    return status == kStatusOk || status == kStatusNotSupported ? std::string{} : "screenshot: cannot write " + Quote(w[1]);
  }
  if (verb == "tab" && need(1)) {
    ZafWindow* current = m_application->WindowManager().Current();
    auto [notebook, index] = current != nullptr ? FindTab(*current, w[1]) : std::pair<ZafNotebook*, int>{nullptr, -1};
    if (notebook == nullptr) return "tab " + w[1] + ": no such page in the current window";
    if (!Enabled(*notebook->Page(static_cast<std::size_t>(index)))) return "tab " + w[1] + ": the tab is disabled";
    return m_driver->ChoosePage(*notebook, index);
  }
  if (w.size() < 2) return "unknown command " + Quote(verb);
  ZafWindowObject* control = FindControl(w[1]);
  if (control == nullptr) return verb + " " + w[1] + ": no such control on screen";
  if (!control->OnScreen()) return verb + " " + w[1] + ": the control is hidden";
  if ((verb == "close" || verb == "move") && control->Parent() != nullptr) return verb + " " + w[1] + ": not a window";
  if (verb == "close" && need(1)) return m_driver->CloseFromFrame(static_cast<ZafWindow&>(*control));
  if (verb == "move" && (need(3) || need(5))) {
    std::vector<std::int32_t> numbers;
    for (std::size_t i = 2; i < w.size(); ++i) {
      const auto n = Number(w[i]);
      if (!n) return "move " + w[1] + ": " + Quote(w[i]) + " is no number";
      numbers.push_back(*n);
    }
    const ZafRegion& now = control->Region();
    const ZafRegion to = ZafRegion::FromSize(numbers[0], numbers[1], need(5) ? numbers[2] : now.Width(),
                                             need(5) ? numbers[3] : now.Height());
    if (to.Width() <= 0 || to.Height() <= 0) return "move " + w[1] + ": a window needs a size";
    return m_driver->MoveWindow(static_cast<ZafWindow&>(*control), to);
  }
  if (control->EffectivelyDisabled()) return verb + " " + w[1] + ": the control is disabled";
  return ActOn(verb, line, *control);
}

std::string ZafAutomation::ActOn(const std::string& verb, const StScriptLine& line, ZafWindowObject& control) {
  const auto& w = line.words;
  const auto need = [&](std::size_t n) { return w.size() == n + 1; };
  const std::string name = verb + " " + w[1];
  const ZafWidgetKind kind = control.WidgetKind();
  if ((verb == "press" || verb == "radio" || verb == "check") && (kind == ZafWidgetKind::kButton || kind == ZafWidgetKind::kMenuItem)) {
    auto& button = static_cast<ZafButton&>(control);
    if (verb == "press" && need(1)) return m_driver->Press(button);
    if (verb == "radio" && need(1)) {
      if (button.ButtonType() != ZafButtonType::kRadio) return name + ": not a radio button";
      return m_driver->Press(button);
    }
    if (verb == "check" && need(2)) {
      if (button.ButtonType() != ZafButtonType::kCheckBox) return name + ": not a check box";
      if (w[2] != "on" && w[2] != "off") return name + ": on or off, not " + Quote(w[2]);
      return button.Checked() == (w[2] == "on") ? std::string{} : m_driver->Press(button);
    }
  }
  if (verb == "press" || verb == "radio") return name + ": not a button";
  if (verb == "check") return name + ": not a check box";
  if (verb == "slider" && need(2)) {
    const auto position = Number(w[2]);
    if (kind != ZafWidgetKind::kScrollBar) return name + ": not a slider";
    if (!position) return name + ": " + Quote(w[2]) + " is no position";
    return m_driver->Slide(static_cast<ZafScrollBar&>(control), *position);
  }
  if (verb == "combo" && need(2)) {
    if (kind != ZafWidgetKind::kComboBox && kind != ZafWidgetKind::kList) return name + ": not a list";
    auto& list = static_cast<ZafList&>(control);
    const int index = list.FindEntry(w[2]);
    if (index < 0) return name + ": no entry " + Quote(w[2]);
    return m_driver->Choose(list, index);
  }
  if (verb == "integer" && need(2)) {
    const auto value = Number(w[2]);
    if (kind != ZafWidgetKind::kIntegerField || !value) return name + ": an integer field and a number";
    return m_driver->EnterInteger(static_cast<ZafInteger&>(control), *value);
  }
  if (verb == "spin" && need(2)) {
    if (kind != ZafWidgetKind::kSpin || (w[2] != "up" && w[2] != "down")) return name + ": a spin control, up or down";
    return m_driver->Spin(static_cast<ZafSpinControl&>(control), w[2] == "up" ? 1 : -1);
  }
  if (verb == "focus" && need(1)) return m_driver->Focus(control);
  if (verb == "caret" && need(2)) {
    const auto position = Number(w[2]);
    if (kind != ZafWidgetKind::kTextField || !position) return name + ": a text field and a position";
    return m_driver->PlaceCaret(static_cast<ZafString&>(control), *position);
  }
  if (verb == "tap" && need(3)) {
    const auto x = Number(w[2]);
    const auto y = Number(w[3]);
    if (kind != ZafWidgetKind::kCapture || !x || !y) return name + ": a capture window and a position";
    return m_driver->Tap(static_cast<CMouseCaptureWindow&>(control), *x, *y);
  }
  if (verb == "drag" && need(5)) {
    const auto x1 = Number(w[2]);
    const auto y1 = Number(w[3]);
    const auto x2 = Number(w[4]);
    const auto y2 = Number(w[5]);
    if (kind != ZafWidgetKind::kThumbnail || !x1 || !y1 || !x2 || !y2) return name + ": a picture and two positions";
    return m_driver->Drag(static_cast<CThumbnail&>(control), {*x1, *y1, *x2, *y2});
  }
  return "unknown command or wrong number of words: " + Quote(verb);
}
