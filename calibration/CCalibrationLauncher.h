#pragma once

#include <cstdint>

class CCalibrateDialog;
class CMonitorFunctions;
class ZafApplication;
class ZafList;
class ZafTimer;
class ZafWindowObject;

// What the Calibrate button needs of the main window.
struct StCalibrationStart {
  ZafApplication& application;
  CCalibrateDialog* dialog = nullptr;      // the window "CalibrateScreen"
  ZafList* monitorList = nullptr;          // "CalibrationMonitorComboBox"
  ZafWindowObject* focusAfter = nullptr;   // takes the focus when the dialog is done
  ZafTimer* refreshTimer = nullptr;        // stopped while the calibration runs
  std::uint32_t useHid = 0;
  std::uint16_t tabletModel = 0;
};

// Runs a calibration once the Calibrate button's views have opened the
// calibration dialog's views: the system's own program for Tablet PC
// digitizers, else the calibration window on the chosen monitor.
class CCalibrationLauncher {
 public:
  static void Start(const StCalibrationStart& start);

  // Whether the system's program calibrates this tablet.
  [[nodiscard]] static bool UsesSystemProgram(CMonitorFunctions& functions, std::uint32_t useHid,
                                              std::uint16_t tabletModel);

 private:
  static void RunSystemProgram(const StCalibrationStart& start);
  static void RunDialog(const StCalibrationStart& start);
  static void SetTimer(const StCalibrationStart& start, bool running);
};
