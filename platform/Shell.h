#pragma once

// The shell's way to start a program or open a document, with Windows
// meanings, over posix_spawn.

#include "platform/WinTypes.h"

// Verb "open" (or none): an executable file is started with the parameters
// (split at blanks, double quotes keep blanks together) in the directory
// given; any other file is handed to the desktop's "open" handler
// ($KELVO_OPEN_COMMAND, else xdg-open). SEE_MASK_DOENVSUBST expands
// %NAME% from the environment (a name that is not set stays as written);
// backslashes in the file name are path separators. With
// SEE_MASK_NOCLOSEPROCESS the process handle is kept in hProcess for
// WaitForSingleObject and CloseHandle. hInstApp: 33 on success, else
// SE_ERR_FNF, SE_ERR_PNF or SE_ERR_NOASSOC (answer FALSE).
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);
