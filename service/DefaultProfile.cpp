#include "service/StProfile.h"

StProfile MakeDefaultProfile() {
  StProfile profile;
  profile.name = "default";
  profile.driverVersion = {4, 8, 2, 2, 8};

  StTabletProfile tablet;
  tablet.model = 130;
  tablet.name = "Drawing Tablet 6x8";
  tablet.version = {1, 2, 0, 0, 0};
  tablet.pressureLevels = 1023;
  tablet.width = 20320;
  tablet.height = 15240;

  StToolProfile pen;
  pen.type = 2;
  pen.serial = 0x1234;
  pen.identity = 1;
  pen.eraser = true;
  tablet.tools.push_back(pen);

  StToolProfile puck;
  puck.type = 3;
  puck.serial = 0x5678;
  puck.identity = 2;
  puck.buttons = 4;
  puck.wheel = true;
  tablet.tools.push_back(puck);

  profile.tablets.push_back(tablet);
  profile.applications.push_back({});
  return profile;
}
