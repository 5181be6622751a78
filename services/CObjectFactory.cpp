#include "services/CObjectFactory.h"

#include <new>

#include "services/CWinObjectFactory.h"

namespace {

CObjectFactory* g_objectFactory = nullptr;

}  // namespace

CObjectFactory::~CObjectFactory() {
  if (g_objectFactory == this) g_objectFactory = nullptr;
}

CObjectFactory* GetObjectFactory() {
  if (g_objectFactory == nullptr) g_objectFactory = new (std::nothrow) CWinObjectFactory();
  return g_objectFactory;
}

void ReleaseObjectFactory() {
  delete g_objectFactory;
  g_objectFactory = nullptr;
}

void InstallObjectFactory(std::unique_ptr<CObjectFactory> replacement) {
  ReleaseObjectFactory();
  g_objectFactory = replacement.release();
}
