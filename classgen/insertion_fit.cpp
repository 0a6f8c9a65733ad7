#include "classgen/insertion_fit.h"

#include <string_view>

#include "classgen/targets.h"
#include "core/insertion_style.h"

namespace zandrel {

namespace {

bool Fits(InsertionFit fit, InsertionStyle style) {
  switch (fit) {
    case InsertionFit::LegacyCpp:
      return style == InsertionStyle::Legacy;
    case InsertionFit::EnumClassCpp:
      return style == InsertionStyle::EnumClass;
    case InsertionFit::Java:
      break;
  }
  return false;
}

std::string Describe(InsertionStyle style, InsertionFit fit) {
  if (fit == InsertionFit::Java) return "is C++";
  return style == InsertionStyle::EnumClass ? "is an enum class"
                                            : "is a typedef or wrapper-class enumeration";
}

}  // namespace

std::string EnumerationNameOf(const std::string& text) {
  const std::string_view line = FirstLine(text);
  if (StyleOfInsertion(text) == InsertionStyle::EnumClass) return std::string(EnumClassName(text));
  if (line.starts_with("#include \"")) {
    const std::size_t close = line.find('"', 10);
    return std::string(line.substr(10, close == std::string_view::npos ? close : close - 10));
  }
  if (line.starts_with("typedef enum {")) {
    // "}\n    T;\n" ends the enumeration.
    const std::size_t end = text.find("}\n    ");
    if (end != std::string::npos) {
      const std::size_t name = end + 6;
      return text.substr(name, text.find(";\n", name) - name);
    }
  }
  if (line.starts_with("enum ") && line.ends_with("_enum {"))
    return std::string(line.substr(5, line.size() - 12));
  return std::string(line);
}

std::vector<InsertionMismatch> InsertionMismatches(const ClassDescription& description) {
  const ClassTarget& target = TargetOf(description.Options.TargetSystem);
  const std::string where =
      std::string(target.ItemText) + (target.Fits == InsertionFit::Java ? " file" : " header");
  std::vector<InsertionMismatch> mismatches;
  for (std::size_t i = 0; i < description.HeaderInsertions.size(); ++i) {
    const std::string& text = description.HeaderInsertions[i];
    const InsertionStyle style = StyleOfInsertion(text);
    if (Fits(target.Fits, style)) continue;
    std::string name = EnumerationNameOf(text);
    std::string message = "enumeration \"" + name + "\" " + Describe(style, target.Fits) +
                          " and does not fit a " + where;
    mismatches.push_back({i, std::move(name), std::move(message)});
  }
  return mismatches;
}

std::string MismatchSummary(const std::vector<InsertionMismatch>& mismatches) {
  std::string summary;
  for (const InsertionMismatch& mismatch : mismatches)
    summary += (summary.empty() ? "" : "; ") + mismatch.Message;
  if (!summary.empty()) summary += " (written as it is)";
  return summary;
}

}  // namespace zandrel
