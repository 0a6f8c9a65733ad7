#include "enumgen/enumeration_output.h"

#include <utility>

#include "core/text.h"
#include "enumgen/enumeration_class_writer.h"
#include "enumgen/enumeration_texts.h"
#include "enumgen/plain_enumeration_writer.h"

namespace zandrel {

std::vector<std::string> EnumerationOutputPaths(std::string_view OutputPath) {
  const std::string stem = OutputStem(OutputPath);
  return {stem + ".h", stem + ".cpp"};
}

std::variant<EnumerationOutput, Refusal> ComposeEnumeration(const EnumerationRequest& request,
                                                            const ListFile* listFile) {
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
