#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zandrel::fuzz {

// Each check decodes one fuzz input into calls of the generators and tests what must hold for
// every input. It returns the empty text when all holds, otherwise what went wrong. The libFuzzer
// targets and the corpus replay test share them, so a saved crash input stays a regression case.
std::string CheckListReader(std::string_view data);
std::string CheckConvertValue(std::string_view data);
std::string CheckClassWriters(std::string_view data);
std::string CheckEnumWriters(std::string_view data);
std::string CheckClassDocument(std::string_view data);
std::string CheckEnumerationRequest(std::string_view data);
std::string CheckBatchManifest(std::string_view data);

struct Target {
  std::string_view Name;  // also the corpus folder under tests/fuzz/corpus/
  std::string (*Check)(std::string_view data);
};

std::span<const Target> Targets();

}  // namespace zandrel::fuzz
