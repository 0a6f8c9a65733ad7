#include "document/class_document.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "classgen/targets.h"
#include "core/block_sink.h"
#include "document/enumeration_request_document.h"
#include "document/json_members.h"
#include "enumgen/enumeration_styles.h"

namespace zandrel {

namespace {

template <typename Enum>
using EnumNames = std::span<const std::pair<std::string_view, Enum>>;

constexpr std::pair<std::string_view, ComparisonLevel> ComparisonNames[] = {
    {"NoComparisons", ComparisonLevel::NoComparisons},
    {"EqualityOnly", ComparisonLevel::EqualityOnly},
    {"AllComparisons", ComparisonLevel::AllComparisons}};
constexpr std::pair<std::string_view, NameForm> NameFormNames[] = {
    {"LowerUnderscore", NameForm::LowerUnderscore},
    {"LowerCamel", NameForm::LowerCamel},
    {"UpperCamel", NameForm::UpperCamel}};

std::vector<std::pair<std::string_view, TargetSystem>> TargetNames() {
  std::vector<std::pair<std::string_view, TargetSystem>> names;
  for (const ClassTarget& target : ClassTargets())
    names.emplace_back(target.CommandName, target.System);
  return names;
}

// Reads an enumeration member by the name of its value; the fallback when absent.
template <typename Enum>
Enum EnumMember(const QJsonObject& object, const char* key, Enum fallback, EnumNames<Enum> names,
                const std::string& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return fallback;
  std::string choices;
  for (const auto& [name, enumValue] : names) {
    if (value.isString() && Bytes(value.toString()) == name) return enumValue;
    choices += (choices.empty() ? "" : ", ") + std::string(name);
  }
  throw DocumentError(where + "." + key + " must be one of " + choices);
}

template <typename Enum>
std::string_view NameOf(Enum value, EnumNames<Enum> names) {
  for (const auto& [name, enumValue] : names)
    if (enumValue == value) return name;
  return {};
}

GenerationOptions ReadOptions(const QJsonObject& top) {
  GenerationOptions options;  // the main window's start-up state
  const QJsonValue value = top.value(QLatin1String("Options"));
  if (value.isUndefined()) return options;
  if (!value.isObject()) throw DocumentError("Options must be an object");
  const QJsonObject object = value.toObject();
  const std::string where = "Options";
  for (auto it = object.begin(); it != object.end(); ++it) {
    const std::string key = Bytes(it.key());
    const bool known =
        key == "ComparisonLevel" || key == "NameForm" || key == "TargetSystem" ||
        std::ranges::any_of(FlagOptions, [&](const FlagOption& flag) { return flag.Key == key; });
    if (!known) throw DocumentError("unknown key \"" + key + "\" in " + where);
  }
  options.ComparisonLevel = EnumMember<ComparisonLevel>(
      object, "ComparisonLevel", options.ComparisonLevel, ComparisonNames, where);
  for (const FlagOption& flag : FlagOptions)
    options.*flag.Field =
        FlagMember(object, std::string(flag.Key).c_str(), options.*flag.Field, where);
  options.NameForm =
      EnumMember<NameForm>(object, "NameForm", options.NameForm, NameFormNames, where);
  options.TargetSystem =
      EnumMember<TargetSystem>(object, "TargetSystem", options.TargetSystem, TargetNames(), where);
  return options;
}

// Fills the grid rows the description names, the table growing to the last of them; rows left
// out stay empty, as in the window.
void ReadRows(const QJsonObject& top, ClassInput& input) {
  const QJsonArray rows = ArrayMember(top, "Rows", "description");
  std::vector<bool> given(input.Grid.size());
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const std::string where = "Rows[" + std::to_string(i) + "]";
    if (!rows[i].isObject()) throw DocumentError(where + " must be an object");
    const QJsonObject row = rows[i].toObject();
    RejectUnknownKeys(row, {"Row", "Type", "Name", "InitialValue"}, where);
    const QJsonValue number = row.value(QLatin1String("Row"));
    if (number.isUndefined()) throw DocumentError(where + ".Row is missing");
    const double n = number.toDouble(0);
    if (!number.isDouble() || n != std::floor(n) || n < 1 || n > MemberGridMaxRows)
      throw DocumentError(where + ".Row must be a whole number from 1 to " +
                          std::to_string(MemberGridMaxRows));
    const auto index = static_cast<std::size_t>(n) - 1;
    if (index >= input.Grid.size()) {
      input.Grid.resize(index + 1);
      given.resize(index + 1);
    }
    if (given[index])
      throw DocumentError(where + ": row " + std::to_string(index + 1) + " is given twice");
    given[index] = true;
    input.Grid[index] = {TextMember(row, "Type", "", where), TextMember(row, "Name", "", where),
                         TextMember(row, "InitialValue", "", where)};
  }
}

// A bare text, as older documents hold them, or a record with its style and its request.
HeaderInsertion ReadInsertion(const QJsonValue& value, const std::string& where) {
  if (value.isString()) {
    std::string text = Bytes(value.toString());
    if (text.find('\0') != std::string::npos)
      throw DocumentError(where + " must not hold a NUL character");
    return HeaderInsertion::TextOnly(ShareText(std::move(text)));
  }
  if (!value.isObject()) throw DocumentError(where + " must be a string or an object");
  const QJsonObject object = value.toObject();
  RejectUnknownKeys(object, {"Style", "TypeName", "Request", "Text"}, where);
  HeaderInsertion insertion;
  insertion.Style = StyleMember(object, where);
  insertion.Kind = StyleRow(*insertion.Style).HandsOver;
  insertion.TypeName = TextMember(object, "TypeName", "", where);
  insertion.Text = ShareText(TextMember(object, "Text", "", where));
  if (object.contains(QLatin1String("Request"))) {
    const QJsonValue request = object.value(QLatin1String("Request"));
    if (!request.isObject()) throw DocumentError(where + ".Request must be an object");
    insertion.Request = std::make_shared<const EnumerationRequest>(
        ReadRequest(request.toObject(), where + ".Request"));
    if (insertion.Request->Style != insertion.Style)
      throw DocumentError(where + ".Request.Style must be the entry's Style");
  }
  return insertion;
}

ClassInput ReadClassInput(const QJsonObject& top, std::string* outputPath) {
  RejectUnknownKeys(
      top, {"$schema", "Format", "ClassName", "Rows", "Options", "HeaderInsertions", "OutputPath"},
      "description");
  CheckDocumentHeader(top, "description");
  ClassInput input;
  input.NameText = TextMember(top, "ClassName", "", "description");
  ReadRows(top, input);
  input.Options = ReadOptions(top);
  const QJsonArray insertions = ArrayMember(top, "HeaderInsertions", "description");
  for (qsizetype i = 0; i < insertions.size(); ++i)
    input.HeaderInsertions.push_back(
        ReadInsertion(insertions[i], "HeaderInsertions[" + std::to_string(i) + "]"));
  const std::string place = PathMember(top, "OutputPath", "", "description");
  if (outputPath != nullptr) *outputPath = place;
  return input;
}

std::string Flag(bool on) { return on ? "true" : "false"; }

}  // namespace

std::variant<ClassInput, std::string> ReadClassDocument(QByteArrayView bytes,
                                                        const std::string& name,
                                                        std::string* outputPath) {
  try {
    return ReadClassInput(ParseJsonObject(bytes), outputPath);
  } catch (const DocumentError& error) {
    return DescribeDocumentError(name, error);
  }
}

void WriteClassDocument(const ClassInput& input, const TextSink& sink,
                        std::string_view outputPath) {
  BlockSink out(sink);
  const std::function<void(std::string_view)> put = [&](std::string_view piece) { out(piece); };
  const auto text = [&](std::string_view value) { WriteJsonString(value, put); };
  const GenerationOptions& o = input.Options;
  out("{\n  \"$schema\": ");
  text(ClassDocumentSchema);
  out(",\n  \"Format\": " + std::to_string(DocumentFormat) + ",\n  \"ClassName\": ");
  text(input.NameText);
  out(",\n  \"Rows\": [");
  const char* separator = "\n";
  for (std::size_t i = 0; i < input.Grid.size(); ++i) {
    const auto& [type, name, initialValue] = input.Grid[i];
    if (type.empty() && name.empty() && initialValue.empty()) continue;
    out(separator);
    out("    {\"Row\": " + std::to_string(i + 1) + ", \"Type\": ");
    text(type);
    out(", \"Name\": ");
    text(name);
    out(", \"InitialValue\": ");
    text(initialValue);
    out("}");
    separator = ",\n";
  }
  out(std::string(*separator == '\n' ? "]" : "\n  ]") + ",\n  \"Options\": {\n");
  std::string options = "    \"ComparisonLevel\": " +
                        JsonString(NameOf<ComparisonLevel>(o.ComparisonLevel, ComparisonNames)) +
                        ",\n";
  for (const FlagOption& flag : FlagOptions)
    options += "    \"" + std::string(flag.Key) + "\": " + Flag(o.*flag.Field) + ",\n";
  options += "    \"NameForm\": " + JsonString(NameOf<NameForm>(o.NameForm, NameFormNames)) + ",\n";
  options += "    \"TargetSystem\": " + JsonString(TargetOf(o.TargetSystem).CommandName) + "\n";
  out(options);
  out("  },\n  \"HeaderInsertions\": [");
  separator = "\n";
  for (const HeaderInsertion& insertion : input.HeaderInsertions.Records()) {
    out(separator);
    separator = ",\n";
    // A text only stays as older documents wrote it.
    if (insertion.IsTextOnly()) {
      out("    ");
      text(*insertion.Text);
      continue;
    }
    out("    {\"Style\": " + JsonString(StyleRow(*insertion.Style).Name) +
        ", \"TypeName\": " + JsonString(insertion.TypeName));
    if (insertion.Request != nullptr)
      out(",\n     \"Request\": " + RequestJson(*insertion.Request));
    out(",\n     \"Text\": ");
    text(*insertion.Text);
    out("}");
  }
  out(std::string(*separator == '\n' ? "]" : "\n  ]"));
  // Only a description that has been built says where; the others stay as they always were.
  if (!outputPath.empty()) {
    out(",\n  \"OutputPath\": ");
    text(outputPath);
  }
  out("\n}\n");
}

QByteArray WriteClassDocument(const ClassInput& input, std::string_view outputPath) {
  // Measured first, so the document is allocated once at its size: a large one is then held once,
  // never grown by copying.
  qsizetype size = 0;
  WriteClassDocument(
      input, [&](std::string_view piece) { size += static_cast<qsizetype>(piece.size()); },
      outputPath);
  QByteArray document;
  document.reserve(size);
  WriteClassDocument(
      input,
      [&](std::string_view piece) {
        document.append(piece.data(), static_cast<qsizetype>(piece.size()));
      },
      outputPath);
  return document;
}

std::string StoredOutputPath(std::string_view documentPath, std::string_view outputPath) {
  namespace fs = std::filesystem;
  const fs::path output = fs::absolute(fs::path(outputPath)).lexically_normal();
  if (documentPath.empty()) return output.generic_string();
  const fs::path folder = fs::absolute(fs::path(documentPath)).lexically_normal().parent_path();
  const fs::path relative = output.lexically_relative(folder);
  // Below the document's folder the path moves with the project; anywhere else it stays put.
  if (relative.empty() || *relative.begin() == "..") return output.generic_string();
  return relative.generic_string();
}

std::string ResolvedOutputPath(std::string_view documentPath, std::string_view storedPath) {
  namespace fs = std::filesystem;
  if (storedPath.empty()) return {};
  const fs::path stored{storedPath};
  if (stored.is_absolute() || documentPath.empty()) return stored.generic_string();
  return (fs::path(documentPath).parent_path() / stored).lexically_normal().generic_string();
}

}  // namespace zandrel
