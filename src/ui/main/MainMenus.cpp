#include "ui/main/MainMenus.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <initializer_list>

namespace vardeno {

namespace {

// nullptr in the list stands for a separator.
void Fill(QMenu* menu, std::initializer_list<QAction*> items) {
  for (QAction* item : items) {
    if (item)
      menu->addAction(item);
    else
      menu->addSeparator();
  }
}

QMenu* AddMenu(QMenuBar* bar, const char* name) {
  QMenu* menu = bar->addMenu(QString());
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
  return menu;
}

}  // namespace

MainMenus CreateMainMenus(QMainWindow* window, const MainActions& a) {
  MainMenus m;
  m.MainMenu1 = new QMenuBar(window);
  m.MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  window->setMenuBar(m.MainMenu1);

  m.mnuFile = AddMenu(m.MainMenu1, "mnuFile");
  Fill(m.mnuFile, {a.actConvert, nullptr, a.actSaveBAT, nullptr, a.actShowOptions, nullptr, a.actMinimizeToTray,
                   a.actExit});
  m.mnuView = AddMenu(m.MainMenu1, "mnuView");
  Fill(m.mnuView, {a.actShowProgressWindow, a.actShowHideBottomPanel, a.actShowHideFileInfo, a.actShowFramePreview, nullptr,
                   a.actShowHideFormErrors});
  m.mnuFileList = AddMenu(m.MainMenu1, "mnuFileList");
  Fill(m.mnuFileList, {a.actAddFiles, a.actRemoveChecked, nullptr, a.actCheckAll, a.actInvertSelection, nullptr,
                       a.actLoadFileList, a.actSaveFileList, nullptr, a.actExploreDirectory});
  m.mnuEncoder = AddMenu(m.MainMenu1, "mnuEncoder");
  Fill(m.mnuEncoder, {a.actLoadProfile, a.actSaveProfile, nullptr, a.actSetDefault, nullptr, a.actShowCmdLine});
  m.mnuHelp = AddMenu(m.MainMenu1, "mnuHelp");
  Fill(m.mnuHelp, {a.actGoToHomePage, nullptr, a.actAbout});
  m.mnuZune = AddMenu(m.MainMenu1, "mnuZune");
  Fill(m.mnuZune, {a.actZune_Home, nullptr, a.actZune_Spec_4GB, a.actZune_Spec_8GB, a.actZune_Spec_16GB,
                   a.actZune_Spec_30GB, a.actZune_Spec_80GB, a.actZune_Spec_120GB});
  m.mnuZune->addSeparator()->setVisible(false);
  m.mnuZune->addAction(a.actZune_Compare);

  m.popLv = new QMenu(window);
  m.popLv->setObjectName(QStringLiteral("popLv"));
  Fill(m.popLv, {a.actConvert, nullptr, a.actAddFiles, a.actRemoveChecked, nullptr, a.actCheckAll,
                 a.actInvertSelection, nullptr, a.actLoadFileList, a.actSaveFileList, nullptr,
                 a.actShowHideFileInfo, a.actShowFramePreview, nullptr, a.actExploreDirectory});

  m.popTi = new QMenu(window);
  m.popTi->setObjectName(QStringLiteral("popTi"));
  Fill(m.popTi, {a.actShowHideMainWindow, nullptr, a.actExit});
  return m;
}

}  // namespace vardeno
