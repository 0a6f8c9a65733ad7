#include "document/batch_manifest.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include "document/json_members.h"

namespace zandrel {

namespace {

ManifestEntry ReadEntry(const QJsonValue& value, qsizetype index) {
  const std::string where = "entries[" + std::to_string(index) + "]";
  if (!value.isObject()) throw DocumentError(where + " must be an object");
  const QJsonObject object = value.toObject();
  ManifestEntry entry;
  entry.IsClass = object.contains(QLatin1String("class"));
  if (entry.IsClass == object.contains(QLatin1String("enum")))
    throw DocumentError(where + R"( needs either "class" or "enum")");
  if (entry.IsClass)
    RejectUnknownKeys(object, {"class", "output", "base"}, where);
  else
    RejectUnknownKeys(object, {"enum", "base"}, where);
  entry.Path = PathMember(object, entry.IsClass ? "class" : "enum", "", where);
  if (entry.IsClass) {
    if (!object.contains(QLatin1String("output")))
      throw DocumentError(where + ".output is missing");
    entry.Output = PathMember(object, "output", "", where);
  }
  if (object.contains(QLatin1String("base"))) entry.Base = PathMember(object, "base", "", where);
  return entry;
}

}  // namespace

std::variant<std::vector<ManifestEntry>, std::string> ReadBatchManifest(QByteArrayView bytes,
                                                                        const std::string& name) {
  try {
    const QJsonObject manifest = ParseJsonObject(bytes);
    RejectUnknownKeys(manifest, {"$schema", "Format", "entries"}, "manifest");
    CheckDocumentHeader(manifest, "manifest");
    if (!manifest.value(QLatin1String("entries")).isArray())
      throw DocumentError("manifest.entries must be an array");
    const QJsonArray array = manifest.value(QLatin1String("entries")).toArray();
    std::vector<ManifestEntry> entries;
    for (qsizetype i = 0; i < array.size(); ++i) entries.push_back(ReadEntry(array[i], i));
    return entries;
  } catch (const DocumentError& error) {
    return DescribeDocumentError(name, error);
  }
}

}  // namespace zandrel
