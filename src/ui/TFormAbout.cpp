#include "ui/TFormAbout.h"

#include "app/ProgramState.h"
#include "ui/AppWindows.h"

TFormAbout::TFormAbout(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormAbout"));
  SetLang();
}

void TFormAbout::SetLang() {}
