#include "ui/TFormProgress.h"

#include <QCoreApplication>

#include "app/ProgramState.h"
#include "ui/AppWindows.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/TFormErrors.h"
#include "ui/TFormMain.h"

TFormProgress::TFormProgress(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormProgress"));
  SetLang();
}

void TFormProgress::SetLang() {}

void TFormProgress::ShowWarning(const std::string& text) { ShowWarningBox(windows_.main, text); }
void TFormProgress::DisableAll() { windows_.main->DisableAll(); }
void TFormProgress::EnableAll() { windows_.main->EnableAll(); }
void TFormProgress::ShowSystemError(const std::string& text) { ShowSystemErrorBox(windows_.main, text); }
void TFormProgress::ShowProgressWindow() { show(); }
void TFormProgress::ShowErrorsWindow() { windows_.errors->show(); }
void TFormProgress::SetErrorsCaption(const std::string& caption) { windows_.errors->setWindowTitle(ToQ(caption)); }
void TFormProgress::ProcessPendingEvents() { QCoreApplication::processEvents(); }
