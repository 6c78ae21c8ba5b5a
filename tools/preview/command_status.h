// The outcome of a preview command: an exit code and, on failure, what went wrong and where.
#pragma once

#include <string>
#include <utility>

namespace preview {

// Exit codes shared by the commands; each means one thing whichever command returns it.
enum ExitCode : int {
  kExitOk = 0,
  kExitBadRequest = 1,      // a command line, name or value that cannot be used; a file that cannot be read or written
  kExitModule = 2,          // the module cannot be loaded, described, instantiated or fails a frame
  kExitNoGl = 3,            // no headless OpenGL 4.1 core context
  kExitPresetNotRead = 4,   // slices: no preset was read (none found, missing, refused or unparsable)
};

// Success, or an exit code with a message that names the failing step.
struct CommandStatus {
  int exitCode = kExitOk;
  std::string message;

  bool ok() const { return exitCode == kExitOk; }
  static CommandStatus Ok() { return {}; }
  static CommandStatus Fail(int code, std::string text) { return {code, std::move(text)}; }
};

}  // namespace preview
