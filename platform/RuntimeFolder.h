#pragma once

#include <string>

// The folder for this user's locks and channels: $KELVO_RUNTIME_DIR (tests
// keep their runs apart with it), else $XDG_RUNTIME_DIR, else a folder
// "kelvo-UID" in $TMPDIR (or /tmp), made mode 0700. A folder that another
// user owns, or that others may enter, is not used: the answer is then empty
// and `problem` says why.
[[nodiscard]] std::string UserRuntimeFolder(std::string& problem);
