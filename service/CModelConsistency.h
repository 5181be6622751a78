#pragma once

#include "service/CServiceNode.h"

// Recomputes the values that follow from others: the counts of tablets,
// tools, applications, function sets and popup entries, the identifier each
// function set reports, the current tool's records, and the rectangles the
// mapping contexts report.
class CModelConsistency {
 public:
  static void Resync(CServiceNode& root);
  // The tool record names the tablet's current tool (proximity 0 when it is
  // gone); the raw record mirrors it.
  static void ResyncRecords(CServiceNode& tablet);

 private:
  static void ResyncTablet(CServiceNode& tablet, const CServiceNode& apps);
  static void ResyncPopup(CServiceNode& popup);
};
