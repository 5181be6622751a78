#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/CAppObject.h"
#include "model/CApplicationList.h"
#include "model/CModelContext.h"
#include "model/CModelFactory.h"
#include "model/CTabletObject.h"
#include "settings/CDataGrouping.h"

// Whether ApplyOrResetAllTablets writes pending values or resets them.
enum class TabletsAction { kApply, kReset };

// The root of the object model: connects to the driver, checks its version,
// keeps the lists of tablets (sub-groups of kind 0) and applications
// (kind 3), and holds the driver-wide values. Its key is the empty path.
class CDriverObject : public CDataGrouping, public CModelContext {
 public:
  // `factory` makes the model's parts from other layers; none uses the base,
  // which makes none of them.
  explicit CDriverObject(std::unique_ptr<CModelFactory> factory = nullptr);
  ~CDriverObject() override;

  // Connects: announces the applet, checks the driver's version (4110 when it
  // does not fit) and reads the application list.
  [[nodiscard]] Status SetKey(const CDataKey& key) override;
  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // Asks the driver again on every call.
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
  // Marks a tablet gone in the driver; it leaves the list at the next refresh.
  [[nodiscard]] Status RemoveSubGroup(std::int32_t index, std::int32_t kind) override;

  [[nodiscard]] CModelFactory& GetModelFactory() override { return *m_factory; }
  [[nodiscard]] CAppObject* FindApplicationById(std::uint32_t id) override {
    return m_applications.FindById(id);
  }

  [[nodiscard]] Status RefreshTabletList();
  [[nodiscard]] Status RefreshApplicationList() { return m_applications.Refresh(); }

  // The application operations of CApplicationList, as the model names them.
  [[nodiscard]] CAppObject* FindApplicationByProgram(std::string_view name) {
    return m_applications.FindByProgram(name);
  }
  [[nodiscard]] std::uint16_t GetApplicationPosition(const CAppObject* application) const {
    return m_applications.PositionOf(application);
  }
  [[nodiscard]] Status AddApplication(std::uint32_t& number) { return m_applications.Add(number); }
  [[nodiscard]] Status CheckApplication(std::int32_t& position) { return m_applications.Check(position); }
  [[nodiscard]] Status MakeApplicationId(std::string_view name, std::uint32_t& id) {
    return m_applications.MakeId(name, id);
  }
  [[nodiscard]] Status ApplyOrResetAllTablets(TabletsAction action);

  [[nodiscard]] std::size_t GetTabletCount() const { return m_tablets.size(); }
  [[nodiscard]] std::size_t GetApplicationCount() const { return m_applications.Count(); }
  [[nodiscard]] std::uint16_t GetTabletsMade() const { return m_tabletsMade; }

 private:
  [[nodiscard]] Status MakeSelectedTabletItem(CDriverData*& item);
  // Clears the session value and reads its companion, as the driver expects
  // around the applet's open flag.
  void ResetSessionValue();
  [[nodiscard]] Status WritePath(std::initializer_list<StObjectKey> levels, std::uint32_t size,
                                 const void* value);
  [[nodiscard]] Status ReadVersions(bool& fit);
  // Drops one tablet whose present flag reads 0; false when none does.
  [[nodiscard]] bool DropOneAbsentTablet();

  std::unique_ptr<CModelFactory> m_factory;
  std::vector<std::unique_ptr<CTabletObject>> m_tablets;
  std::uint16_t m_tabletsMade = 0;
  CApplicationList m_applications{*this, *this};
};
