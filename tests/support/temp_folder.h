#pragma once

// Files for the tests: a fresh folder, what it holds, whole files read and written, a small full
// file system, and inputs that a reader must refuse. No Qt and no test framework.

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace zandrel::testing {

// The whole content of a file, bytes as they are (empty when it cannot be read).
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Creates or replaces the file with these bytes; returns the path.
inline std::string WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// A fresh, empty folder, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zandrel_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no folder " + pattern);
    root_ = pattern;
  }
  ~TempFolder() {
    namespace fs = std::filesystem;
    for (const std::string& mount : mounts_) ::umount2(mount.c_str(), MNT_DETACH);
    // Folders a test made read-only are opened again, so that everything can be removed.
    std::error_code error;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, error);
    for (auto it = fs::recursive_directory_iterator(root_, error);
         it != fs::recursive_directory_iterator(); it.increment(error))
      if (it->is_directory(error) && !it->is_symlink(error))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name = "") const {
    return name.empty() ? root_ : root_ + "/" + name;
  }
  std::string Write(const std::string& name, const std::string& text) const {
    return WriteFile(Path(name), text);
  }

  // Everything below the folder by relative name: a file's permissions and bytes ("0644 TEXT"),
  // "-> TARGET" for a symbolic link, "<folder>" or "<other>". Equal before and after: nothing
  // changed, nothing left behind.
  std::map<std::string, std::string> Contents() const {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      const std::string name = entry.path().lexically_relative(root_).string();
      const auto status = entry.symlink_status();
      if (fs::is_symlink(status))
        contents[name] = "-> " + fs::read_symlink(entry.path()).string();
      else if (fs::is_regular_file(status))
        contents[name] = ModeText(static_cast<unsigned>(status.permissions())) + " " +
                         ReadFile(entry.path().string());
      else
        contents[name] = fs::is_directory(status) ? "<folder>" : "<other>";
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
  std::string root_;
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

}  // namespace zandrel::testing
