#include "platform/CDesktop.h"

namespace {
CDesktop* g_desktop = nullptr;
}  // namespace

CDesktop* SetDesktop(CDesktop* desktop) {
  CDesktop* previous = g_desktop;
  g_desktop = desktop;
  return previous;
}

CDesktop* GetDesktop() { return g_desktop; }
