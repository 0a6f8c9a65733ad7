#include "core/regeneration.h"

#include <git2.h>

#include <memory>
#include <stdexcept>
#include <utility>

namespace zandrel {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The parts of a text's form that the merge keeps as the user left them.
struct TextForm {
  bool Mark = false;          // starts with a UTF-8 byte-order mark
  bool Crlf = false;          // its first line ends with a carriage return and a line feed
  bool FinalLineEnd = false;  // its last line ends with a line end
};

TextForm FormOf(std::string_view text) {
  const std::size_t lineFeed = text.find('\n');
  return {text.starts_with(ByteOrderMark),
          lineFeed != std::string_view::npos && lineFeed > 0 && text[lineFeed - 1] == '\r',
          text.ends_with('\n')};
}

// The text without its mark, with the given line ends (lines that already have them are left
// alone), and ending with a line end: so that the three sides differ only where lines do.
std::string Prepared(std::string_view text, bool crlf) {
  if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
  std::string prepared;
  if (FormOf(text).Crlf == crlf || text.find('\n') == std::string_view::npos) {
    prepared.reserve(text.size() + 2);
    prepared = text;
  } else {
    prepared.reserve(crlf ? text.size() + text.size() / 16 + 2 : text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (crlf && c == '\n' && (i == 0 || text[i - 1] != '\r')) prepared += '\r';
      if (!crlf && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      prepared += c;
    }
  }
  if (!prepared.empty() && !prepared.ends_with('\n')) prepared += crlf ? "\r\n" : "\n";
  return prepared;
}

// A property the user changed keeps the user's value; otherwise the new text's.
bool Merged(bool yours, bool base, bool generated) { return yours != base ? yours : generated; }

void InitializeLibrary() {
  // The library's allocator and error state are set up once per process.
  static const int initialized = git_libgit2_init();
  if (initialized < 0) throw std::runtime_error("the merge library could not be initialized");
}

git_merge_file_input Input(std::string_view text) {
  git_merge_file_input input = GIT_MERGE_FILE_INPUT_INIT;
  input.ptr = text.data();
  input.size = text.size();
  return input;
}

std::vector<std::size_t> MarkerLines(std::string_view text) {
  std::vector<std::size_t> lines;
  std::size_t line = 1;
  for (std::size_t start = 0; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view content = text.substr(start, end - start);
    if (content.ends_with('\r')) content.remove_suffix(1);
    if (content == YoursMarker) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

MergedText MergeTexts(std::string_view base, std::string_view yours, std::string_view generated) {
  InitializeLibrary();
  const git_merge_file_input ancestor = Input(base);
  const git_merge_file_input ours = Input(yours);
  const git_merge_file_input theirs = Input(generated);
  git_merge_file_options options = GIT_MERGE_FILE_OPTIONS_INIT;
  options.our_label = "yours";
  options.their_label = "generated";
  options.flags = GIT_MERGE_FILE_STYLE_MERGE;
  git_merge_file_result result{};
  if (git_merge_file(&result, &ancestor, &ours, &theirs, &options) < 0) {
    const git_error* error = git_error_last();
    throw std::runtime_error(std::string("the merge failed: ") +
                             (error != nullptr ? error->message : "unknown reason"));
  }
  const std::unique_ptr<git_merge_file_result, void (*)(git_merge_file_result*)> owned(
      &result, git_merge_file_result_free);
  MergedText merged;
  merged.Text.assign(result.ptr != nullptr ? result.ptr : "", result.len);
  if (result.automergeable == 0) merged.ConflictLines = MarkerLines(merged.Text);
  return merged;
}

FileRegeneration RegenerateFile(std::string_view generated,
                                const std::optional<std::string>& onDisk,
                                const std::optional<std::string>& base) {
  if (!onDisk) return {Regeneration::Write, {}};
  if (*onDisk == generated) return {Regeneration::Leave, {}};
  if (!base) return {Regeneration::NoBase, {}};
  if (*onDisk == *base) return {Regeneration::Replace, {}};

  const TextForm yoursForm = FormOf(*onDisk);
  const TextForm baseForm = FormOf(*base);
  const TextForm generatedForm = FormOf(generated);
  MergedText merged = MergeTexts(Prepared(*base, yoursForm.Crlf), Prepared(*onDisk, yoursForm.Crlf),
                                 Prepared(generated, yoursForm.Crlf));
  std::string& text = merged.Text;
  if (!Merged(yoursForm.FinalLineEnd, baseForm.FinalLineEnd, generatedForm.FinalLineEnd) &&
      text.ends_with('\n'))
    text.resize(text.size() - (text.ends_with("\r\n") ? 2 : 1));
  if (Merged(yoursForm.Mark, baseForm.Mark, generatedForm.Mark)) text.insert(0, ByteOrderMark);

  if (merged.Clean() && text == *onDisk) return {Regeneration::Leave, {}};
  const Regeneration action = merged.Clean() ? Regeneration::Merge : Regeneration::Conflict;
  return {action, std::move(merged)};
}

std::optional<std::string_view> TextToWrite(const FileRegeneration& decision,
                                            std::string_view generated) {
  switch (decision.Action) {
    case Regeneration::Write:
    case Regeneration::Replace:
      return generated;
    case Regeneration::Merge:
    case Regeneration::Conflict:
      return std::string_view(decision.Merged.Text);
    case Regeneration::Leave:
    case Regeneration::NoBase:
      break;
  }
  return std::nullopt;
}

}  // namespace zandrel
