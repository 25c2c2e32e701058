#include "ui/windows/FileInfoWindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>

#include "app/AppParams.h"
#include "app/ProgramState.h"
#include "filelist/FileListRow.h"
#include "platform/FileIo.h"
#include "platform/SystemError.h"
#include "player/PlayerReport.h"
#include "probe/Probe.h"
#include "ui/AppWindows.h"
#include "ui/windows/ClickableLabel.h"
#include "ui/windows/FileInfoTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/ToolWindowEscape.h"
#include "ui/windows/WindowAction.h"

namespace vardeno {

namespace {
// The decimal mark of the user's locale for the frame rate; "." when it is not a single ASCII sign.
char LocaleDecimalMark() {
  const QString mark = QLocale().decimalPoint();
  if (mark.size() == 1 && mark.at(0).unicode() < 0x80) return static_cast<char>(mark.at(0).unicode());
  return '.';
}

// "Description|pattern" as a Qt name filter; the dialog shows only the description.
QString QtNameFilter(const std::string& describedPattern) {
  const QString text = ToQ(describedPattern);
  const qsizetype bar = text.indexOf(QLatin1Char('|'));
  if (bar < 0) return text;
  return text.left(bar) + QStringLiteral(" (") + text.mid(bar + 1).replace(QLatin1Char(';'), QLatin1Char(' ')) +
         QLatin1Char(')');
}

// A value label: plain text, never widens the window for a long path (the tool tip holds it all).
template <class Label>
Label* MakeValueLabel(QWidget* parent, const char* name) {
  auto* label = new Label(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  return label;
}

QLabel* MakeDescLabel(QWidget* parent, const char* name, QWidget* buddy) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setBuddy(buddy);
  return label;
}

void SetValue(QLabel* label, const std::string& text) {
  label->setText(ToQ(text));
  label->setToolTip(label->text());
}

// The wait cursor while the encoder reads a file.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};
}  // namespace

FileInfoWindow::FileInfoWindow(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Tool), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormFileInfo"));
  setSizeGripEnabled(true);
  BuildControls();
  resize(479, 255);
  ClearAll();
  SetLang();
}

void FileInfoWindow::BuildControls() {
  pnUp = new QWidget(this);
  pnUp->setObjectName(QStringLiteral("pnUp"));
  pnUp->setAutoFillBackground(true);
  QPalette white = pnUp->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  pnUp->setPalette(white);

  lblFileName = MakeValueLabel<ClickableLabel>(pnUp, "lblFileName");
  lblFileName->SetOnClick([this] { lblFileNameClick(); });
  lblDirectory = MakeValueLabel<ClickableLabel>(pnUp, "lblDirectory");
  lblDirectory->SetOnClick([this] { lblDirectoryClick(); });
  lblFileSize = MakeValueLabel<QLabel>(pnUp, "lblFileSize");
  lblDuration = MakeValueLabel<QLabel>(pnUp, "lblDuration");
  lblFPS = MakeValueLabel<QLabel>(pnUp, "lblFPS");
  lblFileNameDesc = MakeDescLabel(pnUp, "lblFileNameDesc", lblFileName);
  lblDirectoryDesc = MakeDescLabel(pnUp, "lblDirectoryDesc", lblDirectory);
  lblFileSizeDesc = MakeDescLabel(pnUp, "lblFileSizeDesc", lblFileSize);
  lblDurationDesc = MakeDescLabel(pnUp, "lblDurationDesc", lblDuration);
  Label2 = MakeDescLabel(pnUp, "Label2", lblFPS);
  lblPlayerVerdict = MakeValueLabel<QLabel>(pnUp, "lblPlayerVerdict");
  lblPlayerDesc = MakeDescLabel(pnUp, "lblPlayerDesc", lblPlayerVerdict);

  auto* grid = new QGridLayout(pnUp);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(2);
  const std::pair<QLabel*, QLabel*> rows[] = {{lblFileNameDesc, lblFileName},
                                              {lblDirectoryDesc, lblDirectory},
                                              {lblFileSizeDesc, lblFileSize},
                                              {lblDurationDesc, lblDuration},
                                              {Label2, lblFPS},
                                              {lblPlayerDesc, lblPlayerVerdict}};
  int row = 0;
  for (const auto& [desc, value] : rows) {
    grid->addWidget(desc, row, 0);
    grid->addWidget(value, row, 1);
    ++row;
  }
  grid->setColumnStretch(1, 1);

  val = new QTableWidget(this);
  val->setObjectName(QStringLiteral("val"));
  val->setColumnCount(2);
  val->setEditTriggers(QAbstractItemView::NoEditTriggers);
  val->setSelectionBehavior(QAbstractItemView::SelectRows);
  val->setSelectionMode(QAbstractItemView::SingleSelection);
  val->setWordWrap(false);
  val->verticalHeader()->hide();
  val->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  val->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  val->horizontalHeader()->setStretchLastSection(true);
  val->setColumnWidth(0, 104);
  val->setColumnWidth(1, 315);

  lblStreams = new QLabel(this);
  lblStreams->setObjectName(QStringLiteral("lblStreams"));
  lblStreams->setBuddy(val);

  actSave = AddWindowAction(this, "actSave", [this] { actSaveExecute(); });
  actClose = AddWindowAction(this, "actClose", [this] { hide(); });
  actEsc = AddWindowAction(this, "actEsc", [this] { hide(); }, QKeySequence(Qt::Key_Escape));
  actEsc->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  ClaimEscapeForToolWindow(this, actEsc);

  pnDown = new QWidget(this);
  pnDown->setObjectName(QStringLiteral("pnDown"));
  btnSave = new QPushButton(pnDown);
  btnSave->setObjectName(QStringLiteral("btnSave"));
  btnSave->setAutoDefault(false);
  connect(btnSave, &QPushButton::clicked, actSave, &QAction::trigger);
  btnClose = new QPushButton(pnDown);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setAutoDefault(false);
  connect(btnClose, &QPushButton::clicked, actClose, &QAction::trigger);
  connect(actSave, &QAction::enabledChanged, btnSave, &QWidget::setEnabled);
  auto* buttons = new QHBoxLayout(pnDown);
  buttons->setContentsMargins(6, 4, 6, 6);
  buttons->addStretch(1);
  buttons->addWidget(btnSave);
  buttons->addWidget(btnClose);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pnUp);
  auto* streams = new QVBoxLayout;
  streams->setContentsMargins(6, 6, 6, 0);
  streams->setSpacing(3);
  streams->addWidget(lblStreams);
  streams->addWidget(val, 1);
  layout->addLayout(streams, 1);
  layout->addWidget(pnDown);
}

// Made when first needed: a file dialog looks up many theme icons as it is built, which would
// slow every start of the program for a window most starts never open.
QFileDialog* FileInfoWindow::SaveDialog() {
  if (!dlgSave) {
    dlgSave = new QFileDialog(this);
    dlgSave->setObjectName(QStringLiteral("dlgSave"));
    dlgSave->setAcceptMode(QFileDialog::AcceptSave);
    dlgSave->setFileMode(QFileDialog::AnyFile);
    dlgSave->setDefaultSuffix(QStringLiteral("txt"));
    dlgSave->setOption(QFileDialog::HideNameFilterDetails);
  }
  dlgSave->setNameFilter(QtNameFilter(kInfoFileFilter(state_.Params.Language)));
  return dlgSave;
}

void FileInfoWindow::SetLang() {
  const UiLanguage lang = state_.Params.Language;
  setWindowTitle(ToQ(kFileInfoCaption(lang)));
  lblFileNameDesc->setText(ToQ(kFileNameDesc(lang)));
  lblDirectoryDesc->setText(ToQ(kDirectoryDesc(lang)));
  lblFileSizeDesc->setText(ToQ(kFileSizeDesc(lang)));
  lblDurationDesc->setText(ToQ(kDurationDesc(lang)));
  Label2->setText(ToQ(kFpsDesc(lang)));
  lblPlayerDesc->setText(ToQ(kPlayerDesc(lang)));
  lblStreams->setText(ToQ(kStreamsLabel(lang)));
  for (QAction* action : {actSave, actClose}) {
    const LangText& text = action == actSave ? kSaveAction : kCloseAction;
    action->setText(ToQ(text(lang)));
    action->setToolTip(action->text());
  }
  btnSave->setText(actSave->text());
  btnSave->setToolTip(actSave->toolTip());
  btnClose->setText(actClose->text());
  btnClose->setToolTip(actClose->toolTip());
  val->setHorizontalHeaderLabels({ToQ(kStreamColumn(lang)), ToQ(kDetailsColumn(lang))});
  if (dlgSave) dlgSave->setNameFilter(QtNameFilter(kInfoFileFilter(lang)));
  val->viewport()->update();
}

void FileInfoWindow::ToggleVisible() {
  if (isVisible()) {
    hide();
    return;
  }
  show();
  raise();
  activateWindow();
  UpdateList();
}

void FileInfoWindow::UpdateList() {
  if (!isVisible()) return;
  const std::optional<std::string> path = fileChooser_ ? fileChooser_() : SelectedFilePath();
  if (!path) return;
  UpdateList(ProbeFile(*path));
}

std::optional<std::string> FileInfoWindow::SelectedFilePath() const {
  const std::optional<std::size_t> row = windows_.main->SelectedRow();
  if (!row || *row >= state_.Files.Count()) return std::nullopt;
  return RowFullPath(state_.Files.Row(*row));
}

MediaProbe FileInfoWindow::ProbeFile(const std::string& path) {
  const std::string encoderPath = GetEncoderPath(state_.Params, state_.ProgramDir);
  try {
    WaitCursor waiting;
    return windows_.encoder ? windows_.encoder->Probe(path, encoderPath, {}) : ProbeMediaFile(path, encoderPath);
  } catch (const std::exception& failure) {
    // The encoder could not be started: say why, and still show what is known without it.
    ShowSystemErrorBox(this, failure.what());
    MediaProbe known;
    known.FileName = path;
    known.FileSize = GetFileSizeBytes(path);
    return known;
  }
}

void FileInfoWindow::ClearAll() {
  for (QLabel* value : {static_cast<QLabel*>(lblFileName), static_cast<QLabel*>(lblDirectory), lblFileSize,
                        lblDuration, lblFPS, lblPlayerVerdict})
    SetValue(value, {});
  shown_ = {};
  showsFile_ = false;
  actSave->setEnabled(false);
  ShowStreams();
}

void FileInfoWindow::UpdateList(const MediaProbe& probe) {
  ClearAll();
  shown_ = MakeFileInfoView(probe, LocaleDecimalMark());
  showsFile_ = true;
  SetValue(lblFileName, shown_.fileName);
  SetValue(lblDirectory, shown_.directory);
  SetValue(lblFileSize, shown_.sizeText);
  SetValue(lblDuration, shown_.durationText);
  SetValue(lblFPS, shown_.fpsText);
  const UiLanguage lang = state_.Params.Language;
  SetValue(lblPlayerVerdict, VerdictLine(CheckProbeForPlayer(probe, state_.Params.Player, lang), lang));
  ShowStreams();
  actSave->setEnabled(true);
}

void FileInfoWindow::ShowStreams() {
  val->clearContents();
  // The table always has a row below its titles: an empty one when there are no streams.
  const int rows = shown_.streams.empty() ? 1 : static_cast<int>(shown_.streams.size());
  val->setRowCount(rows);
  for (int row = 0; row < rows; ++row) {
    const StreamRow stream = shown_.streams.empty() ? StreamRow{} : shown_.streams[static_cast<size_t>(row)];
    auto* key = new QTableWidgetItem(ToQ(stream.key));
    auto* value = new QTableWidgetItem(ToQ(stream.value));
    value->setToolTip(value->text());
    val->setItem(row, 0, key);
    val->setItem(row, 1, value);
  }
}

void FileInfoWindow::lblDirectoryClick() {
  const QString directory = lblDirectory->text();
  if (directory.isEmpty() || !QFileInfo(directory).isDir()) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(directory));
}

void FileInfoWindow::lblFileNameClick() {
  if (!showsFile_) return;
  const QString path = ToQ(FileInfoPath(shown_));
  if (!QFileInfo(path).isFile()) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void FileInfoWindow::actSaveExecute() {
  if (!showsFile_) return;
  const QString path = ToQ(FileInfoPath(shown_));
  const QString proposal = path + QStringLiteral("_info.txt");
  QFileDialog* dialog = SaveDialog();
  dialog->setDirectory(QFileInfo(proposal).absolutePath());
  dialog->selectFile(proposal);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const std::string target = ToStdPath(dialog->selectedFiles().constFirst());
  try {
    WriteFileAtomically(target, FileInfoText(shown_, "\r\n"));
  } catch (const SystemError& failure) {
    ShowSystemErrorBox(this, failure.what());
  }
}

}  // namespace vardeno
