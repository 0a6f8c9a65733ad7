#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classgen/header_insertions.h"
#include "core/text.h"

namespace zandrel {

enum class TargetSystem {
  CBuilder = 0,
  DevCpp = 1,
  VisualCpp = 2,
  Java = 3,
  ModernCpp = 4,
  JavaRecord = 5
};
enum class NameForm { LowerUnderscore = 0, LowerCamel = 1, UpperCamel = 2 };
enum class ComparisonLevel { NoComparisons = 0, EqualityOnly = 1, AllComparisons = 2 };

// One row of the member table, texts exactly as typed.
struct MemberRow {
  std::string Type;
  std::string Name;
  std::string InitialValue;
  int RowNumber = 0;  // grid row 1 to 19; survives gaps
};

struct GenerationOptions {
  ::zandrel::ComparisonLevel ComparisonLevel = ComparisonLevel::NoComparisons;
  bool PrivateCopy = false;
  bool FrameworkLibrary = true;
  bool StdLib = false;
  bool MathLib = false;
  bool CStrings = false;
  bool BigConstructor = false;
  bool ToStringMethod = false;
  ::zandrel::NameForm NameForm = NameForm::LowerUnderscore;
  ::zandrel::TargetSystem TargetSystem = TargetSystem::DevCpp;

  friend bool operator==(const GenerationOptions&, const GenerationOptions&) = default;
};

// The on/off options by their key in documents and the schema, in the order a document lists
// them (between ComparisonLevel and NameForm). Their defaults are GenerationOptions' own.
struct FlagOption {
  std::string_view Key;
  bool GenerationOptions::*Field;
};
inline constexpr FlagOption FlagOptions[] = {
    {"PrivateCopy", &GenerationOptions::PrivateCopy},
    {"FrameworkLibrary", &GenerationOptions::FrameworkLibrary},
    {"StdLib", &GenerationOptions::StdLib},
    {"MathLib", &GenerationOptions::MathLib},
    {"CStrings", &GenerationOptions::CStrings},
    {"BigConstructor", &GenerationOptions::BigConstructor},
    {"ToStringMethod", &GenerationOptions::ToStringMethod},
};

struct ClassDescription {
  std::string ClassName;
  std::vector<MemberRow> Members;
  GenerationOptions Options;
  InsertionList HeaderInsertions;  // oldest first, shared with the main window
};

constexpr int MemberGridRows = 19;

// What the main window holds when Build is pressed, before any checking or cleaning.
struct ClassInput {
  std::string NameText;
  // Rows 1 to 19 of the member grid (index 0 is row 1): Type, Name, Initial value.
  std::array<std::array<std::string, 3>, MemberGridRows> Grid{};
  GenerationOptions Options;
  InsertionList HeaderInsertions;

  friend bool operator==(const ClassInput&, const ClassInput&) = default;
};

inline constexpr std::string_view ShortClassNameMessage =
    "You must have a class name that is larger than one characters.";
inline constexpr std::string_view ShortClassNameCaption = "Error.";

// Checks and cleans the class name and reads the member rows. Nothing when the name as typed has
// fewer than 2 characters (the caller shows ShortClassNameMessage).
std::optional<ClassDescription> ReadClassDescription(const ClassInput& input);

// Member rules.
bool IsMemberRow(std::string_view Type, std::string_view Name);
bool IsDataMember(const MemberRow& row);
bool IsMethod(const MemberRow& row);
std::string MethodName(const MemberRow& row);
bool IsArray(std::string_view Name);
std::string BaseName(std::string_view Name);
std::string ArrayDimension(std::string_view Name);
bool IsCString(const MemberRow& row);
enum class CopyKind { StringCopy, ElementCopy, PlainCopy };
CopyKind CopyForm(const MemberRow& row);
bool HasInitialValue(const MemberRow& row);

enum class AccessorKind { Getter, Setter };
// One blank followed by the accessor name, e.g. " getCount".
std::string AccessorName(NameForm form, AccessorKind kind, std::string_view Name);
// " Sample(int parm1, double parm3)"
std::string BigConstructorHead(const ClassDescription& description);

}  // namespace zandrel
