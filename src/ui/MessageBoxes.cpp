#include "ui/MessageBoxes.h"

#include <optional>

#include "ui/QtText.h"

namespace vardeno {

namespace {

std::optional<QMessageBox::StandardButton> nextAnswer;
std::string lastText;

QMessageBox::StandardButton Show(QWidget* owner, QMessageBox::Icon icon, const std::string& text,
                                 QMessageBox::StandardButtons buttons) {
  lastText = text;
  if (nextAnswer) {
    auto answer = *nextAnswer;
    nextAnswer.reset();
    return answer;
  }
  QMessageBox box(icon, QStringLiteral("Vardeno"), ToQ(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                  buttons, owner);
  // Above the program's always-on-top windows (progress, errors, options, about), which would
  // otherwise cover the question or warning and leave the program looking frozen.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void ShowWarningBox(QWidget* owner, const std::string& text) {
  Show(owner, QMessageBox::Warning, text, QMessageBox::Ok);
}

void ShowSystemErrorBox(QWidget* owner, const std::string& text) {
  Show(owner, QMessageBox::Critical, text, QMessageBox::Ok);
}

bool AskYesNo(QWidget* owner, const std::string& text) {
  return Show(owner, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void SetNextMessageBoxAnswer(QMessageBox::StandardButton answer) { nextAnswer = answer; }

std::string LastMessageBoxText() { return lastText; }

}  // namespace vardeno
