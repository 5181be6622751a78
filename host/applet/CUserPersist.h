#pragma once

#include "toolkit/ZafObjectPersistence.h"

// The persistence every window and data object of the applet is read
// through: the toolkit's, with the class tables of the resource file.
class CUserPersist : public ZafObjectPersistence {
 public:
  using ZafObjectPersistence::ZafObjectPersistence;
};
