#include "classgen/class_build.h"

namespace zandrel {

std::string ProposedFileName(const ClassDescription& description) {
  return description.ClassName +
         std::string(TargetOf(description.Options.TargetSystem).ProposedExtension);
}

std::optional<std::string> ChooseOutputPath(const ClassDescription& description,
                                            FileDialog& SaveDialog1,
                                            std::string_view proposedPath) {
  if (SaveDialog1.Filter.empty()) SaveDialog1.Filter = std::string(SaveDialogFilter);
  const int filterIndex = TargetOf(description.Options.TargetSystem).SaveFilterIndex;
  if (filterIndex != 0) SaveDialog1.FilterIndex = filterIndex;
  SaveDialog1.FileName =
      proposedPath.empty() ? ProposedFileName(description) : std::string(proposedPath);
  if (!SaveDialog1.Execute()) return std::nullopt;
  return SaveDialog1.FileName;
}

std::vector<ClassFileText> ClassFileTexts(const ClassDescription& description,
                                          std::string_view chosenPath) {
  const std::string stem = FileStem(chosenPath);
  std::vector<ClassFileText> files;
  for (const TargetFile& file : TargetOf(description.Options.TargetSystem).Files)
    files.push_back(
        {std::string(file.TabName), stem + std::string(file.Suffix), file.Write(description)});
  return files;
}

std::vector<ClassFile> ClassFiles(const ClassDescription& description,
                                  std::string_view chosenPath) {
  std::vector<ClassFile> files;
  for (ClassFileText& file : ClassFileTexts(description, chosenPath))
    files.push_back({std::move(file.TabName), {std::move(file.Path), Join(file.Text)}});
  return files;
}

std::vector<OutputFile> ClassOutputFiles(const ClassDescription& description,
                                         std::string_view chosenPath) {
  std::vector<OutputFile> files;
  for (ClassFile& file : ClassFiles(description, chosenPath)) files.push_back(std::move(file.File));
  return files;
}

std::vector<FileFailure> WriteClassFiles(const ClassDescription& description,
                                         std::string_view chosenPath,
                                         const BeforeReplace& beforeReplace) {
  return ReplaceFiles(ClassOutputFiles(description, chosenPath), beforeReplace);
}

}  // namespace zandrel
