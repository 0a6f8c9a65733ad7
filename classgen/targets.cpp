#include "classgen/targets.h"

#include <stdexcept>

#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "classgen/java_record_writer.h"
#include "classgen/modern_cpp_writer.h"

namespace zandrel {

namespace {

constexpr TargetFile CppFiles[] = {{"Header", "h", &CppHeaderPieces},
                                   {"Source", "cpp", &CppSourcePieces}};
constexpr TargetFile JavaFiles[] = {{"Java", "java", &JavaClassPieces}};
constexpr TargetFile ModernCppFiles[] = {{"Header", "h", &ModernCppHeaderPieces},
                                         {"Source", "cpp", &ModernCppSourcePieces}};
constexpr TargetFile RecordFiles[] = {{"Java", "java", &JavaRecordPieces}};

// Java selects the "Java files" entry of the save dialog and nothing sets it back, so a later
// C++ Build shows it still selected.
constexpr ClassTarget Targets[] = {
    {TargetSystem::CBuilder, "CBuilder", "CBuilder", ".h", 0, "VCL", true, true,
     "#include <vcl.h>\n", CppFiles, InsertionFit::LegacyCpp},
    {TargetSystem::DevCpp, "DevCpp", "DevC++", ".h", 0, "WX strings", true, true,
     "#include <wx/string.h>\n", CppFiles, InsertionFit::LegacyCpp},
    {TargetSystem::VisualCpp, "VisualCpp", "Visual C++", ".h", 0, "", true, true, "", CppFiles,
     InsertionFit::LegacyCpp},
    {TargetSystem::Java, "Java", "Java", ".java", 2, "", false, false, "", JavaFiles,
     InsertionFit::Java},
    // The framework box does not apply; the library boxes add the standard C headers.
    {TargetSystem::ModernCpp, "ModernCpp", "Modern C++ (C++20)", ".h", 0, "", false, true, "",
     ModernCppFiles, InsertionFit::EnumClassCpp},
    {TargetSystem::JavaRecord, "JavaRecord", "Java record (17)", ".java", 2, "", false, false, "",
     RecordFiles, InsertionFit::Java},
};

}  // namespace

std::span<const ClassTarget> ClassTargets() { return Targets; }

const ClassTarget& TargetOf(TargetSystem system) {
  for (const ClassTarget& target : Targets)
    if (target.System == system) return target;
  throw std::invalid_argument("no target system " + std::to_string(static_cast<int>(system)));
}

int TargetRow(TargetSystem system) {
  return static_cast<int>(&TargetOf(system) - ClassTargets().data());
}

}  // namespace zandrel
