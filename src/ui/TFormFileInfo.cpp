#include "ui/TFormFileInfo.h"

#include "app/ProgramState.h"
#include "ui/AppWindows.h"

TFormFileInfo::TFormFileInfo(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormFileInfo"));
  SetLang();
}

void TFormFileInfo::SetLang() {}
