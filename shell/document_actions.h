#pragma once

// The main window's description as a document and its files: New, Open, Save, Save As, Import
// Header, Build and Rebuild, the title and recent files, and what the window keeps between runs.

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QShortcut;
class QThread;

namespace zandrel {

class DescriptionHistory;
class DescriptionModel;
class FileDialog;
class PlatformServices;
class TForm1;
struct ClassDescription;
struct ClassInput;
struct HeaderReading;
struct ImportRequest;
struct NameVerdict;
struct TForm1Ui;

class DocumentActions {
  // Its texts are the main window's, translated in its context.
  Q_DECLARE_TR_FUNCTIONS(zandrel::TForm1)

 public:
  using Say = std::function<void(const QString&)>;

  DocumentActions(TForm1& window, TForm1Ui& ui, const DescriptionModel& model,
                  DescriptionHistory& history, PlatformServices& services, Say say);
  ~DocumentActions();

  // The file the description was opened from or saved to; empty for one never saved.
  const std::string& DocumentPath() const { return documentPath_; }
  // Where the description was last built (the path chosen in Build's dialog); empty before then.
  const std::string& OutputPath() const { return outputPath_; }

  void Build();
  // Builds again where the description was last built, without asking; as Build before then.
  void Rebuild();
  // Each asks first whether to save changes that would be lost; false when nothing happened
  // (cancelled or refused).
  void NewDocument();
  bool OpenDocument();
  bool OpenFile(const std::string& path);
  bool SaveDocument();
  bool SaveDocumentAs();
  // Reads a class from a C++ header on a worker thread and fills the window from it as one
  // undoable step, in a new untitled document.
  void ImportHeaderFile();
  // Waits for a header being read, dropping what it gives.
  void FinishHeaderReading();
  // false when the user cancelled.
  bool MaybeSave();

  void UpdateTitle();
  void UpdateRecentMenu();
  void RestoreSettings();
  // The splitter's sizes are kept only while the window is wide.
  void KeepSettings(bool keepSplitter);

 private:
  void StartDocument(const ClassInput& input, const std::string& path,
                     const std::string& outputPath);
  // Unsaved changes: a step of the history, or a new output path.
  bool IsModified() const;
  bool WriteDocument(const std::string& path);
  // What Build's dialog proposes: the last output path, else the class's file in the document's
  // folder, else in the folder used last.
  std::string ProposedOutputPath(const ClassDescription& description) const;
  // Writes the files, the names already checked (their warnings told after the write).
  void BuildTo(const ClassDescription& description, const std::string& path,
               const NameVerdict& names);
  // Names the target's language refuses (the modern targets): said in a box, true.
  bool NamesRefused(const NameVerdict& names);
  // Enumerations the target cannot use, said after what Build wrote.
  void SayMismatches(const ClassDescription& description);
  // document_import.cpp
  void ReadHeader(const ImportRequest& request);
  // Escape while a header is read: the window stops waiting and drops what the reading gives.
  void CancelHeaderReading();
  // The window no longer waits on a reading: cursor, menu entry and Escape as before.
  void EndWaiting();
  void TakeHeader(const ImportRequest& request, HeaderReading reading);
  // Whether the reading failed, said so.
  bool TakeFailure(const QString& header, const HeaderReading& reading);
  // Whether the user was asked and picked another class, which is then read.
  bool PickedAnother(const ImportRequest& request, const HeaderReading& reading, bool* cancelled);
  void FillFrom(const ClassDescription& description, const QString& header);

  TForm1& window_;
  TForm1Ui& ui_;
  const DescriptionModel& model_;
  DescriptionHistory& history_;
  PlatformServices& services_;
  Say say_;
  std::string documentPath_;
  std::string outputPath_;          // as chosen, so a later Save As can store it anew
  bool outputPathUnsaved_ = false;  // changed by a Build since the document was read or saved
  std::unique_ptr<FileDialog> openDialog_;
  std::unique_ptr<FileDialog> saveAsDialog_;
  std::unique_ptr<FileDialog> importDialog_;
  QThread* headerReader_ = nullptr;     // while a header is being read
  QShortcut* cancelReading_ = nullptr;  // Escape, while it is
  // A reading given up: clang cannot be stopped inside a parse, so it ends by itself.
  QPointer<QThread> abandoned_;
  QString lastFolder_;  // where the user last chose a file
};

}  // namespace zandrel
