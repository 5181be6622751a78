#include "toolkit/controls/ZafString.h"

#include <algorithm>

#include "toolkit/storage/StResourceObject.h"

namespace {
constexpr std::uint8_t kKeyBackspace = 0x08;
constexpr std::uint8_t kKeyEnd = 0x23;
constexpr std::uint8_t kKeyHome = 0x24;
constexpr std::uint8_t kKeyLeft = 0x25;
constexpr std::uint8_t kKeyRight = 0x27;

// The caret position one character before or after `caret` in UTF-8 text.
int Step(const std::string& text, int caret, int direction) {
  const auto continuation = [&](int at) {
    return at > 0 && at < static_cast<int>(text.size()) &&
           (static_cast<unsigned char>(text[static_cast<std::size_t>(at)]) & 0xC0) == 0x80;
  };
  int at = caret + direction;
  while (continuation(at)) at += direction;
  return at;
}

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}
}  // namespace

void ZafString::SetCaretPosition(int position) {
  position = std::clamp(position, 0, static_cast<int>(Text().size()));
  if (position == m_caret) return;
  m_caret = position;
  NotifyChanged(ZafChange::kCaret);
}

void ZafString::UserSetCaret(int position) {
  SetCaretPosition(position);
  if (m_caretListener) m_caretListener(*this);
}

void ZafString::SetText(std::string text) {
  ZafWindowObject::SetText(std::move(text));
  if (m_caret > static_cast<int>(Text().size())) SetCaretPosition(static_cast<int>(Text().size()));
}

ZafEventType ZafString::UserType(const std::string& text) {
  if (m_readOnly || EffectivelyDisabled() || text.empty()) return 0;
  std::string value = Text();
  value.insert(static_cast<std::size_t>(m_caret), text);
  const int caret = m_caret + static_cast<int>(text.size());
  SetText(std::move(value));
  SetCaretPosition(caret);
  return UserChanged();
}

ZafEventType ZafString::Event(const ZafEventStruct& event) {
  if (event.type != kZafEventKey || !event.key.down || m_capturesKeys) return ZafWindowObject::Event(event);
  switch (event.key.virtualKey) {
    case kKeyLeft: UserSetCaret(Step(Text(), m_caret, -1)); return 1;
    case kKeyRight: UserSetCaret(Step(Text(), m_caret, 1)); return 1;
    case kKeyHome: UserSetCaret(0); return 1;
    case kKeyEnd: UserSetCaret(static_cast<int>(Text().size())); return 1;
    case kKeyBackspace:
      if (m_readOnly || EffectivelyDisabled() || m_caret == 0) return 1;
      {
        std::string value = Text();
        const int caret = Step(value, m_caret, -1);
        value.erase(static_cast<std::size_t>(caret), static_cast<std::size_t>(m_caret - caret));
        SetText(std::move(value));
        SetCaretPosition(caret);
        UserChanged();
      }
      return 1;
    default:
      break;
  }
  // Printable characters only; control characters (Enter, Escape) and chords
  // with Ctrl or Alt go on to the window.
  const char32_t c = event.key.unicode;
  if (c >= 0x20 && c != 0x7F && (event.key.modifiers & (kZafModifierCtrl | kZafModifierAlt)) == 0) {
    UserType(Utf8(c));
    return 1;
  }
  return 0;
}

Status ZafString::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  SetReadOnly(record.Has("readOnly"));
  SetCapturesKeys(record.Has("captureKeys"));
  return kStatusOk;
}
