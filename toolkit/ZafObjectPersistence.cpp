#include "toolkit/ZafObjectPersistence.h"

#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/CIntegerEditControl.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CProgressBar.h"
#include "toolkit/controls/CScrollButton.h"
#include "toolkit/controls/CScrollWindow.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafBitmap.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafText.h"
#include "toolkit/controls/ZafVtList.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/data/ZafDataManager.h"
#include "toolkit/data/ZafIntegerData.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/data/ZafStringData.h"
#include "toolkit/storage/ZafClassTable.h"
#include "toolkit/storage/ZafStorage.h"
#include "toolkit/storage/ZncFormat.h"

namespace {

ZafObjectPersistence* g_default = nullptr;

template <typename T>
ZafObjectPersistence::Maker Make() {
  return [] { return std::make_unique<T>(); };
}

template <typename T>
ZafObjectPersistence::Maker MakeNamed(const char* className) {
  return [className] { return std::make_unique<T>(className); };
}

bool Has(const StResourceObject& r, const char* style) { return (r.styles & znc::StyleBit(style)) != 0; }

}  // namespace

ZafObjectPersistence::ZafObjectPersistence(const ZafStorage& storage, ZafDataManager* dataManager)
    : m_storage(storage), m_dataManager(dataManager) {
  m_makers = {
      {"ZafWindow", Make<ZafWindow>()},
      {"ZafDialogWindow", Make<ZafDialogWindow>()},
      {"ZafButton", Make<ZafButton>()},
      {"ZafGroup", Make<ZafGroup>()},
      {"ZafPrompt", Make<ZafPrompt>()},
      {"ZafString", Make<ZafString>()},
      {"ZafText", Make<ZafText>()},
      {"ZafInteger", Make<ZafInteger>()},
      {"ZafSpinControl", Make<ZafSpinControl>()},
      {"ZafComboBox", Make<ZafComboBox>()},
      {"ZafVtList", Make<ZafVtList>()},
      {"ZafTreeList", MakeNamed<ZafVtList>("ZafTreeList")},
      {"ZafNotebook", Make<ZafNotebook>()},
      {"ZafImage", Make<ZafImage>()},
      {"ZafIcon", MakeNamed<ZafImage>("ZafIcon")},
      {"ZafBitmap", Make<ZafBitmap>()},
      {"ZafScrollBar", Make<ZafScrollBar>()},
      {"ZafProgressBar", Make<ZafProgressBar>()},
      {"ZafPopUpMenu", Make<ZafPopUpMenu>()},
      {"ZafPullDownMenu", MakeNamed<ZafPopUpMenu>("ZafPullDownMenu")},
      {"ZafPopUpItem", Make<ZafPopUpItem>()},
      {"ZafPullDownItem", MakeNamed<ZafPopUpItem>("ZafPullDownItem")},
      {"CProgressBar", Make<CProgressBar>()},
      {"CIntegerEditControl", Make<CIntegerEditControl>()},
      {"CScrollWindow", Make<CScrollWindow>()},
      {"CPressureTestWnd", Make<CPressureTestWnd>()},
      {"CScrollButton", Make<CScrollButton>()},
      {"CThumbnail", Make<CThumbnail>()},
      {"CMouseCaptureWindow", Make<CMouseCaptureWindow>()},
  };
  // Frame decorations carry no state of their own.
  for (const char* decoration : {"ZafBorder", "ZafTitle", "ZafSystemButton", "ZafMinimizeButton",
                                 "ZafMaximizeButton", "ZafTreeItem"}) {
    m_makers[decoration] = MakeNamed<ZafWindowObject>(decoration);
  }
}

ZafObjectPersistence::~ZafObjectPersistence() {
  if (g_default == this) g_default = nullptr;
}

ZafObjectPersistence* ZafObjectPersistence::Default() { return g_default; }
void ZafObjectPersistence::SetDefault(ZafObjectPersistence* persistence) { g_default = persistence; }

void ZafObjectPersistence::SetMaker(const std::string& className, Maker maker) {
  m_makers[className] = std::move(maker);
}

Status ZafObjectPersistence::ReadInto(ZafWindow& window, const std::string& name) {
  StResourceObject record;
  KELVO_TRY(m_storage.ReadWindow(name, record));
  while (!window.Children().empty()) (void)window.Subtract(*window.Children().back());
  KELVO_TRY(Apply(record, window));
  if (window.StringID().empty()) window.SetStringID(name);
  return kStatusOk;
}

Status ZafObjectPersistence::ReadWindow(const std::string& name, std::unique_ptr<ZafWindow>& out) {
  StResourceObject record;
  KELVO_TRY(m_storage.ReadWindow(name, record));
  std::unique_ptr<ZafWindowObject> object;
  KELVO_TRY(Build(record, object));
  auto* window = dynamic_cast<ZafWindow*>(object.get());
  if (window == nullptr) return kStatusWrongClass;
  out.reset(window);
  (void)object.release();
  if (out->StringID().empty()) out->SetStringID(name);
  return kStatusOk;
}

Status ZafObjectPersistence::Build(const StResourceObject& record, std::unique_ptr<ZafWindowObject>& out) {
  auto maker = m_makers.find(record.className);
  if (maker == m_makers.end() || ZafClassTable::FindWindowClass(record.className) == nullptr) {
    return kStatusWrongClass;
  }
  std::unique_ptr<ZafWindowObject> object = maker->second();
  if (!object) return kStatusOutOfMemory;
  KELVO_TRY(Apply(record, *object));
  out = std::move(object);
  return kStatusOk;
}

Status ZafObjectPersistence::Apply(const StResourceObject& r, ZafWindowObject& object) {
  if (r.stringId) object.SetStringID(*r.stringId);
  if (r.numberId) object.SetNumberID(static_cast<std::uint16_t>(*r.numberId));
  if (r.text) object.SetText(*r.text);
  if (r.quickTip) object.SetQuickTip(*r.quickTip);
  if (r.region) object.SetRegion(ZafRegion::FromSize((*r.region)[0], (*r.region)[1], (*r.region)[2], (*r.region)[3]));
  object.SetVisible((r.flags & znc::kFlagHidden) == 0);
  object.SetDisabled((r.flags & znc::kFlagDisabled) != 0);
  if (r.foreground || r.background) object.SetColours(r.foreground.value_or(-1), r.background.value_or(-1));
  if (r.value) object.SetValue(*r.value);

  if (auto* window = dynamic_cast<ZafWindow*>(&object)) {
    if (Has(r, "modal")) window->SetModal(true);
    if (Has(r, "sizeable")) window->SetSizeable(true);
    if (r.pageText) window->SetPageText(*r.pageText);
  }
  if (auto* button = dynamic_cast<ZafButton*>(&object)) {
    if (Has(r, "checkBox")) button->SetButtonType(ZafButtonType::kCheckBox);
    if (Has(r, "radioButton")) button->SetButtonType(ZafButtonType::kRadio);
    button->SetDefault(Has(r, "default"));
    button->SetCancel(Has(r, "cancel"));
    button->SetChecked((r.flags & znc::kFlagChecked) != 0);
    if (r.bitmap) button->SetBitmapName(*r.bitmap);
  }
  if (auto* slider = dynamic_cast<ZafScrollBar*>(&object)) {
    slider->SetSlider(Has(r, "slider"));
    slider->SetVertical(Has(r, "vertical"));
    slider->SetRange(r.minimum.value_or(0), r.maximum.value_or(100), r.step.value_or(1));
    slider->SetPosition(r.value.value_or(slider->Minimum()));
  }
  if (auto* integer = dynamic_cast<ZafInteger*>(&object)) {
    integer->SetRange(r.minimum, r.maximum);
    if (r.value) integer->SetIntegerValue(*r.value);
  }
  if (auto* spin = dynamic_cast<ZafSpinControl*>(&object)) {
    spin->SetRange(r.minimum.value_or(INT32_MIN), r.maximum.value_or(INT32_MAX));
    spin->SetDelta(r.step.value_or(1));
  }
  if (auto* progress = dynamic_cast<ZafProgressBar*>(&object)) {
    progress->SetRange(r.minimum.value_or(0), r.maximum.value_or(100));
    progress->SetCurrent(r.value.value_or(progress->Minimum()));
  }
  if (auto* field = dynamic_cast<ZafString*>(&object)) field->SetReadOnly(Has(r, "readOnly"));
  if (auto* text = dynamic_cast<ZafText*>(&object)) text->SetMultiLine(Has(r, "multiLine"));
  if (auto* prompt = dynamic_cast<ZafPrompt*>(&object)) {
    prompt->SetAlignment(Has(r, "right") ? ZafAlignment::kRight
                                         : (Has(r, "center") ? ZafAlignment::kCenter : ZafAlignment::kLeft));
  }
  if (auto* group = dynamic_cast<ZafGroup*>(&object)) group->SetRadioGroup(Has(r, "radioGroup"));
  if (auto* list = dynamic_cast<ZafList*>(&object); list != nullptr && r.entries) {
    for (const StResourceEntry& e : *r.entries) list->AddEntry({e.text, e.stringId, e.value, 0});
  }
  if (auto* image = dynamic_cast<ZafImage*>(&object); image != nullptr && r.bitmap) {
    const ZafBitmapData* bitmap = nullptr;
    // An image whose bitmap is missing stays empty; the window still opens.
    if (ReadBitmap(*r.bitmap, bitmap) == kStatusOk) image->SetBitmap(*bitmap);
    else image->SetBitmapName(*r.bitmap);
  }

  auto* notebook = dynamic_cast<ZafNotebook*>(&object);
  for (const StResourceObject& childRecord : r.children) {
    std::unique_ptr<ZafWindowObject> child;
    KELVO_TRY(Build(childRecord, child));
    if (notebook != nullptr) {
      auto* page = dynamic_cast<ZafWindow*>(child.get());
      if (page == nullptr) return kStatusWrongClass;
      (void)child.release();
      notebook->AddPage(std::unique_ptr<ZafWindow>(page));
    } else {
      object.Add(std::move(child));
    }
  }
  return kStatusOk;
}

Status ZafObjectPersistence::ReadData(const std::string& name, std::unique_ptr<ZafData>& out) {
  StResourceData data;
  KELVO_TRY(m_storage.ReadData(name, data));
  if (data.className == "ZafStringData") out = std::make_unique<ZafStringData>(data.name, data.text);
  else if (data.className == "ZafIntegerData") out = std::make_unique<ZafIntegerData>(data.name, data.value);
  else if (data.className == "ZafBitmapData")
    out = std::make_unique<ZafBitmapData>(data.name, data.width, data.height, std::move(data.pixels));
  else if (data.className == znc::kLanguageClassName)
    out = std::make_unique<ZafLanguageData>(data.name, std::move(data.languages), "en");
  else
    return kStatusWrongClass;
  return kStatusOk;
}

Status ZafObjectPersistence::ReadBitmap(const std::string& name, const ZafBitmapData*& out) {
  if (m_dataManager != nullptr) {
    if (const auto* kept = m_dataManager->GetAs<ZafBitmapData>(name)) {
      out = kept;
      return kStatusOk;
    }
  }
  std::unique_ptr<ZafData> data;
  KELVO_TRY(ReadData(name, data));
  auto* bitmap = dynamic_cast<ZafBitmapData*>(data.get());
  if (bitmap == nullptr) return kStatusWrongClass;
  if (m_dataManager == nullptr) {
    // Without a data manager the persistence keeps what it read itself.
    m_ownBitmaps.push_back(std::unique_ptr<ZafBitmapData>(bitmap));
    (void)data.release();
  } else {
    m_dataManager->Add(std::move(data));
  }
  out = bitmap;
  return kStatusOk;
}

Status ZafObjectPersistence::ReadLanguageData(const std::string& name, const std::string& defaultLanguage,
                                              std::unique_ptr<ZafLanguageData>& out) {
  StResourceData data;
  KELVO_TRY(m_storage.ReadData(name, data));
  if (data.className != znc::kLanguageClassName) return kStatusWrongClass;
  out = std::make_unique<ZafLanguageData>(data.name, std::move(data.languages), defaultLanguage);
  return kStatusOk;
}
