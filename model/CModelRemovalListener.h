#pragma once

class CDataGrouping;

// Whoever points into the object model from outside (the views) hears of a
// tablet, application, tool group or tool before the model deletes it, while
// it and everything below it still exist, so it can let go first.
class CModelRemovalListener {
 public:
  CModelRemovalListener() = default;
  virtual ~CModelRemovalListener();
  CModelRemovalListener(const CModelRemovalListener&) = delete;
  CModelRemovalListener& operator=(const CModelRemovalListener&) = delete;

  virtual void ModelObjectRemoving(const CDataGrouping& leaving) = 0;
};
