#include "core/output_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <new>

#include "core/text.h"

namespace zandrel {

namespace {

constexpr std::string_view NotRegular = "not a regular file";
// As the kernel's own bound on a chain of links.
constexpr int MaxLinkDepth = 40;

FileFailure Failure(const std::string& path, int error) {
  return {path, std::strerror(error != 0 ? error : EIO)};
}

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Where a path's text really goes: the end of its chain of symbolic links (the link's own folder
// is the base of a relative link), and whether a regular file is already there.
struct Target {
  std::string Path;
  bool Exists = false;
  struct stat Status {};
};

std::variant<Target, FileFailure> ResolveTarget(const std::string& path) {
  Target target;
  target.Path = path;
  for (int depth = 0;; ++depth) {
    if (::lstat(target.Path.c_str(), &target.Status) != 0) {
      if (errno == ENOENT && !target.Path.empty()) return target;  // created anew
      return Failure(path, errno);
    }
    if (S_ISREG(target.Status.st_mode)) {
      target.Exists = true;
      return target;
    }
    if (!S_ISLNK(target.Status.st_mode)) return FileFailure{path, std::string(NotRegular)};
    if (depth == MaxLinkDepth) return Failure(path, ELOOP);
    std::string link(static_cast<std::size_t>(target.Status.st_size) + 1, '\0');
    const ssize_t length = ::readlink(target.Path.c_str(), link.data(), link.size());
    if (length < 0) return Failure(path, errno);
    // A link that changed while it was read is read again.
    if (static_cast<std::size_t>(length) >= link.size()) continue;
    link.resize(static_cast<std::size_t>(length));
    if (link.empty()) return Failure(path, ENOENT);
    target.Path = link.front() == '/' ? link : Folder(target.Path) + "/" + link;
  }
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = EIO;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A new, empty file beside target, with a name no one else uses; the descriptor or -1 with errno.
int CreateTemporary(const std::string& target, std::string& name) {
  static unsigned counter = 0;
  // Cut so that a target with the longest name a folder allows still gets a temporary.
  const std::string stem =
      Folder(target) + "/." + std::string(FileNamePart(target).substr(0, 200)) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto mix = static_cast<unsigned long>(::getpid()) * 2654435761UL ^
                     static_cast<unsigned long>(std::time(nullptr)) ^ (++counter * 40503UL);
    name = stem + std::to_string(mix % 1000000007UL) + ".tmp";
    // Created as any new file is (0666 less the umask); a replaced file's mode is set below.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// The temporaries of one step: removed unless renamed, however the step ends.
class Temporaries {
 public:
  ~Temporaries() {
    for (const std::string& name : names_)
      if (!name.empty()) ::unlink(name.c_str());
  }
  std::string& Add() { return names_.emplace_back(); }
  std::string& operator[](std::size_t i) { return names_[i]; }

 private:
  std::vector<std::string> names_;
};

// Gives the new file the old one's owner and group where the system allows it (root, or a group of
// one's own); where it does not, the file keeps the writer as owner, as any new file would.
void KeepOwner(int fd, const struct stat& old) {
  if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return;
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) return;  // not allowed: not a failure
}

// Writes the whole text to a new temporary beside the target and flushes it to the disk.
std::optional<FileFailure> WriteTemporary(const OutputFile& file, const Target& target,
                                          std::string& name) {
  const int fd = CreateTemporary(target.Path, name);
  if (fd < 0) {
    name.clear();
    return Failure(file.Path, errno);
  }
  bool done = true;
  if (target.Exists) {
    KeepOwner(fd, target.Status);
    done = ::fchmod(fd, target.Status.st_mode & 07777) == 0;
  }
  done = done && WriteAll(fd, file.Text) && ::fsync(fd) == 0;
  const int error = errno;
  // A failed close can be the first sign that the data did not reach the disk.
  const bool closed = ::close(fd) == 0;
  if (done && closed) return std::nullopt;
  return Failure(file.Path, done ? errno : error);
}

void SyncFolder(const std::string& path) {
  const int fd = ::open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string DescribeLimit(std::size_t limit) {
  if (limit >= (std::size_t{1} << 20) && limit % (std::size_t{1} << 20) == 0)
    return std::to_string(limit >> 20) + " MiB";
  if (limit >= 1024 && limit % 1024 == 0) return std::to_string(limit >> 10) + " KiB";
  return std::to_string(limit) + " byte";
}

FileFailure TooLarge(const std::string& path, std::size_t limit) {
  return {path, "larger than the " + DescribeLimit(limit) + " limit"};
}

// Cuts off the part of an entry that was written, unless someone else has appended after it.
void CutBack(int fd, off_t start, off_t end) {
  struct stat now {};
  if (::fstat(fd, &now) != 0 || now.st_size != end) return;
  if (::ftruncate(fd, start) != 0) return;  // the failure is reported all the same
}

// Reads an open regular file to its end: room for its size and one byte more, so the end is seen
// by the next read; files whose size the system does not know (such as /proc) grow the room.
std::variant<std::string, FileFailure> ReadWhole(int fd, const std::string& path, std::size_t size,
                                                 std::size_t limit) try {
  std::string text(size + 1, '\0');
  std::size_t used = 0;
  while (true) {
    if (used == text.size()) {
      if (used > limit) return TooLarge(path, limit);  // it grew while being read
      text.resize(std::min(std::max(used * 2, std::size_t{65536}), limit + 1));
    }
    const ssize_t got = ::read(fd, text.data() + used, text.size() - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Failure(path, errno);
    }
    if (got == 0) {
      text.resize(used);
      return text;
    }
    used += static_cast<std::size_t>(got);
  }
} catch (const std::bad_alloc&) {
  return Failure(path, ENOMEM);
}

}  // namespace

std::vector<FileFailure> ReplaceFiles(const std::vector<OutputFile>& files,
                                      const BeforeReplace& beforeReplace) {
  std::vector<FileFailure> failures;
  std::vector<Target> targets;
  for (const OutputFile& file : files) {
    auto resolved = ResolveTarget(file.Path);
    if (auto* failure = std::get_if<FileFailure>(&resolved))
      failures.push_back(std::move(*failure));
    else
      targets.push_back(std::get<Target>(std::move(resolved)));
  }
  if (!failures.empty()) return failures;

  Temporaries temporaries;
  for (std::size_t i = 0; i < files.size(); ++i)
    if (auto failure = WriteTemporary(files[i], targets[i], temporaries.Add()))
      failures.push_back(std::move(*failure));
  if (!failures.empty()) return failures;

  if (beforeReplace) {
    std::vector<std::string> existing;
    for (const Target& target : targets)
      if (target.Exists) existing.push_back(target.Path);
    beforeReplace(existing);
  }
  // Renaming within a folder fails only in rare cases (the folder changed meanwhile); the other
  // files are still put in place and the one that failed is reported.
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (::rename(temporaries[i].c_str(), targets[i].Path.c_str()) != 0) {
      failures.push_back(Failure(files[i].Path, errno));
      continue;
    }
    temporaries[i].clear();
    SyncFolder(targets[i].Path);
  }
  return failures;
}

std::optional<FileFailure> WriteOutputText(const std::string& path, std::string_view text) {
  auto failures = ReplaceFiles({{path, std::string(text)}});
  if (failures.empty()) return std::nullopt;
  return std::move(failures.front());
}

std::optional<FileFailure> AppendOutputText(const std::string& path, std::string_view text) {
  // Never opened for writing when it is a FIFO or device: that could block or reach hardware.
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
    return FileFailure{path, std::string(NotRegular)};
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return Failure(path, errno);
  std::optional<FileFailure> failure;
  if (::fstat(fd, &status) != 0) {
    failure = Failure(path, errno);
  } else if (!S_ISREG(status.st_mode)) {
    failure = FileFailure{path, std::string(NotRegular)};
  } else {
    // One write, so another writer's entry never lands inside this one.
    off_t start = -1;
    std::string_view rest = text;
    while (!rest.empty()) {
      const ssize_t written = ::write(fd, rest.data(), rest.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        failure = Failure(path, written == 0 ? EIO : errno);
        break;
      }
      // Appending moves the offset to the end of what was just written: the entry starts there.
      if (start < 0) start = ::lseek(fd, 0, SEEK_CUR) - written;
      rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (failure && start >= 0)
      CutBack(fd, start, start + static_cast<off_t>(text.size() - rest.size()));
  }
  if (::close(fd) != 0 && !failure) failure = Failure(path, errno);
  return failure;
}

std::string DescribeFailure(const FileFailure& failure) {
  return "The file \"" + failure.Path + "\" could not be written: " + failure.Reason;
}

std::string DescribeReadFailure(const FileFailure& failure) {
  return "The file \"" + failure.Path + "\" could not be read: " + failure.Reason;
}

std::variant<std::string, FileFailure> ReadInputFile(const std::string& path, std::size_t limit) {
  // Checked before opening, so a device is never opened, and again on what was opened.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return Failure(path, errno);
  if (!S_ISREG(status.st_mode)) return FileFailure{path, std::string(NotRegular)};
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Failure(path, errno);
  std::variant<std::string, FileFailure> result;
  if (::fstat(fd, &status) != 0) {
    result = Failure(path, errno);
  } else if (!S_ISREG(status.st_mode)) {
    result = FileFailure{path, std::string(NotRegular)};
  } else if (static_cast<std::uintmax_t>(status.st_size) > limit) {
    result = TooLarge(path, limit);
  } else {
    result = ReadWhole(fd, path, static_cast<std::size_t>(status.st_size), limit);
  }
  ::close(fd);
  return result;
}

std::vector<std::string> ExistingFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> existing;
  for (const std::string& path : paths) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && (S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)))
      existing.push_back(path);
  }
  return existing;
}

std::string ReplaceQuestion(const std::vector<std::string>& existing) {
  if (existing.empty()) return {};
  if (existing.size() == 1) return existing.front() + " already exists. Replace it?";
  std::string list;
  for (std::size_t i = 0; i < existing.size(); ++i) {
    if (i > 0) list += i + 1 == existing.size() ? " and " : ", ";
    list += existing[i];
  }
  return list + " already exist. Replace them?";
}

}  // namespace zandrel
