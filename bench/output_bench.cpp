// The output step and the documents against baselines measured in the same run:
// - a fresh batch of 10,000 classes (20,000 files) through the output step, beside a writer that
//   syncs each file and its folder once (one round each: it is the disk that is measured);
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
#include <string>
#include <variant>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "classgen/class_build.h"
#include "core/output_text.h"
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

void FreshBatch(const std::string& root) {
  std::vector<double> step;
  std::vector<double> plain;
  for (int round = 0; round < 1; ++round) {
    for (const bool ours : {true, false}) {
      const std::string folder = root + "/batch" + std::to_string(round) + (ours ? "s" : "p");
      fs::create_directories(folder);
      const auto files = Batch(folder);
      if (ours)
        step.push_back(Seconds([&] {
          if (!zandrel::ReplaceFiles(files).empty()) std::abort();
        }));
      else
        plain.push_back(Seconds([&] { PlainWriter(files, folder); }));
      fs::remove_all(folder);
    }
  }
  std::printf(
      "Fresh batch of 10,000 classes (20,000 files): output step %.2f s, plain writer "
      "%.2f s, ratio %.2f\n",
      Median(step), Median(plain), Median(step) / Median(plain));
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

long StatusKiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.starts_with(key)) return std::atol(line.c_str() + std::string(key).size());
  return 0;
}

// The highest resident memory from now on, by resetting the kernel's mark.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

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

// "documents" or "batch" runs only that part.
int main(int argc, char* argv[]) {
  const std::string only = argc > 1 ? argv[1] : "";
  // On the disk the build is on, not a memory file system: syncing is what is measured.
  const std::string root = fs::absolute("output-bench").string();
  fs::remove_all(root);
  fs::create_directories(root);
  if (only != "documents") FreshBatch(root);
  if (only != "batch") Documents(root);
  fs::remove_all(root);
}
