#include "shell/options_panel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "classgen/targets.h"
#include "desktop/choice_box.h"
#include "document/description_model.h"
#include "shell/description_history.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Each item carries the value it stands for.
const char* const ValueProperty = "Value";

template <typename Value>
int ItemOf(const ChoiceBox& box, Value value) {
  for (int item = 0; item < box.count(); ++item)
    if (box.itemData(item).template value<Value>() == value) return item;
  return -1;
}

template <typename Value>
Value AcceptedValue(const ChoiceBox& box) {
  return box.itemData(box.AcceptedIndex()).template value<Value>();
}

}  // namespace

OptionsPanel::OptionsPanel(TForm1Ui& ui, const DescriptionModel& model, DescriptionHistory& history,
                           PlatformServices& services, QMainWindow& window)
    : ui_(ui), model_(model), history_(history), services_(services), window_(window) {
  BuildChecks();
  BuildChoices();
}

void OptionsPanel::BuildChecks() {
  TForm1Ui& ui = ui_;
  QWidget* window = &window_;
  // The group's key goes to its ticked item; arrows move between the items.
  ui.RadioGroup1 = new QGroupBox(tr("Com&parisons"), window);
  ui.RadioGroup1Items = new QButtonGroup(ui.RadioGroup1);
  auto* radioLayout = new QVBoxLayout(ui.RadioGroup1);
  const std::pair<ComparisonLevel, const char*> comparisonItems[] = {
      {ComparisonLevel::NoComparisons, QT_TR_NOOP("No comparison operators")},
      {ComparisonLevel::EqualityOnly,
       QT_TR_NOOP("Equal and not equal only (you implement = and <)")},
      {ComparisonLevel::AllComparisons, QT_TR_NOOP("All comparisons (you implement = and <)")}};
  for (const auto& [level, caption] : comparisonItems) {
    auto* item = new QRadioButton(tr(caption), ui.RadioGroup1);
    item->setProperty(ValueProperty, QVariant::fromValue(level));
    // Its id is its place in the group, the item index.
    ui.RadioGroup1Items->addButton(item, static_cast<int>(ui.RadioGroup1Items->buttons().size()));
    radioLayout->addWidget(item);
  }
  ui.RadioGroup1Items->buttons().front()->setChecked(true);

  for (std::size_t row = 0; row < std::size(FlagOptions); ++row) {
    const FlagOption& option = FlagOptions[row];
    auto* box = new QCheckBox(tr(option.Caption), window);
    box->setChecked(option.Default);
    if (option.ToolTip != nullptr) box->setToolTip(tr(option.ToolTip));
    box->setObjectName(Text(option.ControlName));
    ui.OptionChecks[row] = box;
  }
  ui.PrivateCheck = ui.OptionCheck(&GenerationOptions::PrivateCopy);
  ui.VCLCheck = ui.OptionCheck(&GenerationOptions::FrameworkLibrary);
  ui.StdCheck = ui.OptionCheck(&GenerationOptions::StdLib);
  ui.MathCheck = ui.OptionCheck(&GenerationOptions::MathLib);
  ui.StringCheck = ui.OptionCheck(&GenerationOptions::CStrings);
  ui.BigConstructorBox = ui.OptionCheck(&GenerationOptions::BigConstructor);
  ui.ToStringBox = ui.OptionCheck(&GenerationOptions::ToStringMethod);
  ui.Label2 = new QLabel(tr("Libraries"), window);
  // Hidden for Java; its place is kept so the controls below do not jump.
  QSizePolicy keepPlace = ui.VCLCheck->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  ui.VCLCheck->setSizePolicy(keepPlace);
}

void OptionsPanel::BuildChoices() {
  TForm1Ui& ui = ui_;
  QWidget* window = &window_;
  const std::pair<NameForm, const char*> forms[] = {
      {NameForm::LowerUnderscore, QT_TR_NOOP("get_variable and set_variable")},
      {NameForm::LowerCamel, QT_TR_NOOP("getVariable and setVariable")},
      {NameForm::UpperCamel, QT_TR_NOOP("GetVariable and SetVariable")}};
  QStringList formItems;
  for (const auto& [form, caption] : forms) formItems.append(tr(caption));
  ui.Label4 = new QLabel(tr("Form of &names"), window);
  ui.FormBox = new ChoiceBox(services_, formItems, 0, window);
  for (int item = 0; item < static_cast<int>(std::size(forms)); ++item)
    ui.FormBox->setItemData(item, QVariant::fromValue(forms[item].first));
  ui.FormBox->Accept(ItemOf(*ui.FormBox, GenerationOptions().NameForm));
  ui.Label4->setBuddy(ui.FormBox);

  QStringList systems;
  for (const ClassTarget& target : ClassTargets()) systems.append(Text(target.ItemText));
  ui.SystemBox =
      new ChoiceBox(services_, systems, TargetRow(GenerationOptions().TargetSystem), window);
  for (int item = 0; item < static_cast<int>(ClassTargets().size()); ++item)
    ui.SystemBox->setItemData(
        item, QVariant::fromValue(ClassTargets()[static_cast<std::size_t>(item)].System));
  ui.SystemLabel = new QLabel(tr("Ta&rget system"), window);
  ui.SystemLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  ui.SystemLabel->setBuddy(ui.SystemBox);
}

void OptionsPanel::Bind() {
  DescriptionHistory& history = history_;
  QObject::connect(ui_.RadioGroup1Items, &QButtonGroup::buttonToggled, &window_,
                   [&history](QAbstractButton* item, bool checked) {
                     if (!checked) return;
                     const auto level = item->property(ValueProperty).value<ComparisonLevel>();
                     history.Change(tr("Comparisons"), [level](ClassInput& input) {
                       input.Options.ComparisonLevel = level;
                     });
                   });
  for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
    QObject::connect(ui_.OptionChecks[row], &QCheckBox::toggled, &window_,
                     [&history, &option = FlagOptions[row]](bool ticked) {
                       history.Change(tr(option.UndoName),
                                      [field = option.Field, ticked](ClassInput& input) {
                                        input.Options.*field = ticked;
                                      });
                     });
}

void OptionsPanel::Show() {
  const GenerationOptions& options = model_.Options();
  for (QAbstractButton* item : ui_.RadioGroup1Items->buttons())
    if (item->property(ValueProperty).value<ComparisonLevel>() == options.ComparisonLevel)
      item->setChecked(true);
  for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
    ui_.OptionChecks[row]->setChecked(options.*FlagOptions[row].Field);
  ui_.FormBox->Accept(ItemOf(*ui_.FormBox, options.NameForm));
}

void OptionsPanel::ShowTarget() {
  ui_.SystemBox->Accept(ItemOf(*ui_.SystemBox, model_.Options().TargetSystem));
}

void OptionsPanel::AcceptSystem() {
  const auto system = AcceptedValue<TargetSystem>(*ui_.SystemBox);
  history_.Change(tr("Target System"),
                  [system](ClassInput& input) { input.Options.TargetSystem = system; });
}

void OptionsPanel::AcceptForm() {
  const auto form = AcceptedValue<NameForm>(*ui_.FormBox);
  history_.Change(tr("Form of Names"),
                  [form](ClassInput& input) { input.Options.NameForm = form; });
}

void OptionsPanel::UpdateLibraryCaption() {
  // The caption tells what the box adds to the header; a target it adds nothing to leaves it.
  const ClassTarget& target = TargetOf(model_.Options().TargetSystem);
  if (!target.LibraryCaption.empty())
    ui_.VCLCheck->setText(WithAltKey(Text(target.LibraryCaption)));
  ui_.VCLCheck->setVisible(target.LibraryShown);
}

QString OptionsPanel::WithAltKey(const QString& caption) const {
  // A letter no other control takes if there is one, else one that is no menu's: a key two
  // controls share moves the focus between them, while one shared with a menu would do nothing.
  QString controls;
  for (const QWidget* control : window_.findChildren<QWidget*>()) {
    if (control == ui_.VCLCheck) continue;
    const QString text = control->property("text").toString();
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at >= 0 && at + 1 < text.size()) controls += text[at + 1].toLower();
  }
  QString menus;
  for (const QAction* menu : window_.menuBar()->actions()) {
    const qsizetype at = menu->text().indexOf(QLatin1Char('&'));
    if (at >= 0 && at + 1 < menu->text().size()) menus += menu->text()[at + 1].toLower();
  }
  qsizetype key = -1;
  for (const QString& avoided : {controls + menus, menus}) {
    for (qsizetype i = 0; i < caption.size() && key < 0; ++i)
      if (caption[i].isLetterOrNumber() && !avoided.contains(caption[i].toLower())) key = i;
    if (key >= 0) break;
  }
  QString marked = caption;
  if (key >= 0) marked.insert(key, QLatin1Char('&'));
  return marked;
}

void OptionsPanel::UpdateLibraryBoxes() {
  const TargetSystem system = model_.Options().TargetSystem;
  const ClassTarget& target = TargetOf(system);
  // The library boxes follow the target table below; the other options say their own targets.
  for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
    if (FlagOptions[row].Targets != AllTargets)
      ui_.OptionChecks[row]->setEnabled((FlagOptions[row].Targets & TargetBit(system)) != 0);
  for (QCheckBox* box : {ui_.StdCheck, ui_.MathCheck, ui_.StringCheck})
    box->setEnabled(target.UsesCLibraryBoxes);
  ui_.Label2->setEnabled(target.UsesCLibraryBoxes);
  // A target without a framework include ignores the framework box.
  const std::string_view include = target.FrameworkInclude;
  ui_.VCLCheck->setEnabled(!include.empty());
  ui_.VCLCheck->setToolTip(include.empty()
                               ? tr("Adds nothing for this target")
                               : tr("Adds %1 to the header").arg(Text(include).trimmed()));
}

}  // namespace zandrel
