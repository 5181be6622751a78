#pragma once

#include <memory>

class CDriverInterface;
class CEventTranslator;
class CStringManager;

// Makes the three services that depend on the platform.
class CObjectFactory {
 public:
  CObjectFactory() = default;
  virtual ~CObjectFactory();
  CObjectFactory(const CObjectFactory&) = delete;
  CObjectFactory& operator=(const CObjectFactory&) = delete;

  // Each answers none when the service cannot be made.
  virtual std::unique_ptr<CDriverInterface> MakeDriverInterface() = 0;
  virtual std::unique_ptr<CEventTranslator> MakeEventTranslator() = 0;
  virtual std::unique_ptr<CStringManager> MakeStringManager() = 0;
};

// The process-wide factory: a CWinObjectFactory made on first use.
[[nodiscard]] CObjectFactory* GetObjectFactory();
void ReleaseObjectFactory();
// Puts `replacement` in place of the process-wide factory (tests); the
// previous one is deleted.
void InstallObjectFactory(std::unique_ptr<CObjectFactory> replacement);
