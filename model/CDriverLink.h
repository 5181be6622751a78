#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "protocol/Status.h"
#include "services/CWinEventTranslator.h"
#include "services/CWinStringManager.h"

class CDriverObject;
class CModelFactory;

// The root of the view tree as the driver link sees it. The main window's
// upper view fills it in.
class CLinkedView {
 public:
  CLinkedView() = default;
  virtual ~CLinkedView();
  CLinkedView(const CLinkedView&) = delete;
  CLinkedView& operator=(const CLinkedView&) = delete;

  // Binds the view tree to the model; `index` -1 lets the view choose.
  [[nodiscard]] virtual Status Attach(CDriverObject& driverObject, std::int32_t index) = 0;
  // Lets go of every item and grouping before the model goes.
  virtual void Detach() = 0;
  // The driver reports no tablet at all.
  virtual void ShowNoTablet() = 0;
};

// Makes the upper view; none when it cannot be made.
using UpperViewMaker = std::function<std::unique_ptr<CLinkedView>()>;

// What the main window hands to the driver link start.
struct StDriverLinkStart {
  NotificationRoutine notify = nullptr;
  StringRoutine strings = nullptr;
  UpperViewMaker makeUpperView;
  // Makes the model's parts from the layers above; none uses the base.
  std::function<std::unique_ptr<CModelFactory>()> makeModelFactory;
};

// Runs once before the main window shows anything: installs the window's
// routines, connects the driver object, builds and attaches the upper view.
// 0 to go on; 4096 no driver; 4097 no tablet (the view was told); 4110 a
// driver of another version; 257 something could not be made.
[[nodiscard]] Status StartDriverLink(const StDriverLinkStart& start);
// Tears the model down in order and releases every process-wide service.
// Safe to call when the start failed or never ran.
void StopDriverLink();

// The process-wide driver object; none outside a started link.
[[nodiscard]] CDriverObject* GetDriverObject();
[[nodiscard]] CLinkedView* GetUpperView();
