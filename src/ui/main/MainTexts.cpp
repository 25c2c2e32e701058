#include "ui/main/MainTexts.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QMenu>
#include <QRegularExpression>
#include <QStringList>
#include <QToolButton>

#include "app/ProgramState.h"
#include "texts/AfterRunTexts.h"
#include "texts/ConversionTexts.h"
#include "texts/PlatformTexts.h"
#include "texts/ProfileTexts.h"
#include "ui/main/ControlsUpdating.h"
#include "ui/main/FileListView.h"
#include "ui/main/MiddlePanel.h"
#include "ui/windows/FramePreviewWindow.h"
#include "ui/QtText.h"
#include "ui/main/SettingsPanels.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {

struct NamedText {
  const char* name;  // objectName of a menu, action, label, group box or button
  LangText text;
};

// The texts of the main window's own controls, in the order the language routine sets them (the
// menus' titles carry an "&" so that Alt and a letter opens them). The
// settings panels and the list's column headers set their own (SettingsPanels::SetLang,
// FileListView::SetLang) at their places in this order.
const NamedText kTextsBeforePanels[] = {
    {"mnuZune", {"&ZUNE", "&ZUNE"}},
    {"actZune_Home", {"Zune.net", "Zune.net"}},
    {"actZune_Compare", {"Zune - comparison", "Zune - porównanie produktów"}},
    {"actZune_Spec_4GB", {"Zune 4 - specification", "Specyfikacja Zune 4"}},
    {"actZune_Spec_8GB", {"Zune 8 - specification", "Specyfikacja Zune 8"}},
    {"actZune_Spec_16GB", {"Zune 16 - specification", "Specyfikacja Zune 16"}},
    {"actZune_Spec_30GB", {"Zune 30 specification", "Specyfikacja Zune 30"}},
    {"actZune_Spec_80GB", {"Zune 80 specification", "Specyfikacja Zune 80"}},
    {"actZune_Spec_120GB", {"Zune 120 - specification", "Specyfikacja Zune 120"}},
    {"actExploreOutDir", {"Explore...", "Eksploruj..."}},
    {"actShowCmdLine", {"FFmpeg command-line parameters...", "Parametry przekazywane do kodera FFmpeg..."}},
    {"lblProfile", {"Profile :", "Profil :"}},
    {"actLoadSelectedProfile", {"<- Load", "<- Wczytaj"}},
};

const NamedText kTextsAfterPanels[] = {
    {"mnuView", {"&View", "&Widok"}},
    {"mnuFile", {"&File", "&Plik"}},
    {"mnuFileList", {"File &list", "&Lista plików"}},
    {"mnuEncoder", {"&Encoder", "&Koder"}},
    {"mnuHelp", {"&Help", "Pomo&c"}},
    {"actConvert", {"Convert checked files", "Konwertuj zaznaczone pliki"}},
    {"actMinimizeToTray", {"Minimize to system tray", "Minimalizuj do zasobnika"}},
    {"actExit", {"Exit", "Zamknij"}},
    {"actLoadProfile", {"Load encoder settings...", "Wczytaj ustawienia kodera..."}},
    {"actSaveProfile", {"Save encoder settings...", "Zapisz ustawienia kodera..."}},
    {"actAddFiles", {"Add files to list...", "Dodaj pliki do listy..."}},
    {"actRemoveChecked", {"Remove checked files from list", "Usuń z listy zaznaczone pliki"}},
    {"actLoadFileList", {"Load file list...", "Wczytaj listę plików..."}},
    {"actSaveFileList", {"Save file list...", "Zapisz listę plików..."}},
    {"actCheckAll", {"Check all", "Zaznacz wszystko"}},
    {"actInvertSelection", {"Invert selection", "Odwróć zaznaczenie"}},
    {"actGoToHomePage", {"Home page", "Strona programu"}},
    {"actAbout", {"About...", "O programie..."}},
    {"actShowOptions", {"Options...", "Opcje..."}},
    {"actBrowseOutDir", {"Browse...", "Przeglądaj..."}},
    {"actSaveBAT", kSaveScriptCaption},
    {"actSetDefault", {"Default encoder settings", "Domyślne ustawienia kodera"}},
    {"actShowHideFormErrors", {"Show / hide error log", "Pokaż / ukryj komunikaty błędów"}},
    {"actShowFramePreview", {"Frame preview...", "Podgląd klatki..."}},
    {"btnPreview", {"Preview", "Podgląd"}},
    {"actShowHideFileInfo", {"Show / hide video file properties", "Pokaż / ukryj właściwości pliku video"}},
    {"actShowHideBottomPanel", {"Show / hide bottom panel", "Pokaż / ukryj panel z ustawieniami audio && video"}},
    {"actShowProgressWindow", {"Show progress window", "Pokaż okno konwersji"}},
    {"lblIfOutputExists", {"If output file exists :", "Jeśli plik już istnieje :"}},
    {"lblAfterConversion", {"After conversion :", "Po konwersji :"}},
    {"lblFilesAtOnce", {"Files at once :", "Plików naraz :"}},
    {"gbOutputDir", {"Output directory", "Katalog docelowy"}},
    {"rbOutDirIsInDir", {"Output directory = Input directory", "Katalog docelowy = katalog źródłowy"}},
    {"btnAdd", {"Add files", "Dodaj pliki"}},
    {"btnRemove", {"Remove", "Usuń"}},
    {"btnConvert", {"CONVERT", " KONWERTUJ "}},
    {"btnOptions", {"Options", "Opcje"}},
    {"btnHomePage", {"Home page", "WWW"}},
    {"btnAbout", {"About", "O programie"}},
};

// The caption setter of each kind of control; an action's hint is its caption.
void SetCaption(QObject* target, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(target)) {
    action->setText(text);
    action->setToolTip(QString(text).replace(QStringLiteral("&&"), QStringLiteral("&")));
  } else if (auto* menu = qobject_cast<QMenu*>(target)) {
    menu->setTitle(text);
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
    group->setTitle(text);
  }
}

void SetTexts(QObject* window, const NamedText* first, const NamedText* last, UiLanguage lang) {
  for (const NamedText* entry = first; entry != last; ++entry) {
    QObject* target = window->findChild<QObject*>(QString::fromLatin1(entry->name));
    if (target) SetCaption(target, ToQ(entry->text(lang)));
  }
}

}  // namespace

void MainWindow::SetLang() {
  ControlsUpdatingGuard guard(state_.ControlsUpdating);
  const UiLanguage lang = state_.Params.Language;
  SetTexts(this, std::begin(kTextsBeforePanels), std::end(kTextsBeforePanels), lang);
  pnBottom_->SetLang();
  lv_->SetLang();
  if (preview_) preview_->SetLang(lang);
  SetTexts(this, std::begin(kTextsAfterPanels), std::end(kTextsAfterPanels), lang);

  pnMid_->SetLang(lang);
  // The texts of the other language may need another height.
  FitBottomPanel();
}

std::string MainWindowToggleCaption(bool windowVisible, UiLanguage lang) {
  return windowVisible ? LangText{"Minimize to tray", "Minimalizuj do zasobnika"}(lang)
                       : LangText{"Show main window", "Pokaż okno główne"}(lang);
}

std::string ExploreDirectoryCaption(const std::string& directory, UiLanguage lang) {
  return LangText{"Open directory \"", "Otwórz katalog \""}(lang) + directory + "\"";
}

std::string CloseApplicationQuestion(UiLanguage lang) {
  return LangText{"Close application?", "Czy chcesz zakończyć program?"}(lang);
}

std::string EndRunAndCloseQuestion(UiLanguage lang) {
  return LangText{"A conversion is running. Abort it and close the application?",
                  "Trwa konwersja. Czy chcesz ją przerwać i zakończyć program?"}(lang);
}

QString ToQtFilter(const std::string& filter) {
  const QStringList parts = ToQ(filter).split(QLatin1Char('|'));
  QStringList result;
  static const QRegularExpression ownList(QStringLiteral("\\s*\\([^()]*\\)$"));
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    patterns.removeDuplicates();
    QString description = parts[i];
    description.remove(ownList);
    result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return result.join(QStringLiteral(";;"));
}

QString AddFilesFilter(UiLanguage lang) {
  const std::string types =
      "*.avi;*.divx;*.xvid;*.mpg;*.mpeg;*.mpe;*.wmv;*.asf;*.mp4;*.m4v;*.mp4v;*.mov;*.qt;*.3gp;*.3gpp;*.3g2;*.3gp2;"
      "*.mkv;*.flv;*.swf;*.vob;*.wmv;*.asf;*.dat";
  const std::string all = lang == UiLanguage::Polish ? "Wszystkie obsługiwane formaty video" : "All supported video files";
  const std::string mobile = lang == UiLanguage::Polish ? "Filmy z telefonów kom. (*.3gp, *.3gpp, *.3g2, *.3gp2)"
                                                        : "Mobile phone video (*.3gp, *.3gpp, *.3g2, *.3gp2)";
  return ToQtFilter(all + "|" + types +
                    "|AVI, DivX, XviD files (*.avi, *.divx, *.xvid)|*.avi;*.divx;*.xvid"
                    "|MPEG video (*.mpg, *.mpeg, *.mpe)|*.mpg;*.mpeg;*.mpe"
                    "|Windows Media Video (*.wmv, *.asf)|*.wmv;*.asf"
                    "|iPod/iPhone/PSP video (*.mp4, *.m4v, *.mp4v)|*.mp4;*.m4v;*.mp4v"
                    "|QuickTime video (*.mov, *.qt)|*.mov;*.qt|" +
                    mobile +
                    "|*.3gp;*.3gpp;*.3g2;*.3gp2|Matroska (*.mkv)|*.mkv|Flash video (*.flv, *.swf)|*.flv;*.swf"
                    "|DVD video (*.vob)|*.vob|VCD DAT video (*.dat)|*.dat");
}

QString ListFileFilter(UiLanguage lang) {
  return ToQtFilter(LangText{"File list (*.LST)|*.lst", "Lista plików (*.LST)|*.lst"}(lang));
}

QString ProfileFilter(UiLanguage lang) { return ToQtFilter(kProfileFileFilter(lang)); }

QString ScriptFileFilter(UiLanguage lang) {
  return ToQtFilter(kScriptFileFilter(lang));
}

}  // namespace vardeno
