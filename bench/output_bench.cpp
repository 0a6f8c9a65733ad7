// The output step, the regeneration session and the documents against baselines measured in
// the same run, in alternating pairs:
// - a fresh batch of 10,000 classes (20,000 files, with their records) through the session,
//   beside a writer that syncs each file once and its folder once;
// - the same batch run again with nothing changed, beside diff -r of the folder and a copy;
// - one write's CPU time with 0, 20,000 and 100,000 records in the store (pruning must not make
//   it grow), and the daily prune itself;
// - --check of an unchanged pair of files of a million names, beside cmp of each with a copy;
// - a merge after 10 edits spread through a source of a million names, beside its first write;
// - reading a description of about 78 MB, beside reading the same bytes and a plain
//   QJsonDocument parse of them;
// - the peak memory a Save adds, against the document's size.
#include <QByteArray>
#include <QJsonDocument>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "classgen/class_build.h"
#include "core/output_text.h"
#include "core/regeneration_session.h"
#include "document/class_document.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Seconds(const std::function<void()>& run) {
  const auto start = Clock::now();
  run();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The files of 10,000 small classes, as a batch would write them.
std::vector<zandrel::OutputFile> Batch(const std::string& folder) {
  std::vector<zandrel::OutputFile> files;
  for (int i = 0; i < 10000; ++i) {
    zandrel::ClassDescription description;
    description.ClassName = "Class" + std::to_string(i);
    description.Members.push_back({"int", "count", "0", 1});
    for (auto& file :
         zandrel::ClassOutputFiles(description, folder + "/" + description.ClassName + ".h"))
      files.push_back(std::move(file));
  }
  return files;
}

// The baseline: each file written and synced, then the folder synced once.
void PlainWriter(const std::vector<zandrel::OutputFile>& files, const std::string& folder) {
  for (const auto& file : files) {
    const int fd = ::open(file.Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, file.Text.data(), file.Text.size()) < 0 || ::fsync(fd) != 0)
      std::abort();
    ::close(fd);
  }
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ::fsync(dir);
  ::close(dir);
}

// The session as zandrel-gen runs it: edited files merged, conflicts kept, nothing asked.
bool Regenerate(const std::vector<zandrel::OutputFile>& files,
                const zandrel::GeneratedRecords& records, bool write = true) {
  zandrel::Settlement settlement;
  settlement.Write = write;
  const auto result = zandrel::RunRegenerationSession(
      files, {}, &records, [&](const auto&, auto&) { return settlement; });
  return result.Settled && result.Failures.empty();
}

int Shell(const std::string& command) { return std::system(command.c_str()); }

double Min(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

// The floor takes a flush per file, which the disk makes slow: one round of it, three of the
// rest ("unchanged" leaves the floor out).
void Batches(const std::string& root, bool withFloor) {
  std::vector<double> fresh, plain, unchanged, diff;
  for (int round = 0; round < 3; ++round) {
    const std::string folder = root + "/batch";
    const std::string copy = root + "/copy";
    const zandrel::GeneratedRecords records(root + "/records-batch");
    fs::create_directories(folder);
    fs::create_directories(copy);
    const auto files = Batch(folder);
    fresh.push_back(Seconds([&] {
      if (!Regenerate(files, records)) std::abort();
    }));
    const auto copies = Batch(copy);
    if (round == 0 && withFloor)
      plain.push_back(Seconds([&] { PlainWriter(copies, copy); }));
    else
      for (const auto& file : copies) std::ofstream(file.Path) << file.Text;
    unchanged.push_back(Seconds([&] {
      if (!Regenerate(files, records)) std::abort();
    }));
    diff.push_back(Seconds([&] {
      if (Shell("diff -r '" + folder + "' '" + copy + "' >/dev/null") != 0) std::abort();
    }));
    fs::remove_all(folder);
    fs::remove_all(copy);
    fs::remove_all(root + "/records-batch");
  }
  if (withFloor)
    std::printf(
        "Fresh batch of 10,000 classes (20,000 files and records): session %.2f s, floor (one "
        "fsync per file and per folder) %.2f s, ratio %.2f (goal 1.2)\n",
        Min(fresh), Min(plain), Min(fresh) / Min(plain));
  std::printf(
      "The same batch, nothing changed: session %.2f s, diff -r %.2f s, ratio %.2f (goal 2)\n",
      Min(unchanged), Min(diff), Min(unchanged) / Min(diff));
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One write's CPU time with a store of that many records (the daily prune already done).
void PruneCost(const std::string& root) {
  double empty = 0;
  for (const int count : {0, 20000, 100000}) {
    const std::string store = root + "/store" + std::to_string(count);
    for (int i = 0; i < count; ++i) {
      const std::string folder = store + "/project/part" + std::to_string(i / 1000);
      if (i % 1000 == 0) fs::create_directories(folder);
      std::ofstream(folder + "/Class" + std::to_string(i) + ".h.base") << "class C {};\n";
    }
    fs::create_directories(store);
    std::ofstream(store + "/.pruned") << "";
    const zandrel::GeneratedRecords records(store);
    const std::string file = root + "/Pruned.h";
    constexpr int Writes = 20;
    const double start = CpuSeconds();
    for (int i = 0; i < Writes; ++i)
      if (!Regenerate({{file, "// " + std::to_string(i) + "\n"}}, records)) std::abort();
    const double each = (CpuSeconds() - start) / Writes;
    if (count == 0) empty = each;
    std::printf("One write with %d records in the store: %.2f ms CPU, %.2f x the empty store\n",
                count, each * 1000, each / empty);
    if (count == 100000) {
      fs::remove(store + "/.pruned");
      const double pruneStart = CpuSeconds();
      if (!Regenerate({{file, "// daily\n"}}, records)) std::abort();
      std::printf("The daily prune of 100,000 records (once a day): %.0f ms CPU\n",
                  (CpuSeconds() - pruneStart) * 1000);
    }
    fs::remove_all(store);
    fs::remove(file);
  }
}

long StatusKiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.starts_with(key)) return std::atol(line.c_str() + std::string(key).size());
  return 0;
}

// The highest resident memory from now on, by resetting the kernel's mark.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The names of an enumeration of a million, as the header and as the source's switch.
std::vector<std::string> MillionNames(int changed) {
  std::string header = "enum Colour {\n", source = "const char* ColourName(Colour value) {\n";
  header.reserve(30'000'000);
  source.reserve(50'000'000);
  for (int i = 0; i < 1000000; ++i) {
    const std::string name = "ZDColourName" + std::to_string(1000000 + i);
    header += "  " + name + " = " + std::to_string(i) + ",\n";
    source += "  case " + name + ": return \"" + name + "\";\n";
  }
  // A change of the description: a name more at the end.
  for (int i = 0; i < changed; ++i) {
    header += "  ZDColourNameNew" + std::to_string(i) + ",\n";
    source += "  case ZDColourNameNew" + std::to_string(i) + ": return \"New\";\n";
  }
  return {header + "};\n", source + "}\n"};
}

void MillionNamePair(const std::string& root) {
  const zandrel::GeneratedRecords records(root + "/records-million");
  const auto texts = MillionNames(0);
  const std::vector<zandrel::OutputFile> files{{root + "/Colour.h", texts[0]},
                                               {root + "/Colour.cpp", texts[1]}};
  // The texts are the caller's: what the step adds on the way to the files and records.
  ResetPeak();
  const long before = StatusKiB("VmRSS:");
  if (!Regenerate(files, records)) std::abort();
  const double added = static_cast<double>(StatusKiB("VmHWM:") - before) * 1024;
  const double written = static_cast<double>(texts[0].size() + texts[1].size());
  std::printf(
      "First write of a pair of a million names (%.0f MB): peak memory added %.1f MB, %.2f x "
      "the texts (goal: the texts and at most half as much again, 0.5)\n",
      written / 1e6, added / 1e6, added / written);
  for (const auto& file : files) std::ofstream(file.Path + ".copy") << file.Text;
  std::vector<double> check, cmp;
  for (int round = 0; round < 3; ++round) {
    check.push_back(Seconds([&] {
      if (!Regenerate(files, records, false)) std::abort();
    }));
    cmp.push_back(Seconds([&] {
      for (const auto& file : files)
        if (Shell("cmp -s '" + file.Path + "' '" + file.Path + ".copy'") != 0) std::abort();
    }));
  }
  std::printf(
      "--check of an unchanged pair of a million names: session %.0f ms, cmp %.0f ms, ratio "
      "%.2f (goal 2)\n",
      Min(check) * 1000, Min(cmp) * 1000, Min(check) / Min(cmp));

  // Ten edits of the user's spread through the source, then a name more in the description.
  std::string yours = files[1].Text;
  std::vector<std::size_t> at;
  for (int edit = 0; edit < 10; ++edit)
    at.push_back(yours.find('\n', yours.size() / 10 * static_cast<std::size_t>(edit) + 1) + 1);
  for (std::size_t k = at.size(); k-- > 0;)
    yours.insert(at[k], "  // mine " + std::to_string(k) + "\n");
  const auto changed = MillionNames(1);
  const std::string expected =
      yours.substr(0, yours.size() - 2) + changed[1].substr(files[1].Text.size() - 2);
  std::vector<double> merge, fresh;
  for (int round = 0; round < 2; ++round) {
    // The record holds the first text; the file, the user's edits of it.
    std::ofstream(files[1].Path, std::ios::trunc) << yours;
    merge.push_back(Seconds([&] {
      if (!Regenerate({{files[1].Path, changed[1]}}, records)) std::abort();
    }));
    std::ifstream merged(files[1].Path, std::ios::binary);
    if (std::string(std::istreambuf_iterator<char>(merged), {}) != expected) {
      std::printf("the merge lost an edit\n");
      std::abort();
    }
    // Back to the first text (merged again, the edits kept), and a first write beside it.
    if (!Regenerate({files[1]}, records)) std::abort();
    const zandrel::GeneratedRecords freshRecords(root + "/records-fresh");
    fresh.push_back(Seconds([&] {
      if (!Regenerate({{root + "/Fresh.cpp", changed[1]}}, freshRecords)) std::abort();
    }));
    fs::remove(root + "/Fresh.cpp");
    fs::remove_all(root + "/records-fresh");
  }
  std::printf(
      "Merge after 10 edits spread through a million-name source: %.0f ms, first write %.0f ms, "
      "ratio %.2f (goal 3)\n",
      Min(merge) * 1000, Min(fresh) * 1000, Min(merge) / Min(fresh));
  fs::remove_all(root + "/records-million");
}

// A description holding an enumeration of a million names, as the main window saves it.
zandrel::ClassInput LargeInput() {
  zandrel::ClassInput input;
  input.NameText = "Large";
  input.Grid[0] = {"Colour", "colour", ""};
  // The plain enumeration's text and its names as strings: about 78 MB once escaped.
  std::string values = "enum Colour {\n";
  std::string names = "const char* ColourName(Colour value) {\n  switch (value) {\n";
  for (int i = 0; i < 1000000; ++i) {
    const std::string name = "ZDColourName" + std::to_string(1000000 + i);
    values += "  " + name + " = " + std::to_string(i) + ",\n";
    names += "    case " + name + ": return \"" + name + "\";\n";
  }
  input.HeaderInsertions.push_back(values + "};\n");
  input.HeaderInsertions.push_back(names + "  }\n}\n");
  return input;
}

void Documents(const std::string& root) {
  const zandrel::ClassInput input = LargeInput();
  const std::string path = root + "/large.zandrel.json";

  // Save as the main window does it, and streamed.
  for (const bool streamed : {false, true}) {
    ResetPeak();
    const long before = StatusKiB("VmRSS:");
    std::size_t size = 0;
    const double seconds = Seconds([&] {
      if (streamed) {
        if (zandrel::WriteOutputStream(path, [&](const zandrel::TextSink& sink) {
              zandrel::WriteClassDocument(input, sink);
            }))
          std::abort();
      } else {
        const QByteArray document = zandrel::WriteClassDocument(input);
        if (zandrel::WriteOutputText(
                path, {document.constData(), static_cast<std::size_t>(document.size())}))
          std::abort();
      }
    });
    size = fs::file_size(path);
    const double added = static_cast<double>(StatusKiB("VmHWM:") - before) * 1024;
    std::printf(
        "Save of a %.1f MB document (%s): %.0f ms, peak memory added %.1f MB, %.2f x the "
        "document\n",
        static_cast<double>(size) / 1e6, streamed ? "streamed" : "as the window saves",
        seconds * 1000, added / 1e6, added / static_cast<double>(size));
  }

  std::vector<double> ours;
  std::vector<double> plain;
  for (int round = 0; round < 3; ++round) {
    ours.push_back(Seconds([&] {
      auto bytes = zandrel::ReadInputFile(path, zandrel::JsonFileLimit);
      const std::string& text = std::get<std::string>(bytes);
      const auto read = zandrel::ReadClassDocument(
          QByteArrayView(text.data(), static_cast<qsizetype>(text.size())), path);
      if (!std::holds_alternative<zandrel::ClassInput>(read)) std::abort();
    }));
    plain.push_back(Seconds([&] {
      auto bytes = zandrel::ReadInputFile(path, zandrel::JsonFileLimit);
      const std::string& text = std::get<std::string>(bytes);
      const QJsonDocument document = QJsonDocument::fromJson(
          QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())));
      if (!document.isObject()) std::abort();
    }));
  }
  std::printf(
      "Reading it (Open, zandrel-gen class): %.0f ms, plain QJsonDocument parse %.0f ms, "
      "ratio %.2f\n",
      Median(ours) * 1000, Median(plain) * 1000, Median(ours) / Median(plain));
}

}  // namespace

// "documents", "batch", "unchanged", "prune" or "million" runs only that part.
int main(int argc, char* argv[]) {
  const std::string only = argc > 1 ? argv[1] : "";
  // On the disk the build is on, not a memory file system: syncing is what is measured.
  const std::string root = fs::absolute("output-bench").string();
  fs::remove_all(root);
  fs::create_directories(root);
  if (only.empty() || only == "batch" || only == "unchanged") Batches(root, only != "unchanged");
  if (only.empty() || only == "prune") PruneCost(root);
  if (only.empty() || only == "million") MillionNamePair(root);
  if (only.empty() || only == "documents") Documents(root);
  fs::remove_all(root);
}
