#include "core/regeneration.h"

#include <dlfcn.h>
#include <git2.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unordered_map>
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

// libgit2 brings a dozen libraries (TLS, Kerberos, SSH) that only its network code uses. It is
// loaded when the first merge is needed, so the many runs that merge nothing never pay for them.
struct MergeLibrary {
  decltype(&git_libgit2_init) Init = nullptr;
  decltype(&git_merge_file_input_init) InputInit = nullptr;
  decltype(&git_merge_file_options_init) OptionsInit = nullptr;
  decltype(&git_merge_file) MergeFile = nullptr;
  decltype(&git_merge_file_result_free) ResultFree = nullptr;
  decltype(&git_error_last) ErrorLast = nullptr;
};

template <typename Function>
void Find(void* handle, const char* name, Function& into) {
  into = reinterpret_cast<Function>(::dlsym(handle, name));
  if (into == nullptr) throw std::runtime_error(std::string("the merge library lacks ") + name);
}

MergeLibrary LoadLibrary() {
  void* handle = ::dlopen(ZANDREL_LIBGIT2_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr)
    throw std::runtime_error(std::string("the merge library could not be loaded: ") + ::dlerror());
  MergeLibrary library;
  Find(handle, "git_libgit2_init", library.Init);
  Find(handle, "git_merge_file_input_init", library.InputInit);
  Find(handle, "git_merge_file_options_init", library.OptionsInit);
  Find(handle, "git_merge_file", library.MergeFile);
  Find(handle, "git_merge_file_result_free", library.ResultFree);
  Find(handle, "git_error_last", library.ErrorLast);
  // The library's allocator and error state are set up once per process; it stays loaded.
  if (library.Init() < 0) throw std::runtime_error("the merge library could not be initialized");
  return library;
}

const MergeLibrary& Library() {
  static const MergeLibrary library = LoadLibrary();
  return library;
}

git_merge_file_input Input(std::string_view text) {
  git_merge_file_input input{};
  Library().InputInit(&input, GIT_MERGE_FILE_INPUT_VERSION);
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

// The lines of a diff3-style merge's conflicts, as the library writes them.
constexpr std::string_view BaseMarker = "||||||| base";

bool IsLine(std::string_view line, std::string_view marker) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line == marker;
}

// Whether a text holds a line that reads as one of the merge's own markers: its conflicts could
// not then be told from its lines.
bool HoldsMarkerLine(std::string_view text) {
  for (const std::string_view marker : {YoursMarker, BaseMarker, SeparatorMarker, GeneratedMarker})
    for (std::size_t at = text.find(marker); at != std::string_view::npos;
         at = text.find(marker, at + 1))
      if ((at == 0 || text[at - 1] == '\n') &&
          IsLine(text.substr(at, text.find('\n', at) - at), marker))
        return true;
  return false;
}

// Rewrites a diff3-style merge: a conflict whose base part is empty (both sides only inserted
// lines at one place) becomes both insertions, the user's first; the others lose their base part.
// False when a conflict remains.
bool SettleInsertions(std::string_view merged, std::string& into) {
  enum { Outside, Yours, Base, Generated } part = Outside;
  std::string_view yours, base, generated, yoursMarker, separator;
  const char* yoursStart = nullptr;
  const char* baseStart = nullptr;
  const char* generatedStart = nullptr;
  bool clean = true;
  for (std::size_t start = 0; start < merged.size();) {
    std::size_t end = merged.find('\n', start);
    end = end == std::string_view::npos ? merged.size() : end + 1;
    const std::string_view line = merged.substr(start, end - start);
    const char* here = merged.data() + start;
    start = end;
    if (part == Outside && IsLine(line, YoursMarker)) {
      part = Yours;
      yoursMarker = line;
      yoursStart = here + line.size();
    } else if (part == Yours && IsLine(line, BaseMarker)) {
      part = Base;
      yours = {yoursStart, static_cast<std::size_t>(here - yoursStart)};
      baseStart = here + line.size();
    } else if (part == Base && IsLine(line, SeparatorMarker)) {
      part = Generated;
      base = {baseStart, static_cast<std::size_t>(here - baseStart)};
      separator = line;
      generatedStart = here + line.size();
    } else if (part == Generated && IsLine(line, GeneratedMarker)) {
      part = Outside;
      generated = {generatedStart, static_cast<std::size_t>(here - generatedStart)};
      if (base.empty()) {
        into.append(yours);
        into.append(generated);
      } else {
        clean = false;
        into.append(yoursMarker).append(yours).append(separator).append(generated).append(line);
      }
    } else if (part == Outside) {
      into.append(line);
    }
  }
  return clean;
}

// Appends the merge of three texts, their shared first and last lines set aside, to into; false
// when it holds conflicts. Nothing when the library cannot merge them (it takes a NUL for binary).
std::optional<bool> MergeMiddle(std::string_view base, std::string_view yours,
                                std::string_view generated, std::string& into) {
  const MergeLibrary& library = Library();
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
  // The base part of each conflict tells insertions from changes; it can be read only where no
  // text holds a line like a marker.
  const bool settle = !HoldsMarkerLine(middle(base)) && !HoldsMarkerLine(middle(yours)) &&
                      !HoldsMarkerLine(middle(generated));
  git_merge_file_options options{};
  library.OptionsInit(&options, GIT_MERGE_FILE_OPTIONS_VERSION);
  options.our_label = "yours";
  options.their_label = "generated";
  options.ancestor_label = "base";
  options.flags = settle ? GIT_MERGE_FILE_STYLE_DIFF3 : GIT_MERGE_FILE_STYLE_MERGE;
  git_merge_file_result result{};
  if (library.MergeFile(&result, &ancestor, &ours, &theirs, &options) < 0) {
    const git_error* error = library.ErrorLast();
    throw std::runtime_error(std::string("the merge failed: ") +
                             (error != nullptr ? error->message : "unknown reason"));
  }
  const std::unique_ptr<git_merge_file_result, void (*)(git_merge_file_result*)> owned(
      &result, library.ResultFree);
  const std::string_view text(result.ptr != nullptr ? result.ptr : "", result.len);
  const bool automergeable = result.automergeable != 0;
  // Not mergeable and no conflict in it: the library refused the texts as a whole.
  if (!automergeable && MarkerLines(text).empty()) return std::nullopt;
  into.append(yours.substr(0, head));
  const bool clean = settle ? SettleInsertions(text, into) : (into.append(text), automergeable);
  into.append(yours.substr(yours.size() - tail));
  return clean;
}

// The largest text merged: the library's own bound is a little below 1 GiB.
constexpr std::size_t MergeLimit = std::size_t{1000} << 20;

// The whole of both texts as one conflict, for texts that cannot be merged line by line.
MergedText WholeConflict(std::string_view yours, std::string_view generated, std::string reason) {
  const std::string_view end = FormOf(yours).Crlf ? "\r\n" : "\n";
  MergedText merged;
  merged.Text.reserve(yours.size() + generated.size() + 64);
  merged.Text.append(YoursMarker).append(end).append(yours);
  if (!yours.empty() && !yours.ends_with('\n')) merged.Text.append(end);
  merged.Text.append(SeparatorMarker).append(end).append(generated);
  if (!generated.empty() && !generated.ends_with('\n')) merged.Text.append(end);
  merged.Text.append(GeneratedMarker).append(end);
  merged.ConflictLines = {1};
  merged.Unmergeable = std::move(reason);
  return merged;
}

std::string WhyUnmergeable(std::string_view base, std::string_view yours,
                           std::string_view generated) {
  for (const std::string_view text : {base, yours, generated}) {
    if (text.find('\0') != std::string_view::npos) return "it holds a NUL byte";
    if (text.size() > MergeLimit) return "it is too large to merge";
  }
  return {};
}

}  // namespace

namespace {

// Appends the merge of the three texts to into; false when it holds conflicts, nothing when the
// library refused them. Where each side changes the base: from the end of the lines it begins
// with alike to the start of those it ends with alike. When the user's change and the generated
// one lie apart, each part between them is merged on its own, so that the lines both leave alone
// between them are not compared.
std::optional<bool> MergeParts(std::string_view base, std::string_view yours,
                               std::string_view generated, std::string& into) {
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
  if (split == std::string_view::npos || split + 1 >= gapEnd)
    return MergeMiddle(base, yours, generated, into);
  // Before the split only the first side changed, after it only the other.
  const std::size_t at = split + 1;
  const std::size_t yoursAt = yoursFirst ? at + yours.size() - base.size() : at;
  const std::size_t generatedAt = yoursFirst ? at : at + generated.size() - base.size();
  const std::optional<bool> first = MergeMiddle(base.substr(0, at), yours.substr(0, yoursAt),
                                                generated.substr(0, generatedAt), into);
  if (!first) return std::nullopt;
  const std::optional<bool> second =
      MergeMiddle(base.substr(at), yours.substr(yoursAt), generated.substr(generatedAt), into);
  if (!second) return std::nullopt;
  return *first && *second;
}

template <typename Visit>
void ForEachLine(std::string_view text, const Visit& visit) {
  std::size_t index = 0;
  for (std::size_t start = 0; start < text.size(); ++index) {
    std::size_t end = text.find('\n', start);
    end = end == std::string_view::npos ? text.size() : end + 1;
    visit(text.substr(start, end - start), start, index);
    start = end;
  }
}

// Texts from this size on are cut into windows at lines that each of the three holds once, in
// the same order (one line in AnchorSpacing of the base is a candidate): a window that only one
// side changed is taken from that side, and only the windows both changed are merged, so the
// cost follows the edits, not the length.
constexpr std::size_t WindowedFrom = std::size_t{1} << 20;
constexpr std::size_t AnchorSpacing = 64;

std::optional<bool> MergeWindows(std::string_view base, std::string_view yours,
                                 std::string_view generated, std::string& into) {
  struct Seen {
    std::array<std::size_t, 3> At{};
    std::array<unsigned, 3> Count{};
  };
  std::unordered_map<std::string_view, Seen> candidates;
  ForEachLine(base, [&](std::string_view line, std::size_t, std::size_t index) {
    if (index % AnchorSpacing == 0 && line.size() > 2) candidates.try_emplace(line);
  });
  const std::array<std::string_view, 3> texts{base, yours, generated};
  for (std::size_t t = 0; t < texts.size(); ++t)
    ForEachLine(texts[t], [&](std::string_view line, std::size_t at, std::size_t) {
      const auto found = candidates.find(line);
      if (found == candidates.end()) return;
      ++found->second.Count[t];
      found->second.At[t] = at;
    });
  std::vector<std::array<std::size_t, 3>> anchors;
  for (const auto& [line, seen] : candidates)
    if (seen.Count == std::array<unsigned, 3>{1, 1, 1}) anchors.push_back(seen.At);
  std::sort(anchors.begin(), anchors.end());
  anchors.push_back({base.size(), yours.size(), generated.size()});
  std::array<std::size_t, 3> from{};
  bool clean = true;
  for (const auto& anchor : anchors) {
    // Kept only in order in all three texts.
    if (anchor[1] < from[1] || anchor[2] < from[2]) continue;
    const std::string_view b = base.substr(from[0], anchor[0] - from[0]);
    const std::string_view y = yours.substr(from[1], anchor[1] - from[1]);
    const std::string_view g = generated.substr(from[2], anchor[2] - from[2]);
    from = anchor;
    if (y == b) {
      into.append(g);
    } else if (g == b) {
      into.append(y);
    } else {
      const std::optional<bool> part = MergeParts(b, y, g, into);
      if (!part) return std::nullopt;
      clean = clean && *part;
    }
  }
  return clean;
}

}  // namespace

MergedText MergeTexts(std::string_view base, std::string_view yours, std::string_view generated) {
  if (generated == base) return {std::string(yours), {}, {}};
  if (yours == base) return {std::string(generated), {}, {}};
  if (std::string reason = WhyUnmergeable(base, yours, generated); !reason.empty())
    return WholeConflict(yours, generated, std::move(reason));
  MergedText merged;
  merged.Text.reserve(std::max(yours.size(), generated.size()) + 4096);
  const std::optional<bool> clean = base.size() >= WindowedFrom
                                        ? MergeWindows(base, yours, generated, merged.Text)
                                        : MergeParts(base, yours, generated, merged.Text);
  if (!clean) return WholeConflict(yours, generated, "the merge library refused it");
  if (!*clean) merged.ConflictLines = MarkerLines(merged.Text);
  return merged;
}

bool HoldsConflictMarkers(std::string_view text) { return !MarkerLines(text).empty(); }

std::string ResolveConflicts(std::string_view merged, const std::vector<ConflictSide>& sides) {
  std::string resolved;
  resolved.reserve(merged.size());
  enum { Outside, Yours, Base, Generated } part = Outside;
  std::string_view yours, generated;
  std::size_t conflict = 0;
  const auto grow = [](std::string_view& part, std::string_view line) {
    part = part.empty() ? line : std::string_view(part.data(), part.size() + line.size());
  };
  for (std::size_t start = 0; start < merged.size();) {
    std::size_t end = merged.find('\n', start);
    end = end == std::string_view::npos ? merged.size() : end + 1;
    const std::string_view line = merged.substr(start, end - start);
    start = end;
    if (part == Outside && IsLine(line, YoursMarker)) {
      part = Yours;
      yours = generated = {};
    } else if (part == Yours && IsLine(line, BaseMarker)) {
      part = Base;
    } else if ((part == Yours || part == Base) && IsLine(line, SeparatorMarker)) {
      part = Generated;
    } else if (part == Generated && IsLine(line, GeneratedMarker)) {
      part = Outside;
      const ConflictSide side = conflict < sides.size() ? sides[conflict] : ConflictSide::Yours;
      ++conflict;
      if (side != ConflictSide::Generated) resolved.append(yours);
      if (side != ConflictSide::Yours) resolved.append(generated);
    } else if (part == Outside) {
      resolved.append(line);
    } else if (part != Base) {
      grow(part == Yours ? yours : generated, line);
    }
  }
  return resolved;
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
