#include "classgen/insertion_fit.h"

#include "classgen/targets.h"

namespace zandrel {

namespace {

bool Fits(InsertionFit fit, InsertionKind kind) {
  switch (kind) {
    case InsertionKind::Text:
      return true;
    case InsertionKind::LegacyCpp:
      return fit == InsertionFit::LegacyCpp;
    case InsertionKind::EnumClass:
      return fit == InsertionFit::EnumClassCpp;
  }
  return false;
}

std::string Describe(InsertionKind kind, InsertionFit fit) {
  if (fit == InsertionFit::Java) return "is C++";
  return kind == InsertionKind::EnumClass ? "is an enum class"
                                          : "is a typedef or wrapper-class enumeration";
}

}  // namespace

std::vector<InsertionMismatch> InsertionMismatches(const ClassDescription& description) {
  const ClassTarget& target = TargetOf(description.Options.TargetSystem);
  const std::string where =
      std::string(target.ItemText) + (target.Fits == InsertionFit::Java ? " file" : " header");
  std::vector<InsertionMismatch> mismatches;
  const std::vector<HeaderInsertion>& records = description.HeaderInsertions.Records();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const HeaderInsertion& record = records[i];
    if (Fits(target.Fits, record.Kind)) continue;
    std::string message = "enumeration \"" + record.TypeName + "\" " +
                          Describe(record.Kind, target.Fits) + " and does not fit a " + where;
    mismatches.push_back({i, record.TypeName, std::move(message)});
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
