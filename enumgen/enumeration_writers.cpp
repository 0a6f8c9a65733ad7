#include "enumgen/enumeration_writers.h"

#include <optional>

namespace zandrel {

namespace {

std::optional<ListFile> ChooseListFile(FileDialog& OpenDialog1, const ListReadFailure& readFailed) {
  OpenDialog1.Title = ListFileTitle;
  OpenDialog1.FilterIndex = 1;
  while (true) {
    // Cancel ends the choosing at any showing: the file then contributes nothing.
    if (!OpenDialog1.Execute()) return std::nullopt;
    auto read = ReadListFile(OpenDialog1.FileName);
    OpenDialog1.Title = CommittedListFileTitle;
    if (auto* listFile = std::get_if<ListFile>(&read)) return std::move(*listFile);
    if (readFailed) readFailed(std::get<FileFailure>(read));
  }
}

std::optional<ListFile> ListFileFor(const EnumerationRequest& request, FileDialog& OpenDialog1,
                                    const ListReadFailure& readFailed) {
  if (!request.FromFile) return std::nullopt;
  return ChooseListFile(OpenDialog1, readFailed);
}

}  // namespace

std::variant<EnumerationList, Refusal> BuildEnumerationList(const EnumerationRequest& request,
                                                            FileDialog& OpenDialog1,
                                                            const ListReadFailure& readFailed) {
  const auto listFile = ListFileFor(request, OpenDialog1, readFailed);
  return BuildEnumerationList(request, listFile ? &*listFile : nullptr);
}

std::vector<EnumerationFile> PlainEnumerationFiles(const EnumerationRequest& request,
                                                   const EnumerationList&,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText) {
  const auto paths = EnumerationOutputPaths(request.OutputPath);
  return {{paths[0], PlainEnumerationHeader(request, EnumText)},
          {paths[1], PlainEnumerationSource(request, ToStringText)}};
}

std::vector<EnumerationFile> EnumerationClassFiles(const EnumerationRequest& request,
                                                   const EnumerationList& list,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText) {
  const auto paths = EnumerationOutputPaths(request.OutputPath);
  return {{paths[0], EnumerationClassHeader(request, list, EnumText)},
          {paths[1], EnumerationClassSource(request, list, ToStringText)}};
}

std::vector<std::string> EnumerationOutputPaths(std::string_view OutputPath) {
  const std::string stem = OutputStem(OutputPath);
  return {stem + ".h", stem + ".cpp"};
}

std::variant<ComposedEnumeration, Refusal> ComposeEnumeration(const EnumerationRequest& request,
                                                              FileDialog& OpenDialog1,
                                                              const ListReadFailure& readFailed) {
  const auto listFile = ListFileFor(request, OpenDialog1, readFailed);
  auto composed = ComposeEnumeration(request, listFile ? &*listFile : nullptr);
  if (auto* refusal = std::get_if<Refusal>(&composed)) return std::move(*refusal);
  auto& output = std::get<EnumerationOutput>(composed);
  return ComposedEnumeration{std::move(output.EnumText), std::move(output.ToStringText),
                             std::move(output.Files)};
}

std::variant<GeneratedEnumeration, Refusal> GenerateEnumerationOutput(
    const EnumerationRequest& request, FileDialog& OpenDialog1, const ListReadFailure& readFailed,
    const BeforeReplace& beforeReplace) {
  const auto listFile = ListFileFor(request, OpenDialog1, readFailed);
  auto composed = ComposeEnumeration(request, listFile ? &*listFile : nullptr);
  if (auto* refusal = std::get_if<Refusal>(&composed)) return std::move(*refusal);
  auto& output = std::get<EnumerationOutput>(composed);
  return GeneratedEnumeration{std::move(output.HandOver),
                              ReplaceFiles(output.Files, beforeReplace)};
}

}  // namespace zandrel
