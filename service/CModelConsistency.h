#pragma once

#include "service/CServiceNode.h"

// Recomputes the values that follow from others: the counts of tablets,
// tools, applications, function sets and popup entries, the identifier each
// function set reports, the current tool's records, and the rectangles the
// mapping contexts report.
class CModelConsistency {
 public:
  static void Resync(CServiceNode& root);

 private:
  static void ResyncTablet(CServiceNode& tablet, const CServiceNode& apps);
  static void ResyncPopup(CServiceNode& popup);
  static void ResyncRecords(CServiceNode& tablet);
};
