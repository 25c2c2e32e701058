#include "ui/main/MainToolBar.h"

#include <QToolButton>

namespace vardeno {

namespace {

// Band RGB 82,35,35; bold 12-pixel light text; hot track RGB 157,131,130; buttons 76 pixels wide
// at least (a longer caption widens its button rather than being cut).
const char* const kStyle =
    "QToolBar#tbMain { background: rgb(82,35,35); border: none; spacing: 2px; padding: 2px; }"
    "QToolBar#tbMain::separator { background: rgb(120,80,80); width: 1px; margin: 4px 3px; }"
    "QToolBar#tbMain QToolButton { color: rgb(236,235,230); font-weight: bold; font-size: 12px;"
    " min-width: 76px; padding: 5px 4px; border: 1px solid transparent; background: transparent; }"
    "QToolBar#tbMain QToolButton:hover, QToolBar#tbMain QToolButton:focus {"
    " background: rgb(157,131,130); }"
    "QToolBar#tbMain QToolButton:disabled { color: rgb(150,120,118); }";

QToolButton* AddButton(QToolBar* bar, const char* name, QAction* action) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setFocusPolicy(Qt::TabFocus);
  button->setEnabled(action->isEnabled());
  QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
  QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
  bar->addWidget(button);
  return button;
}

}  // namespace

MainToolBar::MainToolBar(const MainActions& a, QWidget* parent) : QToolBar(parent) {
  setObjectName(QStringLiteral("tbMain"));
  setMovable(false);
  setFloatable(false);
  setContextMenuPolicy(Qt::PreventContextMenu);
  toggleViewAction()->setVisible(false);
  setStyleSheet(QString::fromLatin1(kStyle));
  btnAdd = AddButton(this, "btnAdd", a.actAddFiles);
  addSeparator();
  btnRemove = AddButton(this, "btnRemove", a.actRemoveChecked);
  addSeparator();
  btnConvert = AddButton(this, "btnConvert", a.actConvert);
  addSeparator();
  btnPreview = AddButton(this, "btnPreview", a.actShowFramePreview);
  addSeparator();
  btnOptions = AddButton(this, "btnOptions", a.actShowOptions);
  addSeparator();
  btnHomePage = AddButton(this, "btnHomePage", a.actGoToHomePage);
  addSeparator();
  btnAbout = AddButton(this, "btnAbout", a.actAbout);
}

}  // namespace vardeno
