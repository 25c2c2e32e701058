// The main window's texts in both languages: those its language routine sets (MainTexts.cpp holds
// MainWindow::SetLang beside them) and those it produces while it runs.
#pragma once

#include <QString>
#include <string>

#include "texts/Language.h"

namespace vardeno {

// Caption of actShowHideMainWindow: "Minimize to tray" while the window is visible, else
// "Show main window".
std::string MainWindowToggleCaption(bool windowVisible, UiLanguage lang);
// Caption of actExploreDirectory for the selected row's directory ("" without a selection).
std::string ExploreDirectoryCaption(const std::string& directory, UiLanguage lang);
// The question of the Esc key.
std::string CloseApplicationQuestion(UiLanguage lang);
// Asked when the user closes the main window during a run.
std::string EndRunAndCloseQuestion(UiLanguage lang);

// The dialogs' filters as Qt file dialogs take them ("Description (*.a *.b);;...").
QString AddFilesFilter(UiLanguage lang);
QString ListFileFilter(UiLanguage lang);
QString ProfileFilter(UiLanguage lang);
QString ScriptFileFilter(UiLanguage lang);

// Turns a filter of "description|patterns|description|patterns" (patterns separated by ";")
// into Qt's form: each description followed by its patterns in brackets. A description that
// ends in its own bracketed list keeps it, written with blanks between the patterns.
QString ToQtFilter(const std::string& filter);

}  // namespace vardeno
