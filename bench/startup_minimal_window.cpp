// The yardstick of startup_bench: a minimal Qt 6 main window with a menu, a tool bar and an empty
// five-column list, started and shown the way vardeno is.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QToolBar>
#include <QTreeView>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Minimal Qt window"));
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
  file->addAction(QStringLiteral("Exit"), &window, &QWidget::close);
  QToolBar* bar = window.addToolBar(QStringLiteral("Main"));
  for (const char* caption : {"Add files", "Remove", "CONVERT", "Options", "Home page", "About"})
    bar->addAction(QString::fromLatin1(caption));
  QStandardItemModel model(0, 5);
  model.setHorizontalHeaderLabels({"No", "Video File", "Directory", "Size", "Status"});
  auto* list = new QTreeView(&window);
  list->setModel(&model);
  window.setCentralWidget(list);
  window.resize(793, 519);
  window.show();
  return app.exec();
}
