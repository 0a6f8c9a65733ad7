// zandrel-gen import: a class description or enumeration request read from an existing header.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "classgen/class_description.h"
#include "classgen/targets.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/output_text.h"
#include "document/class_document.h"
#include "document/enumeration_request_document.h"
#include "headerimport/header_import.h"

namespace zandrel::cli {

namespace {

struct ImportLine {
  ImportRequest Request;
  ClangFlags Clang;
  std::string OutputPath;
  bool Help = false;
};

TargetSystem TargetNamed(const std::string& name) {
  for (const ClassTarget& target : ClassTargets())
    if (target.CommandName == name) return target.System;
  throw UsageError("import: unknown target \"" + name + "\"");
}

ImportLine ParseImportLine(const Arguments& arguments) {
  ImportLine line;
  std::vector<std::string> operands;
  bool options = true;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= arguments.size()) throw UsageError("import: " + a + " needs a value");
      return arguments[++i];
    };
    if (!options || a == "-" || a.empty() || a[0] != '-') {
      operands.push_back(a);
    } else if (a == "--") {
      options = false;
    } else if (a == "-h" || a == "--help") {
      line.Help = true;
    } else if (a == "--class" || a == "--enum") {
      if (line.Request.Kind != ImportKind::Any)
        throw UsageError("import: give one of --class and --enum");
      line.Request.Kind = a == "--class" ? ImportKind::Class : ImportKind::Enumeration;
      line.Request.Name = value();
      if (line.Request.Name.empty()) throw UsageError("import: " + a + " needs a name");
    } else if (a == "--target") {
      line.Request.Target = TargetNamed(value());
    } else if (TakeClangFlag(arguments, i, line.Clang, "import")) {
      continue;  // -I, -D or -p
    } else if (a == "-o") {
      line.OutputPath = value();
    } else {
      throw UsageError("import: unknown option \"" + a + "\" (try --help)");
    }
  }
  if (line.Help) return line;
  if (operands.size() != 1) throw UsageError("import needs one argument: HEADER");
  line.Request.HeaderPath = operands.front();
  return line;
}

QByteArray EnumerationDocument(const EnumerationRequest& request) {
  QJsonArray rows;
  for (std::size_t i = 0; i < request.GridRows.size(); ++i) {
    const GridRow& row = request.GridRows[i];
    if (row.Name.empty()) continue;
    QJsonObject object{{"Row", static_cast<int>(i + 1)},
                       {"Name", QString::fromStdString(row.Name)}};
    if (!row.Value.empty()) object.insert("Value", QString::fromStdString(row.Value));
    rows.append(object);
  }
  QJsonObject document{
      {"$schema", QString::fromUtf8(EnumerationRequestSchema.data(),
                                    static_cast<qsizetype>(EnumerationRequestSchema.size()))},
      {"Format", 1},
      {"TypeName", QString::fromStdString(request.TypeName)},
      {"Style", QStringLiteral("ModernEnumeration")},
      {"FirstAndLast", false},
      {"ApplyPrefix", false},
      {"PrefixText", QString::fromStdString(request.PrefixText)},
      {"Rows", rows}};
  // The enum class keys only when set, so a document without them reads as before.
  if (request.Flags) document.insert("Flags", true);
  if (request.CaseInsensitive) document.insert("CaseInsensitive", true);
  if (request.Formatter) document.insert("Formatter", true);
  if (request.Json) document.insert("Json", true);
  return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

// The document for a class, or the reason a document cannot hold it.
std::variant<QByteArray, std::string> ClassDocumentOf(const ClassDescription& description) {
  ClassInput input;
  input.NameText = description.ClassName;
  input.Options = description.Options;
  for (const MemberRow& row : description.Members) {
    if (row.RowNumber > MemberGridMaxRows)
      return description.ClassName + " has " + std::to_string(description.Members.size()) +
             " rows; a description holds " + std::to_string(MemberGridMaxRows);
    const auto index = static_cast<std::size_t>(row.RowNumber - 1);
    if (index >= input.Grid.size()) input.Grid.resize(index + 1);
    input.Grid[index] = {row.Type, row.Name, row.InitialValue};
  }
  return WriteClassDocument(input);
}

}  // namespace

int RunImportCommand(const Arguments& arguments) {
  ImportLine line = ParseImportLine(arguments);
  if (line.Help) return PrintOutput(CommandUsage("import")) ? Written : NotWritten;
  line.Request.CompilerArguments = ClangArguments(line.Clang, line.Request.HeaderPath);
  const std::string& header = line.Request.HeaderPath;
  const auto imported = ImportHeader(line.Request);
  if (const auto* failure = std::get_if<ImportFailure>(&imported)) {
    std::string where = header;
    if (failure->Line > 0) where += ':' + std::to_string(failure->Line);
    PrintFileError(where + ": " + failure->Reason);
    return failure->Fault == ImportFault::Unreadable ? NotWritten : Refused;
  }
  const auto& result = std::get<ImportedHeader>(imported);
  for (const auto& [includeLine, include] : result.MissingIncludes)
    PrintFileError("warning: " + header + ":" + std::to_string(includeLine) + ": include \"" +
                   include + "\" not found; the types it would bring are kept as written");
  for (const std::string& note : result.Notes) PrintFileError("warning: " + header + ":" + note);

  QByteArray document;
  if (const auto* description = std::get_if<ClassDescription>(&result.Record)) {
    auto written = ClassDocumentOf(*description);
    if (const auto* refusal = std::get_if<std::string>(&written)) {
      PrintFileError(header + ": " + *refusal);
      return Refused;
    }
    document = std::get<QByteArray>(std::move(written));
  } else {
    document = EnumerationDocument(std::get<EnumerationRequest>(result.Record));
  }
  const std::string_view text(document.constData(), static_cast<std::size_t>(document.size()));
  if (line.OutputPath.empty()) return PrintOutput(text) ? Written : NotWritten;
  if (auto refused = CheckChosenPath(line.OutputPath)) {
    PrintFileError(DescribeFailure(*refused));
    return NotWritten;
  }
  if (auto failed = WriteOutputText(line.OutputPath, text)) {
    PrintFileError(DescribeFailure(*failed));
    return NotWritten;
  }
  return Written;
}

}  // namespace zandrel::cli
