#pragma once

#include <cstdint>

#include "protocol/Status.h"

class CDataGrouping;

// The tablet service's simulated pen on the current tablet. A tap made with
// the mouse stands for the pen: when no pen is near the tablet, the pen is
// put down where the tap maps to and lifted again once it has been read.
class CSimulatedPen {
 public:
  // `driver`: the driver object whose current tablet carries the pen.
  explicit CSimulatedPen(CDataGrouping& driver) : m_driver(driver) {}

  // Puts the pen down at (x, y), tablet units, unless a pen is already near;
  // true when it did (the caller then lifts it).
  [[nodiscard]] bool PutDownIfAway(std::int32_t x, std::int32_t y);
  void Lift();

  // The driver's current tablet, else the first; null without tablets.
  [[nodiscard]] CDataGrouping* Tablet();
  // The pen near `tablet` at (x, y) with `pressure`, or away from it.
  [[nodiscard]] static Status Place(CDataGrouping& tablet, std::int32_t x, std::int32_t y, std::uint16_t pressure);
  [[nodiscard]] static Status TakeAway(CDataGrouping& tablet);

 private:

  CDataGrouping& m_driver;
};
