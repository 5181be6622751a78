#include "views/info/CToolNameItemView.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "settings/CDriverData.h"
#include "views/info/InfoStrings.h"

namespace {

constexpr std::string_view kCodedPrefix = "\\~";

// The digits at `at`, 0 when there are none; `at` moves past them.
std::uint32_t Number(const char*& at) {
  std::uint32_t value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*at)) != 0; ++at) value = value * 10 + static_cast<std::uint32_t>(*at - '0');
  return value;
}

}  // namespace

Status CToolNameItemView::WriteText(char* text) {
  char name[kInfoTextCapacity] = {};
  KELVO_TRY(ReadItem(name, sizeof name - 1));
  if (std::string_view(name).substr(0, kCodedPrefix.size()) != kCodedPrefix) {
    std::memcpy(text, name, std::strlen(name) + 1);
    return kStatusOk;
  }
  const char* at = name + kCodedPrefix.size();
  const std::uint32_t kind = Number(at);
  std::uint32_t second = 0;
  if (*at == ':') second = Number(++at);
  if (LookUp(InfoStrings::kToolNames, static_cast<std::uint16_t>(kind + 1), text) != kStatusOk)
    DropStatus(LookUp(InfoStrings::kToolNames, InfoStrings::kUnnamedTool, text), "a missing name reads blank");
  if (second > 0) {
    const std::size_t used = std::strlen(text);
    std::snprintf(text + used, kInfoTextCapacity - used, " %u", second + 1);
  }
  return kStatusOk;
}

Status CToolNameItemView::TakeText(const char* text) {
  char shown[kInfoTextCapacity] = {};
  KELVO_TRY(WriteText(shown));
  // The same text again, a coded name's shown text included, writes nothing.
  if (std::strncmp(shown, text, kInfoTextCapacity) == 0) return kStatusOk;
  char name[kInfoTextCapacity] = {};
  std::memcpy(name, text, strnlen(text, kInfoTextCapacity - 1));
  if (GetItem()->GetSize() > sizeof name) return kStatusDataTooLong;
  return GetItem()->Set(name);
}
