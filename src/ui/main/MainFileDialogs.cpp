#include "ui/main/MainFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <optional>

namespace vardeno {

namespace {

std::optional<QStringList> nextAnswer;
QString lastStartDir;

QStringList Run(QWidget* owner, const QString& startDir, const QString& filter, const QString& suffix,
                QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode) {
  lastStartDir = startDir;
  if (nextAnswer) {
    QStringList answer = *nextAnswer;
    nextAnswer.reset();
    return answer;
  }
  QFileDialog dialog(owner, QString(), startDir, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(fileMode);
  if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
  if (fileMode == QFileDialog::Directory) dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted) return {};
  // In the system's own form, as the list, the settings and the messages show paths.
  QStringList chosen = dialog.selectedFiles();
  for (QString& name : chosen) name = QDir::toNativeSeparators(name);
  return chosen;
}

QString First(const QStringList& names) { return names.isEmpty() ? QString() : names.first(); }

}  // namespace

QString AskOpenFileName(QWidget* owner, const QString& startDir, const QString& filter, const QString& suffix) {
  return First(Run(owner, startDir, filter, suffix, QFileDialog::AcceptOpen, QFileDialog::ExistingFile));
}

QStringList AskOpenFileNames(QWidget* owner, const QString& startDir, const QString& filter, const QString& suffix) {
  return Run(owner, startDir, filter, suffix, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

QString AskSaveFileName(QWidget* owner, const QString& startDir, const QString& filter, const QString& suffix) {
  return First(Run(owner, startDir, filter, suffix, QFileDialog::AcceptSave, QFileDialog::AnyFile));
}

QString AskDirectory(QWidget* owner, const QString& startDir) {
  return First(Run(owner, startDir, QString(), QString(), QFileDialog::AcceptOpen, QFileDialog::Directory));
}

void SetNextFileDialogAnswer(const QStringList& names) { nextAnswer = names; }

QString LastFileDialogStartDir() { return lastStartDir; }

}  // namespace vardeno
