#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classgen/class_description.h"
#include "classgen/targets.h"
#include "core/file_dialog.h"
#include "core/output_text.h"

namespace zandrel {

inline constexpr std::string_view SaveDialogFilter =
    "Header files|*.h|Java files|*.java|Text files|*.txt|All files|*.*";

// The file name the save dialog proposes: ClassName and the target's extension.
std::string ProposedFileName(const ClassDescription& description);

// Presets the main window's save dialog for this description (the proposed file name, and the
// target's filter entry) and shows it; proposedPath, where given, is proposed instead of the file
// name alone. The chosen path, or nothing on cancel.
std::optional<std::string> ChooseOutputPath(const ClassDescription& description,
                                            FileDialog& SaveDialog1,
                                            std::string_view proposedPath = {});

// One file Build writes, with the preview tab that shows it.
struct ClassFile {
  std::string TabName;
  OutputFile File;
};

// The files Build writes for a chosen path, in writing order: FileStem followed by each of the
// target's suffixes ("h" then "cpp", or "java"), with their whole texts.
std::vector<ClassFile> ClassFiles(const ClassDescription& description, std::string_view chosenPath);

// The same files with their texts in pieces that share the header insertions, for a preview.
struct ClassFileText {
  std::string TabName;
  std::string Path;
  TextPieces Text;
};
std::vector<ClassFileText> ClassFileTexts(const ClassDescription& description,
                                          std::string_view chosenPath);

// The same files without their tab names.
std::vector<OutputFile> ClassOutputFiles(const ClassDescription& description,
                                         std::string_view chosenPath);

// Writes the output files as one step (ReplaceFiles): all of them, or on failure none.
std::vector<FileFailure> WriteClassFiles(const ClassDescription& description,
                                         std::string_view chosenPath,
                                         const BeforeReplace& beforeReplace = {});

}  // namespace zandrel
