// Timings of the windows and of zandrel-gen at the sizes users reach and well beyond, each beside
// a baseline measured in the same run on the same machine, so that the ratios hold wherever it
// runs: a keystroke in the main window after hand-overs of up to a million names against the same
// keystroke with none and against a bare line edit; the same in the enumeration dialog with a list
// file; OK with a million names; peak memory against the size of the texts; zandrel-gen against
// wc -w on the same list; zandrel-gen class against a bare Qt Core program; the main window's first
// paint against a bare window's.
//
// Run without arguments it runs every measurement, each in a process of its own where memory or
// start-up is measured, and prints a table. The windows need a display: Xvfb, or
// QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "desktop/file_preview.h"
#include "desktop/platform_services.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/genenum.h"
#include "shell/tform1.h"
#include "shell/zandrel_application.h"
#include "tests/support/qt/dialog_access.h"

extern char** environ;

namespace zandrel::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using zandrel::testing::UiOf;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// A list file of count names, eight to a line, named as a user's would be.
std::string ListFile(long count) {
  const fs::path path = fs::temp_directory_path() / ("zandrel-ui-bench-" + std::to_string(count));
  if (!fs::exists(path)) {
    std::ofstream file(path, std::ios::binary);
    char name[32];
    for (long i = 0; i < count; ++i) {
      std::snprintf(name, sizeof name, "Colour%07ld%c", i, i % 8 == 7 ? '\n' : ' ');
      file << name;
    }
  }
  return path.string();
}

// Answers without asking: the open dialog chooses the list file, questions are answered yes.
class QuietDialog : public FileDialog {
 public:
  explicit QuietDialog(std::string answer) : answer_(std::move(answer)) {}
  bool Execute() override {
    FileName = answer_;
    return !answer_.empty();
  }

 private:
  std::string answer_;
};

class QuietServices : public PlatformServices {
 public:
  std::string ListPath;
  void ShowMessage(QWidget*, const std::string& text, const std::string&) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  bool AskYesNo(QWidget*, const std::string&, const std::string&) override { return true; }
  SaveChoice AskSaveChanges(QWidget*, const std::string&, const std::string&) override {
    return SaveChoice::Discard;
  }
  std::optional<int> ChooseItem(QWidget*, const std::string&, const std::string&,
                                const std::vector<std::string>&) override {
    return 0;
  }
  std::unique_ptr<FileDialog> CreateSaveDialog(QWidget*) override {
    return std::make_unique<QuietDialog>(std::string());
  }
  std::unique_ptr<FileDialog> CreateOpenDialog(QWidget*) override {
    return std::make_unique<QuietDialog>(ListPath);
  }
  bool MoveToTrash(const std::string&) override { return false; }
  void OpenFolder(QWidget*, const std::string&) override {}
};

// Notes when the first repaint of a widget after it is armed is complete: an event posted at the
// paint, at the repaint's own low priority, comes right after the repaint and its flush to the
// display, before anything of lower priority (the previews' updates).
class PaintWatch : public QObject {
 public:
  void Watch(QWidget* widget) { widget->installEventFilter(this); }
  void Arm() {
    seen_ = false;
    painted_ = false;
  }
  bool Painted() const { return painted_; }
  Clock::time_point When() const { return when_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
    }
    return false;
  }
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    painted_ = true;
    when_ = Clock::now();
    return true;
  }

 private:
  bool seen_ = true;
  bool painted_ = true;
  Clock::time_point when_;
};

// Runs the event loop until done() holds, or 30 s have passed; false then. It sleeps while it
// waits, so that it takes no processor from the worker or the display.
bool RunUntil(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  QTimer wake;
  wake.start(50);
  while (!done()) {
    if (waited.elapsed() > 30000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  return true;
}

void SendKey(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
}

// Keystrokes into edit, typing and taking back a letter by turns: the median time to the edit's
// repaint, and, with a preview, to the preview showing the new text.
void MeasureKeys(QLineEdit* edit, FilePreview* preview) {
  edit->activateWindow();
  edit->setFocus();
  RunUntil([&] { return preview == nullptr || !preview->Pending(); });
  PaintWatch editPaint;
  editPaint.Watch(edit);
  PaintWatch previewPaint;
  bool updated = false;
  if (preview != nullptr) {
    previewPaint.Watch(preview->ShownView()->viewport());
    QObject::connect(preview, &FilePreview::Updated, [&] {
      updated = true;
      previewPaint.Arm();
    });
  }
  std::vector<double> typed;
  std::vector<double> shown;
  for (int stroke = 0; stroke < 21; ++stroke) {
    editPaint.Arm();
    updated = false;
    const Clock::time_point start = Clock::now();
    if (stroke % 2 == 0)
      SendKey(edit, Qt::Key_X, QStringLiteral("x"));
    else
      SendKey(edit, Qt::Key_Backspace, QString());
    const bool done = RunUntil([&] {
      return editPaint.Painted() &&
             (preview == nullptr || (updated && !preview->Pending() && previewPaint.Painted()));
    });
    if (!done) {
      std::printf("timeout\n");
      return;
    }
    if (stroke == 0) continue;  // the first one settles caches
    typed.push_back(Milliseconds(start, editPaint.When()));
    if (preview != nullptr) shown.push_back(Milliseconds(start, previewPaint.When()));
  }
  std::printf("typed %.3f shown %.3f\n", Median(typed), preview ? Median(shown) : 0.0);
}

// The enumeration of count names handed over as OK without a separate file would.
std::string HandOverText(long count) {
  EnumerationRequest request;
  request.TypeName = "Colour";
  request.FromFile = true;
  const auto read = ReadListFile(ListFile(count));
  auto composed = ComposeEnumeration(request, &std::get<zandrel::ListFile>(read));
  return std::move(std::get<EnumerationOutput>(composed).Texts.Text);
}

int KeysInMainWindow(long count) {
  QuietServices services;
  TForm1 form(services);
  form.show();
  RunUntil([&] { return form.isVisible(); });
  if (count > 0) {
    HeaderInsertion colour = HeaderInsertion::TextOnly(ShareText(HandOverText(count)));
    colour.TypeName = "Colour";
    form.AcceptEnumeration(std::move(colour));
  }
  form.findChild<QLineEdit*>("NameEdit")->setText("Car");
  MeasureKeys(form.findChild<QLineEdit*>("NameEdit"), form.findChild<FilePreview*>("Preview"));
  return 0;
}

int KeysInBareEdit() {
  QWidget window;
  auto* edit = new QLineEdit(&window);
  (new QVBoxLayout(&window))->addWidget(edit);
  window.show();
  RunUntil([&] { return window.isVisible(); });
  MeasureKeys(edit, nullptr);
  return 0;
}

TGenEnumForm* OpenDialog(TForm1& form) {
  form.findChild<QPushButton*>("Button4")->click();
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* dialog = dynamic_cast<TGenEnumForm*>(window)) return dialog;
  return nullptr;
}

int KeysInDialog(long count) {
  QuietServices services;
  services.ListPath = ListFile(count);
  TForm1 form(services);
  form.show();
  TGenEnumForm* dialog = OpenDialog(form);
  UiOf(*dialog).FileBox->setChecked(true);
  dialog->ChooseListFile();
  UiOf(*dialog).Edit1->setText("Colour");
  MeasureKeys(UiOf(*dialog).Edit1, UiOf(*dialog).Preview);
  return 0;
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// OK in the dialog with a list file of count names, without a separate file: until the click
// returns, until the main window has painted, and until its preview shows the new text; the peak
// memory of the whole run and the size of the texts handed over.
int OkWithList(long count) {
  QuietServices services;
  services.ListPath = ListFile(count);
  TForm1 form(services);
  form.findChild<QLineEdit*>("NameEdit")->setText("Car");
  form.show();
  RunUntil([&] { return !form.findChild<FilePreview*>("Preview")->Pending(); });
  TGenEnumForm* dialog = OpenDialog(form);
  UiOf(*dialog).Edit1->setText("Colour");
  UiOf(*dialog).FileBox->setChecked(true);
  RunUntil([&] { return !UiOf(*dialog).Preview->Pending(); });
  const long before = PeakKilobytes();
  PaintWatch mainPaint;
  mainPaint.Watch(&form);
  mainPaint.Arm();
  PaintWatch previewPaint;
  previewPaint.Watch(form.findChild<FilePreview*>("Preview")->ShownView()->viewport());
  bool updated = false;
  QObject::connect(form.findChild<FilePreview*>("Preview"), &FilePreview::Updated, [&] {
    updated = true;
    previewPaint.Arm();
  });
  const Clock::time_point start = Clock::now();
  UiOf(*dialog).OKButton->click();
  const Clock::time_point returned = Clock::now();
  RunUntil([&] { return mainPaint.Painted(); });
  RunUntil([&] {
    return updated && !form.findChild<FilePreview*>("Preview")->Pending() && previewPaint.Painted();
  });
  std::printf("ok %.3f painted %.3f shown %.3f text %zu peak %ld before %ld\n",
              Milliseconds(start, returned), Milliseconds(start, mainPaint.When()),
              Milliseconds(start, previewPaint.When()), form.HeaderInsertions().back().size(),
              PeakKilobytes(), before);
  return 0;
}

// Shows a window and ends once it has painted, telling the parent on standard output.
int FirstPaint(bool mainWindow) {
  QuietServices services;
  std::unique_ptr<QWidget> window;
  if (mainWindow) {
    window = std::make_unique<TForm1>(services);
  } else {
    window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(new QLabel(QStringLiteral("Class Name"), window.get()));
    layout->addWidget(new QLineEdit(window.get()));
  }
  PaintWatch paint;
  paint.Watch(window.get());
  paint.Arm();
  window->show();
  RunUntil([&] { return paint.Painted(); });
  // Once the paint in progress is complete.
  QTimer::singleShot(0, [] {
    std::fputs("painted\n", stdout);
    std::fflush(stdout);
    std::_Exit(0);
  });
  QCoreApplication::exec();
  return 0;
}

// A child process: its wall time, its peak memory, and the lines it printed.
struct Run {
  double Milliseconds = -1;
  long PeakKilobytes = 0;
  std::string Output;
};

Run Spawn(const std::vector<std::string>& arguments, const std::string& outputFile = {}) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (outputFile.empty())
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  Run run;
  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    return run;
  }
  char buffer[4096];
  ssize_t got = 0;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
    run.Output.append(buffer, static_cast<std::size_t>(got));
    if (run.Output.find("painted\n") != std::string::npos) break;
  }
  const Clock::time_point painted = Clock::now();
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  close(pipeEnds[0]);
  run.Milliseconds = Milliseconds(
      start, run.Output.find("painted\n") != std::string::npos ? painted : Clock::now());
  run.PeakKilobytes = usage.ru_maxrss;
  return run;
}

double Field(const std::string& output, const std::string& name) {
  const std::size_t at = output.find(name + " ");
  return at == std::string::npos ? -1 : std::atof(output.c_str() + at + name.size() + 1);
}

// The median of runs of each command, taken by turns so that both see the same machine.
std::vector<std::vector<Run>> ByTurns(const std::vector<std::vector<std::string>>& commands,
                                      int runs, const std::string& outputFile = {}) {
  std::vector<std::vector<Run>> results(commands.size());
  for (int i = 0; i < runs; ++i)
    for (std::size_t c = 0; c < commands.size(); ++c)
      results[c].push_back(Spawn(commands[c], outputFile));
  return results;
}

double MedianTime(const std::vector<Run>& runs) {
  std::vector<double> times;
  for (const Run& run : runs) times.push_back(run.Milliseconds);
  return Median(times);
}

std::string Count(long size) {
  const std::string digits = std::to_string(size);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

void Row(const char* what, double value, const char* unit, const char* against, double baseline) {
  if (baseline > 0)
    std::printf("%-54s %9.2f %-3s %7.2fx %s\n", what, value, unit, value / baseline, against);
  else
    std::printf("%-54s %9.2f %-3s\n", what, value, unit);
}

int All(const std::string& self) {
  const long sizes[] = {0, 1000, 100000, 1000000};
  std::printf("%-54s %9s %-3s %8s %s\n", "Measurement", "median", "", "ratio", "against");

  const Run bare = Spawn({self, "keys-bare"});
  const double bareTyped = Field(bare.Output, "typed");
  Row("Bare line edit: key to repaint", bareTyped, "ms", "", 0);
  for (const char* window : {"keys-main", "keys-dialog"}) {
    const bool main = std::string(window) == "keys-main";
    double typedNone = 0;
    double shownNone = 0;
    for (const long size : sizes) {
      const Run run = Spawn({self, window, std::to_string(size)});
      const double typed = Field(run.Output, "typed");
      const double shown = Field(run.Output, "shown");
      if (size == 0) {
        typedNone = typed;
        shownNone = shown;
      }
      const std::string where =
          std::string(main ? "Main window, " : "Dialog, list of ") + Count(size) + " names: ";
      Row((where + "key to repaint").c_str(), typed, "ms", size == 0 ? "bare edit" : "none",
          size == 0 ? bareTyped : typedNone);
      Row((where + "key to preview").c_str(), shown, "ms", "none", size == 0 ? 0 : shownNone);
    }
  }

  const Run ok = Spawn({self, "ok", "1000000"});
  Row("OK, 1,000,000 names: until the click returns", Field(ok.Output, "ok"), "ms", "", 0);
  Row("OK, 1,000,000 names: until the main window paints", Field(ok.Output, "painted"), "ms", "",
      0);
  Row("OK, 1,000,000 names: until its preview shows them", Field(ok.Output, "shown"), "ms", "", 0);
  const double text = Field(ok.Output, "text") / 1024 / 1024;
  Row("Texts handed over", text, "MiB", "", 0);
  Row("Peak memory of the program after the hand-over", Field(ok.Output, "peak") / 1024, "MiB",
      "texts", text);
  Row("Of which before the OK", Field(ok.Output, "before") / 1024, "MiB", "", 0);

  const std::string list = ListFile(1000000);
  const std::string request = (fs::temp_directory_path() / "zandrel-ui-bench.json").string();
  std::ofstream(request) << R"({"TypeName": "Colour", "ListFile": ")" << list << R"("})";
  const std::string printed = (fs::temp_directory_path() / "zandrel-ui-bench.out").string();
  Spawn({ZANDREL_GEN, "enum", request}, printed);
  const double output = static_cast<double>(fs::file_size(printed)) / 1024 / 1024;
  fs::remove(printed);
  const std::vector<std::vector<Run>> gen =
      ByTurns({{ZANDREL_GEN, "enum", request}, {"/usr/bin/wc", "-w", list}}, 5, "/dev/null");
  Row("zandrel-gen enum, 1,000,000 names", MedianTime(gen[0]), "ms", "wc -w", MedianTime(gen[1]));
  Row("wc -w on the same list", MedianTime(gen[1]), "ms", "", 0);
  Row("zandrel-gen enum: output", output, "MiB", "", 0);
  Row("zandrel-gen enum: peak memory", static_cast<double>(gen[0][0].PeakKilobytes) / 1024, "MiB",
      "output", output);

  const std::string description =
      (fs::temp_directory_path() / "zandrel-ui-bench-class.json").string();
  std::ofstream(description)
      << R"({"ClassName": "Sample", "Options": {"TargetSystem": "ModernCpp"}, "Rows": [)"
      << R"({"Row": 1, "Type": "int", "Name": "count"}, {"Row": 2, "Type": "std::string", )"
      << R"("Name": "label"}]})";
  const std::vector<std::vector<Run>> classRuns =
      ByTurns({{ZANDREL_GEN, "class", "--stdout", description, "Sample.h"},
               {ZANDREL_BARE_CORE, description}},
              11, "/dev/null");
  fs::remove(description);
  Row("zandrel-gen class --stdout, 2 members", MedianTime(classRuns[0]), "ms", "Qt Core program",
      MedianTime(classRuns[1]));
  Row("Bare Qt Core program reading the same JSON", MedianTime(classRuns[1]), "ms", "", 0);

  const std::vector<std::vector<Run>> paint =
      ByTurns({{self, "paint-main"}, {self, "paint-bare"}}, 7);
  Row("Main window: start of the process to first paint", MedianTime(paint[0]), "ms", "bare window",
      MedianTime(paint[1]));
  Row("Bare window (a label, a line edit): to first paint", MedianTime(paint[1]), "ms", "", 0);
  return 0;
}

}  // namespace
}  // namespace zandrel::bench

int main(int argc, char** argv) {
  using namespace zandrel::bench;
  const std::string mode = argc > 1 ? argv[1] : "";
  const long size = argc > 2 ? std::atol(argv[2]) : 0;
  if (mode.empty()) return All(argv[0]);
  zandrel::ZandrelApplication app(argc, argv);
  if (mode == "keys-bare") return KeysInBareEdit();
  if (mode == "keys-main") return KeysInMainWindow(size);
  if (mode == "keys-dialog") return KeysInDialog(size);
  if (mode == "ok") return OkWithList(size);
  if (mode == "paint-main") return FirstPaint(true);
  if (mode == "paint-bare") return FirstPaint(false);
  std::fprintf(stderr, "usage: zandrel_ui_bench [keys-main|keys-dialog|ok N|paint-main|...]\n");
  return 2;
}
