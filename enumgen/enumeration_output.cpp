#include "enumgen/enumeration_output.h"

#include <utility>

#include "core/text.h"
#include "enumgen/enumeration_styles.h"
#include "enumgen/enumeration_texts.h"

namespace zandrel {

std::vector<std::string> EnumerationOutputPaths(const EnumerationRequest& request) {
  const std::string stem = OutputStem(request.OutputPath);
  std::vector<std::string> paths;
  for (const std::string_view suffix : StyleRow(request.Style).FileSuffixes)
    paths.push_back(stem + std::string(suffix));
  return paths;
}

std::variant<EnumerationOutput, Refusal> ComposeEnumeration(const EnumerationRequest& request,
                                                            const ListFile* listFile) {
  const EnumerationStyleRow& style = StyleRow(request.Style);
  BlockSink text;
  auto texts = style.Texts(request, listFile, text);
  if (auto* refusal = std::get_if<Refusal>(&texts)) return std::move(*refusal);
  EnumerationOutput output;
  output.Texts = std::move(std::get<EnumerationTexts>(texts));
  output.Texts.Text = text.Take();
  output.SeparateFile = request.SeparateFile;
  if (!request.SeparateFile) return output;

  const std::vector<std::string> paths = EnumerationOutputPaths(request);
  std::string source = style.WritesSource() ? style.Source(request, output.Texts) : std::string();
  output.Files.push_back({paths.front(), style.Header(request, output.Texts)});
  if (style.WritesSource()) output.Files.push_back({paths[1], std::move(source)});
  output.IncludeLine = style.Include(request);
  return output;
}

std::optional<Refusal> StreamEnumeration(const EnumerationRequest& request,
                                         const ListFile* listFile, BlockSink& text) {
  auto texts = StyleRow(request.Style).Texts(request, listFile, text);
  if (auto* refusal = std::get_if<Refusal>(&texts)) return std::move(*refusal);
  return std::nullopt;
}

}  // namespace zandrel
