#include "service/CValueText.h"

#include "protocol/LittleEndian.h"

#include <charconv>
#include <cstring>

using nlohmann::json;

namespace {

constexpr std::size_t kLargestNumber = 8;

struct StNumber {
  std::uint64_t magnitude = 0;
  bool negative = false;
};

// Decimal with an optional minus, or 0x hex.
bool ParseNumber(std::string_view text, StNumber& out) {
  out = {};
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  } else if (!text.empty() && text[0] == '-') {
    out.negative = true;
    text.remove_prefix(1);
  }
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, out.magnitude, base);
  return !text.empty() && error == std::errc() && stop == end;
}

// Unsigned numbers up to the size's maximum and negative ones down to its
// signed minimum fit; nothing is silently cut to the low bytes.
bool Encode(const StNumber& number, std::size_t size, std::uint8_t* out) {
  if (size == 0 || size > kLargestNumber) return false;
  const auto bits = static_cast<unsigned>(8 * size);
  if (number.negative && number.magnitude > (std::uint64_t{1} << (bits - 1))) return false;
  if (!number.negative && bits < 64 && number.magnitude > (std::uint64_t{1} << bits) - 1) return false;
  const std::uint64_t value = number.negative ? ~number.magnitude + 1 : number.magnitude;
  PutLittleEndian(out, size, value);
  return true;
}

std::uint64_t Decode(const std::uint8_t* at, std::size_t size) { return GetLittleEndian(at, size); }

std::int64_t DecodeSigned(const std::uint8_t* at, std::size_t size) {
  const std::uint64_t value = Decode(at, size);
  if (size >= 8) return static_cast<std::int64_t>(value);
  const std::uint64_t sign = std::uint64_t{1} << (8 * size - 1);
  return value & sign ? static_cast<std::int64_t>(value) - static_cast<std::int64_t>(sign << 1)
                      : static_cast<std::int64_t>(value);
}

// How many bytes of a list are shown: a zero-ended list stops before its
// trailing zeros but shows at least one number.
std::size_t Shown(std::span<const std::uint8_t> bytes, const StValueType& type) {
  if (!type.zeroEnded) return bytes.size();
  std::size_t end = bytes.size();
  while (end > type.element && Decode(bytes.data() + end - type.element, type.element) == 0) end -= type.element;
  return end;
}

std::string SizeText(std::size_t size) { return std::to_string(size) + (size == 1 ? " byte" : " bytes"); }

bool IsElementSize(std::size_t size) { return size == 1 || size == 2 || size == 4 || size == 8; }

// Printable ASCII: anything else stays hex, so that it reads back byte for byte.
bool IsReadableText(std::span<const std::uint8_t> text) {
  for (const std::uint8_t byte : text)
    if (byte < 0x20 || byte > 0x7E) return false;
  return true;
}

// The text a zero-terminated field holds, when the field is nothing else:
// readable characters, then zero bytes to the end.
bool TextOf(std::span<const std::uint8_t> bytes, std::string& out) {
  const auto* end = static_cast<const std::uint8_t*>(std::memchr(bytes.data(), 0, bytes.size()));
  if (end == nullptr) return false;
  const auto length = static_cast<std::size_t>(end - bytes.data());
  for (std::size_t i = length; i < bytes.size(); ++i)
    if (bytes[i] != 0) return false;
  if (!IsReadableText(bytes.first(length))) return false;
  out.assign(reinterpret_cast<const char*>(bytes.data()), length);
  return true;
}

bool EncodeText(std::string_view text, std::size_t size, std::vector<std::uint8_t>& out, std::string& error) {
  if (text.size() + 1 > size) {
    error = "text too long for a value of " + SizeText(size);
    return false;
  }
  out.assign(size, 0);
  std::memcpy(out.data(), text.data(), text.size());
  return true;
}

bool EncodeHex(std::string_view hex, std::size_t size, std::vector<std::uint8_t>& out, std::string& error) {
  if (hex.size() != 2 * size) {
    error = "the value takes exactly " + SizeText(size) + " (" + std::to_string(2 * size) + " hex digits)";
    return false;
  }
  out.assign(size, 0);
  for (std::size_t i = 0; i < size; ++i) {
    const auto [stop, problem] = std::from_chars(hex.data() + 2 * i, hex.data() + 2 * i + 2, out[i], 16);
    if (problem != std::errc() || stop != hex.data() + 2 * i + 2) {
      error = "bad hex digits \"" + std::string(hex.substr(2 * i, 2)) + "\"";
      return false;
    }
  }
  return true;
}

bool EncodeList(const std::vector<StNumber>& numbers, std::size_t size, std::vector<std::uint8_t>& out,
                std::string& error, const StValueType* type) {
  // A list of known form takes its own element size; any other splits the value evenly.
  const bool typed = type != nullptr && type->form == StValueType::Form::kList && IsElementSize(type->element) &&
                     size % type->element == 0;
  const std::size_t fit = typed ? size / type->element : 0;
  if (typed && type->zeroEnded && numbers.size() > fit) {
    error = "at most " + std::to_string(fit) + " numbers fit";
    return false;
  }
  if (typed && !type->zeroEnded && numbers.size() != fit) {
    error = "the value takes " + std::to_string(fit) + " numbers";
    return false;
  }
  if (!typed && (numbers.empty() || size % numbers.size() != 0 || !IsElementSize(size / numbers.size()))) {
    error = "a value of " + SizeText(size) + " is not " + std::to_string(numbers.size()) + " numbers";
    return false;
  }
  const std::size_t element = typed ? type->element : size / numbers.size();
  out.assign(size, 0);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (!Encode(numbers[i], element, out.data() + i * element)) {
      error = "number " + std::to_string(i + 1) + " does not fit in " + SizeText(element);
      return false;
    }
  }
  return true;
}

bool EncodeNumber(const StNumber& number, std::size_t size, std::vector<std::uint8_t>& out, std::string& error) {
  if (size > kLargestNumber) {
    error = "a value of " + SizeText(size) + " takes a list, text: or hex:";
    return false;
  }
  out.assign(size, 0);
  if (Encode(number, size, out.data())) return true;
  error = std::string(number.negative ? "-" : "") + std::to_string(number.magnitude) +
          " is out of range for a value of " + SizeText(size);
  return false;
}

bool FromJsonNumber(const json& value, StNumber& number) {
  if (value.is_number_unsigned()) {
    number = {value.get<std::uint64_t>(), false};
    return true;
  }
  if (value.is_number_integer()) {
    // Parsed documents keep non-negative numbers unsigned; built ones may not.
    const auto signedValue = value.get<std::int64_t>();
    const auto bits = static_cast<std::uint64_t>(signedValue);
    number = signedValue < 0 ? StNumber{~bits + 1, true} : StNumber{bits, false};
    return true;
  }
  return false;
}

}  // namespace

std::string StValueType::Describe(std::size_t size) const {
  switch (form) {
    case Form::kNumber:
      return "number (" + SizeText(size) + ")";
    case Form::kList:
      return std::to_string(element == 0 ? 0 : size / element) + (isSigned ? " signed" : "") + " numbers of " +
             SizeText(element);
    case Form::kText:
      return "text (up to " + std::to_string(size == 0 ? 0 : size - 1) + " bytes)";
    case Form::kBytes:
      break;
  }
  return SizeText(size);
}

bool CValueText::FromText(std::string_view text, std::size_t size, std::vector<std::uint8_t>& out,
                          std::string& error, const StValueType* type) {
  if (text.starts_with("text:")) return EncodeText(text.substr(5), size, out, error);
  if (text.starts_with("hex:")) return EncodeHex(text.substr(4), size, out, error);
  std::vector<StNumber> numbers;
  for (std::size_t start = 0;;) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    StNumber number;
    if (!ParseNumber(text.substr(start, comma - start), number)) {
      error = "bad value \"" + std::string(text) + "\"";
      return false;
    }
    numbers.push_back(number);
    if (comma == text.size()) break;
    start = comma + 1;
  }
  if (numbers.size() == 1 && size <= kLargestNumber) return EncodeNumber(numbers[0], size, out, error);
  return EncodeList(numbers, size, out, error, type);
}

bool CValueText::FromJson(const json& value, std::size_t size, std::vector<std::uint8_t>& out,
                          std::string& error, const StValueType* type) {
  StNumber number;
  if (FromJsonNumber(value, number)) return EncodeNumber(number, size, out, error);
  if (value.is_string()) return EncodeText(value.get<std::string>(), size, out, error);
  if (value.is_object() && value.size() == 1 && value.contains("hex") && value.at("hex").is_string())
    return EncodeHex(value.at("hex").get<std::string>(), size, out, error);
  if (value.is_array()) {
    std::vector<StNumber> numbers;
    for (const json& element : value) {
      if (!FromJsonNumber(element, numbers.emplace_back())) {
        error = "a list holds whole numbers only";
        return false;
      }
    }
    return EncodeList(numbers, size, out, error, type);
  }
  error = "a value is a number, a list of numbers, a text or {\"hex\": \"...\"}";
  return false;
}

StValueType CValueText::Guess(std::span<const std::uint8_t> bytes) {
  std::string text;
  if (!bytes.empty() && bytes.size() <= kLargestNumber) return {StValueType::Form::kNumber};
  if (TextOf(bytes, text)) return {StValueType::Form::kText};
  return {StValueType::Form::kBytes};
}

StValueType CValueText::Fit(std::span<const std::uint8_t> bytes, const StValueType& type) {
  std::string text;
  switch (type.form) {
    case StValueType::Form::kNumber:
      if (!bytes.empty() && bytes.size() <= kLargestNumber) return type;
      break;
    case StValueType::Form::kList:
      if (IsElementSize(type.element) && !bytes.empty() && bytes.size() % type.element == 0) return type;
      break;
    case StValueType::Form::kText:
      if (TextOf(bytes, text)) return type;
      break;
    case StValueType::Form::kBytes:
      return type;
  }
  return Guess(bytes);
}

std::string CValueText::ToText(std::span<const std::uint8_t> bytes, const StValueType& type) {
  const StValueType fit = Fit(bytes, type);
  std::string text;
  switch (fit.form) {
    case StValueType::Form::kNumber:
      return std::to_string(Decode(bytes.data(), bytes.size()));
    case StValueType::Form::kList:
      for (std::size_t at = 0; at < Shown(bytes, fit); at += fit.element) {
        if (at != 0) text += ',';
        text += fit.isSigned ? std::to_string(DecodeSigned(bytes.data() + at, fit.element))
                             : std::to_string(Decode(bytes.data() + at, fit.element));
      }
      return text;
    case StValueType::Form::kText:
      if (!TextOf(bytes, text)) break;
      return "text:" + text;
    case StValueType::Form::kBytes:
      break;
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  text = "hex:";
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

json CValueText::ToJson(std::span<const std::uint8_t> bytes, const StValueType& type) {
  const StValueType fit = Fit(bytes, type);
  const std::string text = ToText(bytes, fit);
  switch (fit.form) {
    case StValueType::Form::kNumber:
      return Decode(bytes.data(), bytes.size());
    case StValueType::Form::kList: {
      json list = json::array();
      for (std::size_t at = 0; at < Shown(bytes, fit); at += fit.element) {
        if (fit.isSigned)
          list.push_back(DecodeSigned(bytes.data() + at, fit.element));
        else
          list.push_back(Decode(bytes.data() + at, fit.element));
      }
      return list;
    }
    case StValueType::Form::kText:
      return text.substr(5);
    case StValueType::Form::kBytes:
      break;
  }
  return {{"hex", text.substr(4)}};
}
