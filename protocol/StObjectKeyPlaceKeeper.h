#pragma once

#include "protocol/StDriverPacket.h"

// Remembers a packet's key pointer and puts it back when it goes, so that a
// receiver can walk the key array level by level and leave the packet as it
// found it.
class StObjectKeyPlaceKeeper {
 public:
  explicit StObjectKeyPlaceKeeper(StDriverPacket& packet)
      : m_packet(packet), m_saved(packet.keyPointer) {}
  ~StObjectKeyPlaceKeeper() { m_packet.keyPointer = m_saved; }
  StObjectKeyPlaceKeeper(const StObjectKeyPlaceKeeper&) = delete;
  StObjectKeyPlaceKeeper& operator=(const StObjectKeyPlaceKeeper&) = delete;

 private:
  StDriverPacket& m_packet;
  const StObjectKey* m_saved;
};
