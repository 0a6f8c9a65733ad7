#pragma once

#include <string>
#include <utility>

#include "classgen/class_description.h"

namespace zandrel::testing {

// The documented example classes, built in code, shared by the suites.

// An enumeration collected as the dialog hands it over, of the kind its style gives it.
inline HeaderInsertion Collected(InsertionKind kind, std::string typeName, std::string text) {
  HeaderInsertion insertion;
  insertion.Kind = kind;
  insertion.Style = kind == InsertionKind::EnumClass ? EnumerationStyle::ModernEnumeration
                                                     : EnumerationStyle::PlainEnumeration;
  insertion.TypeName = std::move(typeName);
  insertion.Text = ShareText(std::move(text));
  return insertion;
}

// Sample: DevC++ header with every section.
inline ClassDescription SampleClass() {
  ClassDescription d;
  d.ClassName = "Sample";
  d.Members = {{"int", "count", "", 1},
               {"char", "name[32]", "", 2},
               {"double", "area(int w, int h)", "", 3}};
  d.Options.TargetSystem = TargetSystem::DevCpp;
  d.Options.FrameworkLibrary = true;
  d.Options.StdLib = true;
  d.Options.BigConstructor = true;
  d.Options.NameForm = NameForm::LowerCamel;
  d.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  d.Options.ToStringMethod = true;
  return d;
}

// Point for CBuilder with private copy operations and equality only.
inline ClassDescription PointHeaderClass() {
  ClassDescription d;
  d.ClassName = "Point";
  d.Members = {{"int", "x", "", 1}, {"int", "y", "", 2}};
  d.Options.TargetSystem = TargetSystem::CBuilder;
  d.Options.PrivateCopy = true;
  d.Options.CStrings = true;
  d.Options.NameForm = NameForm::LowerUnderscore;
  d.Options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  return d;
}

// Point with an initial value, a C string, an array and a method after an empty row.
inline ClassDescription PointSourceClass() {
  ClassDescription d;
  d.ClassName = "Point";
  d.Members = {{"int", "x", "0", 1},
               {"char", "label[16]", "", 2},
               {"double", "coords[3]", "", 3},
               {"int", "area()", "", 5}};
  d.Options.BigConstructor = true;
  return d;
}

inline ClassDescription MeterClass() {
  ClassDescription d;
  d.ClassName = "Meter";
  d.Members = {{"int", "count", "0", 1},
               {"char", "label[8]", "", 2},
               {"double", "v[3]", "", 3},
               {"void", "reset()", "", 4},
               {"String", "note", "", 6}};
  d.Options.TargetSystem = TargetSystem::Java;
  d.Options.BigConstructor = true;
  d.Options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  d.Options.ToStringMethod = true;
  d.Options.NameForm = NameForm::LowerCamel;
  return d;
}

inline ClassDescription PrivateMeterClass() {
  ClassDescription d;
  d.ClassName = "Meter";
  d.Members = {{"int", "count", "0", 1}};
  d.Options.TargetSystem = TargetSystem::Java;
  d.Options.PrivateCopy = true;
  return d;
}

// Point for the modern targets: every kind of member, each option that shapes the class on.
inline ClassDescription ModernPointClass() {
  ClassDescription d;
  d.ClassName = "Point";
  d.Members = {{"int", "x", "0", 1},
               {"int", "y", "", 2},
               {"std::string", "name", "\"origin\"", 3},
               {"double", "coords[3]", "", 4},
               {"std::vector<int>", "path", "", 5},
               {"double", "area(int w, int h = 2) const", "", 7},
               {"void", "reset()", "", 8}};
  d.Options.TargetSystem = TargetSystem::ModernCpp;
  d.Options.BigConstructor = true;
  d.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  d.Options.ToStringMethod = true;
  d.Options.NameForm = NameForm::LowerCamel;
  d.Options.MathLib = true;
  return d;
}

// One member, private copies, equality only.
inline ClassDescription ModernAccountClass() {
  ClassDescription d;
  d.ClassName = "Account";
  d.Members = {{"std::string", "owner", "", 1}};
  d.Options.TargetSystem = TargetSystem::ModernCpp;
  d.Options.PrivateCopy = true;
  d.Options.BigConstructor = true;
  d.Options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  return d;
}

}  // namespace zandrel::testing
