#include "toolkit/storage/ZafClassTable.h"

#include <array>

#include "toolkit/storage/ZncFormat.h"

namespace {

// Table order matters: the first row with a name wins.
constexpr std::array<StClassInfo, 37> kWindowClasses = {{
    {3500, "ZafWindow"},       {1, "ZafBorder"},          {8, "ZafMinimizeButton"},
    {1006, "ZafSystemButton"}, {17, "ZafTitle"},          {23, "ZafGroup"},
    {2, "ZafButton"},          {32, "ZafBitmap"},         {11, "ZafPrompt"},
    {1018, "ZafNotebook"},     {1007, "ZafWindow"},       {1005, "ZafScrollBar"},
    {1008, "ZafComboBox"},     {1010, "ZafVtList"},       {1017, "ZafSpinControl"},
    {6, "ZafInteger"},         {22, "ZafDialogWindow"},   {7, "ZafMaximizeButton"},
    {13, "ZafString"},         {1004, "ZafPullDownMenu"}, {1003, "ZafPullDownItem"},
    {1002, "ZafPopUpMenu"},    {19, "ZafPopUpItem"},      {15, "ZafText"},
    {1024, "ZafTreeList"},     {27, "ZafTreeItem"},       {1010, "ZafVtList"},
    {20, "ZafImage"},          {1007, "CScrollWindow"},   {1012, "ZafProgressBar"},
    {1012, "CProgressBar"},    {1007, "CPressureTestWnd"}, {5, "ZafIcon"},
    {6, "CIntegerEditControl"},
    // The system's own controls that are built in code or added later.
    {2, "CScrollButton"},      {1007, "CThumbnail"},      {1007, "CMouseCaptureWindow"},
}};

constexpr std::array<StClassInfo, 5> kDataClasses = {{
    {3105, "ZafStringData"},
    {3110, "ZafScrollData"},
    {3103, "ZafIntegerData"},
    {3112, "ZafBitmapData"},
    {znc::kLanguageClassId, znc::kLanguageClassName},
}};

const StClassInfo* FindIn(std::span<const StClassInfo> table, std::string_view name) {
  for (const StClassInfo& row : table) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace

std::span<const StClassInfo> ZafClassTable::WindowClasses() { return kWindowClasses; }
std::span<const StClassInfo> ZafClassTable::DataClasses() { return kDataClasses; }

const StClassInfo* ZafClassTable::FindWindowClass(std::string_view name) {
  return FindIn(kWindowClasses, name);
}

const StClassInfo* ZafClassTable::FindDataClass(std::string_view name) {
  return FindIn(kDataClasses, name);
}
