#include "toolkit/controls/ZafString.h"

#include <algorithm>

namespace {
constexpr std::uint8_t kKeyBackspace = 0x08;
constexpr std::uint8_t kKeyEnd = 0x23;
constexpr std::uint8_t kKeyHome = 0x24;
constexpr std::uint8_t kKeyLeft = 0x25;
constexpr std::uint8_t kKeyRight = 0x27;
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
  if (event.type != kZafEventKey || !event.key.down) return ZafWindowObject::Event(event);
  switch (event.key.virtualKey) {
    case kKeyLeft: UserSetCaret(m_caret - 1); return 1;
    case kKeyRight: UserSetCaret(m_caret + 1); return 1;
    case kKeyHome: UserSetCaret(0); return 1;
    case kKeyEnd: UserSetCaret(static_cast<int>(Text().size())); return 1;
    case kKeyBackspace:
      if (m_readOnly || EffectivelyDisabled() || m_caret == 0) return 1;
      {
        std::string value = Text();
        value.erase(static_cast<std::size_t>(m_caret - 1), 1);
        const int caret = m_caret - 1;
        SetText(std::move(value));
        SetCaretPosition(caret);
        UserChanged();
      }
      return 1;
    default:
      break;
  }
  // Printable characters only; control characters (Enter, Escape) go on to the window.
  if (static_cast<unsigned char>(event.key.character) >= 0x20) {
    UserType(std::string(1, event.key.character));
    return 1;
  }
  return 0;
}
