#pragma once

// The main window's options: the comparisons, the option boxes, the form of names and the target
// system, each shown from the description and each change one undoable step on it.

#include <QCoreApplication>
#include <QString>

class QMainWindow;

namespace zandrel {

class DescriptionHistory;
class DescriptionModel;
class PlatformServices;
struct TForm1Ui;

class OptionsPanel {
  // Its texts are the main window's, translated in its context.
  Q_DECLARE_TR_FUNCTIONS(zandrel::TForm1)

 public:
  // Makes the controls into ui, children of window.
  OptionsPanel(TForm1Ui& ui, const DescriptionModel& model, DescriptionHistory& history,
               PlatformServices& services, QMainWindow& window);

  // Each tick and choice of the user one undoable step.
  void Bind();
  // The ticks, the comparisons and the form of names as the description has them.
  void Show();
  // The target system as the description has it.
  void ShowTarget();
  // The choices accepted from FormBox and SystemBox, as undoable steps.
  void AcceptForm();
  void AcceptSystem();
  void UpdateLibraryCaption();
  // Library boxes the target ignores are shown disabled; their ticks stay as they were.
  void UpdateLibraryBoxes();

 private:
  void BuildChecks();
  void BuildChoices();
  // The caption with an Alt key that clashes with no menu's.
  QString WithAltKey(const QString& caption) const;

  TForm1Ui& ui_;
  const DescriptionModel& model_;
  DescriptionHistory& history_;
  PlatformServices& services_;
  QMainWindow& window_;
};

}  // namespace zandrel
