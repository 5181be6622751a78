#include "toolkit/ZafClassTable.h"

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
#include "toolkit/controls/ZafDecoration.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafText.h"
#include "toolkit/controls/ZafVtList.h"
#include "toolkit/storage/ZncFormat.h"

namespace {

template <typename T>
ZafClassMaker Make() {
  return [] { return std::make_unique<T>(); };
}

// A toolkit class stored under another class's name.
template <typename T>
ZafClassMaker MakeNamed(const char* className) {
  return [className] { return std::make_unique<T>(className); };
}

std::uint32_t Styles(std::initializer_list<std::string_view> names) {
  std::uint32_t bits = 0;
  for (std::string_view name : names) bits |= znc::StyleBit(name);
  return bits;
}

std::deque<StClassInfo> BuiltInWindowClasses() {
  const std::uint32_t window = Styles({"modal", "sizeable", "frameless"});
  const std::uint32_t button = Styles({"pushButton", "checkBox", "radioButton", "default", "cancel"});
  const std::uint32_t field = Styles({"readOnly", "captureKeys"});
  // Table order matters: the first row with a name wins.
  return {
      {3500, "ZafWindow", window, Make<ZafWindow>()},
      {1, "ZafBorder", 0, MakeNamed<ZafDecoration>("ZafBorder")},
      {8, "ZafMinimizeButton", 0, MakeNamed<ZafDecoration>("ZafMinimizeButton")},
      {1006, "ZafSystemButton", 0, MakeNamed<ZafDecoration>("ZafSystemButton")},
      {17, "ZafTitle", 0, MakeNamed<ZafDecoration>("ZafTitle")},
      {23, "ZafGroup", Styles({"radioGroup"}), Make<ZafGroup>()},
      {2, "ZafButton", button, Make<ZafButton>()},
      {32, "ZafBitmap", 0, Make<ZafBitmap>()},
      {11, "ZafPrompt", Styles({"right", "center"}), Make<ZafPrompt>()},
      {1018, "ZafNotebook", 0, Make<ZafNotebook>()},
      {1007, "ZafWindow", window, Make<ZafWindow>()},
      {1005, "ZafScrollBar", Styles({"slider", "horizontal", "vertical"}), Make<ZafScrollBar>()},
      {1008, "ZafComboBox", Styles({"dropDownList"}), Make<ZafComboBox>()},
      {1010, "ZafVtList", 0, Make<ZafVtList>()},
      {1017, "ZafSpinControl", 0, Make<ZafSpinControl>()},
      {6, "ZafInteger", 0, Make<ZafInteger>()},
      {22, "ZafDialogWindow", window, Make<ZafDialogWindow>()},
      {7, "ZafMaximizeButton", 0, MakeNamed<ZafDecoration>("ZafMaximizeButton")},
      {13, "ZafString", field, Make<ZafString>()},
      {1004, "ZafPullDownMenu", 0, MakeNamed<ZafPopUpMenu>("ZafPullDownMenu")},
      {1003, "ZafPullDownItem", 0, MakeNamed<ZafPopUpItem>("ZafPullDownItem")},
      {1002, "ZafPopUpMenu", 0, Make<ZafPopUpMenu>()},
      {19, "ZafPopUpItem", 0, Make<ZafPopUpItem>()},
      {15, "ZafText", field | Styles({"multiLine"}), Make<ZafText>()},
      {1024, "ZafTreeList", 0, MakeNamed<ZafVtList>("ZafTreeList")},
      {27, "ZafTreeItem", 0, MakeNamed<ZafDecoration>("ZafTreeItem")},
      {20, "ZafImage", 0, Make<ZafImage>()},
      {1007, "CScrollWindow", 0, Make<CScrollWindow>()},
      {1012, "ZafProgressBar", 0, Make<ZafProgressBar>()},
      {1012, "CProgressBar", 0, Make<CProgressBar>()},
      {1007, "CPressureTestWnd", 0, Make<CPressureTestWnd>()},
      {5, "ZafIcon", 0, MakeNamed<ZafImage>("ZafIcon")},
      {6, "CIntegerEditControl", 0, Make<CIntegerEditControl>()},
      // The system's own controls that are built in code or added later.
      {2, "CScrollButton", button, Make<CScrollButton>()},
      {1007, "CThumbnail", 0, Make<CThumbnail>()},
      {1007, "CMouseCaptureWindow", 0, Make<CMouseCaptureWindow>()},
  };
}

std::deque<StClassInfo>& WindowRows() {
  static std::deque<StClassInfo> rows = BuiltInWindowClasses();
  return rows;
}

const StClassInfo* FindIn(const std::deque<StClassInfo>& table, std::string_view name) {
  for (const StClassInfo& row : table) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace

const std::deque<StClassInfo>& ZafClassTable::WindowClasses() { return WindowRows(); }

const std::deque<StClassInfo>& ZafClassTable::DataClasses() {
  static const std::deque<StClassInfo> rows = {
      {3105, "ZafStringData", 0, {}},
      {3110, "ZafScrollData", 0, {}},
      {3103, "ZafIntegerData", 0, {}},
      {3112, "ZafBitmapData", 0, {}},
      {znc::kLanguageClassId, std::string(znc::kLanguageClassName), 0, {}},
  };
  return rows;
}

const StClassInfo* ZafClassTable::FindWindowClass(std::string_view name) { return FindIn(WindowRows(), name); }

const StClassInfo* ZafClassTable::FindDataClass(std::string_view name) { return FindIn(DataClasses(), name); }

bool ZafClassTable::KnowsWindowClass(std::string_view name, std::uint16_t id) {
  for (const StClassInfo& row : WindowRows()) {
    if (row.name == name && row.id == id) return true;
  }
  return false;
}

Status ZafClassTable::Register(StClassInfo row) {
  if (!row.make || row.name.empty()) return kStatusMissingArgument;
  if (FindWindowClass(row.name) != nullptr) return kStatusAlreadyExists;
  WindowRows().push_back(std::move(row));
  return kStatusOk;
}
