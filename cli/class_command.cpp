// zandrel-gen class: Build from a JSON description instead of the main window.
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "classgen/targets.h"
#include "cli/cli_common.h"

namespace zandrel::cli {

namespace {

template <typename Enum>
using EnumNames = std::span<const std::pair<std::string_view, Enum>>;

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
  throw UsageError(where + "." + key + " must be one of " + choices);
}

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

QJsonArray ArrayMember(const QJsonObject& object, const char* key, const std::string& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return {};
  if (!value.isArray()) throw UsageError(where + "." + key + " must be an array");
  return value.toArray();
}

GenerationOptions ReadOptions(const QJsonObject& top) {
  GenerationOptions options;  // the main window's start-up state
  const QJsonValue value = top.value(QLatin1String("Options"));
  if (value.isUndefined()) return options;
  if (!value.isObject()) throw UsageError("Options must be an object");
  const QJsonObject object = value.toObject();
  const std::string where = "Options";
  RejectUnknownKeys(object,
                    {"ComparisonLevel", "PrivateCopy", "FrameworkLibrary", "StdLib", "MathLib",
                     "CStrings", "BigConstructor", "ToStringMethod", "NameForm", "TargetSystem"},
                    where);
  options.ComparisonLevel = EnumMember<ComparisonLevel>(
      object, "ComparisonLevel", options.ComparisonLevel, ComparisonNames, where);
  options.PrivateCopy = FlagMember(object, "PrivateCopy", options.PrivateCopy, where);
  options.FrameworkLibrary =
      FlagMember(object, "FrameworkLibrary", options.FrameworkLibrary, where);
  options.StdLib = FlagMember(object, "StdLib", options.StdLib, where);
  options.MathLib = FlagMember(object, "MathLib", options.MathLib, where);
  options.CStrings = FlagMember(object, "CStrings", options.CStrings, where);
  options.BigConstructor = FlagMember(object, "BigConstructor", options.BigConstructor, where);
  options.ToStringMethod = FlagMember(object, "ToStringMethod", options.ToStringMethod, where);
  options.NameForm =
      EnumMember<NameForm>(object, "NameForm", options.NameForm, NameFormNames, where);
  options.TargetSystem =
      EnumMember<TargetSystem>(object, "TargetSystem", options.TargetSystem, TargetNames(), where);
  return options;
}

// Fills the grid rows the description names; rows left out stay empty, as in the window.
void ReadRows(const QJsonObject& top, ClassInput& input) {
  const QJsonArray rows = ArrayMember(top, "Rows", "description");
  bool given[MemberGridRows] = {};
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const std::string where = "Rows[" + std::to_string(i) + "]";
    if (!rows[i].isObject()) throw UsageError(where + " must be an object");
    const QJsonObject row = rows[i].toObject();
    RejectUnknownKeys(row, {"Row", "Type", "Name", "InitialValue"}, where);
    const QJsonValue number = row.value(QLatin1String("Row"));
    if (number.isUndefined()) throw UsageError(where + ".Row is missing");
    const double n = number.toDouble(0);
    if (!number.isDouble() || n != std::floor(n) || n < 1 || n > MemberGridRows)
      throw UsageError(where + ".Row must be a whole number from 1 to 19");
    const auto index = static_cast<std::size_t>(n) - 1;
    if (given[index])
      throw UsageError(where + ": row " + std::to_string(index + 1) + " is given twice");
    given[index] = true;
    input.Grid[index] = {TextMember(row, "Type", "", where), TextMember(row, "Name", "", where),
                         TextMember(row, "InitialValue", "", where)};
  }
}

ClassInput ReadClassInput(const QJsonObject& top) {
  RejectUnknownKeys(top, {"ClassName", "Rows", "Options", "HeaderInsertions"}, "description");
  ClassInput input;
  input.NameText = TextMember(top, "ClassName", "", "description");
  ReadRows(top, input);
  input.Options = ReadOptions(top);
  const QJsonArray insertions = ArrayMember(top, "HeaderInsertions", "description");
  for (qsizetype i = 0; i < insertions.size(); ++i) {
    if (!insertions[i].isString())
      throw UsageError("HeaderInsertions[" + std::to_string(i) + "] must be a string");
    input.HeaderInsertions.push_back(Bytes(insertions[i].toString()));
  }
  return input;
}

constexpr std::string_view ClassUsage =
    "Usage: zandrel-gen class DESCRIPTION.json OUTPUT_PATH\n"
    "\n"
    "Writes the class files as Build does when the save dialog returns OUTPUT_PATH: the\n"
    "header and the source beside it, or the Java file. Existing files are replaced whole,\n"
    "both or neither.\n"
    "\n"
    "Exit codes: 0 written, 1 class name refused, 2 unusable invocation or JSON, 3 the\n"
    "description not read, a file not written or standard output not written.\n";

}  // namespace

int RunClassCommand(const Arguments& arguments) {
  if (AsksForHelp(arguments)) return PrintOutput(ClassUsage) ? Written : NotWritten;
  if (arguments.size() != 2)
    throw UsageError("class needs two arguments: DESCRIPTION.json OUTPUT_PATH");
  const ClassInput input = ReadClassInput(LoadJsonObject(arguments[0]));
  const auto description = ReadClassDescription(input);
  if (!description) {
    PrintError(std::string(ShortClassNameMessage));
    return Refused;
  }
  // Nothing is written unless every file can be: an output path that is a folder, FIFO or
  // device is refused before any file changes.
  const auto failures = WriteClassFiles(*description, arguments[1]);
  for (const FileFailure& failure : failures) PrintError(DescribeFailure(failure));
  return failures.empty() ? Written : NotWritten;
}

}  // namespace zandrel::cli
