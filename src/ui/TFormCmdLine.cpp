#include "ui/TFormCmdLine.h"

#include "app/ProgramState.h"
#include "ui/AppWindows.h"

TFormCmdLine::TFormCmdLine(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormCmdLine"));
  SetLang();
}

void TFormCmdLine::SetLang() {}
