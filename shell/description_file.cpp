#include "shell/description_file.h"

#include <QSettings>
#include <utility>

#include "core/output_text.h"
#include "document/class_document.h"

namespace zandrel {

namespace {

const char* const RecentFilesKey = "RecentFiles";
const char* const SettingsName = "zandrel";  // ~/.config/zandrel/zandrel.conf

}  // namespace

std::variant<ClassInput, std::string> ReadDescriptionFile(const std::string& path,
                                                          std::string* outputPath) {
  auto bytes = ReadInputFile(path, JsonFileLimit);
  if (const auto* failure = std::get_if<FileFailure>(&bytes)) return DescribeReadFailure(*failure);
  const std::string& text = std::get<std::string>(bytes);
  std::string stored;
  auto read = ReadClassDocument(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())),
                                path, &stored);
  if (outputPath != nullptr) *outputPath = ResolvedOutputPath(path, stored);
  return read;
}

std::optional<std::string> WriteDescriptionFile(const std::string& path, const ClassInput& input,
                                                const std::string& outputPath) {
  const QByteArray document =
      WriteClassDocument(input, outputPath.empty() ? "" : StoredOutputPath(path, outputPath));
  const auto failure = WriteOutputText(
      path, std::string_view(document.constData(), static_cast<std::size_t>(document.size())));
  if (failure) return DescribeFailure(*failure);
  return std::nullopt;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithDescriptionSuffix(const std::string& path) {
  const std::string name = FileNameOf(path);
  if (name.empty() || name.find('.') != std::string::npos) return path;
  return path + std::string(DescriptionSuffix);
}

QStringList RecentFiles() {
  const QSettings settings(SettingsName, SettingsName);
  QStringList files = settings.value(RecentFilesKey).toStringList();
  files.removeAll(QString());
  if (files.size() > RecentFileCount) files.resize(RecentFileCount);
  return files;
}

void AddRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  if (files.size() > RecentFileCount) files.resize(RecentFileCount);
  QSettings settings(SettingsName, SettingsName);
  settings.setValue(RecentFilesKey, files);
}

}  // namespace zandrel
