#pragma once

#include <cstdint>
#include <memory>

#include "settings/StItemRow.h"
#include "views/CSuperView.h"

class CListSuperView;

// Data of the list requests. Get and Set: the list (none: this one), the
// mode and what GetEntry writes or SelectEntry reads.
struct StListForward {
  CListSuperView* list = nullptr;
  std::uint32_t mode = 0;
  void* data = nullptr;
};
struct StListCount {
  CListSuperView* list = nullptr;
  std::uint32_t count = 0;  // out
};
struct StListEntryAt {
  std::uint32_t index = 0;
  CListSuperView* list = nullptr;
  CListSuperView* entry = nullptr;  // out; none past the end
};
struct StListMove {
  CListSuperView* entry = nullptr;
  CListSuperView* target = nullptr;
  std::uint32_t where = 0;  // 1: after the target, else before it
};

// GetEntry and SelectEntry mode: the entry by its key.
inline constexpr std::uint32_t kListByKey = 1;
// Item of the list's data object that holds the selected entry's index.
inline constexpr ItemId kListSelectionItem = 12;

// A list of entries: one entry view per child grouping of the list's data
// object, kept in step with the data on every refresh. An entry is a list
// view of the same class, so entries may hold entries of their own.
class CListSuperView : public CSuperView {
 public:
  // `entryControlId` is given to every entry; the list also answers for a
  // selection control and a companion control when they are not 0.
  CListSuperView(std::uint32_t controlId, std::uint32_t entryControlId = 0,
                 std::uint32_t selectionId = 0, std::uint32_t companionId = 0);
  ~CListSuperView() override;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Detach() override;

  [[nodiscard]] virtual ViewResult OnDialogClosed(ViewRequest& request);
  // Grows or shrinks the entries to the data's children and hands them the request.
  [[nodiscard]] virtual ViewResult RefreshEntries(ViewRequest& request);
  [[nodiscard]] virtual ViewResult ForwardGet(CListSuperView* list, std::uint32_t mode, void* out);
  [[nodiscard]] virtual ViewResult ForwardSet(CListSuperView* list, std::uint32_t mode, void* data);
  [[nodiscard]] virtual ViewResult OnCompanion(std::uint32_t id);
  [[nodiscard]] virtual ViewResult OnSelect(std::uint32_t key);
  [[nodiscard]] virtual Status CreateEntry(std::unique_ptr<CListSuperView>& entry) = 0;
  // Whether the entry stands for a group rather than a choice.
  [[nodiscard]] virtual bool IsEntryHandle(const CListSuperView* entry) const;
  virtual void MakeEntry() { m_isEntry = true; }
  // Mode 1: the key of the selected entry (32 bits at `out`).
  [[nodiscard]] virtual ViewResult GetEntry(std::uint32_t mode, void* out);
  // Mode 1: selects the entry whose key is the 32 bits at `data`.
  [[nodiscard]] virtual ViewResult SelectEntry(std::uint32_t mode, void* data);
  [[nodiscard]] virtual Status EntryKey(std::uint32_t& key) const;

  [[nodiscard]] bool IsEntry() const { return m_isEntry; }
  [[nodiscard]] CListSuperView* Parent() const { return m_parent; }
  [[nodiscard]] bool IsChanged() const { return m_changed != 0; }
  [[nodiscard]] std::size_t EntryCount() const { return Count(); }
  [[nodiscard]] CListSuperView* EntryAt(std::size_t position) const;
  // The view that shows the selected entry's data; the list keeps it.
  void SetSelectionView(std::unique_ptr<CKelvoView> view) { m_selectionView = std::move(view); }

 protected:
  void SetPendingDialog(std::uint32_t controlId) { m_pendingDialog = controlId; }
  [[nodiscard]] std::uint32_t GetPendingDialog() const { return m_pendingDialog; }

 private:
  [[nodiscard]] ViewResult HandleOwnRequest(ViewRequest& request);
  // This list for none or itself, else the nested list found depth-first.
  [[nodiscard]] CListSuperView* FindList(CListSuperView* list);
  // The list holding `entry` (depth-first), or none.
  [[nodiscard]] CListSuperView* FindHolder(const CListSuperView* entry);
  [[nodiscard]] CListSuperView* FindByKey(std::uint32_t key);
  [[nodiscard]] Status SyncEntries();
  [[nodiscard]] ViewResult MoveEntry(const StListMove& move);

  bool m_isEntry = false;
  std::uint32_t m_entryControlId;
  std::uint32_t m_selectionId;
  std::uint32_t m_companionId;
  std::uint32_t m_currentKey = 0;
  // Where an entry's data is among the list data's children.
  std::int32_t m_entryIndex = kSameData;
  CListSuperView* m_parent = nullptr;
  std::uint32_t m_pendingDialog = 0;
  std::unique_ptr<CKelvoView> m_selectionView;
  std::uint16_t m_changed = 1;
};
