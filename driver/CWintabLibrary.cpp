#include "driver/CWintabLibrary.h"

#include <dlfcn.h>

#include <cstdlib>

#include "protocol/WintabEntry.h"

CWintabLibrary::~CWintabLibrary() {
  if (m_handle != nullptr) dlclose(m_handle);
}

std::string CWintabLibrary::DefaultPath() {
  if (const char* configured = std::getenv("KELVO_WINTAB_LIBRARY");
      configured != nullptr && *configured != '\0')
    return configured;
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&CWintabLibrary::DefaultPath), &info) != 0 &&
      info.dli_fname != nullptr) {
    std::string own = info.dli_fname;
    const auto slash = own.rfind('/');
    if (slash != std::string::npos) return own.substr(0, slash + 1) + kWintabLibraryName;
  }
  return kWintabLibraryName;
}

bool CWintabLibrary::Load() {
  if (m_entry != nullptr) return true;
  const std::string path = DefaultPath();
  m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr && path.find('/') != std::string::npos &&
      std::getenv("KELVO_WINTAB_LIBRARY") == nullptr)
    m_handle = dlopen(kWintabLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) {
    const char* why = dlerror();
    m_error = why != nullptr ? why : "library not found";
    return false;
  }
  void* symbol = dlsym(m_handle, kWintabEntrySymbol);
  if (symbol == nullptr) {
    m_error = std::string("no entry ") + kWintabEntrySymbol + " in " + path;
    dlclose(m_handle);
    m_handle = nullptr;
    return false;
  }
  m_entry = reinterpret_cast<Entry>(symbol);
  return true;
}

std::string CWintabLibrary::GetServiceFailure() const {
  if (m_handle == nullptr) return {};
  using Failure = const char* (*)();
  const auto failure = reinterpret_cast<Failure>(dlsym(m_handle, kWintabFailureSymbol));
  const char* text = failure != nullptr ? failure() : nullptr;
  return text != nullptr ? text : "";
}
