// The program's message boxes: caption "Vardeno", the icon and buttons each kind names.
// Tests pre-answer the next question so a modal box never blocks them.
#pragma once

#include <QMessageBox>
#include <string>

class QWidget;

namespace vardeno {

// A failure the user can mend: warning icon, OK.
void ShowWarningBox(QWidget* owner, const std::string& text);
// A failure of the operating system: the text is the core's "System Error.  Code: ..." text.
void ShowSystemErrorBox(QWidget* owner, const std::string& text);
// A question with a question icon and Yes / No; true for Yes.
bool AskYesNo(QWidget* owner, const std::string& text);

// For tests: the next box is not shown; a question gets this answer, a warning is recorded.
void SetNextMessageBoxAnswer(QMessageBox::StandardButton answer);
// The text of the last box shown or skipped, for tests.
std::string LastMessageBoxText();

}  // namespace vardeno
