#include "ui/main/MainActions.h"

#include <QKeySequence>
#include <QWidget>

namespace vardeno {

namespace {

struct ActionEntry {
  QAction* MainActions::*member;
  const char* name;
  QKeySequence shortcut;
};

// The one table of the main window's actions.
const ActionEntry kActions[] = {
    {&MainActions::actEsc, "actEsc", QKeySequence(Qt::Key_Escape)},
    {&MainActions::actConvert, "actConvert", QKeySequence(Qt::CTRL | Qt::Key_E)},
    {&MainActions::actSaveBAT, "actSaveBAT", {}},
    {&MainActions::actMinimizeToTray, "actMinimizeToTray", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_M)},
    {&MainActions::actExit, "actExit", {}},
    {&MainActions::actLoadProfile, "actLoadProfile", QKeySequence(Qt::CTRL | Qt::Key_P)},
    {&MainActions::actSaveProfile, "actSaveProfile", QKeySequence(Qt::CTRL | Qt::Key_S)},
    {&MainActions::actLoadSelectedProfile, "actLoadSelectedProfile", {}},
    {&MainActions::actSetDefault, "actSetDefault", {}},
    {&MainActions::actAddFiles, "actAddFiles", QKeySequence(Qt::CTRL | Qt::Key_O)},
    {&MainActions::actRemoveChecked, "actRemoveChecked", {}},
    {&MainActions::actCheckAll, "actCheckAll", QKeySequence(Qt::CTRL | Qt::Key_A)},
    {&MainActions::actInvertSelection, "actInvertSelection", QKeySequence(Qt::CTRL | Qt::Key_I)},
    {&MainActions::actLoadFileList, "actLoadFileList", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_O)},
    {&MainActions::actSaveFileList, "actSaveFileList", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S)},
    {&MainActions::actExploreDirectory, "actExploreDirectory", {}},
    {&MainActions::actShowCmdLine, "actShowCmdLine", QKeySequence(Qt::Key_F2)},
    {&MainActions::actShowFramePreview, "actShowFramePreview", QKeySequence(Qt::Key_F3)},
    {&MainActions::actShowProgressWindow, "actShowProgressWindow", QKeySequence(Qt::Key_F8)},
    {&MainActions::actShowHideBottomPanel, "actShowHideBottomPanel", QKeySequence(Qt::Key_F9)},
    {&MainActions::actShowHideFileInfo, "actShowHideFileInfo", QKeySequence(Qt::Key_F10)},
    {&MainActions::actShowHideFormErrors, "actShowHideFormErrors", QKeySequence(Qt::Key_F11)},
    {&MainActions::actShowOptions, "actShowOptions", QKeySequence(Qt::Key_F12)},
    {&MainActions::actShowHideMainWindow, "actShowHideMainWindow", {}},
    {&MainActions::actBrowseOutDir, "actBrowseOutDir", {}},
    {&MainActions::actExploreOutDir, "actExploreOutDir", {}},
    {&MainActions::actGoToHomePage, "actGoToHomePage", QKeySequence(Qt::Key_F1)},
    {&MainActions::actAbout, "actAbout", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1)},
    {&MainActions::actZune_Home, "actZune_Home", {}},
    {&MainActions::actZune_Spec_4GB, "actZune_Spec_4GB", {}},
    {&MainActions::actZune_Spec_8GB, "actZune_Spec_8GB", {}},
    {&MainActions::actZune_Spec_16GB, "actZune_Spec_16GB", {}},
    {&MainActions::actZune_Spec_30GB, "actZune_Spec_30GB", {}},
    {&MainActions::actZune_Spec_80GB, "actZune_Spec_80GB", {}},
    {&MainActions::actZune_Spec_120GB, "actZune_Spec_120GB", {}},
    {&MainActions::actZune_Compare, "actZune_Compare", {}},
};

}  // namespace

MainActions CreateMainActions(QWidget* window) {
  MainActions actions;
  for (const ActionEntry& entry : kActions) {
    auto* action = new QAction(window);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setShortcut(entry.shortcut);
    // Shortcuts of the main window. While one of its tool windows (file information, errors,
    // preview) is active, Qt keeps the main window's window shortcuts active too; Esc is then
    // that tool window's own, so the main window's Esc only acts with the focus inside it.
    action->setShortcutContext(entry.member == &MainActions::actEsc ? Qt::WidgetWithChildrenShortcut
                                                                     : Qt::WindowShortcut);
    window->addAction(action);
    actions.*(entry.member) = action;
    actions.all.push_back(action);
  }
  actions.actZune_Spec_30GB->setVisible(false);
  actions.actZune_Compare->setVisible(false);
  return actions;
}

}  // namespace vardeno
