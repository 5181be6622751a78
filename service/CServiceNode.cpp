#include "service/CServiceNode.h"

CServiceValue* CServiceNode::FindValue(std::uint16_t code, std::uint32_t index) {
  return const_cast<CServiceValue*>(std::as_const(*this).FindValue(code, index));
}

const CServiceValue* CServiceNode::FindValue(std::uint16_t code, std::uint32_t index) const {
  if (auto exact = m_values.find({code, index}); exact != m_values.end()) return &exact->second;
  if (index == 0) return nullptr;
  auto whole = m_values.find({code, 0});
  if (whole != m_values.end() && whole->second.HasIndex(index)) return &whole->second;
  return nullptr;
}

CServiceValue& CServiceNode::PutValue(std::uint16_t code, std::uint32_t index, CServiceValue value) {
  return m_values.insert_or_assign({code, index}, std::move(value)).first->second;
}

CServiceNode* CServiceNode::FindChild(const StNodeKey& key) const {
  auto found = m_children.find(key);
  return found == m_children.end() ? nullptr : found->second.get();
}

CServiceNode& CServiceNode::PutChild(const StNodeKey& key, std::unique_ptr<CServiceNode> child) {
  auto& slot = m_children[key];
  slot = std::move(child);
  return *slot;
}

std::unique_ptr<CServiceNode> CServiceNode::TakeChild(const StNodeKey& key) {
  auto found = m_children.find(key);
  if (found == m_children.end()) return nullptr;
  std::unique_ptr<CServiceNode> child = std::move(found->second);
  m_children.erase(found);
  return child;
}

void CServiceNode::PutTemplate(std::uint16_t code, std::uint32_t qualifier,
                               std::unique_ptr<CServiceNode> prototype) {
  m_templates[{code, qualifier}] = std::move(prototype);
}

CServiceNode* CServiceNode::Instantiate(const StNodeKey& key) {
  auto found = m_templates.find({key.code, key.qualifier});
  if (found == m_templates.end()) return nullptr;
  return &PutChild(key, found->second->Clone());
}

const CServiceNode* CServiceNode::FindTemplate(std::uint16_t code, std::uint32_t qualifier) const {
  auto found = m_templates.find({code, qualifier});
  return found == m_templates.end() ? nullptr : found->second.get();
}

std::unique_ptr<CServiceNode> CServiceNode::Clone() const {
  auto copy = std::make_unique<CServiceNode>(m_kind);
  copy->m_uid = m_uid;
  copy->m_values = m_values;
  for (const auto& [key, child] : m_children) copy->m_children[key] = child->Clone();
  for (const auto& [key, child] : m_templates) copy->m_templates[key] = child->Clone();
  for (const auto& [key, child] : m_hidden) copy->m_hidden[key] = child->Clone();
  return copy;
}
