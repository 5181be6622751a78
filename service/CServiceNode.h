#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "service/CServiceValue.h"

// What a node of the driver model stands for; the model gives some kinds
// rules of their own (counts, present flags, lists that create and remove).
enum class NodeKind : std::uint8_t {
  kGeneric,
  kRoot,
  kTablet,
  kTool,
  kAppList,
  kApp,
  kFunctionArea,
  kPopup,
  kMappingTop,
};

// One level of a path as the model stores it.
struct StNodeKey {
  std::uint16_t code = 0;
  std::uint32_t index = 0;
  std::uint32_t qualifier = 0;
  auto operator<=>(const StNodeKey&) const = default;
};

using ValueId = std::pair<std::uint16_t, std::uint32_t>;  // item code, index

// An object of the driver: values by (item code, index), child objects by
// path level, and prototypes from which children of any index are made on
// first use (mapping contexts, pressure paths keyed by tool identity).
class CServiceNode {
 public:
  explicit CServiceNode(NodeKind kind = NodeKind::kGeneric) : m_kind(kind) {}
  CServiceNode(const CServiceNode&) = delete;
  CServiceNode& operator=(const CServiceNode&) = delete;

  [[nodiscard]] NodeKind Kind() const { return m_kind; }

  // The value that (code, index) names: an exact entry, else the index-0
  // value of that code when its kind gives the index a meaning.
  [[nodiscard]] CServiceValue* FindValue(std::uint16_t code, std::uint32_t index);
  [[nodiscard]] const CServiceValue* FindValue(std::uint16_t code, std::uint32_t index) const;
  CServiceValue& PutValue(std::uint16_t code, std::uint32_t index, CServiceValue value);
  void PutValue(std::uint16_t code, CServiceValue value) { PutValue(code, 0, std::move(value)); }

  [[nodiscard]] CServiceNode* FindChild(const StNodeKey& key) const;
  CServiceNode& PutChild(const StNodeKey& key, std::unique_ptr<CServiceNode> child);
  std::unique_ptr<CServiceNode> TakeChild(const StNodeKey& key);

  // Children of this code and qualifier that do not exist yet are made from
  // `prototype` when a path asks for them.
  void PutTemplate(std::uint16_t code, std::uint32_t qualifier, std::unique_ptr<CServiceNode> prototype);
  [[nodiscard]] CServiceNode* Instantiate(const StNodeKey& key);
  [[nodiscard]] const CServiceNode* FindTemplate(std::uint16_t code, std::uint32_t qualifier) const;

  // Children that no path names directly (function sets kept per application).
  [[nodiscard]] std::map<StNodeKey, std::unique_ptr<CServiceNode>>& Hidden() { return m_hidden; }

  [[nodiscard]] std::map<StNodeKey, std::unique_ptr<CServiceNode>>& Children() { return m_children; }
  [[nodiscard]] const std::map<StNodeKey, std::unique_ptr<CServiceNode>>& Children() const {
    return m_children;
  }
  [[nodiscard]] std::map<ValueId, CServiceValue>& Values() { return m_values; }
  [[nodiscard]] const std::map<ValueId, CServiceValue>& Values() const { return m_values; }

  [[nodiscard]] std::unique_ptr<CServiceNode> Clone() const;

  // A number the model gives lasting identity with (applications).
  std::uint64_t m_uid = 0;

 private:
  NodeKind m_kind;
  std::map<ValueId, CServiceValue> m_values;
  std::map<StNodeKey, std::unique_ptr<CServiceNode>> m_children;
  std::map<std::pair<std::uint16_t, std::uint32_t>, std::unique_ptr<CServiceNode>> m_templates;
  std::map<StNodeKey, std::unique_ptr<CServiceNode>> m_hidden;
};
