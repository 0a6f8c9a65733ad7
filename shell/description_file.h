#pragma once

// Class descriptions as files: the JSON that zandrel-gen class reads, opened and saved by the main
// window, and the list of files used last.

#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "classgen/class_description.h"

namespace zandrel {

inline constexpr std::string_view DescriptionSuffix = ".zandrel.json";
inline constexpr std::string_view DescriptionFilter =
    "Class descriptions|*.zandrel.json|JSON files|*.json|All files|*";

// The description in the file, or the message zandrel-gen class gives for it (without its own
// name in front): a file it cannot read, or JSON it refuses. Where given, outputPath receives the
// path the document says the class was last built to, resolved against the document's folder.
std::variant<ClassInput, std::string> ReadDescriptionFile(const std::string& path,
                                                          std::string* outputPath = nullptr);

// Replaces the file whole and safely, keeping outputPath (if any) as the document stores it; the
// message when it could not be written.
std::optional<std::string> WriteDescriptionFile(const std::string& path, const ClassInput& input,
                                                const std::string& outputPath = {});

// The path with DescriptionSuffix added when its file name has no extension.
std::string WithDescriptionSuffix(const std::string& path);

// The file name part of a path.
std::string FileNameOf(const std::string& path);

// The files opened or saved last, newest first, kept between runs.
inline constexpr int RecentFileCount = 8;
QStringList RecentFiles();
void AddRecentFile(const QString& path);

}  // namespace zandrel
