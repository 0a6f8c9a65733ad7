// Timings of the generators at the sizes users reach and well beyond: the largest class the grid
// allows, enumerations of up to a million names from a list file, a full enumeration grid, and a
// million-name source regenerated into an edited copy.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <variant>

#include "classgen/class_description.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "core/generated_records.h"
#include "core/regeneration_step.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"

namespace zandrel {
namespace {

// All 19 rows used, with data members, arrays, C strings, initial values and methods, and every
// option that adds text switched on.
ClassDescription LargestClass() {
  ClassDescription description;
  description.ClassName = "LargestClass";
  const char* rows[MemberGridRows][3] = {{"int", "count", "0"},
                                         {"double", "rate", "1.5"},
                                         {"char", "name[64]", ""},
                                         {"AnsiString", "caption", "\"none\""},
                                         {"int", "grid[8][8]", ""},
                                         {"unsigned long", "total", "0"},
                                         {"float", "samples[128]", ""},
                                         {"bool", "enabled", "true"},
                                         {"double", "area(int w, int h)", ""},
                                         {"void", "reset()", ""},
                                         {"char", "label[16]", ""},
                                         {"long", "position", "-1"},
                                         {"short", "flags", "0"},
                                         {"int", "scale(double f) const", ""},
                                         {"AnsiString", "ToText()", ""},
                                         {"double", "weights[4]", ""},
                                         {"int", "lower", "0"},
                                         {"int", "upper", "100"},
                                         {"char", "initial", "'a'"}};
  for (int r = 0; r < MemberGridRows; ++r)
    description.Members.push_back({rows[r][0], rows[r][1], rows[r][2], r + 1});
  GenerationOptions& options = description.Options;
  options.ComparisonLevel = ComparisonLevel::AllComparisons;
  options.PrivateCopy = false;  // public copies write the longer source
  options.FrameworkLibrary = options.StdLib = options.MathLib = options.CStrings = true;
  options.BigConstructor = true;
  options.ToStringMethod = true;
  options.NameForm = NameForm::LowerCamel;
  options.TargetSystem = TargetSystem::CBuilder;
  description.HeaderInsertions = {"#include \"Colors.h\" ", "#include \"Sizes.h\" "};
  return description;
}

void BM_LargestClassHeader(benchmark::State& state) {
  const ClassDescription description = LargestClass();
  for (auto _ : state) benchmark::DoNotOptimize(WriteCppHeader(description));
}
BENCHMARK(BM_LargestClassHeader);

void BM_LargestClassSource(benchmark::State& state) {
  const ClassDescription description = LargestClass();
  for (auto _ : state) benchmark::DoNotOptimize(WriteCppSource(description));
}
BENCHMARK(BM_LargestClassSource);

void BM_LargestClassHeaderAndSource(benchmark::State& state) {
  const ClassDescription description = LargestClass();
  for (auto _ : state) {
    benchmark::DoNotOptimize(WriteCppHeader(description));
    benchmark::DoNotOptimize(WriteCppSource(description));
  }
}
BENCHMARK(BM_LargestClassHeaderAndSource);

void BM_LargestClassJava(benchmark::State& state) {
  const ClassDescription description = LargestClass();
  for (auto _ : state) benchmark::DoNotOptimize(WriteJavaClass(description));
}
BENCHMARK(BM_LargestClassJava);

// The list files are written once per size and removed when the program ends.
std::map<long, std::string>& ListFiles() {
  static std::map<long, std::string> files;
  return files;
}

void RemoveListFiles() {
  for (const auto& [count, path] : ListFiles()) std::remove(path.c_str());
}

const std::string& ListFilePath(long count) {
  auto& files = ListFiles();
  if (auto found = files.find(count); found != files.end()) return found->second;
  if (files.empty()) std::atexit(RemoveListFiles);
  const std::string path =
      (std::filesystem::temp_directory_path() / ("zandrel-bench-" + std::to_string(count) + ".txt"))
          .string();
  std::ofstream file(path, std::ios::binary);
  file << "# generated list for the benchmarks\n";
  for (long i = 0; i < count; ++i) {
    file << "Name" << i << ((i % 10 == 9) ? "\n" : " ");
    if (i % 1000 == 999) file << "/ a comment line\n";
  }
  return files.emplace(count, path).first->second;
}

// The list file read and composed into both texts, as an OK without a separate file does.
void BM_EnumerationFromListFile(benchmark::State& state) {
  EnumerationRequest request;
  request.TypeName = "BigList";
  request.FromFile = true;
  request.ListPath = ListFilePath(state.range(0));
  request.Style = static_cast<EnumerationStyle>(state.range(1));
  for (auto _ : state) {
    const auto read = ReadListFile(request.ListPath);
    benchmark::DoNotOptimize(ComposeEnumeration(request, &std::get<ListFile>(read)));
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EnumerationFromListFile)
    ->ArgsProduct({{1000, 100000, 1000000}, {0}})
    ->Args({1000000, 1})
    ->Args({100000, 2})
    ->Args({1000000, 2})
    ->Unit(benchmark::kMillisecond);

// The enum class header of a list file, compiled with g++ at -O0 into an object that uses its
// functions: a list as long as this must still compile in well under a minute.
void BM_EnumClassHeaderCompiles(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "zandrel-bench-enum-class";
  std::filesystem::create_directories(folder);
  EnumerationRequest request;
  request.TypeName = "BigList";
  request.Style = EnumerationStyle::ModernEnumeration;
  request.FromFile = true;
  request.ListPath = ListFilePath(state.range(0));
  request.SeparateFile = true;
  request.OutputPath = (folder / "BigList.h").string();
  const auto read = ReadListFile(request.ListPath);
  const auto composed = ComposeEnumeration(request, &std::get<ListFile>(read));
  ReplaceFiles(std::get<EnumerationOutput>(composed).Files);
  std::ofstream(folder / "use.cpp")
      << "#include \"BigList.h\"\n"
         "#include <iostream>\n"
         "int main(int argc, char** argv) {\n"
         "  std::cout << BigList_values.at(static_cast<std::size_t>(argc)) << ' '\n"
         "            << BigList_from_string(argv[0]).has_value() << '\\n';\n"
         "}\n";
  const std::string command = "cd '" + folder.string() +
                              "' && '" ZANDREL_BENCH_COMPILER
                              "' -std=c++20 -O0 -c use.cpp -o use.o";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("the header did not compile");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_EnumClassHeaderCompiles)
    ->Arg(1000)
    ->Arg(100000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

void BM_EnumerationFromFullGrid(benchmark::State& state) {
  EnumerationRequest request;
  request.TypeName = "GridList";
  request.Style = static_cast<EnumerationStyle>(state.range(0));
  for (int r = 0; r < NameGridRows; ++r)
    request.GridRows[r] = {"Name" + std::to_string(r), r % 2 ? std::to_string(r * 3) : "$1F"};
  request.SeparateFile = true;
  request.OutputPath = "/work/GridList.h";
  for (auto _ : state) benchmark::DoNotOptimize(ComposeEnumeration(request, nullptr));
}
BENCHMARK(BM_EnumerationFromFullGrid)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Regenerating the source of a million-name enumeration into a copy the user edited on one line,
// beside writing it plainly. The description gained a name at the end; the merge reads the file
// and its record, merges, and writes both in one step.
struct LargeSource {
  std::string folder, path, base, yours, generated;
  GeneratedRecords records;
  LargeSource()
      : folder((std::filesystem::temp_directory_path() / "zandrel-bench-regeneration").string()),
        path(folder + "/BigList.cpp"),
        records(folder + "/state") {
    std::filesystem::create_directories(folder);
    EnumerationRequest request;
    request.TypeName = "BigList";
    request.FromFile = true;
    request.ListPath = ListFilePath(1000000);
    request.SeparateFile = true;
    request.OutputPath = folder + "/BigList.h";
    auto list = std::get<ListFile>(ReadListFile(request.ListPath));
    base = std::get<EnumerationOutput>(ComposeEnumeration(request, &list)).Files[1].Text;
    // The same names and one more.
    request.ListPath = ListFilePath(1000001);
    list = std::get<ListFile>(ReadListFile(request.ListPath));
    generated = std::get<EnumerationOutput>(ComposeEnumeration(request, &list)).Files[1].Text;
    yours = base;
    const std::size_t middle = yours.find('\n', yours.size() / 2) + 1;
    yours.insert(middle, "// the user's line\n");
  }
  ~LargeSource() { std::filesystem::remove_all(folder); }
  // The file as the user left it, and its record.
  void Reset() const { ReplaceFiles({{path, yours}, {records.RecordPath(path), base}}); }
};

const LargeSource& Source() {
  static const LargeSource source;
  return source;
}

void BM_WriteLargeSourcePlainly(benchmark::State& state) {
  const LargeSource& source = Source();
  for (auto _ : state) ReplaceFiles({{source.path, source.generated}});
  state.SetBytesProcessed(state.iterations() * static_cast<long>(source.generated.size()));
}
BENCHMARK(BM_WriteLargeSourcePlainly)->Unit(benchmark::kMillisecond);

void BM_RegenerateLargeSource(benchmark::State& state) {
  const LargeSource& source = Source();
  std::filesystem::create_directories(
      std::filesystem::path(source.records.RecordPath(source.path)).parent_path());
  const std::vector<OutputFile> files{{source.path, source.generated}};
  for (auto _ : state) {
    state.PauseTiming();
    source.Reset();
    state.ResumeTiming();
    const auto plan =
        std::get<std::vector<PlannedFile>>(PlanRegeneration(files, {}, &source.records));
    if (plan[0].Decision.Action != Regeneration::Merge) state.SkipWithError("not merged");
    WriteRegeneration(files, std::move(plan), Settle::Keep, Settle::Keep, &source.records);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(source.generated.size()));
}
BENCHMARK(BM_RegenerateLargeSource)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zandrel

BENCHMARK_MAIN();
