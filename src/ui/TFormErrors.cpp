#include "ui/TFormErrors.h"

#include "app/ProgramState.h"
#include "ui/AppWindows.h"

TFormErrors::TFormErrors(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormErrors"));
  SetLang();
}

void TFormErrors::SetLang() {}
