#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

class CIconv {
 public:
  explicit CIconv(const char* from) : m_handle(iconv_open("UTF-8", from)) {}
  ~CIconv() {
    if (Valid()) iconv_close(m_handle);
  }
  CIconv(const CIconv&) = delete;
  CIconv& operator=(const CIconv&) = delete;

  [[nodiscard]] bool Valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

  std::string Convert(std::string_view bytes, std::size_t unitSize) {
    std::string out;
    std::vector<char> input(bytes.begin(), bytes.end());
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::vector<char> chunk(256);
    while (inLeft > 0) {
      char* to = chunk.data();
      std::size_t toLeft = chunk.size();
      const std::size_t result = iconv(m_handle, &in, &inLeft, &to, &toLeft);
      out.append(chunk.data(), chunk.size() - toLeft);
      if (result != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // Invalid or cut-off sequence: mark it and go on with the next unit.
      out += kReplacement;
      const std::size_t skip = inLeft < unitSize ? inLeft : unitSize;
      in += skip;
      inLeft -= skip;
      iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t m_handle;
};

}  // namespace

const char* CodePageCharset(std::uint32_t codePage) {
  switch (codePage) {
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 65001: return "UTF-8";
    default: return nullptr;
  }
}

std::string DecodeCodePage(std::string_view bytes, std::uint32_t codePage) {
  if (const char* charset = CodePageCharset(codePage); charset != nullptr) {
    CIconv converter(charset);
    if (converter.Valid()) return converter.Convert(bytes, 1);
  }
  std::string out;
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) < 0x80)
      out.push_back(c);
    else
      out += kReplacement;
  }
  return out;
}

int EncodeCodePageCharacter(char32_t character, std::uint32_t codePage) {
  if (character < 0x80) return static_cast<int>(character);
  const char* charset = CodePageCharset(codePage);
  if (charset == nullptr || codePage == 65001 || character > 0x10FFFF) return -1;
  const iconv_t handle = iconv_open(charset, "UTF-32LE");
  if (handle == reinterpret_cast<iconv_t>(-1)) return -1;
  char in[4] = {static_cast<char>(character & 0xFF), static_cast<char>((character >> 8) & 0xFF),
                static_cast<char>((character >> 16) & 0xFF), static_cast<char>((character >> 24) & 0xFF)};
  char out[4] = {};
  char* from = in;
  char* to = out;
  std::size_t fromLeft = sizeof in;
  std::size_t toLeft = sizeof out;
  const std::size_t result = iconv(handle, &from, &fromLeft, &to, &toLeft);
  iconv_close(handle);
  // A character the code page has no byte for, or one it needs two bytes for.
  if (result == static_cast<std::size_t>(-1) || sizeof out - toLeft != 1) return -1;
  return static_cast<unsigned char>(out[0]);
}

std::string DecodeUtf16Le(std::string_view bytes) {
  CIconv converter("UTF-16LE");
  if (!converter.Valid()) return {};
  return converter.Convert(bytes, 2);
}
