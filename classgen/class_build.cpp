#include "classgen/class_build.h"

#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"

namespace zandrel {

std::optional<std::string> ChooseOutputPath(const ClassDescription& description,
                                            FileDialog& SaveDialog1) {
  if (SaveDialog1.Filter.empty()) SaveDialog1.Filter = std::string(SaveDialogFilter);
  if (description.Options.TargetSystem == TargetSystem::Java) {
    // Not set back afterwards: a later C++ Build shows the Java entry still selected.
    SaveDialog1.FilterIndex = 2;
    SaveDialog1.FileName = description.ClassName + ".java";
  } else {
    SaveDialog1.FileName = description.ClassName + ".h";
  }
  if (!SaveDialog1.Execute()) return std::nullopt;
  return SaveDialog1.FileName;
}

std::vector<OutputFile> ClassOutputFiles(const ClassDescription& description,
                                         std::string_view chosenPath) {
  const std::string stem = FileStem(chosenPath);
  if (description.Options.TargetSystem == TargetSystem::Java)
    return {{stem + "java", WriteJavaClass(description)}};
  return {{stem + "h", WriteCppHeader(description)}, {stem + "cpp", WriteCppSource(description)}};
}

std::vector<FileFailure> WriteClassFiles(const ClassDescription& description,
                                         std::string_view chosenPath,
                                         const BeforeReplace& beforeReplace) {
  return ReplaceFiles(ClassOutputFiles(description, chosenPath), beforeReplace);
}

}  // namespace zandrel
