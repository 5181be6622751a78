#include "platform/User.h"

#include <unistd.h>

BOOL MessageBeep(UINT /*type*/) {
  if (isatty(STDERR_FILENO) == 1) {
    const char bell = '\a';
    if (write(STDERR_FILENO, &bell, 1) != 1) return FALSE;
  }
  return TRUE;
}
