#pragma once

#include "host/CObjectFactory.h"

// Makes the Linux stand-ins of the platform services: the driver interface
// over libwintab32, and the translator and string manager whose routines the
// main window installs.
class CWinObjectFactory : public CObjectFactory {
 public:
  CWinObjectFactory() = default;
  ~CWinObjectFactory() override = default;

  std::unique_ptr<CDriverInterface> MakeDriverInterface() override;
  std::unique_ptr<CEventTranslator> MakeEventTranslator() override;
  std::unique_ptr<CStringManager> MakeStringManager() override;
};
