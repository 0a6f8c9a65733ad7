#pragma once

// Reads a C++ header with clang into the records the generators take: a class description for a
// class or struct, an enumeration request for an enumeration.

#include <string>
#include <variant>
#include <vector>

#include "classgen/class_description.h"
#include "classgen/value_helpers.h"
#include "enumgen/companion_writer.h"
#include "enumgen/enumeration_list.h"

namespace zandrel {

enum class ImportKind { Any, Class, Enumeration };

struct ImportRequest {
  std::string HeaderPath;
  std::vector<std::string> CompilerArguments;  // -I, -D and the like
  std::string Name;  // qualified or not; empty: the first class or struct the header defines
  ImportKind Kind = ImportKind::Any;
  TargetSystem Target = TargetSystem::ModernCpp;
};

// A type the header itself defines, as the list of choices shows it.
struct DefinedType {
  std::string QualifiedName;  // "(nameless)" for a type without a name
  std::string Kind;           // "class", "struct", "union", "enum", "class template", …
  int Line = 0;
  int Size = 0;  // rows it would give: members and methods, or enumerators
  bool Describable = false;
  bool IsEnumeration = false;
};

enum class ImportFault {
  NotDescribable,  // not there, a template, a union, a nameless type
  Unreadable,      // the header could not be read or parsed
};

struct ImportFailure {
  ImportFault Fault = ImportFault::NotDescribable;
  int Line = 0;  // 0: no line to name
  std::string Reason;
};

struct ImportedHeader {
  std::variant<ClassDescription, EnumerationRequest> Record;
  std::vector<DefinedType> Defined;  // every type the header itself defines, in order
  // The includes clang could not find, each with the line that names it; their types are kept as
  // written.
  std::vector<std::pair<int, std::string>> MissingIncludes;
  // What the record leaves out ("LINE: what"), such as constructors that are not rows.
  std::vector<std::string> Notes;
};

std::variant<ImportedHeader, ImportFailure> ImportHeader(const ImportRequest& request);

// Every enumeration the header defines, with every enumerator and the value the compiler gives
// it, and every class and struct with its members and what it defines for itself, for a companion
// header; those that no helper outside could name (nameless ones, those in templates, unnamed
// namespaces or behind private access) are left out with a note.
struct ImportedCompanions {
  std::vector<CompanionEnumeration> Enumerations;
  std::vector<CompanionClass> Classes;
  std::vector<std::pair<int, std::string>> MissingIncludes;
  std::vector<std::string> Notes;    // "LINE: what"
  std::vector<std::string> LeftOut;  // the ones left out ("(nameless)"), each with its note
};

std::variant<ImportedCompanions, ImportFailure> ImportCompanionTypes(
    const std::string& headerPath, const std::vector<std::string>& compilerArguments);

// Whether wanted ("Color", "Outer::Color", "::ns::Outer::Color") names the qualified type.
bool NamesType(const std::string& qualifiedName, const std::string& wanted);

// Only the types the header defines (for a window's list of choices).
std::variant<std::vector<DefinedType>, ImportFailure> ListDefinedTypes(
    const std::string& headerPath, const std::vector<std::string>& compilerArguments);

// The flags compile_commands.json in buildDir gives for the header, or for the first source that
// includes it: -I, -D, -U, -std and the include options, relative folders made absolute. Empty
// when the folder has no database or the database does not know the header.
std::vector<std::string> FlagsFromBuildFolder(const std::string& buildDir,
                                              const std::string& headerPath);

// "class Sample (4 rows, line 3)"
std::string DescribeDefinedType(const DefinedType& type);

}  // namespace zandrel
