#include "services/CDriverInterface.h"

#include <cstring>

#include "services/CObjectFactory.h"

namespace {

CDriverInterface* g_driverInterface = nullptr;

// Leading decimal digits, stopping at the first non-digit; none reads as 0.
unsigned ReadNumber(const char*& at) {
  unsigned value = 0;
  while (*at >= '0' && *at <= '9') {
    value = value * 10 + static_cast<unsigned>(*at - '0');
    ++at;
  }
  return value;
}

}  // namespace

CDriverInterface::~CDriverInterface() {
  if (g_driverInterface == this) g_driverInterface = nullptr;
}

CDriverInterface* GetDriverInterface() {
  if (g_driverInterface != nullptr) return g_driverInterface;
  CObjectFactory* factory = GetObjectFactory();
  if (factory == nullptr) return nullptr;
  std::unique_ptr<CDriverInterface> made = factory->MakeDriverInterface();
  if (!made) return nullptr;
  if (made->Open() != kStatusOk) return nullptr;
  g_driverInterface = made.release();
  return g_driverInterface;
}

void ReleaseDriverInterface() {
  delete g_driverInterface;  // the destructor forgets the pointer
  g_driverInterface = nullptr;
}

void InstallDriverInterface(std::unique_ptr<CDriverInterface> replacement) {
  ReleaseDriverInterface();
  g_driverInterface = replacement.release();
}

Status ParseVersionString(const char* text, VersionRecord& out) {
  const char* point = std::strchr(text, '.');
  if (point == nullptr) return kStatusBadVersionString;
  const char* at = text;
  out[0] = static_cast<std::uint8_t>(ReadNumber(at));
  at = point + 1;
  const unsigned minor = ReadNumber(at) % 256;
  out[1] = static_cast<std::uint8_t>(minor / 10);
  out[2] = static_cast<std::uint8_t>(minor % 10);

  const char* afterPoint = point + 1;
  const char* letter = std::strchr(afterPoint, 'A');
  std::uint8_t letterCode = 0;
  if (letter == nullptr) {
    letter = std::strchr(afterPoint, 'B');
    letterCode = 1;
  }
  if (letter == nullptr) {
    letter = std::strchr(afterPoint, '-');
    letterCode = 2;
  }
  out[3] = letter == nullptr ? 2 : letterCode;
  if (letter != nullptr) {
    const char* build = letter + 1;
    out[4] = static_cast<std::uint8_t>(ReadNumber(build));
  }
  return kStatusOk;
}
