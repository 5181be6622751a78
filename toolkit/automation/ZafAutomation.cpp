#include "toolkit/automation/ZafAutomation.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <map>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/automation/ZafKeyNames.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafProgressBar.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafString.h"

namespace {

std::optional<std::int32_t> Number(const std::string& word) {
  std::int32_t value = 0;
  const char* end = word.data() + word.size();
  if (std::from_chars(word.data(), end, value).ptr != end || word.empty()) return std::nullopt;
  return value;
}

std::optional<bool> YesNo(const std::string& word) {
  if (word == "yes" || word == "on" || word == "true") return true;
  if (word == "no" || word == "off" || word == "false") return false;
  return std::nullopt;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// The notebook that holds a page with this string id, and the page's index.
std::pair<ZafNotebook*, int> FindTab(ZafWindowObject& root, const std::string& page) {
  for (const auto& child : root.Children()) {
    if (auto* notebook = dynamic_cast<ZafNotebook*>(child.get())) {
      for (std::size_t i = 0; i < notebook->PageCount(); ++i) {
        if (notebook->Page(i)->StringID() == page) return {notebook, static_cast<int>(i)};
      }
    }
    if (auto found = FindTab(*child, page); found.first != nullptr) return found;
  }
  return {nullptr, -1};
}

std::int32_t ValueOf(ZafWindowObject& o) {
  if (auto* s = dynamic_cast<ZafScrollBar*>(&o)) return s->Position();
  if (auto* i = dynamic_cast<ZafInteger*>(&o)) return i->IntegerValue();
  if (auto* sp = dynamic_cast<ZafSpinControl*>(&o); sp != nullptr && sp->Field() != nullptr) return sp->Field()->IntegerValue();
  if (auto* b = dynamic_cast<ZafButton*>(&o); b != nullptr && b->ButtonType() != ZafButtonType::kPush) return b->Checked() ? 1 : 0;
  if (auto* p = dynamic_cast<ZafProgressBar*>(&o)) return p->Current();
  if (auto* l = dynamic_cast<ZafList*>(&o)) return l->SelectedEntry() != nullptr ? l->SelectedEntry()->value : -1;
  if (auto* n = dynamic_cast<ZafNotebook*>(&o)) return n->CurrentIndex();
  return o.Value();
}

std::string TextOf(ZafWindowObject& o) {
  if (auto* l = dynamic_cast<ZafList*>(&o)) return l->SelectedEntry() != nullptr ? l->SelectedEntry()->text : "";
  if (auto* n = dynamic_cast<ZafNotebook*>(&o)) return n->CurrentPage() != nullptr ? n->CurrentPage()->PageText() : "";
  return o.Text();
}

std::string SelectionOf(ZafWindowObject& o) {
  if (auto* l = dynamic_cast<ZafList*>(&o)) return l->SelectedEntry() != nullptr ? l->SelectedEntry()->stringId : "none";
  if (auto* n = dynamic_cast<ZafNotebook*>(&o)) return n->CurrentPage() != nullptr ? n->CurrentPage()->StringID() : "none";
  if (auto* g = dynamic_cast<ZafGroup*>(&o)) return g->CheckedButton() != nullptr ? g->CheckedButton()->StringID() : "none";
  return "none";
}

bool Enabled(ZafWindowObject& o) {
  if (o.EffectivelyDisabled()) return false;
  auto* page = dynamic_cast<ZafWindow*>(&o);
  auto* notebook = dynamic_cast<ZafNotebook*>(o.Parent());
  return page == nullptr || notebook == nullptr || !notebook->TabDisabled(*page);
}

}  // namespace

ZafAutomation::ZafAutomation(std::unique_ptr<ZafScript> script, ZafHeadlessPresenter& presenter)
    : m_script(std::move(script)), m_presenter(presenter) {}

ZafAutomation::~ZafAutomation() = default;

bool ZafAutomation::Done() const { return Failed() || (m_next >= m_script->Lines().size() && !m_advanceTo); }

ZafWaitResult ZafAutomation::Step(std::optional<std::int64_t> nextTimerDue) {
  if (Failed() || m_application == nullptr) return ZafWaitResult::kEnded;
  ZafManualClock& clock = m_presenter.ManualClock();
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

ZafWindowObject* ZafAutomation::FindControl(const std::string& name) const {
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

std::string ZafAutomation::Key(std::uint8_t virtualKey, char character, bool down) {
  ZafKeyboard& keyboard = m_application->Keyboard();
  ZafEventStruct event;
  event.type = kZafEventKey;
  event.key.virtualKey = virtualKey;
  event.key.character = character;
  event.key.down = down;
  event.key.keyData = ZafMakeKeyData(down, keyboard.IsDown(virtualKey), ZafKeyNames::IsExtended(virtualKey),
                                     keyboard.IsDown(kZafKeyAlt));
  // The keyboard state follows at once so GetKeyState agrees with the script.
  keyboard.SetKeyDown(virtualKey, down);
  m_application->EventManager().Post(event);
  return {};
}

std::string ZafAutomation::Execute(const StScriptLine& line) {
  const std::string& verb = line.words[0];
  if (verb == "expect") return Expect(line);
  return Act(verb, line);
}

std::string ZafAutomation::Act(const std::string& verb, const StScriptLine& line) {
  const auto& w = line.words;
  const auto need = [&](std::size_t n) { return w.size() == n + 1; };
  if (verb == "advance" && need(1)) {
    const auto ms = Number(w[1]);
    if (!ms || *ms < 0) return "advance: " + Quote(w[1]) + " is no number of milliseconds";
    m_advanceTo = m_presenter.ManualClock().NowMs() + *ms;
    return {};
  }
  if (verb == "answer" && need(1)) {
    if (w[1] != "ok" && w[1] != "cancel") return "answer: ok or cancel, not " + Quote(w[1]);
    const ZafEventType event = w[1] == "ok" ? kZafEventOk : kZafEventCancel;
    if (ZafWindow* modal = m_application->WindowManager().ModalWindow()) {
      m_application->EventManager().Post(event, modal);
    } else {
      m_presenter.ArmModalAnswer(event);
    }
    return {};
  }
  if (verb == "choose" && need(1)) {
    m_presenter.ArmChosenFile(w[1]);
    return {};
  }
  if (verb == "hold" && need(2)) {
    const auto key = ZafKeyNames::Find(w[1]);
    const auto on = YesNo(w[2]);
    if (!key || !on) return "hold: KEY on|off";
    return Key(*key, 0, *on);
  }
  if (verb == "key" && (need(1) || need(2))) {
    const auto key = ZafKeyNames::Find(w[1]);
    if (!key) return "key: unknown key " + Quote(w[1]);
    if (need(2)) {
      if (w[2] != "down" && w[2] != "up") return "key: down or up, not " + Quote(w[2]);
      return Key(*key, 0, w[2] == "down");
    }
    (void)Key(*key, 0, true);
    return Key(*key, 0, false);
  }
  if (verb == "type" && need(1)) {
    for (char c : w[1]) {
      const std::uint8_t vk = ZafKeyNames::ForCharacter(c);
      (void)Key(vk, c, true);
      (void)Key(vk, c, false);
    }
    return {};
  }
  if (verb == "screenshot" && need(1)) {
    ZafWindow* window = m_application->WindowManager().Current();
    if (window == nullptr) return "screenshot: no window on screen";
    const Status status = m_presenter.Screenshot(*window, w[1]);
    return status == kStatusOk || status == kStatusNotSupported ? std::string{} : "screenshot: cannot write " + Quote(w[1]);
  }
  if (verb == "tab" && need(1)) {
    ZafWindow* current = m_application->WindowManager().Current();
    auto [notebook, index] = current != nullptr ? FindTab(*current, w[1]) : std::pair<ZafNotebook*, int>{nullptr, -1};
    if (notebook == nullptr) return "tab " + w[1] + ": no such page in the current window";
    if (!Enabled(*notebook->Page(static_cast<std::size_t>(index)))) return "tab " + w[1] + ": the tab is disabled";
    notebook->UserSelectPage(index);
    return {};
  }
  if (w.size() < 2) return "unknown command " + Quote(verb);
  ZafWindowObject* control = FindControl(w[1]);
  if (control == nullptr) return verb + " " + w[1] + ": no such control on screen";
  if (!control->OnScreen()) return verb + " " + w[1] + ": the control is hidden";
  if (control->EffectivelyDisabled()) return verb + " " + w[1] + ": the control is disabled";
  const std::string name = verb + " " + w[1];
  if ((verb == "press" || verb == "radio") && need(1)) {
    auto* button = dynamic_cast<ZafButton*>(control);
    if (button == nullptr) return name + ": not a button";
    if (verb == "radio" && button->ButtonType() != ZafButtonType::kRadio) return name + ": not a radio button";
    if (auto* item = dynamic_cast<ZafPopUpItem*>(button)) item->UserChoose();
    else button->UserPress();
    return {};
  }
  if (verb == "check" && need(2)) {
    auto* button = dynamic_cast<ZafButton*>(control);
    const auto on = YesNo(w[2]);
    if (button == nullptr || button->ButtonType() != ZafButtonType::kCheckBox) return name + ": not a check box";
    if (!on) return name + ": on or off, not " + Quote(w[2]);
    if (button->Checked() != *on) button->UserPress();
    return {};
  }
  if (verb == "slider" && need(2)) {
    auto* slider = dynamic_cast<ZafScrollBar*>(control);
    const auto position = Number(w[2]);
    if (slider == nullptr) return name + ": not a slider";
    if (!position) return name + ": " + Quote(w[2]) + " is no position";
    slider->UserSetPosition(*position);
    return {};
  }
  if (verb == "combo" && need(2)) {
    auto* list = dynamic_cast<ZafList*>(control);
    if (list == nullptr) return name + ": not a list";
    const int index = list->FindEntry(w[2]);
    if (index < 0) return name + ": no entry " + Quote(w[2]);
    list->UserSelect(index);
    return {};
  }
  if (verb == "integer" && need(2)) {
    auto* field = dynamic_cast<ZafInteger*>(control);
    const auto value = Number(w[2]);
    if (field == nullptr || !value) return name + ": an integer field and a number";
    field->UserSetValue(*value);
    return {};
  }
  if (verb == "spin" && need(2)) {
    auto* spin = dynamic_cast<ZafSpinControl*>(control);
    if (spin == nullptr || (w[2] != "up" && w[2] != "down")) return name + ": a spin control, up or down";
    spin->UserStep(w[2] == "up" ? 1 : -1);
    return {};
  }
  if ((verb == "caret" || verb == "focus") && (need(1) || need(2))) {
    control->SetFocus();
    if (verb == "focus") return {};
    auto* field = dynamic_cast<ZafString*>(control);
    const auto position = need(2) ? Number(w[2]) : std::nullopt;
    if (field == nullptr || !position) return name + ": a text field and a position";
    field->UserSetCaret(*position);
    return {};
  }
  if (verb == "tap" && need(3)) {
    auto* capture = dynamic_cast<CMouseCaptureWindow*>(control);
    const auto x = Number(w[2]);
    const auto y = Number(w[3]);
    if (capture == nullptr || !x || !y) return name + ": a capture window and a position";
    capture->UserTap(*x, *y);
    return {};
  }
  return "unknown command or wrong number of words: " + Quote(verb);
}

std::string ZafAutomation::Expect(const StScriptLine& line) {
  const auto& w = line.words;
  if (w.size() == 4 && w[1] == "message") {
    const auto& messages = m_presenter.Messages();
    if (messages.empty()) return "expect message: no message box was shown";
    const StMessageRecord& last = messages.back();
    if (last.title != w[2] || last.text != w[3]) {
      return "expect message: got " + Quote(last.title) + " " + Quote(last.text) + ", expected " + Quote(w[2]) + " " +
             Quote(w[3]);
    }
    return {};
  }
  if (w.size() == 3 && w[1] == "window") {
    ZafWindow* current = m_application->WindowManager().Current();
    const std::string got = current != nullptr ? current->StringID() : "none";
    return got == w[2] ? std::string{} : "expect window: got " + Quote(got) + ", expected " + Quote(w[2]);
  }
  if (w.size() != 4) return "expect: WHAT CONTROL VALUE";
  const std::string& what = w[1];
  ZafWindowObject* control = FindControl(w[2]);
  if (control == nullptr) {
    // A control that is nowhere on screen is, for the user, not visible.
    if (what == "visible" && YesNo(w[3]) == false) return {};
    return "expect " + what + " " + w[2] + ": no such control on screen";
  }
  const std::string prefix = "expect " + what + " " + w[2] + ": ";
  if (what == "value") {
    const auto expected = Number(w[3]);
    if (!expected) return prefix + Quote(w[3]) + " is no number";
    const std::int32_t got = ValueOf(*control);
    return got == *expected ? std::string{} : prefix + "got " + std::to_string(got) + ", expected " + w[3];
  }
  if (what == "text") {
    const std::string got = TextOf(*control);
    return got == w[3] ? std::string{} : prefix + "got " + Quote(got) + ", expected " + Quote(w[3]);
  }
  if (what == "selection") {
    const std::string got = SelectionOf(*control);
    return got == w[3] ? std::string{} : prefix + "got " + Quote(got) + ", expected " + Quote(w[3]);
  }
  const auto expected = YesNo(w[3]);
  if (!expected) return prefix + "yes or no, not " + Quote(w[3]);
  bool got = false;
  if (what == "visible") got = control->OnScreen();
  else if (what == "enabled") got = Enabled(*control);
  else if (what == "checked") got = ValueOf(*control) != 0;
  else if (what == "focused") got = control->HasFocus();
  else return "expect: unknown check " + Quote(what);
  return got == *expected ? std::string{} : prefix + "got " + (got ? "yes" : "no") + ", expected " + w[3];
}
