#include "enumgen/enumeration_output.h"

#include <utility>

#include "core/text.h"
#include "enumgen/enumeration_class_writer.h"
#include "enumgen/enumeration_texts.h"
#include "enumgen/modern_enumeration_writer.h"
#include "enumgen/plain_enumeration_writer.h"

namespace zandrel {

std::vector<std::string> EnumerationOutputPaths(std::string_view OutputPath) {
  const std::string stem = OutputStem(OutputPath);
  return {stem + ".h", stem + ".cpp"};
}

std::vector<std::string> EnumerationOutputPaths(const EnumerationRequest& request) {
  std::vector<std::string> paths = EnumerationOutputPaths(request.OutputPath);
  if (request.Style == EnumerationStyle::ModernEnumeration) paths.pop_back();
  return paths;
}

namespace {

// The enum class style needs the names themselves, sorted, so a list file's words are taken into
// a list first.
std::variant<EnumerationOutput, Refusal> ComposeModernEnumeration(const EnumerationRequest& request,
                                                                  const ListFile* listFile) {
  auto built = BuildEnumerationList(request, listFile);
  if (auto* refusal = std::get_if<Refusal>(&built)) return std::move(*refusal);
  if (request.Flags && !FlagValues(std::get<EnumerationList>(built)))
    return Refusal{"A flag set has at most 63 bits: the names without values need more."};
  EnumerationOutput output;
  output.Texts = ModernEnumerationTexts(request, std::get<EnumerationList>(built));
  output.SeparateFile = request.SeparateFile;
  if (!request.SeparateFile) return output;
  output.Files = {{EnumerationOutputPaths(request).front(), ModernEnumerationHeader(output.Texts)}};
  output.IncludeLine = ModernIncludeLine(request);
  return output;
}

}  // namespace

std::variant<EnumerationOutput, Refusal> ComposeEnumeration(const EnumerationRequest& request,
                                                            const ListFile* listFile) {
  if (request.Style == EnumerationStyle::ModernEnumeration)
    return ComposeModernEnumeration(request, listFile);
  EnumerationOutput output;
  if (request.FromFile) {
    output.Texts = BuildTexts(request, listFile);
  } else {
    auto built = BuildEnumerationList(request, nullptr);
    if (auto* refusal = std::get_if<Refusal>(&built)) return std::move(*refusal);
    output.Texts = BuildTexts(request, std::get<EnumerationList>(built));
  }
  const bool isClass = request.Style == EnumerationStyle::EnumerationClass;
  // The class's constructor and steps need a first and a last name.
  if (isClass && output.Texts.Count == 0)
    return Refusal{"An enumeration class needs at least one name."};
  output.SeparateFile = request.SeparateFile;
  if (!request.SeparateFile) return output;

  const std::vector<std::string> paths = EnumerationOutputPaths(request.OutputPath);
  output.Files = {{paths[0], isClass ? EnumerationClassHeader(request, output.Texts)
                                     : PlainEnumerationHeader(request, output.EnumText())},
                  {paths[1], isClass ? EnumerationClassSource(request, output.Texts)
                                     : PlainEnumerationSource(request, output.ToStringText())}};
  output.IncludeLine = IncludeLine(request.OutputPath);
  return output;
}

}  // namespace zandrel
