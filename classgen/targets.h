#pragma once

#include <span>
#include <string>
#include <string_view>

#include "classgen/class_description.h"
#include "core/text_pieces.h"

namespace zandrel {

// Writes the whole text of one file for a class, in pieces that share the header insertions.
using ClassWriter = TextPieces (*)(const ClassDescription& description);

// Which enumeration texts a target's files can use.
enum class InsertionFit {
  LegacyCpp,     // the typedef and wrapper-class styles
  EnumClassCpp,  // the enum class style
  Java,          // none: every enumeration text is C++
};

// One file that Build writes: the preview tab that shows it, what follows FileStem in its path,
// and its writer.
struct TargetFile {
  std::string_view TabName;
  std::string_view Suffix;
  ClassWriter Write;
};

// Everything that differs between the target systems, one row each: a new target is its writers
// plus one row.
struct ClassTarget {
  TargetSystem System;
  std::string_view CommandName;        // its name in zandrel-gen's descriptions
  std::string_view ItemText;           // its item in the main window's system box
  std::string_view ProposedExtension;  // follows ClassName in the save dialog
  int SaveFilterIndex;                 // the save dialog's entry it selects; 0 leaves it alone
  std::string_view LibraryCaption;     // the library box's caption; empty leaves it alone
  bool LibraryShown;                   // whether the library box is shown
  bool UsesCLibraryBoxes;              // whether the StdLib, Math and C string boxes add anything
  std::string_view FrameworkInclude;   // what a ticked library box adds to the C++ header
  std::span<const TargetFile> Files;   // in writing order
  InsertionFit Fits;                   // the enumeration texts its files can use
};

// Every target, in the order of TargetSystem's values.
std::span<const ClassTarget> ClassTargets();
const ClassTarget& TargetOf(TargetSystem system);
// The system's place in ClassTargets(), as the system box lists them.
int TargetRow(TargetSystem system);

}  // namespace zandrel
