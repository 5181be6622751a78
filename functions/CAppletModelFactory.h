#pragma once

#include "model/CModelFactory.h"

// The applet's model factory: makes the parts of the object model that live
// above it (function sets, tool controls, mappings, composite items).
class CAppletModelFactory : public CModelFactory {
 public:
  CAppletModelFactory() = default;
  ~CAppletModelFactory() override;
};
