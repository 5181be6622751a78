#pragma once

#include <cstdint>
#include <string>

struct StDriverPacket;

// The driver's Wintab library, loaded at run time, and its private request
// entry. The library is found through $KELVO_WINTAB_LIBRARY, else beside the
// module that holds this code, else on the loader's search path.
class CWintabLibrary {
 public:
  using Entry = std::uint32_t (*)(StDriverPacket*);

  CWintabLibrary() = default;
  ~CWintabLibrary();
  CWintabLibrary(const CWintabLibrary&) = delete;
  CWintabLibrary& operator=(const CWintabLibrary&) = delete;

  // True when the library and its entry were found.
  bool Load();
  [[nodiscard]] Entry GetEntry() const { return m_entry; }
  [[nodiscard]] const std::string& GetError() const { return m_error; }
  // Why the library's last request found no tablet service, as it tells it;
  // empty when it has nothing to tell (or cannot tell).
  [[nodiscard]] std::string GetServiceFailure() const;

  static std::string DefaultPath();

 private:
  void* m_handle = nullptr;
  Entry m_entry = nullptr;
  std::string m_error;
};
