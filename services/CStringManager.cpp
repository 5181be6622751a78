#include "services/CStringManager.h"

#include "services/CObjectFactory.h"

namespace {

CStringManager* g_stringManager = nullptr;

}  // namespace

CStringManager::~CStringManager() {
  if (g_stringManager == this) g_stringManager = nullptr;
}

CStringManager* GetStringManager() {
  if (g_stringManager != nullptr) return g_stringManager;
  CObjectFactory* factory = GetObjectFactory();
  if (factory == nullptr) return nullptr;
  std::unique_ptr<CStringManager> made = factory->MakeStringManager();
  if (!made || made->Open() != kStatusOk) return nullptr;
  g_stringManager = made.release();
  return g_stringManager;
}

void ReleaseStringManager() {
  delete g_stringManager;
  g_stringManager = nullptr;
}
