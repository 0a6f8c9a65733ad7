#pragma once

// The batch manifest: the class descriptions and enumeration requests zandrel-gen batch runs.

#include <QByteArrayView>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zandrel {

// One entry: a class description and its output path, or an enumeration request. Paths are as
// written in the manifest (a NUL in them is refused).
struct ManifestEntry {
  bool IsClass = false;
  std::string Path;                 // "class" or "enum"
  std::string Output;               // "output", for a class
  std::optional<std::string> Base;  // "base": an older description or request to merge from
};

// The entries in order, or the message in the shape of ReadClassDocument's.
std::variant<std::vector<ManifestEntry>, std::string> ReadBatchManifest(QByteArrayView bytes,
                                                                        const std::string& name);

}  // namespace zandrel
