// The main window's side of the frame preview: opening it, and telling it when the selected row
// or a setting changed.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>

#include "app/ProgramState.h"
#include "conversion/ConversionRun.h"
#include "encoder/EncoderInfo.h"
#include "filelist/FileListRow.h"
#include "ui/AppWindows.h"
#include "ui/windows/FramePreviewWindow.h"
#include "ui/main/SettingsPanels.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {
// Changes typed or stepped in quick succession make one new frame.
constexpr int kSettleMilliseconds = 300;
}  // namespace

void MainWindow::ShowFramePreview() {
  if (!preview_) {
    preview_ = new FramePreviewWindow(
        [this]() -> std::optional<FramePreviewRequest> {
          const auto row = SelectedRow();
          if (!row || *row >= state_.Files.Count()) return std::nullopt;
          FramePreviewRequest request;
          request.input = RowFullPath(state_.Files.Row(*row));
          request.settings = ReadEncoderSettings();
          request.resolutions = state_.Resolutions;
          request.encoderPath = GetEncoderPath(state_.Params, state_.ProgramDir);
          if (!request.encoderPath.empty())
            request.generation = windows_.encoder ? windows_.encoder->Generation(request.encoderPath)
                                                  : GetEncoderGeneration(request.encoderPath);
          return request;
        },
        this, [this] { return state_.Params.Player; });
    preview_->SetLang(state_.Params.Language);
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(kSettleMilliseconds);
    connect(previewTimer_, &QTimer::timeout, preview_, &FramePreviewWindow::Refresh);
    const auto soon = [this] { RefreshFramePreviewSoon(); };
    for (auto* box : pnBottom_->findChildren<QSpinBox*>()) connect(box, &QSpinBox::valueChanged, this, soon);
    for (auto* list : pnBottom_->findChildren<QComboBox*>())
      connect(list, &QComboBox::currentIndexChanged, this, soon);
    for (auto* check : pnBottom_->findChildren<QCheckBox*>()) connect(check, &QCheckBox::toggled, this, soon);
    for (auto* edit : pnBottom_->findChildren<QLineEdit*>()) connect(edit, &QLineEdit::textChanged, this, soon);
  }
  preview_->ShowPreview();
}

void MainWindow::RefreshFramePreviewSoon() {
  if (preview_ && preview_->isVisible()) previewTimer_->start();
}

}  // namespace vardeno
