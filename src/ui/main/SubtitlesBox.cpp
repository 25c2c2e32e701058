#include "ui/main/SubtitlesBox.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "ui/QtText.h"
#include "ui/main/SettingsPanelsWidgets.h"

namespace vardeno {

namespace {
inline constexpr LangText kSubtitlesGroup{"Subtitles", "Napisy"};
inline constexpr LangText kSubtitlesLabel{"Burn in :", "Wtop :"};
inline constexpr LangText kSubtitleTrackLabel{"Track :", "Ścieżka :"};
inline constexpr LangText kSubtitleChoices[] = {
    {"None", "Brak"},
    {"File beside the video", "Plik obok filmu"},
    {"The video's own track", "Ścieżka filmu"}};
inline constexpr LangText kSubtitlesHint{
    "Subtitles drawn into the picture (Zune players show none of their own).\n"
    "A file beside the video: same name with .srt, .ass, .ssa or .vtt (in this order), else name.<language>.srt.",
    "Napisy wtopione w obraz (odtwarzacze Zune same ich nie wyświetlają).\n"
    "Plik obok filmu: ta sama nazwa z .srt, .ass, .ssa lub .vtt (w tej kolejności), inaczej nazwa.<język>.srt."};
}  // namespace

SubtitlesBox::SubtitlesBox(QWidget* parent) : QGroupBox(parent) {
  setObjectName("gbSubtitles");
  cbSubtitles = MakeList("cbSubtitles", this);
  for (int i = 0; i < 3; ++i) cbSubtitles->addItem(QString());
  edSubtitleTrack = MakeNumberBox("edSubtitleTrack", {kSubtitleTrackRange.min + 1, kSubtitleTrackRange.max + 1}, this);
  lblSubtitles = MakeBuddyLabel("lblSubtitles", cbSubtitles, this);
  lblSubtitleTrack = MakeBuddyLabel("lblSubtitleTrack", edSubtitleTrack, this);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(4);
  grid->addWidget(lblSubtitles, 0, 0);
  grid->addWidget(cbSubtitles, 0, 1, 1, 2);
  grid->addWidget(lblSubtitleTrack, 1, 0);
  grid->addWidget(edSubtitleTrack, 1, 1);
  grid->setColumnStretch(2, 1);
  connect(cbSubtitles, &QComboBox::currentIndexChanged, this, &SubtitlesBox::choiceChanged);
}

void SubtitlesBox::Read(EncoderSettings& s) const {
  s.Subtitles = std::max(cbSubtitles->currentIndex(), 0);
  s.SubtitleTrack = edSubtitleTrack->value() - 1;
}

void SubtitlesBox::Write(const EncoderSettings& s) {
  cbSubtitles->setCurrentIndex(std::clamp(s.Subtitles, kSubtitlesRange.min, kSubtitlesRange.max));
  edSubtitleTrack->setValue(s.SubtitleTrack + 1);
}

void SubtitlesBox::SetLang(UiLanguage lang) {
  lang_ = lang;
  setTitle(ToQ(kSubtitlesGroup(lang)));
  lblSubtitles->setText(ToQ(kSubtitlesLabel(lang)));
  lblSubtitleTrack->setText(ToQ(kSubtitleTrackLabel(lang)));
  for (int i = 0; i < 3; ++i) cbSubtitles->setItemText(i, ToQ(kSubtitleChoices[i](lang)));
  SetUnavailableReason(reason_);
}

void SubtitlesBox::SetUnavailableReason(const QString& reason) {
  reason_ = reason;
  cbSubtitles->setToolTip(reason.isEmpty() ? ToQ(kSubtitlesHint(lang_)) : reason);
}

}  // namespace vardeno
