#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/block_sink.h"
#include "core/output_text.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_texts.h"

namespace zandrel {

// Everything one OK produces, before anything is written.
struct EnumerationOutput {
  // EnumText followed by ToStringText, in one text; with SeparateFile the enum class style's
  // header has taken the text.
  EnumerationTexts Texts;
  std::vector<OutputFile> Files;  // with SeparateFile: the header, then the source (if any)
  std::string IncludeLine;        // with SeparateFile
  bool SeparateFile = false;

  std::string_view EnumText() const { return Texts.EnumText(); }
  std::string_view ToStringText() const { return Texts.ToStringText(); }
  // What the main window receives: the include line, or the texts as they are.
  const std::string& HandOver() const { return SeparateFile ? IncludeLine : Texts.Text; }
};

// The files of a request with SeparateFile, as its style writes them: OutputStem + ".h", then
// OutputStem + ".cpp" (the enum class style writes the header alone).
std::vector<std::string> EnumerationOutputPaths(const EnumerationRequest& request);

// The list's texts and, with SeparateFile, the style's two files for OutputPath. listFile is
// read with FromFile, its names taken where they lie; null when no file was chosen (it then
// contributes no names).
std::variant<EnumerationOutput, Refusal> ComposeEnumeration(const EnumerationRequest& request,
                                                            const ListFile* listFile);

// The texts ComposeEnumeration would make of a request without SeparateFile, written into text as
// they are made, so that they can be handed on before they are all made; a refusal comes before
// any of them.
std::optional<Refusal> StreamEnumeration(const EnumerationRequest& request,
                                         const ListFile* listFile, BlockSink& text);

}  // namespace zandrel
