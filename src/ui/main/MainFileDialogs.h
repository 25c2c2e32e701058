// The main window's file and folder dialogs (Qt's own), with the filter, default suffix and start
// folder each caller names. Tests pre-answer the next dialog so that none ever blocks them.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vardeno {

// One existing file; empty when cancelled.
QString AskOpenFileName(QWidget* owner, const QString& startDir, const QString& filter, const QString& suffix);
// Several existing files; empty when cancelled.
QStringList AskOpenFileNames(QWidget* owner, const QString& startDir, const QString& filter, const QString& suffix);
// A file to write; asks before overwriting an existing one; empty when cancelled.
QString AskSaveFileName(QWidget* owner, const QString& startDir, const QString& filter, const QString& suffix);
// An existing folder; empty when cancelled.
QString AskDirectory(QWidget* owner, const QString& startDir);

// For tests: the next dialog is not shown and returns these names (none: cancelled).
void SetNextFileDialogAnswer(const QStringList& names);
// The start folder the last dialog was given (shown or pre-answered), for tests.
QString LastFileDialogStartDir();

}  // namespace vardeno
