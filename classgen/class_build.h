#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classgen/class_description.h"
#include "core/file_dialog.h"
#include "core/output_text.h"

namespace zandrel {

inline constexpr std::string_view SaveDialogFilter =
    "Header files|*.h|Java files|*.java|Text files|*.txt|All files|*.*";

// Presets the main window's save dialog for this description (ClassName + ".h", or for Java the
// "Java files" entry and ClassName + ".java") and shows it. The chosen path, or nothing on cancel.
std::optional<std::string> ChooseOutputPath(const ClassDescription& description,
                                            FileDialog& SaveDialog1);

// The files Build writes for a chosen path, in writing order: FileStem + "h" then FileStem +
// "cpp", or FileStem + "java" alone for Java.
std::vector<OutputFile> ClassOutputFiles(const ClassDescription& description,
                                         std::string_view chosenPath);

// Writes the output files as one step (ReplaceFiles): all of them, or on failure none.
std::vector<FileFailure> WriteClassFiles(const ClassDescription& description,
                                         std::string_view chosenPath,
                                         const BeforeReplace& beforeReplace = {});

}  // namespace zandrel
