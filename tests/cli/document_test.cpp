#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

#include "classgen/targets.h"
#include "document/class_document.h"
#include "document/enumeration_request_document.h"
#include "document/json_members.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_styles.h"

namespace zandrel {
namespace {

auto Fields(const ClassInput& input) {
  const GenerationOptions& o = input.Options;
  return std::tie(input.NameText, input.Grid, input.HeaderInsertions, o.ComparisonLevel,
                  o.PrivateCopy, o.FrameworkLibrary, o.StdLib, o.MathLib, o.CStrings,
                  o.BigConstructor, o.ToStringMethod, o.NameForm, o.TargetSystem);
}

std::vector<ClassInput> RoundTripInputs() {
  ClassInput defaults;
  ClassInput every;
  every.NameText = "  my \"class\"\t\\ \xC3\xA9\x01";
  every.Grid[0] = {"int", "count", "0"};
  every.Grid[2] = {"char", "name[32]", ""};
  every.Grid[18] = {"", "", "only a value\n"};
  every.Options = {ComparisonLevel::EqualityOnly,
                   true,
                   false,
                   true,
                   true,
                   true,
                   true,
                   true,
                   true,
                   false,
                   true,
                   NameForm::UpperCamel,
                   TargetSystem::Java};
  every.HeaderInsertions = {"#include \"Colors.h\" ", "enum Ink {\n  ZDRed\n};\r\n"};
  return {defaults, every};
}

TEST(ClassDocument, WhatIsWrittenReadsBackTheSame) {
  for (const ClassInput& input : RoundTripInputs()) {
    const QByteArray document = WriteClassDocument(input);
    EXPECT_TRUE(
        document.startsWith("{\n  \"$schema\": \"urn:zandrel:schema:class-description:1\",\n"
                            "  \"Format\": 1,\n  \"ClassName\": "))
        << document.toStdString();
    const auto read = ReadClassDocument(document, "saved.json");
    ASSERT_TRUE(std::holds_alternative<ClassInput>(read)) << std::get<std::string>(read);
    EXPECT_EQ(Fields(std::get<ClassInput>(read)), Fields(input)) << document.toStdString();
  }
}

// Where the class was last built travels with the document: relative to its folder when below
// it, so a project moved or checked out elsewhere builds to the same place in it.
TEST(ClassDocument, KeepsTheOutputPathRelativeToItsFolder) {
  const struct {
    std::string document, output, stored;
  } cases[] = {
      {"/p/model/a.zandrel.json", "/p/model/src/A.h", "src/A.h"},
      {"/p/model/a.zandrel.json", "/p/model/x/../A.h", "A.h"},
      {"/p/model/a.zandrel.json", "/p/src/A.h", "/p/src/A.h"},
      {"/p/model/a.zandrel.json", "/p/modelling/A.h", "/p/modelling/A.h"},
      {"", "/p/src/A.h", "/p/src/A.h"},
  };
  for (const auto& c : cases) {
    const std::string stored = StoredOutputPath(c.document, c.output);
    EXPECT_EQ(stored, c.stored) << c.document << " " << c.output;
    EXPECT_EQ(ResolvedOutputPath(c.document, stored),
              std::filesystem::path(c.output).lexically_normal().generic_string());
    const QByteArray document = WriteClassDocument(ClassInput(), stored);
    std::string read;
    ASSERT_TRUE(std::holds_alternative<ClassInput>(ReadClassDocument(document, "a.json", &read)));
    EXPECT_EQ(read, stored);
  }
  // Without a build the document is as it always was.
  EXPECT_EQ(WriteClassDocument(ClassInput(), ""), WriteClassDocument(ClassInput()));
  EXPECT_EQ(ResolvedOutputPath("model/a.zandrel.json", "src/A.h"), "model/src/A.h");
  EXPECT_TRUE(std::holds_alternative<std::string>(
      ReadClassDocument(R"({"OutputPath": "a\u0000b"})", "a.json")));
}

// Collected enumerations of every style come back from a saved document as they were: style, type
// name, text and the request, which composes the same text again; Build writes the same bytes.
TEST(ClassDocument, CollectedEnumerationsReopen) {
  ClassInput input;
  input.NameText = "Palette";
  for (const EnumerationStyleRow& style : EnumerationStyles()) {
    for (const bool separate : {false, true}) {
      EnumerationRequest request;
      request.TypeName = "Shade" + std::string(style.Name);
      request.Style = style.Style;
      request.GridRows[0] = {"Red", ""};
      request.GridRows[2] = {"Green", "0x10"};
      request.GridRows[4] = {"", "3"};
      request.SeparateFile = separate;
      if (separate) request.OutputPath = "/out/" + request.TypeName + ".h";
      request.Json = style.TakesKeys;
      const auto composed = ComposeEnumeration(request, nullptr);
      ASSERT_TRUE(std::holds_alternative<EnumerationOutput>(composed)) << style.Name;
      input.HeaderInsertions.push_back(
          CollectedInsertion(request, std::get<EnumerationOutput>(composed).HandOver()));
    }
  }
  input.HeaderInsertions.push_back(std::string("#include \"Mine.h\" "));

  const QByteArray saved = WriteClassDocument(input);
  const auto read = ReadClassDocument(saved, "saved.json");
  ASSERT_TRUE(std::holds_alternative<ClassInput>(read)) << std::get<std::string>(read);
  const ClassInput& opened = std::get<ClassInput>(read);
  EXPECT_EQ(opened.HeaderInsertions, input.HeaderInsertions) << saved.toStdString();
  EXPECT_EQ(WriteClassDocument(opened), saved);
  for (const HeaderInsertion& record : opened.HeaderInsertions.Records()) {
    if (record.Request == nullptr) continue;
    const auto again = ComposeEnumeration(*record.Request, nullptr);
    EXPECT_EQ(std::get<EnumerationOutput>(again).HandOver(), *record.Text) << record.TypeName;
  }
  for (const ClassTarget& target : ClassTargets()) {
    ClassInput built = input;
    built.Options.TargetSystem = target.System;
    ClassInput reopened = opened;
    reopened.Options.TargetSystem = target.System;
    for (const TargetFile& file : target.Files)
      EXPECT_EQ(Join(file.Write(*ReadClassDescription(reopened))),
                Join(file.Write(*ReadClassDescription(built))))
          << target.CommandName;
  }

  // A document of texts alone opens with records of no known kind, which stay texts.
  const auto old = ReadClassDocument(R"({"HeaderInsertions": ["enum A {};"]})", "old.json");
  ASSERT_TRUE(std::holds_alternative<ClassInput>(old));
  const HeaderInsertion& bare = std::get<ClassInput>(old).HeaderInsertions.Record(0);
  EXPECT_TRUE(bare.IsTextOnly() && bare.Request == nullptr && *bare.Text == "enum A {};");
}

// The example project's saved description is in the form the writer gives, so the schema test,
// which validates the example, covers what the writer writes.
TEST(ClassDocument, TheExampleIsWhatTheWriterWrites) {
  std::ifstream in(ZANDREL_EXAMPLE_DIR "/model/point.zandrel.json", std::ios::binary);
  const std::string saved{std::istreambuf_iterator<char>(in), {}};
  const auto read = ReadClassDocument(saved, "point.zandrel.json");
  ASSERT_TRUE(std::holds_alternative<ClassInput>(read)) << std::get<std::string>(read);
  EXPECT_EQ(WriteClassDocument(std::get<ClassInput>(read)).toStdString(), saved);
}

// One shape for every message: the file first, with the line and column of a JSON fault (in
// characters, so a multi-byte letter counts once).
TEST(ClassDocument, RefusedWithTheMessageZandrelGenPrints) {
  const std::pair<std::string, std::string> cases[] = {
      {R"({"Format": 2})", "in.json: description.Format must be 1"},
      {R"({"$schema": 1})", "in.json: description.$schema must be a string"},
      {"[1]", "in.json: the top level must be an object"},
      {"{", "in.json:1:1: invalid JSON: unterminated object"},
      {"{\n  \"ClassName\": \"A\",\n  x", "in.json:3:3: invalid JSON: unterminated object"},
      {"{\"ClassName\": \"\xC3\xA9\xC3\xA9\" x}",
       "in.json:1:20: invalid JSON: unterminated object"},
      {R"({"Rows": [{"Row": 1, "Type": "dou\u0000ble"}]})",
       "in.json: Rows[0].Type must not hold a NUL character"},
      {R"({"HeaderInsertions": ["a\u0000"]})",
       "in.json: HeaderInsertions[0] must not hold a NUL character"},
  };
  for (const auto& [json, message] : cases) {
    const auto read = ReadClassDocument(json, "in.json");
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << json;
    EXPECT_EQ(std::get<std::string>(read), message);
  }
  EXPECT_TRUE(std::holds_alternative<ClassInput>(
      ReadClassDocument(R"({"$schema": "x", "Format": 1.0})", "in.json")));
}

TEST(EnumerationRequestDocument, ReadsEveryKeyAndNamesTheFileInMessages) {
  const auto read = ReadEnumerationRequest(
      R"({"$schema": "urn:zandrel:schema:enumeration-request:1", "Format": 1,
          "TypeName": " Ink ", "Style": "EnumerationClass", "FirstAndLast": false,
          "ApplyPrefix": false, "PrefixText": "I_", "Rows": [{"Row": 49, "Name": "Black"}],
          "ListFile": "inks.txt", "OutputPath": "src/Ink.h"})",
      "ink.json");
  ASSERT_TRUE(std::holds_alternative<EnumerationRequest>(read)) << std::get<std::string>(read);
  const EnumerationRequest& r = std::get<EnumerationRequest>(read);
  EXPECT_EQ(std::tie(r.TypeName, r.Style, r.FirstAndLast, r.ApplyPrefix, r.PrefixText, r.FromFile,
                     r.ListPath, r.SeparateFile, r.OutputPath, r.GridRows[48].Name),
            std::make_tuple("Ink", EnumerationStyle::EnumerationClass, false, false, "I_", true,
                            "inks.txt", true, "src/Ink.h", "Black"));
  const auto bad = ReadEnumerationRequest(R"({"Rows": [{"Row": 50}]})", "ink.json");
  EXPECT_EQ(std::get<std::string>(bad),
            "ink.json: request.Rows[0].Row must be a whole number from 1 to 49");
}

// A request a document holds reads back as it was, over random requests: every field set, texts
// with quotes, backslashes, control characters and UTF-8, and the enum class keys written only when
// on (so left out, as in documents written before them, they read as off).
TEST(EnumerationRequestDocument, WhatIsWrittenReadsBackTheSame) {
  std::mt19937 random(20261209);
  const auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const std::string_view pieces[] = {"a",  "Z",  "_",  "9",    " ",        "\"",
                                     "\\", "\t", "\n", "\x01", "\xc3\xa9", "\xe2\x82\xac",
                                     "/",  "{",  "}",  "-1",   "0x7f"};
  const auto text = [&] {
    std::string t;
    for (int k = chance(6); k > 0; --k) t += pieces[chance(std::size(pieces))];
    return t;
  };
  const auto styles = EnumerationStyles();
  for (int draw = 0; draw < 200; ++draw) {
    EnumerationRequest r;
    r.TypeName = "T" + text() + "x";  // read trimmed
    r.Style = styles[static_cast<std::size_t>(chance(static_cast<int>(styles.size())))].Style;
    for (bool* on : {&r.FirstAndLast, &r.ApplyPrefix, &r.FromFile, &r.SeparateFile, &r.Flags,
                     &r.CaseInsensitive, &r.Formatter, &r.Json})
      *on = chance(2) == 0;
    r.PrefixText = text();
    for (GridRow& row : r.GridRows)
      if (chance(4) == 0) row = {text(), chance(2) == 0 ? text() : ""};
    if (r.FromFile) r.ListPath = "lists/" + text() + ".txt";
    if (r.SeparateFile) r.OutputPath = "src/" + text() + ".h";
    const std::string json = RequestJson(r);
    const auto read = ReadEnumerationRequest(json, "r.json");
    ASSERT_TRUE(std::holds_alternative<EnumerationRequest>(read)) << json << "\n"
                                                                  << std::get<std::string>(read);
    EXPECT_TRUE(std::get<EnumerationRequest>(read) == r) << json;
  }
  EXPECT_EQ(std::get<std::string>(ReadEnumerationRequest(R"({"Json": 1})", "e.json")),
            "e.json: request.Json must be true or false");
}

// Save writes the document in blocks; joined, they are the document, byte for byte, and a text
// that is not UTF-8 is written as Qt would have written it.
TEST(ClassDocument, StreamedAsWrittenWhole) {
  std::vector<ClassInput> inputs = RoundTripInputs();
  ClassInput large;
  large.HeaderInsertions = {std::string(200000, 'x') + "\n\"", "caf\xE9 \xED\xA0\x80 \xEF\xBB\xBF"};
  inputs.push_back(large);
  for (const ClassInput& input : inputs) {
    std::string streamed;
    std::size_t blocks = 0;
    WriteClassDocument(input, [&](std::string_view piece) {
      streamed += piece;
      ++blocks;
    });
    const QByteArray whole = WriteClassDocument(input);
    EXPECT_EQ(streamed, whole.toStdString());
    EXPECT_LE(blocks, whole.size() / 60000 + 2);
  }
  for (const std::string text : {"caf\xE9", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC0\xAF",
                                 "\xEF\xBB\xBF", "ok \xC3\xA9", "\xE2\x82"}) {
    const QByteArray qt =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
    std::string quoted(1, '"');
    quoted += qt.toStdString();
    quoted += '"';
    EXPECT_EQ(JsonString(text), quoted) << text;
  }
}

}  // namespace
}  // namespace zandrel
