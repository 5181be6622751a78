#include "service/CDriverModel.h"

#include <algorithm>
#include <cstring>

#include "service/CFunctionSetBuilder.h"
#include "service/CLivePen.h"
#include "service/CMappingContexts.h"
#include "service/CModelBuilder.h"
#include "service/CModelConsistency.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

StNodeKey KeyOf(const StObjectKey& level) { return {level.code, level.index, level.qualifier}; }

std::uint32_t AsIndex(std::uint64_t uid) { return static_cast<std::uint32_t>(uid); }

}  // namespace

CDriverModel::CDriverModel(StProfile profile) : m_profile(std::move(profile)) {
  m_root = CModelBuilder::MakeRoot(m_profile);
  m_profileTablets = m_profile.tablets.size();
  for (std::size_t i = 0; i < m_profile.tablets.size(); ++i)
    m_tabletDefinitions.push_back(static_cast<std::uint16_t>(i));
  CServiceNode& apps = *m_root->FindChild({sc::kApplicationList, 0, 0});
  std::vector<StApplicationProfile> applications = m_profile.applications;
  if (applications.empty()) applications.push_back({});
  std::uint32_t number = 0;
  for (const StApplicationProfile& app : applications) {
    auto node = CModelBuilder::MakeApplication(app);
    node->m_uid = m_nextUid++;
    const std::uint64_t uid = node->m_uid;
    apps.PutChild({sc::kApplication, number++, 0}, std::move(node));
    for (std::uint32_t t = 0; t < m_tabletDefinitions.size(); ++t)
      AddFunctionSet(*m_root->FindChild({sc::kTablet, t, 0}), t, uid);
  }
  Resync();
}

CServiceNode* CDriverModel::Descend(CServiceNode& node, const StObjectKey& level, WalkMode mode) const {
  StNodeKey key = KeyOf(level);
  // A tool named by the type word of a report: its kind bits are no part of the type.
  if (node.Kind() == NodeKind::kTablet && level.qualifier == sc::kByIdentifier && level.code == sc::kTool)
    key.index &= sc::kRecordTypeCode;
  if (node.Kind() == NodeKind::kTablet && level.qualifier == sc::kByIdentifier &&
      (level.code == sc::kFunctionArea || level.code == sc::kFunctionSet)) {
    const CServiceNode* app = FindApplicationById(level.index, nullptr);
    if (app == nullptr) return nullptr;
    auto found = node.Hidden().find({level.code, AsIndex(app->m_uid), 0});
    return found == node.Hidden().end() ? nullptr : found->second.get();
  }
  if (CServiceNode* child = node.FindChild(key)) return child;
  if (mode == WalkMode::kMaterialize) return node.Instantiate(key);
  return const_cast<CServiceNode*>(node.FindTemplate(key.code, key.qualifier));
}

CServiceNode* CDriverModel::Walk(Path levels, WalkMode mode) const {
  CServiceNode* node = m_root.get();
  for (const StObjectKey& level : levels) {
    node = Descend(*node, level, mode);
    if (node == nullptr) return nullptr;
  }
  return node;
}

CServiceNode* CDriverModel::FindApplicationById(std::uint32_t identifier, std::size_t* position) const {
  CServiceNode* apps = m_root->FindChild({sc::kApplicationList, 0, 0});
  std::size_t at = 0;
  for (auto& [key, app] : apps->Children()) {
    if (key.code != sc::kApplication) continue;
    if (app->FindValue(sc::kAppIdentifier, 0)->Load(0) == identifier) {
      if (position != nullptr) *position = at;
      return app.get();
    }
    ++at;
  }
  return nullptr;
}

const CServiceValue* CDriverModel::FindLeaf(Path path, std::uint32_t& index) const {
  if (path.empty()) return nullptr;
  const StObjectKey& leaf = path.back();
  if (leaf.qualifier != 0) return nullptr;
  const CServiceNode* node = Walk(path.first(path.size() - 1), WalkMode::kLookup);
  if (node == nullptr) return nullptr;
  // A value stored under its own (code, index) is read whole.
  index = node->Values().contains({leaf.code, leaf.index}) ? 0 : leaf.index;
  return node->FindValue(leaf.code, leaf.index);
}

Status CDriverModel::ReadLeaf(Path path, std::span<std::uint8_t> out, std::uint32_t& length,
                              ValueReader read) const {
  length = 0;
  std::uint32_t index = 0;
  const CServiceValue* value = FindLeaf(path, index);
  if (value == nullptr) return kStatusNotFound;
  const std::uint32_t size = value->SizeOf(index);
  if (size > out.size()) return kStatusDataTooLong;
  KELVO_TRY((value->*read)(index, out.first(size)));
  length = size;
  return kStatusOk;
}

Status CDriverModel::Get(Path path, std::span<std::uint8_t> out, std::uint32_t& length) const {
  return ReadLeaf(path, out, length, &CServiceValue::Read);
}

Status CDriverModel::GetDefault(Path path, std::span<std::uint8_t> out, std::uint32_t& length) const {
  return ReadLeaf(path, out, length, &CServiceValue::ReadDefault);
}

Status CDriverModel::Set(Path path, std::span<const std::uint8_t> in) {
  std::uint32_t index = 0;
  const CServiceValue* found = FindLeaf(path, index);
  if (found == nullptr) return kStatusNotFound;
  if (found->IsReadOnly()) return kStatusReadOnly;
  if (found->SizeOf(index) != in.size()) return kStatusWrongSize;
  // A report of the tablet in use is no change a client made.
  if (path.size() == 2 && path[0].code == sc::kTablet && sc::IsLiveRecord(path[1].code))
    return CLivePen::Report(*m_root, path[0].index, path.back().code, path.back().index, in);
  // Only now may a path through prototypes become real objects.
  CServiceNode* node = Walk(path.first(path.size() - 1), WalkMode::kMaterialize);
  if (node == nullptr) return kStatusNotFound;
  CServiceValue* value = node->FindValue(path.back().code, path.back().index);
  if (value == nullptr) return kStatusNotFound;
  KELVO_TRY(value->Write(index, in));
  if (path.back().code == sc::kPopupReset && node->Kind() == NodeKind::kPopup) {
    for (const std::uint16_t code : std::initializer_list<std::uint16_t>{231, 230}) {
      CServiceValue* reset = node->FindValue(code, 0);
      std::vector<std::uint8_t> factory(reset->SizeOf(0), 0);
      if (reset->ReadDefault(0, factory) == kStatusOk)
        DropStatus(reset->Write(0, factory),
                   "the factory value was just read from this very value, so it fits");
    }
  }
  Touch();
  Resync();
  return kStatusOk;
}

Status CDriverModel::Create(Path path, std::span<const std::uint8_t> in, std::optional<std::uint16_t>& number) {
  number.reset();
  if (path.empty()) return kStatusNotFound;
  const StObjectKey& last = path.back();
  CServiceNode* owner = Walk(path.first(path.size() - 1), WalkMode::kMaterialize);
  if (owner == nullptr) return kStatusNotFound;
  std::uint16_t made = 0;
  if (owner->Kind() == NodeKind::kAppList && last.code == sc::kApplicationEntry) {
    return CreateApplication(number);
  }
  if (owner->Kind() == NodeKind::kPopup && last.code == sc::kPopupItem) {
    const auto count = static_cast<std::uint32_t>(owner->FindValue(sc::kPopupCount, 0)->Load(0));
    owner->PutChild({sc::kPopupEntry, count, 0}, CFunctionSetBuilder::MakePopupEntry(0));
    made = static_cast<std::uint16_t>(count);
  } else if (owner->Kind() == NodeKind::kTablet && last.code == sc::kTool) {
    std::uint16_t type = 2;
    std::uint32_t serial = 0;
    if (in.size() >= 2) type = static_cast<std::uint16_t>(in[0] | (in[1] << 8));
    if (in.size() >= 6) std::memcpy(&serial, in.data() + 2, 4);
    const std::uint32_t tablet = path[path.size() - 2].index;
    KELVO_TRY(AttachTool(tablet, type, serial, made));
  } else if (owner == m_root.get() && last.code == sc::kTablet) {
    const std::uint16_t definition = in.size() >= 2 ? static_cast<std::uint16_t>(in[0] | (in[1] << 8)) : 0;
    KELVO_TRY(AttachTablet(definition, made));
  } else {
    return owner->FindValue(last.code, last.index) != nullptr || owner->FindChild(KeyOf(last)) != nullptr
               ? kStatusNotSupported
               : kStatusNotFound;
  }
  number = made;
  Touch();
  Resync();
  return kStatusOk;
}

Status CDriverModel::CreateApplication(std::optional<std::uint16_t>& number) {
  CServiceNode& apps = *m_root->FindChild({sc::kApplicationList, 0, 0});
  const auto count = static_cast<std::uint32_t>(apps.FindValue(sc::kCount, 0)->Load(0));
  auto app = CModelBuilder::MakeApplication({});
  app->m_uid = m_nextUid++;
  const std::uint64_t uid = app->m_uid;
  apps.PutChild({sc::kApplication, count, 0}, std::move(app));
  for (std::uint32_t t = 0; t < m_tabletDefinitions.size(); ++t)
    AddFunctionSet(*m_root->FindChild({sc::kTablet, t, 0}), t, uid);
  number = static_cast<std::uint16_t>(count);
  Touch();
  Resync();
  return kStatusOk;
}

void CDriverModel::AddFunctionSet(CServiceNode& tablet, std::uint32_t tabletNumber, std::uint64_t uid) {
  const StTabletProfile& definition = m_profile.tablets[m_tabletDefinitions[tabletNumber]];
  // Applications of the profile were numbered first, in its order.
  const StApplicationProfile* application =
      uid >= 1 && uid <= m_profile.applications.size() ? &m_profile.applications[uid - 1] : nullptr;
  tablet.Hidden()[{sc::kFunctionArea, AsIndex(uid), 0}] = CFunctionSetBuilder::MakeFunctionArea(definition, application);
  tablet.Hidden()[{sc::kFunctionSet, AsIndex(uid), 0}] = CFunctionSetBuilder::MakePopup(application);
}

Status CDriverModel::AttachTablet(std::uint16_t definition, std::uint16_t& number) {
  if (definition >= m_profile.tablets.size()) return kStatusNotFound;
  number = static_cast<std::uint16_t>(m_tabletDefinitions.size());
  m_tabletDefinitions.push_back(definition);
  CServiceNode& tablet =
      m_root->PutChild({sc::kTablet, number, 0}, CModelBuilder::MakeTablet(m_profile.tablets[definition]));
  const CServiceNode& apps = *m_root->FindChild({sc::kApplicationList, 0, 0});
  for (const auto& [key, app] : apps.Children()) AddFunctionSet(tablet, number, app->m_uid);
  Touch();
  Resync();
  return kStatusOk;
}

Status CDriverModel::PlugTablet(const StTabletProfile& definition, std::uint16_t& number) {
  const auto same = [&](const StTabletProfile& known) {
    return known.model == definition.model && known.name == definition.name && known.width == definition.width &&
           known.height == definition.height && known.pressureLevels == definition.pressureLevels &&
           known.tools.size() == definition.tools.size();
  };
  for (std::size_t t = 0; t < m_tabletDefinitions.size(); ++t) {
    if (m_tabletDefinitions[t] < m_profileTablets || !same(m_profile.tablets[m_tabletDefinitions[t]])) continue;
    CServiceValue* present = m_root->FindChild({sc::kTablet, static_cast<std::uint32_t>(t), 0})->FindValue(sc::kPresent, 0);
    if (present->Load(0) != 0) continue;  // an equal device plugged in beside it
    present->Store(0, 1);
    number = static_cast<std::uint16_t>(t);
    Touch();
    Resync();
    return kStatusOk;
  }
  if (m_profile.tablets.size() >= UINT16_MAX) return kStatusOutOfMemory;
  m_profile.tablets.push_back(definition);
  return AttachTablet(static_cast<std::uint16_t>(m_profile.tablets.size() - 1), number);
}

Status CDriverModel::UnplugTablet(std::uint32_t number) {
  CServiceNode* tablet = m_root->FindChild({sc::kTablet, number, 0});
  if (tablet == nullptr) return kStatusNotFound;
  tablet->FindValue(sc::kPresent, 0)->Store(0, 0);
  Touch();
  Resync();
  return kStatusOk;
}

Status CDriverModel::AttachTool(std::uint32_t tablet, std::uint16_t type, std::uint32_t serial,
                                std::uint16_t& number) {
  CServiceNode* node = m_root->FindChild({sc::kTablet, tablet, 0});
  if (node == nullptr || tablet >= m_tabletDefinitions.size()) return kStatusNotFound;
  const auto count = static_cast<std::uint32_t>(node->FindValue(sc::kCount, 4)->Load(0));
  StToolProfile tool;
  tool.type = type;
  tool.serial = serial;
  tool.eraser = CModelBuilder::ClassOf(type) == CModelBuilder::ToolClass::kStylus;
  tool.buttons = 4;
  tool.wheel = CModelBuilder::ClassOf(type) == CModelBuilder::ToolClass::kPuck;
  node->PutChild({sc::kTool, count, 0},
                 CModelBuilder::MakeTool(tool, m_profile.tablets[m_tabletDefinitions[tablet]]));
  number = static_cast<std::uint16_t>(count);
  Touch();
  Resync();
  return kStatusOk;
}

Status CDriverModel::Remove(Path path) {
  if (path.empty()) return kStatusNotFound;
  const StObjectKey& last = path.back();
  // A mapping context is removed through a path of its own shape.
  bool contextGone = false;
  if (const std::optional<Status> removed = CMappingContexts::Remove(*m_root, path, contextGone)) {
    if (contextGone) Touch();
    return *removed;
  }
  CServiceNode* owner = Walk(path.first(path.size() - 1), WalkMode::kLookup);
  if (owner == nullptr) return kStatusNotFound;
  if (owner->Kind() == NodeKind::kAppList && last.code == sc::kApplicationEntry)
    return RemoveApplication(last.index);
  if (owner->Kind() == NodeKind::kTablet && last.qualifier == sc::kByIdentifier &&
      (last.code == sc::kRemoveArea || last.code == sc::kRemovePopup))
    return RemoveFunctionPart(*owner, last);
  if (owner->Kind() == NodeKind::kPopup && last.code == sc::kPopupItem) {
    const auto count = static_cast<std::uint32_t>(owner->FindValue(sc::kPopupCount, 0)->Load(0));
    if (last.index >= count) return kStatusNotFound;
    (void)owner->TakeChild({sc::kPopupEntry, last.index, 0});
    for (std::uint32_t p = last.index + 1; p < count; ++p)
      owner->PutChild({sc::kPopupEntry, p - 1, 0}, owner->TakeChild({sc::kPopupEntry, p, 0}));
    Touch();
    Resync();
    return kStatusOk;
  }
  CServiceNode* element = owner->FindChild(KeyOf(last));
  if (element != nullptr && (element->Kind() == NodeKind::kTablet || element->Kind() == NodeKind::kTool)) {
    // Tablets and tools keep their number; they only leave use.
    element->FindValue(sc::kPresent, 0)->Store(0, 0);
    Touch();
    Resync();
    return kStatusOk;
  }
  return element != nullptr || owner->FindValue(last.code, last.index) != nullptr ? kStatusNotSupported
                                                                                  : kStatusNotFound;
}

Status CDriverModel::RemoveApplication(std::uint32_t position) {
  CServiceNode& apps = *m_root->FindChild({sc::kApplicationList, 0, 0});
  const auto count = static_cast<std::uint32_t>(apps.FindValue(sc::kCount, 0)->Load(0));
  if (position >= count) return kStatusNotFound;
  // The first entry stands for every program without settings of its own.
  if (position == 0) return kStatusNotSupported;
  const std::unique_ptr<CServiceNode> gone = apps.TakeChild({sc::kApplication, position, 0});
  for (std::uint32_t p = position + 1; p < count; ++p)
    apps.PutChild({sc::kApplication, p - 1, 0}, apps.TakeChild({sc::kApplication, p, 0}));
  for (auto& [key, tablet] : m_root->Children()) {
    if (key.code != sc::kTablet) continue;
    tablet->Hidden().erase({sc::kFunctionArea, AsIndex(gone->m_uid), 0});
    tablet->Hidden().erase({sc::kFunctionSet, AsIndex(gone->m_uid), 0});
  }
  Touch();
  Resync();
  return kStatusOk;
}

Status CDriverModel::RemoveFunctionPart(CServiceNode& tablet, const StObjectKey& level) {
  std::size_t position = 0;
  const CServiceNode* app = FindApplicationById(level.index, &position);
  if (app == nullptr) return kStatusNotFound;
  if (position == 0) return kStatusNotSupported;
  const std::uint16_t part = level.code == sc::kRemoveArea ? sc::kFunctionArea : sc::kFunctionSet;
  // The tablet menu and the buttons area share one part; the second removal finds it gone.
  if (tablet.Hidden().erase({part, AsIndex(app->m_uid), 0}) == 0) return kStatusOk;
  Touch();
  Resync();
  return kStatusOk;
}

void CDriverModel::Resync() { CModelConsistency::Resync(*m_root); }

CServiceValue* CDriverModel::Materialize(Path path) {
  std::uint32_t index = 0;
  if (FindLeaf(path, index) == nullptr) return nullptr;
  CServiceNode* node = Walk(path.first(path.size() - 1), WalkMode::kMaterialize);
  return node == nullptr ? nullptr : node->FindValue(path.back().code, path.back().index);
}
