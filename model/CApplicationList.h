#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/CAppObject.h"
#include "model/CModelContext.h"

// The driver's application list as the driver object holds it: one object
// per entry (kind 3 of the driver object), kept in step with the driver's
// counts, with the look-ups and the upkeep that keep entries unique. Every
// path is under the owner's key.
class CApplicationList {
 public:
  CApplicationList(const CDataGrouping& owner, CModelContext& context);
  ~CApplicationList();
  CApplicationList(const CApplicationList&) = delete;
  CApplicationList& operator=(const CApplicationList&) = delete;

  // Makes objects for new entries and lets go of those past the count.
  [[nodiscard]] Status Refresh();
  [[nodiscard]] std::size_t Count() const { return m_applications.size(); }
  [[nodiscard]] CAppObject* At(std::size_t position) const { return m_applications[position].get(); }

  // Each refreshes the list first.
  [[nodiscard]] CAppObject* FindById(std::uint32_t id);
  // The first application whose program name is exactly `name`, or none.
  [[nodiscard]] CAppObject* FindByProgram(std::string_view name);
  // Position of the application in the list; 0 when it is not there.
  [[nodiscard]] std::uint16_t PositionOf(const CAppObject* application) const;
  // Asks the driver for a new entry; `number` receives it.
  [[nodiscard]] Status Add(std::uint32_t& number);
  // Keeps the list free of nameless and duplicate entries. `position` names
  // the entry to check; when the entry goes, it receives the position of the
  // entry with the same program name, or -1.
  [[nodiscard]] Status Check(std::int32_t& position);
  // An identifier for a program name that no other program holds.
  [[nodiscard]] Status MakeId(std::string_view name, std::uint32_t& id);

 private:
  const CDataGrouping& m_owner;
  CModelContext& m_context;
  std::vector<std::unique_ptr<CAppObject>> m_applications;
  std::uint16_t m_made = 0;
};
