#include "classgen/output_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace zandrel {

namespace {

FileFailure Failure(const std::string& path, int error) { return {path, std::strerror(error)}; }

// Binary mode, so the bytes on disk are exactly the generated text on every platform.
std::optional<FileFailure> WriteWith(const std::string& path, std::string_view text,
                                     const char* mode) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr) return Failure(path, errno != 0 ? errno : EIO);

  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  int error = errno;
  const bool flushed = written && std::fflush(file) == 0;
  if (written && !flushed) error = errno;
  // A failed close can be the first sign that the data did not reach the disk.
  const bool closed = std::fclose(file) == 0;
  if (written && flushed && !closed) error = errno;
  if (written && flushed && closed) return std::nullopt;
  return Failure(path, error != 0 ? error : EIO);
}

}  // namespace

std::optional<FileFailure> WriteOutputText(const std::string& path, std::string_view text) {
  return WriteWith(path, text, "wb");
}

std::optional<FileFailure> AppendOutputText(const std::string& path, std::string_view text) {
  return WriteWith(path, text, "ab");
}

std::string DescribeFailure(const FileFailure& failure) {
  return "The file \"" + failure.Path + "\" could not be written: " + failure.Reason;
}

std::vector<std::string> ExistingFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> existing;
  for (const std::string& path : paths) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) existing.push_back(path);
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
