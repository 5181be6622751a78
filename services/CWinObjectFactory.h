#pragma once

#include "services/CObjectFactory.h"

// Makes the Linux stand-ins of the platform services: the driver interface
// over libwintab32, and the translator and string manager whose routines the
// main window installs.
class CWinObjectFactory : public CObjectFactory {
 public:
  using DriverInterfaceMaker = std::unique_ptr<CDriverInterface> (*)();

  CWinObjectFactory() = default;
  ~CWinObjectFactory() override = default;

  // How this platform reaches the driver belongs to the driver link, which
  // sits above these services; the link hands its maker in before its first
  // request. Without one the factory makes no driver interface.
  static void SetDriverInterfaceMaker(DriverInterfaceMaker maker);

  std::unique_ptr<CDriverInterface> MakeDriverInterface() override;
  std::unique_ptr<CEventTranslator> MakeEventTranslator() override;
  std::unique_ptr<CStringManager> MakeStringManager() override;
};
