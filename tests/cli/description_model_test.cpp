#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classgen/targets.h"
#include "document/description_model.h"
#include "enumgen/enumeration_styles.h"

namespace zandrel {
namespace {

// Which change signals a model emitted, in order, by name.
struct Heard {
  std::vector<std::string> Signals;

  explicit Heard(DescriptionModel& model) {
    const auto listen = [&](void (DescriptionModel::*signal)(), const char* name) {
      QObject::connect(&model, signal, [this, name] { Signals.push_back(name); });
    };
    listen(&DescriptionModel::NameTextChanged, "name");
    listen(&DescriptionModel::CellsChanged, "cells");
    listen(&DescriptionModel::OptionsChanged, "options");
    listen(&DescriptionModel::TargetSystemChanged, "target");
    listen(&DescriptionModel::HeaderInsertionsChanged, "insertions");
    listen(&DescriptionModel::Changed, "changed");
  }
};

struct SetterCase {
  const char* Name;
  std::function<void(DescriptionModel&)> Set;
  std::function<bool(const ClassInput&)> Holds;
  std::vector<std::string> Signals;
};

// The table starts with the window's rows and never has fewer; more it keeps.
TEST(DescriptionModel, TableKeepsItsStartingRows) {
  DescriptionModel model;
  EXPECT_EQ(model.Input().Grid.size(), std::size_t{MemberGridRows});
  ClassInput input;
  input.Grid.resize(2);
  model.SetInput(input);
  EXPECT_EQ(model.Input().Grid.size(), std::size_t{MemberGridRows});
  input.Grid.resize(30);
  input.Grid[29][1] = "last";
  model.SetInput(input);
  EXPECT_EQ(model.Cell(29, 1), "last");
}

TEST(DescriptionModel, EachSetterChangesItsPartAndSaysSoOnce) {
  const SetterCase cases[] = {
      {"name",
       [](auto& m) { m.SetNameText("Point"); },
       [](const ClassInput& i) { return i.NameText == "Point"; },
       {"name", "changed"}},
      {"cell",
       [](auto& m) { m.SetCell(18, 2, "0"); },
       [](const ClassInput& i) { return i.Grid[18][2] == "0"; },
       {"cells", "changed"}},
      {"cell outside the table",
       [](auto& m) { m.SetCell(19, 0, "int"); },
       [](const ClassInput& i) { return i == ClassInput(); },
       {}},
      {"option",
       [](auto& m) { m.SetOption(&GenerationOptions::MathLib, true); },
       [](const ClassInput& i) { return i.Options.MathLib; },
       {"options", "changed"}},
      {"option as it was",
       [](auto& m) { m.SetOption(&GenerationOptions::FrameworkLibrary, true); },
       [](const ClassInput& i) { return i == ClassInput(); },
       {}},
      {"comparisons",
       [](auto& m) { m.SetComparisonLevel(ComparisonLevel::AllComparisons); },
       [](const ClassInput& i) {
         return i.Options.ComparisonLevel == ComparisonLevel::AllComparisons;
       },
       {"options", "changed"}},
      {"naming form",
       [](auto& m) { m.SetNameForm(NameForm::UpperCamel); },
       [](const ClassInput& i) { return i.Options.NameForm == NameForm::UpperCamel; },
       {"options", "changed"}},
      {"target",
       [](auto& m) { m.SetTargetSystem(TargetSystem::Java); },
       [](const ClassInput& i) { return i.Options.TargetSystem == TargetSystem::Java; },
       {"target", "changed"}},
      {"insertions",
       [](auto& m) { m.SetHeaderInsertions(InsertionList{"enum A {};"}); },
       [](const ClassInput& i) { return i.HeaderInsertions == InsertionList{"enum A {};"}; },
       {"insertions", "changed"}},
      {"everything at once",
       [](auto& m) {
         ClassInput input;
         input.NameText = "Box";
         input.Grid[0][0] = "int";
         input.Options.StdLib = true;
         input.Options.TargetSystem = TargetSystem::CBuilder;
         input.HeaderInsertions.push_back(std::string("#include \"A.h\" "));
         m.SetInput(input);
       },
       [](const ClassInput& i) { return i.NameText == "Box" && i.Grid[0][0] == "int"; },
       {"name", "cells", "options", "target", "insertions", "changed"}},
  };
  for (const SetterCase& c : cases) {
    SCOPED_TRACE(c.Name);
    DescriptionModel model;
    Heard heard(model);
    c.Set(model);
    EXPECT_TRUE(c.Holds(model.Input()));
    EXPECT_EQ(heard.Signals, c.Signals);
    // The same again changes nothing and says nothing.
    heard.Signals.clear();
    c.Set(model);
    EXPECT_TRUE(heard.Signals.empty());
  }
}

TEST(DescriptionModel, StartsAsTheWindowStarts) {
  const DescriptionModel model;
  EXPECT_EQ(model.Input(), ClassInput());
  EXPECT_EQ(model.Options().TargetSystem, TargetSystem::DevCpp);
  EXPECT_EQ(model.Options().NameForm, NameForm::LowerUnderscore);
  EXPECT_TRUE(model.Options().FrameworkLibrary);
  EXPECT_TRUE(model.HeaderInsertions().empty());
}

TEST(DescriptionModel, HoldsInsertionOnlyForTheSameText) {
  DescriptionModel model;
  model.SetHeaderInsertions(InsertionList{"#include \"Color.h\" ", "enum Size { Small };"});
  const std::pair<const char*, bool> cases[] = {{"#include \"Color.h\" ", true},
                                                {"enum Size { Small };", true},
                                                {"#include \"Color.h\"", false},
                                                {"enum Size { Small }; ", false},
                                                {"", false}};
  for (const auto& [text, held] : cases) EXPECT_EQ(model.HoldsInsertion(text), held) << text;
}

// The schema names the target systems zandrel-gen takes: the target table's, in its order.
TEST(TargetTable, SchemaListsEveryTargetSystem) {
  QFile file(QStringLiteral(ZANDREL_SCHEMA_DIR "/class-description.schema.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject schema = QJsonDocument::fromJson(file.readAll()).object();
  const QJsonArray listed =
      schema["properties"]["Options"]["properties"]["TargetSystem"]["enum"].toArray();
  std::vector<std::string> names;
  for (const QJsonValue& name : listed) names.push_back(name.toString().toStdString());
  std::vector<std::string> targets;
  for (const ClassTarget& target : ClassTargets()) targets.emplace_back(target.CommandName);
  EXPECT_EQ(names, targets);
}

// Both schemas name the enumeration styles of the style table, in its order.
TEST(StyleTable, SchemasListEveryStyle) {
  std::vector<std::string> table;
  for (const EnumerationStyleRow& style : EnumerationStyles()) table.emplace_back(style.Name);
  const auto listed = [](const QJsonValue& properties) {
    std::vector<std::string> names;
    for (const QJsonValue& name : properties["Style"]["enum"].toArray())
      names.push_back(name.toString().toStdString());
    return names;
  };
  for (const char* name : {"enumeration-request", "class-description"}) {
    QFile file(QStringLiteral(ZANDREL_SCHEMA_DIR "/") + name + ".schema.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject schema = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonValue properties =
        schema["$id"].toString().contains("request")
            ? schema["properties"]
            : schema["properties"]["HeaderInsertions"]["items"]["oneOf"][1]["properties"];
    EXPECT_EQ(listed(properties), table) << name;
  }
}

// The schema's on/off options are the option table's, and every one is a flag.
TEST(OptionTable, SchemaListsEveryFlag) {
  QFile file(QStringLiteral(ZANDREL_SCHEMA_DIR "/class-description.schema.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject schema = QJsonDocument::fromJson(file.readAll()).object();
  const QJsonObject options = schema["properties"]["Options"]["properties"].toObject();
  std::vector<std::string> flags;
  for (auto it = options.begin(); it != options.end(); ++it)
    if (it.value().toObject().value(QStringLiteral("type")) == QStringLiteral("boolean"))
      flags.push_back(it.key().toStdString());
  std::vector<std::string> table;
  for (const FlagOption& flag : FlagOptions) table.emplace_back(flag.Key);
  std::ranges::sort(flags);
  std::ranges::sort(table);
  EXPECT_EQ(flags, table);
}

// The window starts with the table's defaults, and so does every description built in code.
TEST(OptionTable, DefaultsAreGenerationOptionsOwn) {
  const GenerationOptions options;
  for (const FlagOption& flag : FlagOptions)
    EXPECT_EQ(options.*flag.Field, flag.Default) << flag.Key;
}

// The library boxes' column: the C++ targets use them, Java does not.
TEST(TargetTable, CLibraryBoxesAreTheCppTargets) {
  for (const ClassTarget& target : ClassTargets())
    EXPECT_EQ(target.UsesCLibraryBoxes, target.Files.front().Suffix != "java")
        << target.CommandName;
}

}  // namespace
}  // namespace zandrel
