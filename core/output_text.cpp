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

#include "core/output_detail.h"

namespace zandrel {

namespace {

using detail::Failure;
using detail::NotRegular;

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
  return failure.Path + ": could not be written: " + failure.Reason;
}

std::string DescribeReadFailure(const FileFailure& failure) {
  return failure.Path + ": could not be read: " + failure.Reason;
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
