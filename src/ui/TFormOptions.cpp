#include "ui/TFormOptions.h"

#include "app/ProgramState.h"
#include "ui/AppWindows.h"

TFormOptions::TFormOptions(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormOptions"));
  SetLang();
}

void TFormOptions::SetLang() {}
