#include "platform/Shell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/Kernel.h"

extern char** environ;

namespace {

constexpr std::intptr_t kShellDone = 33;

std::string ExpandEnvironment(const std::string& text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t close = text[at] == '%' ? text.find('%', at + 1) : std::string::npos;
    if (close == std::string::npos) {
      out += text[at++];
      continue;
    }
    const std::string name = text.substr(at + 1, close - at - 1);
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    out += value != nullptr ? std::string(value) : text.substr(at, close - at + 1);
    at = close + 1;
  }
  return out;
}

std::vector<std::string> SplitParameters(const char* parameters) {
  std::vector<std::string> words;
  if (parameters == nullptr) return words;
  std::string word;
  bool quoted = false;
  bool inWord = false;
  for (const char* c = parameters; *c != '\0'; ++c) {
    if (*c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((*c == ' ' || *c == '\t') && !quoted) {
      if (inWord) words.push_back(std::exchange(word, {}));
      inWord = false;
    } else {
      word += *c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

BOOL Fail(SHELLEXECUTEINFOA& info, std::intptr_t code, DWORD error) {
  info.hInstApp = reinterpret_cast<HINSTANCE>(code);
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info) {
  if (info == nullptr || info->lpFile == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->hProcess = nullptr;
  if (info->lpVerb != nullptr && std::strcmp(info->lpVerb, "open") != 0)
    return Fail(*info, SE_ERR_NOASSOC, ERROR_INVALID_PARAMETER);
  const bool expand = (info->fMask & SEE_MASK_DOENVSUBST) != 0;
  std::string file = expand ? ExpandEnvironment(info->lpFile) : info->lpFile;
  for (char& c : file) {
    if (c == '\\') c = '/';
  }
  std::string directory = info->lpDirectory != nullptr ? info->lpDirectory : "";
  if (expand) directory = ExpandEnvironment(directory);
  struct stat status {};
  if (!directory.empty() && (stat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)))
    return Fail(*info, SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
  if (stat(file.c_str(), &status) != 0) {
    const std::size_t slash = file.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : file.substr(0, slash);
    struct stat parentStatus {};
    const bool parentThere = slash == 0 || stat(parent.c_str(), &parentStatus) == 0;
    return parentThere ? Fail(*info, SE_ERR_FNF, ERROR_FILE_NOT_FOUND) : Fail(*info, SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
  }

  std::vector<std::string> arguments;
  if (S_ISREG(status.st_mode) && access(file.c_str(), X_OK) == 0) {
    arguments.push_back(file);
    for (std::string& word : SplitParameters(info->lpParameters)) arguments.push_back(std::move(word));
  } else {
    const char* opener = std::getenv("KELVO_OPEN_COMMAND");
    arguments = {opener != nullptr && *opener != '\0' ? opener : "xdg-open", file};
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return Fail(*info, SE_ERR_NOASSOC, ERROR_FILE_NOT_FOUND);

  const HANDLE process = MakeProcessHandle(child);
  if ((info->fMask & SEE_MASK_NOCLOSEPROCESS) != 0) {
    info->hProcess = process;
  } else {
    // Nobody waits for it; the handle goes, and the process is reaped when it ends.
    CloseHandle(process);
  }
  info->hInstApp = reinterpret_cast<HINSTANCE>(kShellDone);
  SetLastError(0);
  return TRUE;
}
