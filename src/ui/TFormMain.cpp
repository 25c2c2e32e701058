#include "ui/TFormMain.h"

#include "app/ProgramState.h"
#include "ui/AppWindows.h"

TFormMain::TFormMain(ProgramState& state, AppWindows& windows, const QStringList& /*arguments*/)
    : state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(QStringLiteral("Vardeno 1.1"));
  setMinimumSize(600, 400);
}

void TFormMain::SetLang() {}

void TFormMain::DisableAll() { setEnabled(false); }
void TFormMain::EnableAll() { setEnabled(true); }
void TFormMain::InitControls() {}
EncoderSettings TFormMain::ReadEncoderSettings() const { return DefaultEncoderSettings(); }
std::optional<std::size_t> TFormMain::SelectedRow() const { return std::nullopt; }
