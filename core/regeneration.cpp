#include "core/regeneration.h"

#include <git2.h>

#include <algorithm>
#include <cstring>
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
// alone), and ending with a line end: so that the three sides differ only where lines do. A text
// already so is used where it lies; another is made in storage.
std::string_view Prepared(std::string_view text, bool crlf, std::string& storage) {
  if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
  const bool convert = FormOf(text).Crlf != crlf && text.find('\n') != std::string_view::npos;
  const bool complete = text.empty() || text.ends_with('\n');
  if (!convert && complete) return text;
  if (!convert) {
    storage.reserve(text.size() + 2);
    storage = text;
  } else {
    storage.reserve(crlf ? text.size() + text.size() / 16 + 2 : text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (crlf && c == '\n' && (i == 0 || text[i - 1] != '\r')) storage += '\r';
      if (!crlf && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      storage += c;
    }
  }
  if (!storage.empty() && !storage.ends_with('\n')) storage += crlf ? "\r\n" : "\n";
  return storage;
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

// Lines of context kept on each side of the part that is merged.
constexpr std::size_t ContextLines = 3;

// How many bytes two texts begin (or, backwards, end) with alike; compared a block at a time,
// as huge texts that differ in one line are the case that matters.
std::size_t SameBytes(std::string_view a, std::string_view b, bool backwards) {
  constexpr std::size_t Block = 4096;
  const std::size_t limit = std::min(a.size(), b.size());
  const auto at = [&](std::string_view text, std::size_t offset, std::size_t length) {
    return text.data() + (backwards ? text.size() - offset - length : offset);
  };
  std::size_t same = 0;
  while (same + Block <= limit && std::memcmp(at(a, same, Block), at(b, same, Block), Block) == 0)
    same += Block;
  while (same < limit && *at(a, same, 1) == *at(b, same, 1)) ++same;
  return same;
}

// The length of the whole lines the three texts begin with alike, less the context.
std::size_t SharedHead(std::string_view a, std::string_view b, std::string_view c) {
  const std::size_t same = std::min(SameBytes(a, b, false), SameBytes(a, c, false));
  // Back to the end of the last whole line, then back by the context.
  std::size_t end = same;
  for (std::size_t lines = 0; end > 0; --end)
    if (a[end - 1] == '\n' && lines++ == ContextLines) break;
  return end;
}

// The length of the whole lines the three texts end with alike, less the context.
std::size_t SharedTail(std::string_view a, std::string_view b, std::string_view c) {
  const std::size_t same = std::min(SameBytes(a, b, true), SameBytes(a, c, true));
  // On to the start of the first whole line (after a line end that is shared too), then on by
  // the context.
  const std::size_t first = a.size() - same;
  std::size_t start = first;
  for (std::size_t lines = 0; start < a.size(); ++start)
    if (start > first && a[start - 1] == '\n' && lines++ == ContextLines) break;
  return a.size() - start;
}

}  // namespace

// Appends the merge of three texts, their shared first and last lines set aside, to into; false
// when it holds conflicts.
bool MergeMiddle(std::string_view base, std::string_view yours, std::string_view generated,
                 std::string& into) {
  InitializeLibrary();
  // Lines that all three share at the start and the end take no part in the merge: they are set
  // aside, keeping a few lines of context, so that a one-line edit of a huge file costs little.
  const std::size_t head = SharedHead(base, yours, generated);
  const std::size_t tail =
      SharedTail(base.substr(head), yours.substr(head), generated.substr(head));
  const auto middle = [&](std::string_view text) {
    return text.substr(head, text.size() - head - tail);
  };
  const git_merge_file_input ancestor = Input(middle(base));
  const git_merge_file_input ours = Input(middle(yours));
  const git_merge_file_input theirs = Input(middle(generated));
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
  into.append(yours.substr(0, head));
  into.append(result.ptr != nullptr ? result.ptr : "", result.len);
  into.append(yours.substr(yours.size() - tail));
  return result.automergeable != 0;
}

MergedText MergeTexts(std::string_view base, std::string_view yours, std::string_view generated) {
  if (generated == base) return {std::string(yours), {}};
  if (yours == base) return {std::string(generated), {}};
  // Where each side changes the base: from the end of the lines it begins with alike to the
  // start of those it ends with alike. When the user's change and the generated one lie apart,
  // each part between them is merged on its own, so that the lines both leave alone between them
  // (a million names between an edit near the top and a new name at the end) are not compared.
  const std::size_t yoursStart = SharedHead(base, yours, yours);
  const std::size_t generatedStart = SharedHead(base, generated, generated);
  const std::size_t yoursEnd = base.size() - SharedTail(base, yours, yours);
  const std::size_t generatedEnd = base.size() - SharedTail(base, generated, generated);
  const bool yoursFirst = yoursEnd <= generatedStart;
  const bool apart = yoursFirst || generatedEnd <= yoursStart;
  // A line start halfway between the two changes, so both keep their context.
  const std::size_t gapStart = yoursFirst ? yoursEnd : generatedEnd;
  const std::size_t gapEnd = yoursFirst ? generatedStart : yoursStart;
  const std::size_t split =
      apart ? base.find('\n', gapStart + (gapEnd - gapStart) / 2) : std::string_view::npos;

  MergedText merged;
  const std::size_t added = yours.size() + generated.size();
  merged.Text.reserve((added > base.size() ? added - base.size() : 0) + 4096);
  bool clean = true;
  if (split == std::string_view::npos || split + 1 >= gapEnd) {
    clean = MergeMiddle(base, yours, generated, merged.Text);
  } else {
    // Before the split only the first side changed, after it only the other.
    const std::size_t at = split + 1;
    const std::size_t yoursAt = yoursFirst ? at + yours.size() - base.size() : at;
    const std::size_t generatedAt = yoursFirst ? at : at + generated.size() - base.size();
    clean = MergeMiddle(base.substr(0, at), yours.substr(0, yoursAt),
                        generated.substr(0, generatedAt), merged.Text);
    clean = MergeMiddle(base.substr(at), yours.substr(yoursAt), generated.substr(generatedAt),
                        merged.Text) &&
            clean;
  }
  if (!clean) merged.ConflictLines = MarkerLines(merged.Text);
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
  std::string storage[3];
  MergedText merged = MergeTexts(Prepared(*base, yoursForm.Crlf, storage[0]),
                                 Prepared(*onDisk, yoursForm.Crlf, storage[1]),
                                 Prepared(generated, yoursForm.Crlf, storage[2]));
  std::string& text = merged.Text;
  if (!Merged(yoursForm.FinalLineEnd, baseForm.FinalLineEnd, generatedForm.FinalLineEnd) &&
      text.ends_with('\n'))
    text.resize(text.size() - (text.ends_with("\r\n") ? 2 : 1));
  if (Merged(yoursForm.Mark, baseForm.Mark, generatedForm.Mark)) text.insert(0, ByteOrderMark);

  // Left as it is, but its text kept: the step compares it again under the folder's lock.
  if (merged.Clean() && text == *onDisk) return {Regeneration::Leave, std::move(merged), true};
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
