#include "tests/fuzz/fuzz_checks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "classgen/targets.h"
#include "core/text.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_styles.h"
#include "enumgen/enumeration_texts.h"

namespace zandrel::fuzz {

namespace {

// Hands out the fuzz input piece by piece; past its end every read gives zero or nothing, so any
// input decodes to some request.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  unsigned char Byte() {
    if (data_.empty()) return 0;
    const auto byte = static_cast<unsigned char>(data_.front());
    data_.remove_prefix(1);
    return byte;
  }
  bool Flag() { return (Byte() & 1) != 0; }
  std::size_t Below(std::size_t bound) { return Byte() % bound; }

  // A length byte, then up to maxLength bytes as they are.
  std::string Text(std::size_t maxLength) {
    // The length byte is read first: in one expression with data_.size() the order is unspecified.
    const std::size_t wanted = Below(maxLength + 1);
    const std::size_t length = std::min(wanted, data_.size());
    std::string text(data_.substr(0, length));
    data_.remove_prefix(length);
    return text;
  }

  std::string_view Rest() {
    const std::string_view rest = data_;
    data_ = {};
    return rest;
  }

 private:
  std::string_view data_;
};

bool IsListBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string Shown(std::string_view text) {
  std::string shown = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      shown += '\\';
      shown += c;
    } else if (byte >= 32 && byte < 127) {
      shown += c;
    } else {
      constexpr char Hex[] = "0123456789abcdef";
      shown += "\\x";
      shown += Hex[byte >> 4];
      shown += Hex[byte & 15];
    }
  }
  return shown + "\"";
}

// Splits text at every separator.
std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at; (at = text.find(separator)) != std::string_view::npos;) {
    parts.push_back(text.substr(0, at));
    text.remove_prefix(at + separator.size());
  }
  parts.push_back(text);
  return parts;
}

// The words of a list text, read line by line by a stream: a word starting with "#" or "/" ends
// its line.
std::vector<std::string> ReferenceWords(std::string_view text) {
  std::vector<std::string> words;
  // Editors on other systems start a UTF-8 file with a byte-order mark; it is not a name.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  for (const std::string_view line : Split(text, "\n")) {
    std::istringstream in{std::string(line)};
    for (std::string word; in >> word && word[0] != '#' && word[0] != '/';) words.push_back(word);
  }
  return words;
}

// The documented grammar: leading blanks, one sign, then decimal digits or hex digits after "$",
// "x", "X", "0x" or "0X", and nothing after them. The digits, less their leading zeros, are
// converted by the standard library, and the result must fit in 32 signed bits.
// The value in decimal digits, by the standard library's conversion of the magnitude.
std::optional<std::string> ReferenceConvert(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  int base = 10;
  for (std::string_view mark : {"0x", "0X", "$", "x", "X"})
    if (text.starts_with(mark)) {
      base = 16;
      text.remove_prefix(mark.size());
      break;
    }
  const std::string_view allowed = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
  if (text.empty() || text.find_first_not_of(allowed) != std::string_view::npos)
    return std::nullopt;
  std::uint64_t magnitude = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), magnitude, base).ec != std::errc{})
    return std::nullopt;
  if (negative && magnitude > std::uint64_t{1} << 63) return std::nullopt;
  if (negative && magnitude != 0) return "-" + std::to_string(magnitude);
  return std::to_string(magnitude);
}

std::string ShownValue(const std::optional<std::string>& value) {
  return value ? *value : std::string("nothing");
}

// Where a path's stem ends: the chosen path is the stem, or the stem, a "." and a tail without
// "." or "/" (the extension of the file-name part).
bool IsStemOf(std::string_view stem, std::string_view path) {
  if (!path.starts_with(stem)) return false;
  const std::string_view rest = path.substr(stem.size());
  return rest.empty() || (rest[0] == '.' && rest.find_first_of("./", 1) == std::string_view::npos);
}

EnumerationRequest RandomEnumerationRequest(ByteReader& in) {
  EnumerationRequest request;
  request.TypeName = in.Text(12);
  request.Style = EnumerationStyles()[in.Below(EnumerationStyles().size())].Style;
  request.FirstAndLast = in.Flag();
  request.ApplyPrefix = in.Flag();
  request.PrefixText = in.Text(5);
  request.FromFile = in.Flag();
  request.SeparateFile = true;
  request.OutputPath = in.Text(24);
  const std::size_t rows = in.Below(8);
  for (std::size_t i = 0; i < rows; ++i) {
    GridRow& row = request.GridRows[in.Below(NameGridRows)];
    row.Name = in.Text(10);
    row.Value = in.Text(12);
  }
  return request;
}

EnumerationList RandomEnumerationList(ByteReader& in) {
  EnumerationList list;
  list.ValuesGiven = in.Flag();
  // Up to 40 entries, so several enumerator lines are written.
  const std::size_t count = in.Below(41);
  for (std::size_t i = 0; i < count; ++i) {
    Enumerator entry;
    entry.EnumeratorName = in.Text(8);
    if (entry.EnumeratorName.empty()) entry.EnumeratorName = "E" + std::to_string(i);
    if (in.Flag()) {
      std::uint32_t bits = 0;
      for (int b = 0; b < 4; ++b) bits = (bits << 8) | in.Byte();
      entry.EnumeratorValue = static_cast<std::int32_t>(bits);
    }
    list.Entries.push_back(entry);
  }
  return list;
}

// EnumText: the head, then the entries in list order with their values where given, seven on the
// first line and six on each further one, then "}" and the tail. The lines are taken apart when
// no name holds a separator; otherwise the names are only found in order.
std::string CheckEnumText(const EnumerationRequest& request, const EnumerationList& list,
                          const std::string& EnumText) {
  const bool isClass = StyleRow(request.Style).WrapperClass;
  const std::string& T = request.TypeName;
  const std::string head = isClass ? "enum " + T + "_enum {\n   " : "typedef enum {\n   ";
  const std::string tail = isClass ? "};\n" : "}\n    " + T + ";\n";
  if (!EnumText.starts_with(head) || !EnumText.ends_with(tail) ||
      EnumText.size() < head.size() + tail.size())
    return "EnumText " + Shown(EnumText) + " lacks its head or tail";
  const std::string_view body =
      std::string_view(EnumText).substr(head.size(), EnumText.size() - head.size() - tail.size());
  bool plain = true;
  std::size_t at = 0;
  for (const Enumerator& entry : list.Entries) {
    plain = plain && entry.EnumeratorName.find_first_of(" ,\n") == std::string::npos;
    at = body.find(entry.EnumeratorName, at);
    if (at == std::string_view::npos) return "EnumText lacks " + Shown(entry.EnumeratorName);
    at += entry.EnumeratorName.size();
  }
  if (!plain) return {};
  std::vector<std::string_view> entries;
  const std::vector<std::string_view> lines = Split(body, "\n   ");
  // A break after a last entry at a multiple of six leaves an empty last line.
  const std::size_t last = lines.size() - (lines.size() > 1 && lines.back().empty() ? 2 : 1);
  for (std::size_t line = 0; line < lines.size(); ++line) {
    std::vector<std::string_view> onLine = Split(lines[line], ", ");
    if (onLine.back().empty()) onLine.pop_back();  // ", " ends every line but the last
    const std::size_t full = line == 0 ? 7 : 6;
    if (onLine.size() > full || (onLine.size() < full && line < last))
      return "EnumText line " + std::to_string(line + 1) + " holds " +
             std::to_string(onLine.size()) + " entries";
    entries.insert(entries.end(), onLine.begin(), onLine.end());
  }
  if (entries.size() != list.Entries.size())
    return "EnumText holds " + std::to_string(entries.size()) + " entries";
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const Enumerator& entry = list.Entries[k];
    const std::string expected =
        entry.EnumeratorName + (list.ValuesGiven && entry.EnumeratorValue
                                    ? " = " + std::to_string(*entry.EnumeratorValue)
                                    : "");
    if (entries[k] != expected)
      return "EnumText holds " + Shown(entries[k]) + " for " + Shown(expected);
  }
  return {};
}

// ToStringText: its head, then for each entry in list order its case label and the name without
// the prefix that was applied, then the default case.
std::string CheckToStringText(const EnumerationRequest& request, const EnumerationList& list,
                              const std::string& ToStringText) {
  const std::string& T = request.TypeName;
  std::string_view rest = ToStringText;
  const std::string head =
      StyleRow(request.Style).WrapperClass
          ? "\n\nAnsiString __fastcall " + T + "::ToString(){\n switch(data){\n"
          : "\n\nAnsiString __fastcall ToString(const " + T + " & val){\n switch(val){\n";
  if (!rest.starts_with(head)) return "ToStringText " + Shown(ToStringText) + " lacks its head";
  rest.remove_prefix(head.size());
  const std::size_t cut = request.ApplyPrefix ? request.PrefixText.size() : 0;
  for (const Enumerator& entry : list.Entries) {
    const std::string& name = entry.EnumeratorName;
    const std::string returned = name.substr(std::min(cut, name.size()));
    const std::string label = "   case " + name + ":\n     return \"" + returned + "\";\n";
    if (!rest.starts_with(label)) return "ToStringText lacks the case " + Shown(label);
    rest.remove_prefix(label.size());
  }
  if (rest != "   default:\n     return \"Invalid\";\n  } // switch\n}\n")
    return "ToStringText ends with " + Shown(rest);
  return {};
}

// The two texts, and the style's two files: the preludes around the texts, and the documented ends.
std::string CheckEnumeration(const EnumerationRequest& request, const EnumerationList& list,
                             const std::string& EnumText, const std::string& ToStringText,
                             const std::string& header, const std::string& source) {
  if (std::string fault = CheckEnumText(request, list, EnumText); !fault.empty()) return fault;
  if (std::string fault = CheckToStringText(request, list, ToStringText); !fault.empty())
    return fault;
  const bool isClass = StyleRow(request.Style).WrapperClass;
  const std::string& T = request.TypeName;
  const std::string include = IncludeLine(request.OutputPath);
  if (!include.starts_with("#include \"") || !include.ends_with(".h\" "))
    return "IncludeLine is " + Shown(include);
  const std::string base = include.substr(10, include.size() - 14);
  if (base.find('/') != std::string::npos || !IsStemOf(base, FileNamePart(request.OutputPath)))
    return "IncludeLine " + Shown(include) + " does not name the header of " +
           Shown(request.OutputPath);
  const std::string prelude = "// " + T + " definition\n#ifndef __" + T + "__\n#define __" + T +
                              "__\n\n#include <vcl.h>\n\n" + EnumText;
  if (!header.starts_with(prelude))
    return "the header does not start with its prelude and EnumText";
  const std::string headerEnd =
      isClass ? "}; // " + T + "\n\n#endif\n\n" : std::string(" &);\n\n\n#endif\n\n");
  if (!header.ends_with(headerEnd)) return "the header does not end with " + Shown(headerEnd);
  const std::string sourcePrelude = include + "\n#include <assert.h>\n\n" + ToStringText + "\n";
  if (!source.starts_with(sourcePrelude))
    return "the source does not start with the include line and ToStringText";
  if (!isClass && !source.ends_with("}\n")) return "the plain source does not end with }";
  if (isClass && !list.Entries.empty()) {
    const std::string first = T + "::" + T + "(){\n  data = " + list.Entries.front().EnumeratorName;
    if (source.compare(sourcePrelude.size(), first.size(), first) != 0)
      return "the class source does not start at the first name";
  }
  return {};
}

}  // namespace

std::string CheckListReader(std::string_view data) {
  ByteReader in(data);
  EnumerationRequest request;
  request.ApplyPrefix = in.Flag();
  // Blanks are kept out of the prefix so that a blank in a name can only come from the reader.
  for (char c : in.Text(6))
    if (!IsListBlank(c)) request.PrefixText += c;
  EnumerationList list;
  const bool earlierEntries = in.Flag();
  if (earlierEntries) list.Entries.push_back({"Earlier", 5});
  list.ValuesGiven = true;
  const std::string_view text = in.Rest();

  ReadListFromFile(request, list, ListFile(std::string(text)));

  if (list.ValuesGiven) return "a list from a file has ValuesGiven set";
  const std::size_t kept = earlierEntries ? 1 : 0;
  if (earlierEntries && (list.Entries.empty() || list.Entries[0].EnumeratorName != "Earlier" ||
                         list.Entries[0].EnumeratorValue != 5))
    return "an entry appended before reading was changed";
  const std::string prefix = request.ApplyPrefix ? request.PrefixText : std::string();
  const std::vector<std::string> words = ReferenceWords(text);
  if (list.Entries.size() - kept != words.size())
    return std::to_string(list.Entries.size() - kept) + " entries read, " +
           std::to_string(words.size()) + " words in the text";
  for (std::size_t i = kept; i < list.Entries.size(); ++i) {
    const Enumerator& entry = list.Entries[i];
    const std::string& name = entry.EnumeratorName;
    if (entry.EnumeratorValue) return "the entry " + Shown(name) + " has a value";
    if (!name.starts_with(prefix)) return "the entry " + Shown(name) + " lacks the prefix";
    const std::string_view word = std::string_view(name).substr(prefix.size());
    if (word.empty() || word[0] == '#' || word[0] == '/' ||
        std::any_of(word.begin(), word.end(), IsListBlank))
      return "the entry " + Shown(name) + " is empty, a comment or holds a blank";
    if (word != words[i - kept])
      return "entry " + std::to_string(i - kept + 1) + " is " + Shown(word) + ", the text has " +
             Shown(words[i - kept]);
  }
  return {};
}

std::string CheckConvertValue(std::string_view data) {
  const std::optional<std::string> expected = ReferenceConvert(data);
  const std::optional<WholeNumber> value = ConvertValue(data);
  const std::optional<std::string> actual =
      value ? std::optional(DecimalText(*value)) : std::nullopt;
  if (actual != expected)
    return "ConvertValue(" + Shown(data) + ") gives " + ShownValue(actual) + ", expected " +
           ShownValue(expected);
  if (actual && ConvertValue(*actual) != value)
    return "ConvertValue does not read back its own value " + *actual;
  return {};
}

std::string CheckClassWriters(std::string_view data) {
  ByteReader in(data);
  ClassInput input;
  input.NameText = in.Text(20);
  for (auto& row : input.Grid) {
    if (!in.Flag()) continue;
    row[0] = in.Text(14);
    row[1] = in.Text(20);
    row[2] = in.Text(8);
  }
  GenerationOptions& options = input.Options;
  options.ComparisonLevel = static_cast<ComparisonLevel>(in.Below(3));
  options.NameForm = static_cast<NameForm>(in.Below(3));
  options.TargetSystem = ClassTargets()[in.Below(ClassTargets().size())].System;
  const unsigned char flags = in.Byte();
  options.PrivateCopy = (flags & 1) != 0;
  options.FrameworkLibrary = (flags & 2) != 0;
  options.StdLib = (flags & 4) != 0;
  options.MathLib = (flags & 8) != 0;
  options.CStrings = (flags & 16) != 0;
  options.BigConstructor = (flags & 32) != 0;
  options.ToStringMethod = (flags & 64) != 0;
  const std::size_t insertions = in.Below(4);
  for (std::size_t i = 0; i < insertions; ++i) input.HeaderInsertions.push_back(in.Text(24));
  const std::string chosenPath(in.Rest());

  const std::optional<ClassDescription> read = ReadClassDescription(input);
  if (!read) {
    // A name of two or more ASCII characters always passes the length check.
    if (input.NameText.size() >= 2 &&
        std::all_of(input.NameText.begin(), input.NameText.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 128; }))
      return "the class name " + Shown(input.NameText) + " was refused";
    return {};
  }
  const ClassDescription& description = *read;
  // The name as typed is the class name, blanks shown as "_", between characters below 33 only.
  const std::string& X = description.ClassName;
  const std::string_view typed = input.NameText;
  const auto below33 = [](char c) { return static_cast<unsigned char>(c) < 33; };
  const std::size_t at = std::find_if_not(typed.begin(), typed.end(), below33) - typed.begin();
  std::string shown(typed.substr(at, X.size()));
  std::replace(shown.begin(), shown.end(), ' ', '_');
  if (X.find(' ') != std::string::npos || shown != X ||
      !std::all_of(typed.begin() + static_cast<std::ptrdiff_t>(at + X.size()), typed.end(),
                   below33) ||
      (!X.empty() && below33(typed[at + X.size() - 1])))
    return "the class name " + Shown(typed) + " became " + Shown(X);
  // The member rows are the rows whose Type has 2 or more characters (UTF-8: continuation bytes
  // start none) and whose Name is not empty, in grid order, texts unchanged.
  std::size_t next = 0;
  for (int r = 1; r <= MemberGridRows; ++r) {
    const auto& cells = input.Grid[static_cast<std::size_t>(r - 1)];
    const auto characters = std::count_if(cells[0].begin(), cells[0].end(), [](char c) {
      return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (characters < 2 || cells[1].empty()) continue;
    const MemberRow* row =
        next < description.Members.size() ? &description.Members[next++] : nullptr;
    if (row == nullptr || row->Type != cells[0] || row->Name != cells[1] ||
        row->InitialValue != cells[2] || row->RowNumber != r)
      return "member row " + std::to_string(r) + " was read differently";
  }
  if (next != description.Members.size()) return "more member rows were read than the grid holds";

  const std::string header = WriteCppHeader(description);
  const std::string source = WriteCppSource(description);
  const std::string java = WriteJavaClass(description);
  if (!header.starts_with("// " + X + "\n#ifndef __" + X + "\n"))
    return "the header does not start with its comment line and guard";
  if (!header.ends_with("\n};\n\n#endif")) return "the header does not end with #endif";
  if (!source.starts_with("// " + X + "\n#include \"" + X + ".h\"\n"))
    return "the source does not start with its comment line and include";
  if (!java.starts_with("// " + X + "\n\n")) return "the Java file does not start with // " + X;
  if (!java.ends_with("}\n\n")) return "the Java file does not end with }";

  // Every member is declared, in grid order, in the header and the Java file, and every method
  // gets its marked body in the source.
  std::size_t inHeader = 0, inJava = 0, inSource = 0;
  for (const MemberRow& row : description.Members) {
    inHeader = header.find("   " + row.Type + " " + row.Name + ";\n", inHeader);
    if (inHeader == std::string::npos) return "the header lacks the member " + Shown(row.Name);
    inJava = java.find("  " + row.Type + " " + row.Name + ";\n", inJava);
    if (inJava == std::string::npos) return "the Java file lacks the member " + Shown(row.Name);
    if (!IsMethod(row)) continue;
    inSource =
        source.find("\n" + row.Type + " " + X + "::" + row.Name +
                        "{ \n // enter your code here\n\n } // " + MethodName(row) + "\n\n\n",
                    inSource);
    if (inSource == std::string::npos) return "the source lacks the body of " + Shown(row.Name);
  }
  if (description.Options.BigConstructor &&
      header.find("  " + BigConstructorHead(description) + ";\n") == std::string::npos)
    return "the header lacks the constructor with every member";

  // The modern targets' writers take any description too; their files go beside the chosen path.
  const TargetSystem system = description.Options.TargetSystem;
  if (system == TargetSystem::ModernCpp || system == TargetSystem::JavaRecord) {
    const std::vector<ClassFile> files = ClassFiles(description, chosenPath);
    const auto& wanted = TargetOf(system).Files;
    if (files.size() != wanted.size())
      return "Build writes " + std::to_string(files.size()) + " files";
    for (std::size_t i = 0; i < files.size(); ++i) {
      const std::string& path = files[i].File.Path;
      const std::string suffix(wanted[i].Suffix);
      if (!path.ends_with("." + suffix) ||
          !IsStemOf(std::string_view(path).substr(0, path.size() - suffix.size() - 1), chosenPath))
        return "Build writes " + Shown(path) + " for " + Shown(chosenPath);
    }
    return {};
  }
  // Build writes header and source, or the Java file alone, beside the chosen path.
  const bool isJava = system == TargetSystem::Java;
  const std::vector<std::pair<std::string, std::string>> expected =
      isJava ? std::vector<std::pair<std::string, std::string>>{{"java", java}}
             : std::vector<std::pair<std::string, std::string>>{{"h", header}, {"cpp", source}};
  const std::vector<ClassFile> files = ClassFiles(description, chosenPath);
  if (files.size() != expected.size())
    return "Build writes " + std::to_string(files.size()) + " files";
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string& path = files[i].File.Path;
    const auto& [suffix, text] = expected[i];
    if (!path.ends_with("." + suffix) || files[i].File.Text != text ||
        !IsStemOf(std::string_view(path).substr(0, path.size() - suffix.size() - 1), chosenPath))
      return "Build writes " + Shown(path) + " for " + Shown(chosenPath);
  }
  return {};
}

std::string CheckEnumWriters(std::string_view data) {
  ByteReader in(data);
  const EnumerationRequest request = RandomEnumerationRequest(in);
  // A list file is not chosen: the file contributes no names.
  const auto composed = ComposeEnumeration(request, nullptr);
  if (const auto* output = std::get_if<EnumerationOutput>(&composed)) {
    const EnumerationList list = std::get<EnumerationList>(BuildEnumerationList(request, nullptr));
    const std::string prefix = request.ApplyPrefix ? request.PrefixText : std::string();
    if (request.FirstAndLast &&
        (list.Entries.size() < 2 || list.Entries.front().EnumeratorName != prefix + "FirstUnused" ||
         list.Entries.back().EnumeratorName != prefix + "LastUnused" ||
         list.Entries.front().EnumeratorValue || list.Entries.back().EnumeratorValue))
      return "the sentinels are missing, misnamed or carry a value";
    const EnumerationStyleRow& style = StyleRow(request.Style);
    if (output->Files.size() != style.FileSuffixes.size() ||
        output->HandOver() != style.Include(request))
      return "a separate file does not give the style's files and its include line";
    const std::string stem = output->Files[0].Path.substr(0, output->Files[0].Path.size() - 2);
    for (std::size_t i = 0; i < output->Files.size(); ++i)
      if (output->Files[i].Path != stem + std::string(style.FileSuffixes[i]) ||
          !IsStemOf(stem, request.OutputPath))
        return "the file " + Shown(output->Files[i].Path) + " is not beside " +
               Shown(request.OutputPath);
    // The documented layouts below are those of the texts the older targets take.
    if (style.HandsOver != InsertionKind::LegacyCpp) return {};
    if (std::string fault = CheckEnumeration(request, list, std::string(output->EnumText()),
                                             std::string(output->ToStringText()),
                                             output->Files[0].Text, output->Files[1].Text);
        !fault.empty())
      return "grid list: " + fault;
  }
  const EnumerationStyleRow& style = StyleRow(request.Style);
  if (style.HandsOver != InsertionKind::LegacyCpp) return {};
  const EnumerationList list = RandomEnumerationList(in);
  EnumerationTexts texts = BuildTexts(request, list);
  const std::string EnumText(texts.EnumText());
  const std::string ToStringText(texts.ToStringText());
  const std::string header = style.Header(request, texts);
  const std::string source = style.Source(request, texts);
  if (std::string fault = CheckEnumeration(request, list, EnumText, ToStringText, header, source);
      !fault.empty())
    return "random list: " + fault;
  return {};
}

std::span<const Target> Targets() {
  static constexpr std::array<Target, 7> targets{{
      {"list_reader", &CheckListReader},
      {"convert_value", &CheckConvertValue},
      {"class_writers", &CheckClassWriters},
      {"enum_writers", &CheckEnumWriters},
      {"class_document", &CheckClassDocument},
      {"enumeration_request", &CheckEnumerationRequest},
      {"batch_manifest", &CheckBatchManifest},
  }};
  return targets;
}

}  // namespace zandrel::fuzz
