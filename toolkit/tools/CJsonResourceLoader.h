#pragma once

// Reads the readable resource sources (windows, languages, images, data, one
// JSON file each) and checks them field by field; the first problem is
// reported with the file and the field it is in.

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "protocol/Status.h"
#include "toolkit/storage/CZncWriter.h"

class CJsonResourceLoader {
 public:
  // The file's folder name (windows, languages, images, data) says what it holds.
  [[nodiscard]] Status LoadFile(const std::filesystem::path& path);
  // Checks what only the whole set can show (bitmaps named by windows exist,
  // English strings are present) and writes the resource file.
  [[nodiscard]] Status Write(const std::string& output);
  [[nodiscard]] const std::string& Error() const { return m_error; }
  [[nodiscard]] const CZncWriter& Writer() const { return m_writer; }

 private:
  CZncWriter m_writer;
  std::map<std::string, std::map<std::string, std::string>> m_languages;
  std::set<std::string> m_bitmaps;
  std::map<std::string, std::string> m_bitmapUses;  // bitmap name -> file naming it
  std::string m_error;
};
