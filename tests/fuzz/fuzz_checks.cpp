#include "tests/fuzz/fuzz_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_writers.h"

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

// The words of a list text, read line by line: a word starting with "#" or "/" ends its line.
std::vector<std::string> ReferenceWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t lineStart = 0;
  while (lineStart <= text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    std::string word;
    bool comment = false;
    for (std::size_t i = 0; i <= line.size() && !comment; ++i) {
      if (i < line.size() && !IsListBlank(line[i])) {
        word += line[i];
        continue;
      }
      if (word.empty()) continue;
      if (word[0] == '#' || word[0] == '/')
        comment = true;
      else
        words.push_back(word);
      word.clear();
    }
    lineStart = lineEnd + 1;
  }
  return words;
}

// Leading blanks, one sign, then decimal digits or hex digits after "$", "x", "X", "0x" or "0X",
// nothing after them, and a result within 32 signed bits. Digit by digit in 64 bits, stopping
// long before the accumulator could overflow.
std::optional<std::int32_t> ReferenceConvert(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::string_view digits = text.substr(pos);
  std::int64_t base = 10;
  for (std::string_view mark : {"0x", "0X", "$", "x", "X"}) {
    if (digits.substr(0, mark.size()) == mark) {
      base = 16;
      digits.remove_prefix(mark.size());
      break;
    }
  }
  if (digits.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : digits) {
    std::int64_t digit = 99;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit >= base) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > (std::int64_t{1} << 40)) magnitude = std::int64_t{1} << 40;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string ShownValue(const std::optional<std::int32_t>& value) {
  return value ? std::to_string(*value) : std::string("nothing");
}

bool StartsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}
bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// A file dialog that cancels, so a request that asks for a list file gets none.
class CancellingDialog : public FileDialog {
 public:
  bool Execute() override { return false; }
};

EnumerationRequest RandomEnumerationRequest(ByteReader& in) {
  EnumerationRequest request;
  request.TypeName = in.Text(12);
  request.Style =
      in.Flag() ? EnumerationStyle::EnumerationClass : EnumerationStyle::PlainEnumeration;
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

std::string CheckEnumerationTexts(const EnumerationRequest& request, const EnumerationList& list) {
  const bool isClass = request.Style == EnumerationStyle::EnumerationClass;
  const std::string& T = request.TypeName;
  const std::string EnumText = BuildEnumText(request, list);
  const std::string ToStringText = BuildToStringText(request, list);

  // Reference texts, built piece by piece from the layout rules of the two texts.
  std::string expected = isClass ? "enum " + T + "_enum {\n   " : "typedef enum {\n   ";
  const std::size_t n = list.Entries.size();
  for (std::size_t k = 0; k < n; ++k) {
    const Enumerator& entry = list.Entries[k];
    expected += entry.EnumeratorName;
    if (list.ValuesGiven && entry.EnumeratorValue)
      expected += " = " + std::to_string(*entry.EnumeratorValue);
    if (k + 1 < n) expected += ", ";
    if (k > 0 && k % 6 == 0) expected += "\n   ";
  }
  expected += isClass ? "};\n" : "}\n    " + T + ";\n";
  if (EnumText != expected)
    return "EnumText is " + Shown(EnumText) + ", expected " + Shown(expected);

  expected = "\n\nAnsiString __fastcall " +
             (isClass ? T + "::ToString(){\n switch(data){\n"
                      : "ToString(const " + T + " & val){\n switch(val){\n");
  for (const Enumerator& entry : list.Entries) {
    const std::string returned = ReturnName(request, entry);
    if (request.ApplyPrefix && StartsWith(entry.EnumeratorName, request.PrefixText) &&
        returned != entry.EnumeratorName.substr(request.PrefixText.size()))
      return "ReturnName of " + Shown(entry.EnumeratorName) + " is " + Shown(returned);
    expected += "   case " + entry.EnumeratorName + ":\n     return \"" + returned + "\";\n";
  }
  expected += "   default:\n     return \"Invalid\";\n  } // switch\n}\n";
  if (ToStringText != expected)
    return "ToStringText is " + Shown(ToStringText) + ", expected " + Shown(expected);

  const std::string include = IncludeLine(request.OutputPath);
  if (!StartsWith(include, "#include \"") || !EndsWith(include, ".h\" "))
    return "IncludeLine is " + Shown(include);
  const std::string stem = OutputStem(request.OutputPath);
  if (!StartsWith(request.OutputPath, stem))
    return "OutputStem " + Shown(stem) + " is no beginning of the path";

  const auto files = isClass ? EnumerationClassFiles(request, list, EnumText, ToStringText)
                             : PlainEnumerationFiles(request, list, EnumText, ToStringText);
  if (files.size() != 2) return "the style writes " + std::to_string(files.size()) + " files";
  if (files[0].Path != stem + ".h" || files[1].Path != stem + ".cpp")
    return "the files are " + Shown(files[0].Path) + " and " + Shown(files[1].Path);
  const std::string prelude = "// " + T + " definition\n#ifndef __" + T + "__\n#define __" + T +
                              "__\n\n#include <vcl.h>\n\n" + EnumText;
  if (!StartsWith(files[0].Text, prelude))
    return "the header does not start with its prelude and EnumText";
  const std::string headerEnd =
      isClass ? "}; // " + T + "\n\n#endif\n\n" : std::string(" &);\n\n\n#endif\n\n");
  if (!EndsWith(files[0].Text, headerEnd))
    return "the header does not end with " + Shown(headerEnd);
  const std::string sourcePrelude = include + "\n#include <assert.h>\n\n" + ToStringText + "\n";
  if (!StartsWith(files[1].Text, sourcePrelude))
    return "the source does not start with the include line and ToStringText";
  if (!isClass && !EndsWith(files[1].Text, "}\n")) return "the plain source does not end with }";
  if (isClass && !list.Entries.empty()) {
    const std::string first = T + "::" + T + "(){\n  data = " + list.Entries.front().EnumeratorName;
    if (files[1].Text.find(first, sourcePrelude.size()) == std::string::npos)
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
    if (name.empty()) return "an entry has an empty name";
    if (std::any_of(name.begin(), name.end(), IsListBlank))
      return "the entry " + Shown(name) + " holds a blank";
    if (!StartsWith(name, prefix)) return "the entry " + Shown(name) + " lacks the prefix";
    const std::string_view word = std::string_view(name).substr(prefix.size());
    if (word.empty() || word[0] == '#' || word[0] == '/')
      return "the entry " + Shown(name) + " is a comment or empty after its prefix";
    if (word != words[i - kept])
      return "entry " + std::to_string(i - kept + 1) + " is " + Shown(word) + ", the text has " +
             Shown(words[i - kept]);
  }
  return {};
}

std::string CheckConvertValue(std::string_view data) {
  const std::optional<std::int32_t> expected = ReferenceConvert(data);
  const std::optional<std::int32_t> actual = ConvertValue(data);
  if (actual != expected)
    return "ConvertValue(" + Shown(data) + ") gives " + ShownValue(actual) + ", expected " +
           ShownValue(expected);
  if (actual) {
    const std::string decimal = std::to_string(*actual);
    if (ConvertValue(decimal) != actual)
      return "ConvertValue does not read back its own value " + decimal;
  }
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
  options.TargetSystem = static_cast<TargetSystem>(in.Below(4));
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
  // The name trimmed of codes below 33 (as unsigned bytes), inner blanks made "_".
  std::string_view name = input.NameText;
  while (!name.empty() && static_cast<unsigned char>(name.front()) < 33) name.remove_prefix(1);
  while (!name.empty() && static_cast<unsigned char>(name.back()) < 33) name.remove_suffix(1);
  std::string cleaned(name);
  std::replace(cleaned.begin(), cleaned.end(), ' ', '_');
  if (description.ClassName != cleaned)
    return "the class name " + Shown(input.NameText) + " became " + Shown(description.ClassName);
  // Every row with a Type of 2 or more and a Name of 1 or more characters, texts unchanged. Text
  // is UTF-8: continuation bytes do not start a character.
  const auto characters = [](const std::string& text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  };
  std::vector<MemberRow> members;
  for (int r = 1; r <= MemberGridRows; ++r) {
    const auto& cells = input.Grid[static_cast<std::size_t>(r - 1)];
    if (characters(cells[0]) >= 2 && !cells[1].empty())
      members.push_back({cells[0], cells[1], cells[2], r});
  }
  if (description.Members.size() != members.size())
    return std::to_string(description.Members.size()) + " member rows read, expected " +
           std::to_string(members.size());
  for (std::size_t i = 0; i < members.size(); ++i) {
    const MemberRow& row = description.Members[i];
    if (row.Type != members[i].Type || row.Name != members[i].Name ||
        row.InitialValue != members[i].InitialValue || row.RowNumber != members[i].RowNumber)
      return "member row " + std::to_string(members[i].RowNumber) + " was read differently";
  }

  const std::string& X = description.ClassName;
  const std::string header = WriteCppHeader(description);
  const std::string source = WriteCppSource(description);
  const std::string java = WriteJavaClass(description);
  if (!StartsWith(header, "// " + X + "\n#ifndef __" + X + "\n"))
    return "the header does not start with its comment line and guard";
  if (!EndsWith(header, "\n};\n\n#endif")) return "the header does not end with #endif";
  if (!StartsWith(source, "// " + X + "\n#include \"" + X + ".h\"\n"))
    return "the source does not start with its comment line and include";
  if (!StartsWith(java, "// " + X + "\n\n")) return "the Java file does not start with // " + X;
  if (!EndsWith(java, "}\n\n")) return "the Java file does not end with }";

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

  const std::vector<OutputFile> files = ClassOutputFiles(description, chosenPath);
  const std::string stem = FileStem(chosenPath);
  if (description.Options.TargetSystem == TargetSystem::Java) {
    if (files.size() != 1 || files[0].Path != stem + "java" || files[0].Text != java)
      return "the Java build does not write the Java text to " + Shown(stem + "java");
  } else if (files.size() != 2 || files[0].Path != stem + "h" || files[0].Text != header ||
             files[1].Path != stem + "cpp" || files[1].Text != source) {
    return "the C++ build does not write header then source to " + Shown(stem);
  }
  return {};
}

std::string CheckEnumWriters(std::string_view data) {
  ByteReader in(data);
  const EnumerationRequest request = RandomEnumerationRequest(in);
  CancellingDialog dialog;
  const auto built = BuildEnumerationList(request, dialog);
  if (const auto* list = std::get_if<EnumerationList>(&built)) {
    const std::string prefix = request.ApplyPrefix ? request.PrefixText : std::string();
    if (request.FirstAndLast &&
        (list->Entries.size() < 2 ||
         list->Entries.front().EnumeratorName != prefix + "FirstUnused" ||
         list->Entries.back().EnumeratorName != prefix + "LastUnused" ||
         list->Entries.front().EnumeratorValue || list->Entries.back().EnumeratorValue))
      return "the sentinels are missing, misnamed or carry a value";
    if (std::string fault = CheckEnumerationTexts(request, *list); !fault.empty())
      return "grid list: " + fault;
  }
  const EnumerationList list = RandomEnumerationList(in);
  if (std::string fault = CheckEnumerationTexts(request, list); !fault.empty())
    return "random list: " + fault;
  return {};
}

std::span<const Target> Targets() {
  static constexpr std::array<Target, 4> targets{{
      {"list_reader", &CheckListReader},
      {"convert_value", &CheckConvertValue},
      {"class_writers", &CheckClassWriters},
      {"enum_writers", &CheckEnumWriters},
  }};
  return targets;
}

}  // namespace zandrel::fuzz
