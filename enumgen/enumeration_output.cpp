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
  auto built = BuildEnumerationList(request, listFile);
  if (auto* refusal = std::get_if<Refusal>(&built)) return std::move(*refusal);
  EnumerationOutput output;
  output.List = std::get<EnumerationList>(std::move(built));
  const EnumerationList& list = output.List;
  const bool isClass = request.Style == EnumerationStyle::EnumerationClass;
  // The class's constructor and steps need a first and a last name.
  if (isClass && list.Entries.empty())
    return Refusal{"An enumeration class needs at least one name."};

  output.EnumText = BuildEnumText(request, list);
  output.ToStringText = BuildToStringText(request, list);
  if (!request.SeparateFile) {
    output.HandOver = output.EnumText + output.ToStringText;
    return output;
  }
  const std::vector<std::string> paths = EnumerationOutputPaths(request.OutputPath);
  output.Files = {{paths[0], isClass ? EnumerationClassHeader(request, list, output.EnumText)
                                     : PlainEnumerationHeader(request, output.EnumText)},
                  {paths[1], isClass ? EnumerationClassSource(request, list, output.ToStringText)
                                     : PlainEnumerationSource(request, output.ToStringText)}};
  output.HandOver = IncludeLine(request.OutputPath);
  return output;
}

}  // namespace zandrel
