#pragma once

// What changed on an object; a presenter redraws only that part.
enum class ZafChange {
  kText,
  kQuickTip,
  kVisibility,
  kDisabled,
  kChecked,
  kValue,       // slider position, integer value, progress
  kRange,
  kSelection,
  kEntries,
  kRegion,
  kFocus,
  kImage,
  kPages,
  kCaret,
  kChildren,
  kMenu,
  kDrawing,     // custom drawing content (rectangles, pressure)
  kFrame,       // a window's frame (with or without one)
  kPointer,     // the mouse pointer shown or hidden over a window
};

class ZafWindowObject;

// Receives every state change of the objects of a window; the presenter is
// one, a test recorder another.
class ZafObjectObserver {
 public:
  virtual ~ZafObjectObserver() = default;
  virtual void ObjectChanged(ZafWindowObject& object, ZafChange change) = 0;
};
