// Checks of the JSON document readers: whatever the bytes, a reader gives a value or a message
// that names the file first, and what the class writer writes reads back the same.
#include <string>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

#include "core/text.h"
#include "document/batch_manifest.h"
#include "document/class_document.h"
#include "document/enumeration_request_document.h"
#include "tests/fuzz/fuzz_checks.h"

namespace zandrel::fuzz {

namespace {

constexpr const char* Name = "fuzz.json";

QByteArrayView View(std::string_view data) {
  return {data.data(), static_cast<qsizetype>(data.size())};
}

std::string CheckMessage(const std::string& message) {
  if (!message.starts_with(std::string(Name) + ":")) return "message without the file: " + message;
  return "";
}

bool HasNul(const std::string& text) { return text.find('\0') != std::string::npos; }

auto Fields(const ClassInput& input) {
  const GenerationOptions& o = input.Options;
  return std::tie(input.NameText, input.Grid, input.HeaderInsertions, o.ComparisonLevel,
                  o.PrivateCopy, o.FrameworkLibrary, o.StdLib, o.MathLib, o.CStrings,
                  o.BigConstructor, o.ToStringMethod, o.JsonFunctions, o.HashFunction, o.Formatter,
                  o.NameForm, o.TargetSystem);
}

}  // namespace

std::string CheckClassDocument(std::string_view data) {
  const auto read = ReadClassDocument(View(data), Name);
  if (const auto* message = std::get_if<std::string>(&read)) return CheckMessage(*message);
  const ClassInput& input = std::get<ClassInput>(read);
  const QByteArray saved = WriteClassDocument(input);
  std::string streamed;
  WriteClassDocument(input, [&](std::string_view piece) { streamed += piece; });
  if (streamed != saved.toStdString()) return "the streamed document differs from the whole one";
  const auto reopened = ReadClassDocument(saved, Name);
  if (const auto* message = std::get_if<std::string>(&reopened))
    return "a saved document does not open: " + *message;
  if (Fields(std::get<ClassInput>(reopened)) != Fields(input))
    return "a saved document opens as another description";
  return "";
}

std::string CheckEnumerationRequest(std::string_view data) {
  const auto read = ReadEnumerationRequest(View(data), Name);
  if (const auto* message = std::get_if<std::string>(&read)) return CheckMessage(*message);
  const EnumerationRequest& request = std::get<EnumerationRequest>(read);
  if (HasNul(request.TypeName) || HasNul(request.ListPath) || HasNul(request.OutputPath))
    return "a NUL passed in a path or the type name";
  if (Trim(request.TypeName) != request.TypeName) return "the type name is not trimmed";
  if (!request.FromFile && !request.ListPath.empty()) return "a list path without ListFile";
  if (!request.SeparateFile && !request.OutputPath.empty()) return "an output without OutputPath";
  return "";
}

std::string CheckBatchManifest(std::string_view data) {
  const auto read = ReadBatchManifest(View(data), Name);
  if (const auto* message = std::get_if<std::string>(&read)) return CheckMessage(*message);
  for (const ManifestEntry& entry : std::get<std::vector<ManifestEntry>>(read)) {
    if (HasNul(entry.Path) || HasNul(entry.Output)) return "a NUL passed in a path";
    if (!entry.IsClass && !entry.Output.empty()) return "an enumeration entry with an output";
  }
  return "";
}

}  // namespace zandrel::fuzz
