// The middle panel pnMid of the main window: what to do when an output file exists and after a
// conversion, how many files convert at once, the output directory group, and the profile row.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "texts/Language.h"
#include "ui/main/MainActions.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vardeno {

class MiddlePanel : public QWidget {
  Q_OBJECT
 public:
  MiddlePanel(const MainActions& actions, QWidget* parent);

  // Fills the output-exists list (3 entries) and the after-conversion list (its first 2 entries;
  // SetLang adds the third), selects the first of each, and puts programDir into edOutDir.
  void Prepare(const QString& programDir);
  // The lists' entries in lang (selections stay), and the accessible names of the radio button and
  // edit that have no caption of their own: the output group's title, which must be set first.
  void SetLang(UiLanguage lang);

  // What to do when an output exists: the position in cbOutputExists (rename, overwrite, skip).
  // A value outside the list selects "Rename file": with no choice at all the encoder would write
  // over an existing output without a word.
  int OutputExists() const;
  void SetOutputExists(int position);
  // What to do after a conversion: the position in cbAfterConversion; outside the list, none.
  int AfterConversion() const;
  void SetAfterConversion(int position);
  // The chosen number of files at once (0: Auto); select picks value, or the highest offered
  // when value is above it. cbFilesAtOnce holds "Auto" (item data 0), then 1 to the usable cores.
  int FilesAtOnce() const;
  void SelectFilesAtOnce(int value);

  // The output folder: beside each input (rbOutDirIsInDir) or the one in edOutDir (rbOutDir).
  bool OutDirIsInDir() const;
  bool OwnOutDirChosen() const;
  void SetOutDirIsInDir(bool inInputDir);
  QString OutDir() const;
  void SetOutDir(const QString& dir);
  void EnableOutDirEdit(bool enabled);

  // The profile list (cbProfile): entries replaced, select outside the list selects the first.
  void SetProfileEntries(const std::vector<std::string>& entries, int select);
  int SelectedProfile() const;
  // Selects the encoder defaults' entry (the second) when the list has it.
  void SelectDefaultsProfile();

 signals:
  // Either output-directory radio button was clicked.
  void outDirChoiceClicked();

 private:
  QLabel* lblIfOutputExists;
  QComboBox* cbOutputExists;
  QLabel* lblAfterConversion;
  QComboBox* cbAfterConversion;
  QLabel* lblFilesAtOnce;
  QComboBox* cbFilesAtOnce;
  QGroupBox* gbOutputDir;
  QRadioButton* rbOutDirIsInDir;
  QRadioButton* rbOutDir;
  QLineEdit* edOutDir;
  QPushButton* btnBrowseOutDir;
  QPushButton* btnExplore;
  QLabel* lblProfile;
  QComboBox* cbProfile;
  QPushButton* btnLoadProfile;
  QPushButton* btnSaveProfile;
};

}  // namespace vardeno
