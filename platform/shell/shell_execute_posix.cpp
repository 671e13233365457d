// ShellExecuteW: maps the file the system names to a program file and starts
// it detached with its command line handed over.
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "command_line.h"
#include "detached_start.h"
#include "host_errors.h"
#include "host_paths.h"
#include "program_files.h"
#include "utf.h"
#include "win/last_error.h"
#include "win/shell_execute.h"
#include "win/strings.h"

extern char** environ;

namespace {

HINSTANCE Fail(int result, DWORD error) {
  SetLastError(error);
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(result));
}

std::string CurrentFolder() {
  std::vector<char> buffer(4096);
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// The caller's environment with the command line for the program in place of
// any other.
std::vector<std::string> EnvironmentFor(const std::u16string& commandLine) {
  std::vector<std::string> entries;
  const std::string prefix = std::string(quorla::kCommandLineVariable) + "=";
  for (char** entry = environ; entry && *entry; ++entry) {
    if (std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0) entries.emplace_back(*entry);
  }
  entries.push_back(prefix + quorla::Utf16ToUtf8(commandLine));
  return entries;
}

HINSTANCE FailStart(const quorla::StartFailure& failure) {
  if (failure.stage == quorla::StartFailure::kFolder) return Fail(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
  switch (failure.error) {
    case ENOENT:
      return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
    case ENOTDIR:
      return Fail(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
    case EACCES:
    case EPERM:
      return Fail(SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED);
    case ENOEXEC:
      return Fail(SE_ERR_BADFORMAT, ERROR_BAD_EXE_FORMAT);
    default:
      return Fail(SE_ERR_OOM, quorla::ErrorFromErrno(failure.error));
  }
}

}  // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT) {
  if (verb && *verb && lstrcmpiW(verb, u"open") != 0) return Fail(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
  if (!file || !*file) return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);

  std::string path = quorla::ToHostSeparators(quorla::Utf16ToUtf8(file));
  if (path[0] != '/') path = CurrentFolder() + "/" + path;
  const std::string program = quorla::ProgramFileFor(quorla::FoldDotSegments(path));
  struct stat st;
  if (::stat(program.c_str(), &st) != 0) return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
  if (!S_ISREG(st.st_mode) || ::access(program.c_str(), X_OK) != 0) return Fail(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
  // A double quote would end the quoted program path early.
  if (program.find('"') != std::string::npos) return Fail(SE_ERR_FNF, ERROR_INVALID_NAME);

  std::string folder;
  if (directory && *directory) {
    folder = quorla::FoldDotSegments(quorla::ToHostSeparators(quorla::Utf16ToUtf8(directory)));
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Fail(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
  }

  const std::u16string commandLine = quorla::ComposeCommandLine(quorla::Utf8ToUtf16(program), parameters ? parameters : u"");
  std::vector<std::string> arguments;
  arguments.push_back(program);
  std::vector<std::u16string> split = quorla::SplitCommandLine(commandLine);
  for (size_t i = 1; i < split.size(); ++i) arguments.push_back(quorla::Utf16ToUtf8(split[i]));

  quorla::StartFailure failure = quorla::StartDetached(program, arguments, EnvironmentFor(commandLine), folder);
  if (failure.stage != quorla::StartFailure::kNone) return FailStart(failure);
  SetLastError(ERROR_SUCCESS);
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}
