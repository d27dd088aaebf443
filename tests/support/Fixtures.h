#pragma once
// What several test programs share: a temporary directory of their own with files in
// it, and running a built program there with its output caught.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace testsupport {

namespace fs = std::filesystem;

inline std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteWholeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh directory under the system's temporary one, removed with all it holds.
class TTempDirectory {
public:
  explicit TTempDirectory(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
    Directory = pattern;
  }
  ~TTempDirectory() {
    std::error_code ignored;
    fs::remove_all(Directory, ignored);
  }
  TTempDirectory(const TTempDirectory&) = delete;
  TTempDirectory& operator=(const TTempDirectory&) = delete;

  const fs::path& Path() const { return Directory; }
  std::string PathOf(const std::string& name) const { return (Directory / name).string(); }
  void WriteFile(const std::string& name, const std::string& bytes) const { WriteWholeFile(Directory / name, bytes); }
  std::string ReadFile(const std::string& name) const { return ReadWholeFile(Directory / name); }

private:
  fs::path Directory;
};

// A word for the shell, quoted so that it stays one word whatever it holds.
inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted.push_back(c);
    }
  }
  return quoted + "'";
}

struct TRun {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

// Runs `program` with `arguments` in `workingDirectory`; its stdout and stderr pass
// through files in `scratch`, so the bytes come back exactly.
inline TRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                       const fs::path& workingDirectory, const fs::path& scratch) {
  std::string command = "cd " + Quoted(workingDirectory.string()) + " && " + Quoted(program);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  command += " >" + Quoted((scratch / "out").string()) + " 2>" + Quoted((scratch / "err").string());
  TRun run;
  const int status = std::system(command.c_str());
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Out = ReadWholeFile(scratch / "out");
  run.Err = ReadWholeFile(scratch / "err");
  return run;
}

// Runs `action` in a child process (for limits and signals that must not touch the test
// program itself) and returns its result, or -1 when it could not run.
template <class F>
int RunInChild(F action) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) ::_exit(action());
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `action` in a child process that may not write where its user may not: as root
// the child first becomes the user nobody (root writes anywhere), otherwise it keeps the
// caller's user. Returns the child's result, or -1 when it could not run.
template <class F>
int RunWithoutPrivileges(F action) {
  return RunInChild([&action] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 255;
    return action();
  });
}

// The user id the unprivileged child runs as.
inline uid_t UnprivilegedUser() { return ::geteuid() == 0 ? 65534 : ::geteuid(); }

}  // namespace testsupport
