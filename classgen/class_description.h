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
  int RowNumber = 0;  // the member table's row, from 1; survives gaps
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
  bool JsonFunctions = false;
  bool HashFunction = false;
  bool Formatter = false;  // writes the stream output too
  ::zandrel::NameForm NameForm = NameForm::LowerUnderscore;
  ::zandrel::TargetSystem TargetSystem = TargetSystem::DevCpp;

  friend bool operator==(const GenerationOptions&, const GenerationOptions&) = default;
};

// Marks a window text for Qt's translation tool (configured to read it as QT_TRANSLATE_NOOP)
// while this header stays free of Qt.
#define ZANDREL_TRANSLATE_NOOP(context, text) text

// The targets an option adds something to, as a set of TargetSystem bits.
constexpr unsigned TargetBit(TargetSystem system) { return 1U << static_cast<unsigned>(system); }
inline constexpr unsigned AllTargets = ~0U;

// Everything an on/off option is, one row each: its key in documents and the schema, the field it
// sets, its value at start-up, its check box in the main window (object name, caption with its Alt
// key after "&", tool tip, undo step) and the targets it adds something to. Documents list them in
// this order, between ComparisonLevel and NameForm; the window's tab order takes them in this order
// too, each at its place among the other controls.
struct FlagOption {
  std::string_view Key;
  bool GenerationOptions::*Field;
  bool Default;
  const char* ControlName;
  const char* Caption;
  const char* ToolTip;  // none for the library box, whose tip follows the target
  const char* UndoName;
  bool Cleared;  // whether Clear puts the box back to its default
  unsigned Targets;
};
inline constexpr FlagOption FlagOptions[] = {
    {"PrivateCopy", &GenerationOptions::PrivateCopy, false, "PrivateCheck",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Ma&ke copy constructor and = operator private"),
     ZANDREL_TRANSLATE_NOOP(
         "zandrel::TForm1",
         "Declares the copy constructor and = operator private, so objects cannot be copied"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Private Copy"), true, AllTargets},
    {"FrameworkLibrary", &GenerationOptions::FrameworkLibrary, true, "VCLCheck",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "VCL"), nullptr,
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Framework Library"), true, AllTargets},
    {"StdLib", &GenerationOptions::StdLib, false, "StdCheck",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "&StdLib"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Adds #include <stdlib.h> to the header"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "StdLib"), true, AllTargets},
    {"MathLib", &GenerationOptions::MathLib, false, "MathCheck",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Ma&th"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Adds #include <math.h> to the header"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Math"), true, AllTargets},
    {"CStrings", &GenerationOptions::CStrings, false, "StringCheck",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "C Style Str&ings"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Adds #include <string.h> to the header"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "C Style Strings"), true, AllTargets},
    {"BigConstructor", &GenerationOptions::BigConstructor, false, "BigConstructorBox",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Constructor &with all variables as parameters"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1",
                            "Adds a constructor that takes every member variable as a parameter"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Big Constructor"), false, AllTargets},
    {"ToStringMethod", &GenerationOptions::ToStringMethod, false, "ToStringBox",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Generate a ToString &method"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Declares a ToString method for you to implement"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "ToString Method"), false, AllTargets},
    {"JsonFunctions", &GenerationOptions::JsonFunctions, false, "JsonBox",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "&JSON conversion functions"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1",
                            "Adds to_json and from_json for nlohmann/json, member by member"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "JSON Functions"), false,
     TargetBit(TargetSystem::ModernCpp)},
    {"HashFunction", &GenerationOptions::HashFunction, false, "HashBox",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "std::hash s&pecialisation"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1",
                            "Adds a std::hash of the class that mixes every data member"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Hash Function"), false,
     TargetBit(TargetSystem::ModernCpp)},
    {"Formatter", &GenerationOptions::Formatter, false, "FormatterBox",
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "fmt and std::format formatters"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1",
                            "Adds formatters for fmt and std::format that print what operator<< "
                            "prints; turns on the stream output"),
     ZANDREL_TRANSLATE_NOOP("zandrel::TForm1", "Formatter"), false,
     TargetBit(TargetSystem::ModernCpp)},
};

struct ClassDescription {
  std::string ClassName;
  std::vector<MemberRow> Members;
  GenerationOptions Options;
  InsertionList HeaderInsertions;  // oldest first, shared with the main window
};

// The member table's columns: Type, Name, Initial value.
inline constexpr int MemberGridColumns = 3;
using MemberCells = std::array<std::string, MemberGridColumns>;
// The rows the member table starts with; it grows past them as rows come in.
inline constexpr int MemberGridRows = 19;
// The most rows a document may give, so that a row number cannot make the table take all memory.
inline constexpr int MemberGridMaxRows = 100000;

// What the main window holds when Build is pressed, before any checking or cleaning.
struct ClassInput {
  std::string NameText;
  // The member table's rows, index 0 being row 1; MemberGridRows of them at first.
  std::vector<MemberCells> Grid = std::vector<MemberCells>(MemberGridRows);
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
// The accessor name in a naming form, e.g. "getCount".
std::string AccessorName(NameForm form, AccessorKind kind, std::string_view Name);
// " Sample(int parm1, double parm3)"
std::string BigConstructorHead(const ClassDescription& description);

}  // namespace zandrel
