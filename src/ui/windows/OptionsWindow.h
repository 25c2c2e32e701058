// The options window: the interface language and the program's launchers on the desktop and in
// the applications menu. Fixed size, on top, not modal; closing only hides it.
#pragma once

#include <QDialog>

#include "platform/Shortcuts.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vardeno {

struct AppWindows;
struct ProgramState;

class OptionsWindow : public QDialog {
  Q_OBJECT
 public:
  // Puts its texts in the language in force, then checks that language's button, which runs the
  // language switch once (the windows created after this one are not there yet).
  OptionsWindow(ProgramState& state, AppWindows& windows, QWidget* parent);
  // The window's texts in the language of CurrentLanguage.
  void SetLang();
  // The shortcut boxes as the disk is now; runs each time the window becomes active.
  void InitControls();

  QGroupBox* gbShortcuts;
  QCheckBox* chShortcutDesktop;
  QCheckBox* chShortcutStartMenu;
  QGroupBox* gbLanguage;
  QRadioButton* rbLangEnglish;
  QRadioButton* rbLangPolish;
  QPushButton* btnOK;
  QAction* actEsc;
  QAction* actClose;  // the key of the main window's actShowOptions

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  // Runs when either language button becomes checked (not for a click on the checked one).
  void rbLangClick();
  // A shortcut box changed: create or delete the launcher to match it.
  void chShortcutClick(QCheckBox* box, ShortcutPlace place);
  void FitSize();

  ProgramState& state_;
  AppWindows& windows_;
};

}  // namespace vardeno
