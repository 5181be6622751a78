#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"
#include "service/CServiceNode.h"
#include "service/StProfile.h"

// The driver as the service keeps it: a tree of objects built from a profile
// and the rules that keep derived values consistent (counts follow lists,
// present flags take tablets and tools out of use, function sets follow the
// applications). Paths are the key arrays of request packets.
class CDriverModel {
 public:
  explicit CDriverModel(StProfile profile);
  CDriverModel(const CDriverModel&) = delete;
  CDriverModel& operator=(const CDriverModel&) = delete;

  using Path = std::span<const StObjectKey>;

  // `length` receives the number of bytes written to `out`.
  [[nodiscard]] Status Get(Path path, std::span<std::uint8_t> out, std::uint32_t& length) const;
  [[nodiscard]] Status GetDefault(Path path, std::span<std::uint8_t> out, std::uint32_t& length) const;
  [[nodiscard]] Status Set(Path path, std::span<const std::uint8_t> in);
  // `number` receives the number of the new element when the list has one.
  [[nodiscard]] Status Create(Path path, std::span<const std::uint8_t> in,
                              std::optional<std::uint16_t>& number);
  [[nodiscard]] Status Remove(Path path);

  [[nodiscard]] const StProfile& Profile() const { return m_profile; }
  [[nodiscard]] CServiceNode& Root() { return *m_root; }
  [[nodiscard]] const CServiceNode& Root() const { return *m_root; }
  // Grows with every change a client made; persistence watches it.
  [[nodiscard]] std::uint64_t Generation() const { return m_generation; }

  // The value a path names, its objects made on demand as a set would make
  // them; none for an unknown path.
  [[nodiscard]] CServiceValue* Materialize(Path path);

  // Numbers of the lists that clients may grow (tablets from the profile's
  // definitions, tools on a tablet).
  [[nodiscard]] Status AttachTablet(std::uint16_t definition, std::uint16_t& number);
  [[nodiscard]] Status AttachTool(std::uint32_t tablet, std::uint16_t type, std::uint32_t serial,
                                  std::uint16_t& number);
  // A tablet that is a device plugged in now, with a definition made from
  // the device: the absent tablet of an equal definition that an earlier
  // plug added comes back with the settings it kept; otherwise one is added.
  [[nodiscard]] Status PlugTablet(const StTabletProfile& definition, std::uint16_t& number);
  // The device is gone: its tablet leaves use and keeps its number and settings.
  [[nodiscard]] Status UnplugTablet(std::uint32_t number);
  // Recomputes every derived value; runs after each change.
  void Resync();

  [[nodiscard]] CServiceNode* FindApplicationById(std::uint32_t identifier, std::size_t* position) const;

 private:
  enum class WalkMode : std::uint8_t { kLookup, kMaterialize };
  [[nodiscard]] CServiceNode* Walk(Path levels, WalkMode mode) const;
  [[nodiscard]] CServiceNode* Descend(CServiceNode& node, const StObjectKey& level, WalkMode mode) const;
  [[nodiscard]] const CServiceValue* FindLeaf(Path path, std::uint32_t& index) const;
  // Get and get-default differ only in which of the value's copies they read.
  using ValueReader = Status (CServiceValue::*)(std::uint32_t, std::span<std::uint8_t>) const;
  [[nodiscard]] Status ReadLeaf(Path path, std::span<std::uint8_t> out, std::uint32_t& length,
                                ValueReader read) const;

  [[nodiscard]] Status CreateApplication(std::optional<std::uint16_t>& number);
  [[nodiscard]] Status RemoveApplication(std::uint32_t position);
  [[nodiscard]] Status RemoveFunctionPart(CServiceNode& tablet, const StObjectKey& level);
  void AddFunctionSet(CServiceNode& tablet, std::uint32_t tabletNumber, std::uint64_t uid);
  void Touch() { ++m_generation; }

  StProfile m_profile;
  std::unique_ptr<CServiceNode> m_root;
  std::vector<std::uint16_t> m_tabletDefinitions;  // profile tablet of each tablet number
  std::size_t m_profileTablets = 0;                // definitions past these came from devices
  std::uint64_t m_nextUid = 1;
  std::uint64_t m_generation = 0;
};
