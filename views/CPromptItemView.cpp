#include "views/CPromptItemView.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "settings/CDriverData.h"

ViewResult CPromptItemView::Dispatch(ViewRequest& request) {
  if (GetItem() == nullptr || !IsForThisView(request)) return kStatusOk;
  const bool addressed = request.controlId == GetControlId();
  if (request.operation == kViewGet) {
    if (request.data != nullptr) {
      std::uint32_t value = 0;
      KELVO_TRY(ReadNumber(request.data, value));
      char text[kViewTextCapacity] = {};
      FormatNumber(value, m_format, m_minimumDigits, text);
      std::memcpy(request.data, text, std::strlen(text) + 1);
    }
  } else if (request.operation != kViewSet) {
    if (const ViewResult result = CItemView::Dispatch(request); LowWord(result) != 0) return result;
  }
  return addressed ? kStatusHandled : kStatusOk;
}

Status CPromptItemView::ReadNumber(void* data, std::uint32_t& value) {
  switch (GetValueType()) {
    case kValueByte: {
      std::uint8_t byte = 0;
      KELVO_TRY(ReadItem(&byte, sizeof byte));
      value = byte;
      return kStatusOk;
    }
    case kValueWord: {
      std::uint16_t word = 0;
      KELVO_TRY(ReadItem(&word, sizeof word));
      value = m_format == kFormatSigned
                  ? static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(word)))
                  : word;
      return kStatusOk;
    }
    case kValueLong:
      return ReadItem(&value, sizeof value);
    default:
      // A value of another kind has no number to show.
      value = 0;
      return GetItem()->Get(data);
  }
}

void CPromptItemView::FormatNumber(std::uint32_t value, std::uint32_t format,
                                   std::uint32_t minimumDigits, char* text) {
  char number[kViewTextCapacity] = {};
  if (format == kFormatSigned) {
    std::snprintf(number, sizeof number, "%ld", static_cast<long>(static_cast<std::int32_t>(value)));
  } else if (format == kFormatHex) {
    std::snprintf(number, sizeof number, "%lx", static_cast<unsigned long>(value));
  } else {
    std::snprintf(number, sizeof number, "%lu", static_cast<unsigned long>(value));
  }
  const bool negative = number[0] == '-';
  const std::string digits(number + (negative ? 1 : 0));
  std::string out = format == kFormatHex ? "0x" : (negative ? "-" : "");
  // Padding never pushes the text past the buffer.
  const std::size_t room = kViewTextCapacity - 1 - out.size() - digits.size();
  const std::size_t wanted = minimumDigits > digits.size() ? minimumDigits - digits.size() : 0;
  out.append(std::min(wanted, room), '0');
  out += digits;
  std::memcpy(text, out.c_str(), out.size() + 1);
}

Status CPromptItemView::SetFormat(std::uint32_t format) {
  if (format > kFormatHex) return kStatusUnknown;
  m_format = format;
  return kStatusOk;
}

Status CPromptItemView::SetMinimumDigits(std::uint32_t digits) {
  m_minimumDigits = digits;
  return kStatusOk;
}
