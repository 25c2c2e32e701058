#include "ui/windows/OptionsWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/ProgramState.h"
#include "ui/AppWindows.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/windows/LanguageSwitch.h"
#include "ui/QtText.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/OptionsWindowTexts.h"
#include "ui/windows/WindowAction.h"

namespace vardeno {

namespace {
// The least client area of the window.
constexpr QSize kMinimumClientSize(314, 112);

// The key of the main window's action named actionName, or fallback when it has none.
QKeySequence MainWindowKey(MainWindow* main, const char* actionName, const QKeySequence& fallback) {
  QAction* action = main ? main->findChild<QAction*>(QString::fromLatin1(actionName)) : nullptr;
  return action && !action->shortcut().isEmpty() ? action->shortcut() : fallback;
}
}  // namespace

OptionsWindow::OptionsWindow(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state),
      windows_(windows) {
  setObjectName(QStringLiteral("FormOptions"));
  BuildControls();
  SetLang();

  // The switch reaches this window through the record, so it is entered before the first switch.
  windows_.options = this;
  (state_.Params.Language == UiLanguage::Polish ? rbLangPolish : rbLangEnglish)->setChecked(true);

  actClose->setShortcut(MainWindowKey(windows_.main, "actShowOptions", QKeySequence(Qt::Key_F12)));
}

void OptionsWindow::BuildControls() {
  gbShortcuts = new QGroupBox(this);
  gbShortcuts->setObjectName(QStringLiteral("gbShortcuts"));
  chShortcutDesktop = new QCheckBox(gbShortcuts);
  chShortcutDesktop->setObjectName(QStringLiteral("chShortcutDesktop"));
  chShortcutStartMenu = new QCheckBox(gbShortcuts);
  chShortcutStartMenu->setObjectName(QStringLiteral("chShortcutStartMenu"));
  auto* shortcutsLayout = new QVBoxLayout(gbShortcuts);
  shortcutsLayout->addWidget(chShortcutDesktop);
  shortcutsLayout->addWidget(chShortcutStartMenu);

  gbLanguage = new QGroupBox(this);
  gbLanguage->setObjectName(QStringLiteral("gbLanguage"));
  rbLangEnglish = new QRadioButton(gbLanguage);
  rbLangEnglish->setObjectName(QStringLiteral("rbLangEnglish"));
  rbLangPolish = new QRadioButton(gbLanguage);
  rbLangPolish->setObjectName(QStringLiteral("rbLangPolish"));
  auto* languageLayout = new QVBoxLayout(gbLanguage);
  languageLayout->addWidget(rbLangEnglish);
  languageLayout->addWidget(rbLangPolish);

  btnOK = new QPushButton(this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setAutoDefault(false);

  auto* boxes = new QHBoxLayout;
  boxes->addWidget(gbShortcuts, 1);
  boxes->addWidget(gbLanguage);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(boxes);
  layout->addLayout(buttons);

  actEsc = AddWindowAction(this, "actEsc", [this] { close(); }, QKeySequence(Qt::Key_Escape));
  actClose = AddWindowAction(this, "actClose", [this] { close(); });
  connect(btnOK, &QPushButton::clicked, this, &QDialog::close);
  for (QRadioButton* button : {rbLangEnglish, rbLangPolish}) {
    connect(button, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) rbLangClick();
    });
  }
  connect(chShortcutDesktop, &QCheckBox::toggled, this,
          [this] { chShortcutClick(chShortcutDesktop, ShortcutPlace::Desktop); });
  connect(chShortcutStartMenu, &QCheckBox::toggled, this,
          [this] { chShortcutClick(chShortcutStartMenu, ShortcutPlace::ApplicationsMenu); });
}

void OptionsWindow::SetLang() {
  const UiLanguage lang = state_.CurrentLanguage;
  setWindowTitle(ToQ(OptionsTexts::Caption(lang)));
  gbShortcuts->setTitle(ToQ(OptionsTexts::Shortcuts(lang)));
  chShortcutDesktop->setText(ToQ(OptionsTexts::ShortcutDesktop(lang)));
  chShortcutStartMenu->setText(ToQ(OptionsTexts::ShortcutMenu(lang)));
  gbLanguage->setTitle(ToQ(OptionsTexts::Language(lang)));
  rbLangEnglish->setText(ToQ(OptionsTexts::English(lang)));
  rbLangPolish->setText(ToQ(OptionsTexts::Polish(lang)));
  btnOK->setText(ToQ(OptionsTexts::Ok(lang)));
  FitSize();
}

void OptionsWindow::InitControls() {
  ControlsUpdatingGuard updating(state_.ControlsUpdating);
  for (const ShortcutPlace place : {ShortcutPlace::Desktop, ShortcutPlace::ApplicationsMenu})
    (place == ShortcutPlace::Desktop ? chShortcutDesktop : chShortcutStartMenu)
        ->setChecked(ShortcutExists(place, LauncherFileName(place)));
}

void OptionsWindow::rbLangClick() {
  SwitchLanguage(state_, windows_, rbLangPolish->isChecked() ? UiLanguage::Polish : UiLanguage::English);
}

void OptionsWindow::chShortcutClick(QCheckBox* box, ShortcutPlace place) {
  if (state_.ControlsUpdating) return;
  const char* const fileName = LauncherFileName(place);
  const bool exists = ShortcutExists(place, fileName);
  // A failure is not reported: the box shows the disk again at the next activation.
  if (box->isChecked() && !exists) CreateShortcut("Vardeno", RunningExecutablePath(), place, fileName);
  else if (!box->isChecked() && exists) DeleteShortcut(place, fileName);
}

void OptionsWindow::FitSize() {
  layout()->activate();
  setFixedSize(layout()->totalSizeHint().expandedTo(kMinimumClientSize));
}

bool OptionsWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) InitControls();
  return QDialog::event(event);
}

void OptionsWindow::showEvent(QShowEvent* event) {
  // Where the window system does not activate a window it shows, the boxes still match the disk.
  if (!event->spontaneous()) {
    InitControls();
    if (QWidget* over = windows_.main ? static_cast<QWidget*>(windows_.main) : parentWidget()) {
      QRect frame = frameGeometry();
      frame.moveCenter(over->frameGeometry().center());
      move(frame.topLeft());
    }
  }
  QDialog::showEvent(event);
}

}  // namespace vardeno
