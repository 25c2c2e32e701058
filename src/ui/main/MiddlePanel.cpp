#include "ui/main/MiddlePanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "platform/Processors.h"
#include "texts/AfterRunTexts.h"
#include "texts/ConversionTexts.h"
#include "texts/ProfileTexts.h"
#include "ui/QtText.h"

namespace vardeno {

namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A push button that runs action, shows its caption (unless it shows an icon) and follows its
// enabled state.
QPushButton* ActionButton(const char* name, QAction* action, QWidget* parent, bool iconOnly = false) {
  auto* button = Named(new QPushButton(parent), name);
  // As wide as the caption needs: the panel must fit a 600-pixel window in either language.
  button->setStyleSheet(iconOnly ? QStringLiteral("QPushButton { padding: 3px 4px; }")
                                 : QStringLiteral("QPushButton { padding: 3px 8px; }"));
  auto sync = [button, action, iconOnly] {
    button->setEnabled(action->isEnabled());
    QString caption = action->text();
    if (iconOnly) {
      button->setToolTip(caption);
      button->setAccessibleName(caption.replace(QStringLiteral("&&"), QStringLiteral("&")));
    } else {
      button->setText(caption);
    }
  };
  QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
  QObject::connect(action, &QAction::changed, button, sync);
  sync();
  return button;
}

// Replaces the entries of box from position 0 on, appending where the list is shorter, and
// selects the position that was selected before (none stays none).
void ReplaceEntries(QComboBox* box, const QStringList& texts) {
  const int selected = box->currentIndex();
  for (int i = 0; i < texts.size(); ++i) {
    if (i < box->count())
      box->setItemText(i, texts[i]);
    else
      box->addItem(texts[i]);
  }
  box->setCurrentIndex(selected);
}

}  // namespace

MiddlePanel::MiddlePanel(const MainActions& a, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnMid"));

  lblIfOutputExists = Named(new QLabel(this), "lblIfOutputExists");
  cbOutputExists = Named(new QComboBox(this), "cbOutputExists");
  lblAfterConversion = Named(new QLabel(this), "lblAfterConversion");
  cbAfterConversion = Named(new QComboBox(this), "cbAfterConversion");
  lblIfOutputExists->setBuddy(cbOutputExists);

  lblAfterConversion->setBuddy(cbAfterConversion);
  lblFilesAtOnce = Named(new QLabel(this), "lblFilesAtOnce");
  cbFilesAtOnce = Named(new QComboBox(this), "cbFilesAtOnce");
  lblFilesAtOnce->setBuddy(cbFilesAtOnce);

  gbOutputDir = Named(new QGroupBox(this), "gbOutputDir");
  rbOutDirIsInDir = Named(new QRadioButton(gbOutputDir), "rbOutDirIsInDir");
  rbOutDir = Named(new QRadioButton(gbOutputDir), "rbOutDir");
  edOutDir = Named(new QLineEdit(gbOutputDir), "edOutDir");
  edOutDir->setMinimumWidth(40);
  btnBrowseOutDir = ActionButton("btnBrowseOutDir", a.actBrowseOutDir, gbOutputDir);
  btnExplore = ActionButton("btnExplore", a.actExploreOutDir, gbOutputDir);
  rbOutDirIsInDir->setChecked(true);
  connect(rbOutDirIsInDir, &QRadioButton::clicked, this, &MiddlePanel::outDirChoiceClicked);
  connect(rbOutDir, &QRadioButton::clicked, this, &MiddlePanel::outDirChoiceClicked);

  auto* dirLayout = new QGridLayout(gbOutputDir);
  dirLayout->setContentsMargins(6, 2, 6, 4);
  dirLayout->setVerticalSpacing(2);
  dirLayout->addWidget(rbOutDirIsInDir, 0, 0, 1, 4);
  dirLayout->addWidget(rbOutDir, 1, 0);
  dirLayout->addWidget(edOutDir, 1, 1);
  dirLayout->addWidget(btnBrowseOutDir, 1, 2);
  dirLayout->addWidget(btnExplore, 1, 3);
  dirLayout->setColumnStretch(1, 1);
  dirLayout->setHorizontalSpacing(4);

  lblProfile = Named(new QLabel(this), "lblProfile");
  cbProfile = Named(new QComboBox(this), "cbProfile");
  cbProfile->setMaxVisibleItems(20);
  cbProfile->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbProfile->setMinimumContentsLength(6);
  lblProfile->setBuddy(cbProfile);
  btnLoadProfile = ActionButton("btnLoadProfile", a.actLoadSelectedProfile, this);
  btnSaveProfile = ActionButton("btnSaveProfile", a.actSaveProfile, this, true);
  btnSaveProfile->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));

  for (QComboBox* box : {cbOutputExists, cbAfterConversion}) {
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(6);
  }

  // Left: the output directory group; right: the two choices and the profile row.
  auto* choices = new QGridLayout();
  choices->setVerticalSpacing(3);
  choices->setHorizontalSpacing(4);
  choices->addWidget(lblIfOutputExists, 0, 0);
  choices->addWidget(cbOutputExists, 0, 1);
  choices->addWidget(lblAfterConversion, 1, 0);
  choices->addWidget(cbAfterConversion, 1, 1);
  choices->addWidget(lblFilesAtOnce, 1, 2);
  choices->addWidget(cbFilesAtOnce, 1, 3);
  // The profile row has its own short label, so it needs no more width than the rows above.
  auto* profileRow = new QHBoxLayout();
  profileRow->setSpacing(4);
  profileRow->addWidget(lblProfile);
  profileRow->addWidget(cbProfile, 1);
  profileRow->addWidget(btnLoadProfile);
  profileRow->addWidget(btnSaveProfile);
  choices->addLayout(profileRow, 2, 0, 1, 4);
  choices->setColumnStretch(1, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(gbOutputDir, 4);
  layout->addLayout(choices, 5);
}

void MiddlePanel::Prepare(const QString& programDir) {
  cbOutputExists->clear();
  cbOutputExists->addItems({QStringLiteral("Rename file"), QStringLiteral("Overwrite it"), QStringLiteral("Skip file")});
  cbOutputExists->setCurrentIndex(0);
  cbAfterConversion->clear();
  cbAfterConversion->addItems({QStringLiteral("Do nothing"), QStringLiteral("Close application")});
  cbAfterConversion->setCurrentIndex(0);
  cbFilesAtOnce->clear();
  cbFilesAtOnce->addItem(QStringLiteral("Auto"), 0);
  for (unsigned files = 1; files <= UsableCores(); ++files) cbFilesAtOnce->addItem(QString::number(files), static_cast<int>(files));
  SelectFilesAtOnce(1);
  edOutDir->setText(programDir);
}

int MiddlePanel::FilesAtOnce() const { return cbFilesAtOnce->currentData().toInt(); }

void MiddlePanel::SelectFilesAtOnce(int value) {
  const int index = cbFilesAtOnce->findData(value);
  cbFilesAtOnce->setCurrentIndex(index >= 0 ? index : cbFilesAtOnce->count() - 1);
}

void MiddlePanel::SetLang(UiLanguage lang) {
  if (cbProfile->count() > 1) {
    const int selected = cbProfile->currentIndex();
    cbProfile->setItemText(0, ToQ(kProfileEntryLastSession(lang)));
    cbProfile->setItemText(1, ToQ(kProfileEntryDefaultsRenamed(lang)));
    cbProfile->setCurrentIndex(selected < 0 ? 0 : selected);
  }
  ReplaceEntries(cbAfterConversion, {ToQ(kAfterConversionDoNothing(lang)), ToQ(kAfterConversionCloseApplication(lang)),
                                     ToQ(kAfterConversionShutDown(lang))});
  rbOutDir->setAccessibleName(gbOutputDir->title());
  edOutDir->setAccessibleName(gbOutputDir->title());
  ReplaceEntries(cbOutputExists,
                 {ToQ(kOutputExistsRename(lang)), ToQ(kOutputExistsOverwrite(lang)), ToQ(kOutputExistsSkip(lang))});
}

int MiddlePanel::OutputExists() const { return cbOutputExists->currentIndex(); }

void MiddlePanel::SetOutputExists(int position) {
  cbOutputExists->setCurrentIndex(position >= 0 && position < cbOutputExists->count() ? position : 0);
}

int MiddlePanel::AfterConversion() const { return cbAfterConversion->currentIndex(); }

void MiddlePanel::SetAfterConversion(int position) {
  cbAfterConversion->setCurrentIndex(position < cbAfterConversion->count() ? position : -1);
}

bool MiddlePanel::OutDirIsInDir() const { return rbOutDirIsInDir->isChecked(); }
bool MiddlePanel::OwnOutDirChosen() const { return rbOutDir->isChecked(); }

void MiddlePanel::SetOutDirIsInDir(bool inInputDir) {
  rbOutDirIsInDir->setChecked(inInputDir);
  rbOutDir->setChecked(!inInputDir);
}

QString MiddlePanel::OutDir() const { return edOutDir->text(); }
void MiddlePanel::SetOutDir(const QString& dir) { edOutDir->setText(dir); }
void MiddlePanel::EnableOutDirEdit(bool enabled) { edOutDir->setEnabled(enabled); }

void MiddlePanel::SetProfileEntries(const std::vector<std::string>& entries, int select) {
  cbProfile->clear();
  for (const std::string& entry : entries) cbProfile->addItem(ToQ(entry));
  cbProfile->setCurrentIndex(select < cbProfile->count() ? select : 0);
}

int MiddlePanel::SelectedProfile() const { return cbProfile->currentIndex(); }

void MiddlePanel::SelectDefaultsProfile() {
  if (cbProfile->count() > 1) cbProfile->setCurrentIndex(1);
}

}  // namespace vardeno
