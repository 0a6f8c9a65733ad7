#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/output_text.h"
#include "enumgen/enumeration_list.h"

namespace zandrel {

// Everything one OK produces, before anything is written.
struct EnumerationOutput {
  EnumerationList List;
  std::string EnumText;
  std::string ToStringText;
  std::vector<OutputFile> Files;  // with SeparateFile: the header, then the source
  std::string HandOver;           // what the main window receives: the include line, or the texts
};

// The files of a request with SeparateFile: OutputStem + ".h", then OutputStem + ".cpp".
std::vector<std::string> EnumerationOutputPaths(std::string_view OutputPath);

// The list, its texts and, with SeparateFile, the style's two files for OutputPath. listFile is
// read with FromFile; null when no file was chosen (it then contributes no names).
std::variant<EnumerationOutput, Refusal> ComposeEnumeration(const EnumerationRequest& request,
                                                            const ListFile* listFile);

}  // namespace zandrel
