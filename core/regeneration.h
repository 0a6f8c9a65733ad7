#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// A three-way merge of the text generated now into a file the user may have edited since an
// earlier text (the base) was generated into it, as Git merges: base, yours (the file on disk),
// generated (the new text).
struct MergedText {
  std::string Text;                        // with conflict markers where the two sides clash
  std::vector<std::size_t> ConflictLines;  // 1-based line of each "<<<<<<< yours" in Text
  // Why the texts could not be merged at all (a NUL byte, too large); the whole file is then one
  // conflict, the user's text kept whole in it.
  std::string Unmergeable;
  bool Clean() const { return ConflictLines.empty(); }
};

inline constexpr std::string_view YoursMarker = "<<<<<<< yours";
inline constexpr std::string_view SeparatorMarker = "=======";
inline constexpr std::string_view GeneratedMarker = ">>>>>>> generated";

// The merge alone, on the texts as given. Both sides inserting lines at one place, neither
// changing a line of the base, is no conflict: both are kept, the user's lines first.
MergedText MergeTexts(std::string_view base, std::string_view yours, std::string_view generated);

// Whether a text still holds a conflict written with its markers.
bool HoldsConflictMarkers(std::string_view text);

// Which side of one conflict the user keeps.
enum class ConflictSide { Yours, Generated, Both };

// A merged text with each of its conflicts, in order, replaced by the side chosen for it (both:
// the user's lines first; a conflict past the end of sides keeps the user's): no marker is left.
std::string ResolveConflicts(std::string_view merged, const std::vector<ConflictSide>& sides);

// What regenerating does to one file.
enum class Regeneration {
  Write,     // absent: written
  Leave,     // already what the merge would give: left alone
  Replace,   // unedited since its base: the new text replaces it
  Merge,     // edited, and the edits merge cleanly: the merged text is written
  Conflict,  // edited where the new text changes too: nothing written unless the user says so
  NoBase,    // differs from the new text and no base is known: replaced only when the user says so
};

struct FileRegeneration {
  Regeneration Action = Regeneration::Write;
  MergedText Merged;        // for Merge and Conflict, and for a Leave that keeps the user's edits
  bool KeepsEdits = false;  // a Leave whose file differs from the new text
};

// Decides for one file, given its new text, what is on disk (nothing when absent) and its base.
// The merge keeps the file's own line ends, byte-order mark and final line end: the base and the
// new text are brought to the file's line ends before merging, and a mark or final line end the
// user added or removed stays so.
FileRegeneration RegenerateFile(std::string_view generated,
                                const std::optional<std::string>& onDisk,
                                const std::optional<std::string>& base);

// The text a decision writes: the new text, or the merged one (markers included); nothing for
// Leave and NoBase.
std::optional<std::string_view> TextToWrite(const FileRegeneration& decision,
                                            std::string_view generated);

}  // namespace zandrel
