#include "toolkit/ZafObjectPersistence.h"

#include "toolkit/ZafClassTable.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/data/ZafDataManager.h"
#include "toolkit/data/ZafIntegerData.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/data/ZafStringData.h"
#include "toolkit/storage/ZafStorage.h"
#include "toolkit/storage/ZncFormat.h"

namespace {
ZafObjectPersistence* g_default = nullptr;
}  // namespace

ZafObjectPersistence::ZafObjectPersistence(const ZafStorage& storage, ZafDataManager* dataManager)
    : m_storage(storage), m_dataManager(dataManager) {}

ZafObjectPersistence::~ZafObjectPersistence() {
  if (g_default == this) g_default = nullptr;
}

ZafObjectPersistence* ZafObjectPersistence::Default() { return g_default; }
void ZafObjectPersistence::SetDefault(ZafObjectPersistence* persistence) { g_default = persistence; }

void ZafObjectPersistence::SetWindowMaker(const std::string& name, WindowMaker maker) {
  if (maker) m_windowMakers[name] = std::move(maker);
  else m_windowMakers.erase(name);
}

Status ZafObjectPersistence::ReadInto(ZafWindow& window, const std::string& name) {
  StResourceObject record;
  KELVO_TRY(m_storage.ReadWindow(name, record));
  const StClassInfo* info = ZafClassTable::FindWindowClass(record.className);
  if (info == nullptr || !info->make) return kStatusWrongClass;
  // Only a window is read into a window: the stored class must make one.
  if (const std::unique_ptr<ZafWindowObject> probe = info->make();
      probe == nullptr || probe->WidgetKind() != ZafWidgetKind::kWindow) {
    return kStatusWrongClass;
  }
  while (!window.Children().empty()) DropChild(window);
  KELVO_TRY(Apply(record, window));
  if (window.StringID().empty()) window.SetStringID(name);
  return kStatusOk;
}

Status ZafObjectPersistence::ReadWindow(const std::string& name, std::unique_ptr<ZafWindow>& out) {
  if (auto maker = m_windowMakers.find(name); maker != m_windowMakers.end()) {
    std::unique_ptr<ZafWindow> window = maker->second();
    if (!window) return kStatusOutOfMemory;
    KELVO_TRY(ReadInto(*window, name));
    out = std::move(window);
    return kStatusOk;
  }
  StResourceObject record;
  KELVO_TRY(m_storage.ReadWindow(name, record));
  std::unique_ptr<ZafWindowObject> object;
  KELVO_TRY(Build(record, object));
  if (object->WidgetKind() != ZafWidgetKind::kWindow) return kStatusWrongClass;
  out.reset(static_cast<ZafWindow*>(object.release()));
  if (out->StringID().empty()) out->SetStringID(name);
  return kStatusOk;
}

Status ZafObjectPersistence::Build(const StResourceObject& record, std::unique_ptr<ZafWindowObject>& out) {
  const StClassInfo* info = ZafClassTable::FindWindowClass(record.className);
  if (info == nullptr || !info->make) return kStatusWrongClass;
  std::unique_ptr<ZafWindowObject> object = info->make();
  if (!object) return kStatusOutOfMemory;
  KELVO_TRY(Apply(record, *object));
  out = std::move(object);
  return kStatusOk;
}

Status ZafObjectPersistence::Apply(const StResourceObject& record, ZafWindowObject& object) {
  KELVO_TRY(object.ReadStored(record, *this));
  for (const StResourceObject& childRecord : record.children) {
    std::unique_ptr<ZafWindowObject> child;
    KELVO_TRY(Build(childRecord, child));
    KELVO_TRY(object.AdoptStored(std::move(child)));
  }
  return kStatusOk;
}

void ZafObjectPersistence::DropChild(ZafWindowObject& parent) {
  // What Subtract hands back is deleted here, on purpose.
  const std::unique_ptr<ZafWindowObject> gone = parent.Subtract(*parent.Children().back());
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
