#pragma once

// The entry points from before the list file was read apart from the composition: each asks for
// the list file itself. They remain until the enumeration dialog reads the list file itself
// (ReadListFile) and calls ComposeEnumeration.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/file_dialog.h"
#include "core/output_text.h"
#include "core/text.h"
#include "enumgen/enumeration_class_writer.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_texts.h"
#include "enumgen/plain_enumeration_writer.h"

namespace zandrel {

// Old entry point: a list-file question answered once with a known file; asked again, it cancels.
class ChosenListFile : public FileDialog {
 public:
  explicit ChosenListFile(std::string path) : path_(std::move(path)) {}
  bool Execute() override {
    if (answered_) return false;
    answered_ = true;
    FileName = path_;
    return true;
  }

 private:
  std::string path_;
  bool answered_ = false;
};

// Old entry point: told of a chosen list file that could not be read, before asking again.
using ListReadFailure = std::function<void(const FileFailure& failure)>;

// Old entry point: asks for the list file (again, under the committed title, while a chosen file
// cannot be read; Cancel ends the choosing), then builds the list.
std::variant<EnumerationList, Refusal> BuildEnumerationList(const EnumerationRequest& request,
                                                            FileDialog& OpenDialog1,
                                                            const ListReadFailure& readFailed = {});

// Old entry points: a style's two files for OutputPath.
using EnumerationFile = OutputFile;
std::vector<EnumerationFile> PlainEnumerationFiles(const EnumerationRequest& request,
                                                   const EnumerationList& list,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText);
std::vector<EnumerationFile> EnumerationClassFiles(const EnumerationRequest& request,
                                                   const EnumerationList& list,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText);

// Old entry point: OutputStem + ".h", OutputStem + ".cpp".
std::vector<std::string> EnumerationOutputPaths(std::string_view OutputPath);

// Old entry point: ComposeEnumeration asking for the list file.
struct ComposedEnumeration {
  std::string EnumText;
  std::string ToStringText;
  std::vector<EnumerationFile> Files;
};
std::variant<ComposedEnumeration, Refusal> ComposeEnumeration(
    const EnumerationRequest& request, FileDialog& OpenDialog1,
    const ListReadFailure& readFailed = {});

// Old entry point: ComposeEnumeration asking for the list file, then the files written as one step.
struct GeneratedEnumeration {
  std::string HandOver;
  std::vector<FileFailure> Failures;
};
std::variant<GeneratedEnumeration, Refusal> GenerateEnumerationOutput(
    const EnumerationRequest& request, FileDialog& OpenDialog1,
    const ListReadFailure& readFailed = {}, const BeforeReplace& beforeReplace = {});

}  // namespace zandrel
