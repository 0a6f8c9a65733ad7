#pragma once

// Files and processes for the core tests: a fresh folder per test, what it holds, a small full
// file system, and a program run with its output captured. No Qt.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace zandrel::testing {

// A fresh, empty folder for the running test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "zandrel_" + std::to_string(::getpid()) + "_" + test->test_suite_name() +
                       "_" + test->name();
    for (char& c : name)
      if (c == '/') c = '_';
    root_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~TempFolder() {
    for (const std::string& mount : mounts_) ::umount2(mount.c_str(), MNT_DETACH);
    std::error_code error;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    for (auto it = std::filesystem::recursive_directory_iterator(root_, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error))
      if (it->is_directory(error) && !it->is_symlink(error))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(root_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name = "") const {
    return name.empty() ? root_.string() : (root_ / name).string();
  }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    return Path(name);
  }

  // Everything below the folder by relative name: a file's permissions and bytes ("0644 TEXT"),
  // "-> TARGET" for a symbolic link, "<folder>" or "<other>". Equal before and after: nothing
  // changed, nothing left behind.
  std::map<std::string, std::string> Contents() const {
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_)) {
      const std::string name = entry.path().lexically_relative(root_).string();
      const auto status = entry.symlink_status();
      if (std::filesystem::is_symlink(status)) {
        contents[name] = "-> " + std::filesystem::read_symlink(entry.path()).string();
      } else if (std::filesystem::is_regular_file(status)) {
        std::ifstream in(entry.path(), std::ios::binary);
        contents[name] = ModeText(static_cast<unsigned>(status.permissions())) + " " +
                         std::string(std::istreambuf_iterator<char>(in), {});
      } else {
        contents[name] = std::filesystem::is_directory(status) ? "<folder>" : "<other>";
      }
    }
    return contents;
  }

  static std::string ModeText(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777u);
    return text;
  }
  // What a new file gets: 0666 less the umask.
  static std::string NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ModeText(0666u & ~static_cast<unsigned>(mask));
  }

  // Mounts a 64 KiB file system at NAME, seen only by this test process and the programs it
  // starts. False when this process may not (not root, or no mount namespaces).
  bool MountSmallFileSystem(const std::string& name) {
    static const bool isolated = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                                 ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    std::filesystem::create_directories(Path(name));
    if (!isolated || ::mount("tmpfs", Path(name).c_str(), "tmpfs", 0, "size=64k") != 0)
      return false;
    mounts_.push_back(Path(name));
    return true;
  }

 private:
  std::filesystem::path root_;
  std::vector<std::string> mounts_;
};

// Writes a file until the disk is full.
inline void FillUp(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const std::string block(4096, 'f');
  while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
  }
  if (fd >= 0) ::close(fd);
}

// Kills the test process if the scope is still running after some seconds: a call that should
// return at once but blocks (on a FIFO, say) fails the run instead of hanging it.
class HangGuard {
 public:
  HangGuard() { ::alarm(20); }
  ~HangGuard() { ::alarm(0); }
};

// Inputs a reader must refuse at once, with the reason it gives: a device, a FIFO without a writer,
// a folder, a missing file, a file one byte over the limit (sparse, so it takes no room) and a
// file whose reads fail.
struct UnreadableInput {
  std::string Label;
  std::string Path;
  std::string Reason;
};
inline std::vector<UnreadableInput> UnreadableInputs(const TempFolder& folder, std::size_t limit,
                                                     const std::string& tooLarge) {
  ::mkfifo(folder.Path("fifo").c_str(), 0600);
  std::filesystem::create_directories(folder.Path("folder"));
  std::filesystem::resize_file(folder.Write("large", ""), limit + 1);
  return {{"device", "/dev/zero", "not a regular file"},
          {"FIFO", folder.Path("fifo"), "not a regular file"},
          {"folder", folder.Path("folder"), "not a regular file"},
          {"missing", folder.Path("missing"), "No such file or directory"},
          {"too large", folder.Path("large"), tooLarge},
          {"read error", "/proc/self/mem", "Input/output error"}};
}

struct ProgramRun {
  int exitCode = -1;  // -1: killed by a signal
  std::string out;
  std::string err;
};

struct ProgramOptions {
  std::string outputPath;                // standard output goes there instead of being captured
  rlim_t fileSizeLimit = RLIM_INFINITY;  // the largest file the program may write
};

// Runs a program with these arguments, passed as the bytes given. One still running after 20 s
// is killed. Its output goes through pipes, which no file size limit applies to.
inline ProgramRun RunProgram(const std::vector<std::string>& arguments,
                             const ProgramOptions& options = {}) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ProgramRun run;
  int out[2];
  int err[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return run;
  if (::pipe2(err, O_CLOEXEC) != 0) return run;
  const pid_t child = ::fork();
  if (child == 0) {
    const int output = options.outputPath.empty()
                           ? out[1]
                           : ::open(options.outputPath.c_str(), O_WRONLY | O_CLOEXEC);
    const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
    if (output < 0 || ::dup2(output, 1) < 0 || ::dup2(err[1], 2) < 0 ||
        (limit.rlim_cur != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
      ::_exit(127);
    ::alarm(20);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  pollfd ends[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[] = {&run.out, &run.err};
  for (int open = 2; open > 0;) {
    if (::poll(ends, 2, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (ends[i].fd < 0 || ends[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(ends[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(got));
      } else {
        ::close(ends[i].fd);
        ends[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
    run.exitCode = WEXITSTATUS(status);
  return run;
}

}  // namespace zandrel::testing
