#include "CTabsFixture.h"

#include <cstring>
#include <filesystem>

#include "CUpperViewFixture.h"
#include "driver/CDataKey.h"
#include "service/CPathText.h"
#include "service/CProfileReader.h"
#include "settings/CDataGrouping.h"
#include "support/BuildPaths.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafList.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/data/ZafLanguageData.h"

namespace {

std::vector<StObjectKey> Levels(const std::string& text) {
  std::string error;
  auto levels = CPathText::Parse(text, error);
  EXPECT_TRUE(levels.has_value()) << text << ": " << error;
  return levels.value_or(std::vector<StObjectKey>{});
}

void Replace(std::string& text, const std::string& what, const std::string& with) {
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
}

std::string ToolPath(CDataGrouping* tool) {
  if (tool == nullptr) return "none";
  const CDataKey& key = tool->GetKey();
  return CPathText::Format(std::vector<StObjectKey>(key.GetLevels(), key.GetLevels() + key.GetLevelCount()));
}

}  // namespace

void CWatchingPresenter::BeginModal(ZafWindow& window) {
  Note(window.StringID());
  ZafHeadlessPresenter::BeginModal(window);
}

ZafMessageAnswer CWatchingPresenter::MessageBox(const std::string& title, const std::string& text,
                                                ZafMessageButtons buttons) {
  Note(title);
  return ZafHeadlessPresenter::MessageBox(title, text, buttons);
}

void CWatchingPresenter::Note(const std::string& dialog) {
  std::vector<std::string> shown;
  if (ZafApplication* application = ZafApplication::Get()) {
    for (const ZafWindow* window : application->WindowManager().Windows()) shown.push_back(window->StringID());
  }
  behindDialogs.emplace_back(dialog, std::move(shown));
}

void CTabsFixture::SetUp() {
  ASSERT_FALSE(m_temp.Path().empty());
  m_temp.Write("registry.reg",
               "Windows Registry Editor Version 5.00\n\n"
               "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n");
  std::string module = BuildBinDir() + "/Tablet.cpl";
  char* argv[] = {module.data(), nullptr};
  auto presenter = std::make_unique<CWatchingPresenter>();
  m_presenter = presenter.get();
  m_application = std::make_unique<ZafApplication>(1, argv, std::move(presenter));
  ASSERT_EQ(m_storage.Open(BuildBinDir() + "/Tablet.znc"), kStatusOk);
  m_persistence = std::make_unique<CUserPersist>(m_storage, &m_application->DataManager());
  ZafObjectPersistence::SetDefault(m_persistence.get());
  std::unique_ptr<ZafLanguageData> strings;
  ASSERT_EQ(m_persistence->ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
  m_application->DataManager().Add(std::move(strings));
}

void CTabsFixture::TearDown() {
  m_window.reset();
  ZafObjectPersistence::SetDefault(nullptr);
}

Status CTabsFixture::Open(const std::string& profile) {
  if (m_window) CloseWindow();
  StProfile definition = MakeDefaultProfile();
  std::string error;
  if (!profile.empty() &&
      !CProfileReader::ReadFile(std::string(KELVO_PROFILE_DIR) + "/" + profile, definition,
                                error)) {
    ADD_FAILURE() << error;
    return kStatusNotFound;
  }
  auto service = std::make_unique<CTabletService>(std::move(definition));
  auto driver = std::make_unique<CRecordingDriverInterface>(std::move(service));
  InstallDriverInterface(std::move(driver));
  m_window = std::make_unique<CCPLMainWindow>(*m_application);
  const Status loaded = m_window->Load(*m_persistence, "ConsumerCPLMainWindow");
  return loaded != kStatusOk ? loaded : m_window->Run();
}

void CTabsFixture::OpenProfile(const std::string& profile) {
  const bool tabletTab = profile == "model-230";
  if (tabletTab) m_application->Keyboard().SetKeyDown(kZafKeyControl, true);
  const std::string file = profile == "default" ? std::string()
                           : tabletTab          ? "../../tests/acceptance/profiles/model-230.json"
                                                : profile + ".json";
  ASSERT_EQ(Open(file), kStatusOk) << profile;
  m_application->Keyboard().SetKeyDown(kZafKeyControl, false);
  CUpperView* upper = CUpperView::Instance();
  ASSERT_NE(upper, nullptr);
  m_pen = ToolPath(upper->GetFirstStylus());
  m_puck = ToolPath(upper->GetFirstPuck());
}

void CTabsFixture::CloseWindow() {
  m_window.reset();
  const std::string folder = m_temp.Path() + "/run" + std::to_string(++m_closed);
  std::filesystem::create_directory(folder);
  setenv("KELVO_RUNTIME_DIR", folder.c_str(), 1);  // m_runtime puts the first one back
}

CTabletService& CTabsFixture::Service() {
  return static_cast<CRecordingDriverInterface*>(GetDriverInterface())->Service();
}

std::string CTabsFixture::Path(const std::string& pattern) {
  std::string path = pattern;
  for (const auto& [tool, name] : {std::pair{m_pen, std::string("{pen")}, std::pair{m_puck, std::string("{puck")}}) {
    if (path.find(name) == std::string::npos) continue;
    // A mapping context is chosen by the tool's application, serial and identity.
    if (path.find(name + "map}") != std::string::npos) {
      const std::string context = "2:0/12/5:" + std::to_string(Read(tool + "/116")) + "@4/2/5/19:" +
                                  std::to_string(Read(tool + "/38")) + "@4/19:" +
                                  std::to_string(Read(tool + "/37")) + "/21:2";
      Replace(path, name + "map}", context);
    }
    Replace(path, name + "}", tool);
  }
  Replace(path, "{tablet}", "2:0");
  return path;
}

std::vector<std::uint8_t> CTabsFixture::ReadBytes(const std::string& pattern, bool factory) {
  const std::vector<StObjectKey> levels = Levels(Path(pattern));
  std::vector<std::uint8_t> bytes(256);
  std::uint32_t length = 0;
  const Status read = factory ? Service().Model().GetDefault(levels, bytes, length)
                              : Service().Model().Get(levels, bytes, length);
  EXPECT_EQ(read, kStatusOk) << Path(pattern);
  bytes.resize(length);
  return bytes;
}

std::uint32_t CTabsFixture::Read(const std::string& pattern, bool factory) {
  const std::vector<std::uint8_t> bytes = ReadBytes(pattern, factory);
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data(), std::min<std::size_t>(bytes.size(), sizeof value));
  return value;
}

void CTabsFixture::Change(const std::string& pattern, std::uint32_t value) {
  const std::vector<StObjectKey> levels = Levels(Path(pattern));
  CServiceValue* held = Service().Model().Materialize(levels);
  ASSERT_NE(held, nullptr) << Path(pattern);
  held->Store(levels.back().index, value);
}

void CTabsFixture::Restore(const std::string& pattern, const std::vector<std::uint8_t>& bytes) {
  ASSERT_EQ(Service().Model().Set(Levels(Path(pattern)), bytes), kStatusOk) << Path(pattern);
}
ZafWindowObject& CTabsFixture::Control(const std::string& name) {
  ZafWindowObject* found = m_window->Find(name);
  if (found == nullptr) {
    ADD_FAILURE() << "no control " << name;
    return *m_window;
  }
  return *found;
}

std::int32_t CTabsFixture::Shown(const std::string& name) {
  ZafWindowObject& control = Control(name);
  if (auto* slider = dynamic_cast<ZafScrollBar*>(&control)) return slider->Position();
  if (auto* box = dynamic_cast<ZafButton*>(&control)) return box->Checked() ? 1 : 0;
  if (auto* group = dynamic_cast<ZafGroup*>(&control)) {
    const ZafButton* checked = group->CheckedButton();
    if (checked == nullptr) return -1;
    return checked->Value() - 1;
  }
  if (auto* list = dynamic_cast<ZafList*>(&control)) {
    const ZafListEntry* entry = list->SelectedEntry();
    return entry != nullptr ? entry->value - 1 : -1;
  }
  if (auto* spin = dynamic_cast<ZafSpinControl*>(&control))
    return spin->Field() != nullptr ? spin->Field()->IntegerValue() : -1;
  if (auto* image = dynamic_cast<ZafImage*>(&control)) {
    const std::string& picture = image->BitmapName();
    const std::size_t digits = picture.find_last_not_of("0123456789") + 1;
    return digits < picture.size() ? std::stoi(picture.substr(digits)) : -1;
  }
  ADD_FAILURE() << name << " shows no value";
  return -1;
}

void CTabsFixture::Act(const std::string& name, std::int32_t value) {
  ZafWindowObject& control = Control(name);
  ASSERT_TRUE(control.OnScreen() && !control.EffectivelyDisabled()) << name << " cannot be used";
  if (auto* slider = dynamic_cast<ZafScrollBar*>(&control)) {
    slider->UserSetPosition(value);
  } else if (auto* group = dynamic_cast<ZafGroup*>(&control)) {
    for (const auto& child : group->Children()) {
      auto* button = dynamic_cast<ZafButton*>(child.get());
      if (button != nullptr && button->Value() == value + 1) {
        button->UserPress();
        return;
      }
    }
    ADD_FAILURE() << name << " has no button for " << value;
  } else if (auto* box = dynamic_cast<ZafButton*>(&control)) {
    if (box->Checked() != (value != 0)) box->UserPress();
  } else if (auto* spin = dynamic_cast<ZafSpinControl*>(&control)) {
    ASSERT_NE(spin->Field(), nullptr);
    spin->Field()->UserSetValue(value);
  } else {
    ADD_FAILURE() << name << " takes no value";
  }
}

void CTabsFixture::SelectTab(const std::string& page) {
  auto& notebook = static_cast<ZafNotebook&>(Control("TabsWindow"));
  const int index = notebook.IndexOf(Control(page));
  ASSERT_GE(index, 0) << page << " is not shown";
  notebook.UserSelectPage(index);
  ASSERT_EQ(notebook.CurrentPage(), &Control(page));
}

void CTabsFixture::Tick() {
  ZafEventStruct tick;
  tick.type = kZafEventTimer;
  tick.target = m_window.get();
  m_window->Event(tick);
}

std::vector<CItemView*> CTabsFixture::BoundViews() {
  CUpperView* upper = CUpperView::Instance();
  std::vector<CItemView*> bound;
  for (CKelvoView* root : {static_cast<CKelvoView*>(upper),
                           static_cast<CKelvoView*>(upper->GetOwnedView(ControlId::kDriverOnGroup)),
                           static_cast<CKelvoView*>(upper->GetCurrentTabView())})
    CollectBoundViews(root, bound);
  return bound;
}
