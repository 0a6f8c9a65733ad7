#include "classgen/targets.h"

#include <stdexcept>

#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"

namespace zandrel {

namespace {

constexpr TargetFile CppFiles[] = {{"Header", "h", &CppHeaderPieces},
                                   {"Source", "cpp", &CppSourcePieces}};
constexpr TargetFile JavaFiles[] = {{"Java", "java", &JavaClassPieces}};

// Java selects the "Java files" entry of the save dialog and nothing sets it back, so a later
// C++ Build shows it still selected.
constexpr ClassTarget Targets[] = {
    {TargetSystem::CBuilder, "CBuilder", "CBuilder", ".h", 0, "VCL", true, true,
     "#include <vcl.h>\n", CppFiles},
    {TargetSystem::DevCpp, "DevCpp", "DevC++", ".h", 0, "WX strings", true, true,
     "#include <wx/string.h>\n", CppFiles},
    {TargetSystem::VisualCpp, "VisualCpp", "Visual C++", ".h", 0, "", true, true, "", CppFiles},
    {TargetSystem::Java, "Java", "Java", ".java", 2, "", false, false, "", JavaFiles},
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
