#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/output_text.h"
#include "enumgen/enumeration_list.h"

namespace zandrel {

inline constexpr std::string_view EnumSaveDialogFilter =
    "Header files|*.h|C++ files|*.cpp|All files|*.*";

std::string BuildEnumText(const EnumerationRequest& request, const EnumerationList& list);
std::string BuildToStringText(const EnumerationRequest& request, const EnumerationList& list);

std::string ReturnName(const EnumerationRequest& request, const Enumerator& entry);
// OutputPath up to its last "." in the file-name part; the whole path when there is none.
std::string OutputStem(std::string_view OutputPath);
std::string HeaderBaseName(std::string_view OutputPath);
// "#include \"NAME.h\" " (ends with a blank, no line end)
std::string IncludeLine(std::string_view OutputPath);

// The two files of a style, in writing order (header, then source), with their whole texts.
using EnumerationFile = OutputFile;
std::vector<EnumerationFile> PlainEnumerationFiles(const EnumerationRequest& request,
                                                   const EnumerationList& list,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText);
std::vector<EnumerationFile> EnumerationClassFiles(const EnumerationRequest& request,
                                                   const EnumerationList& list,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText);

// Write the style's header and source as one step (ReplaceFiles): both, or on failure neither.
struct WrittenEnumeration {
  std::string IncludeLine;
  std::vector<FileFailure> Failures;
};
WrittenEnumeration WritePlainEnumerationFiles(const EnumerationRequest& request,
                                              const EnumerationList& list,
                                              const std::string& EnumText,
                                              const std::string& ToStringText);
WrittenEnumeration WriteEnumerationClassFiles(const EnumerationRequest& request,
                                              const EnumerationList& list,
                                              const std::string& EnumText,
                                              const std::string& ToStringText);

// The output paths of a request with SeparateFile: OutputStem + ".h", OutputStem + ".cpp".
std::vector<std::string> EnumerationOutputPaths(std::string_view OutputPath);

// Everything an OK produces before anything is written: the list (asking for the list file when
// FromFile), the texts, and with SeparateFile the two files for OutputPath.
struct ComposedEnumeration {
  std::string EnumText;
  std::string ToStringText;
  std::vector<EnumerationFile> Files;
};
std::variant<ComposedEnumeration, Refusal> ComposeEnumeration(
    const EnumerationRequest& request, FileDialog& OpenDialog1,
    const ListReadFailure& readFailed = {});

// The OK action after the save dialog: build the list (asking for the list file when FromFile),
// the texts, and with SeparateFile write the files as one step. HandOver is what the main window
// receives.
struct GeneratedEnumeration {
  std::string HandOver;
  std::vector<FileFailure> Failures;
};
std::variant<GeneratedEnumeration, Refusal> GenerateEnumerationOutput(
    const EnumerationRequest& request, FileDialog& OpenDialog1,
    const ListReadFailure& readFailed = {}, const BeforeReplace& beforeReplace = {});

}  // namespace zandrel
