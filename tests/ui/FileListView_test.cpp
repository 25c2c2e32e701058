// The file list view over the core's list: it mirrors every change, sets check marks in the core,
// takes dropped files and dragged rows, and stays a plain model view at 100,000 rows.
#include <QtTest>

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <filesystem>
#include <memory>

#include "app/ProgramState.h"
#include "support/TempDir.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListView.h"
#include "ui/MessageBoxes.h"

namespace vardeno {

namespace {

// Counts what a listener behind the model hears.
class CountingListener : public FileListListener {
 public:
  void RowsAppended(std::size_t, std::size_t count) override { appended += count; }
  void Reset() override { ++resets; }
  void RowsChanged(std::size_t, std::size_t) override { ++changes; }
  std::size_t appended = 0;
  int resets = 0;
  int changes = 0;
};

FileListRow Row(const std::string& name, bool checked = true) {
  FileListRow row;
  row.Checked = checked;
  row.Name = name;
  row.Directory = "/videos";
  row.SizeText = "1.00 KB";
  row.Status = "Ready";
  return row;
}

QString Cell(const QAbstractItemModel& model, int row, int column) {
  return model.index(row, column).data().toString();
}

// Drags mime data over a point of the view's viewport and drops it there, in the events the
// window system sends, then lets the view finish what it defers.
void DropOnto(FileListView& view, QMimeData* data, QPoint at, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
  std::unique_ptr<QMimeData> owned(data);
  QDragEnterEvent enter(at, actions, owned.get(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view.viewport(), &enter);
  QDragMoveEvent move(at, actions, owned.get(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view.viewport(), &move);
  QDropEvent drop(QPointF(at), actions, owned.get(), Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view.viewport(), &drop);
  QCoreApplication::sendPostedEvents();
}

QPoint RowCentre(const FileListView& view, int row) {
  return view.visualRect(view.model()->index(row, FileListModel::ColName)).center();
}

}  // namespace

class FileListViewTest : public QObject {
  Q_OBJECT
 private slots:
  void modelFollowsEveryChangeOfTheCoreList() {
    ProgramState state;
    FileListModel model(state.Files);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    CountingListener behind;
    model.ForwardTo(&behind);

    state.Files.AppendRows({Row("a.avi"), Row("b.avi", false), Row("c.avi")});
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted[0][1].toInt(), 0);
    QCOMPARE(inserted[0][2].toInt(), 2);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(Cell(model, 1, FileListModel::ColNumber), QStringLiteral("2"));
    QCOMPARE(Cell(model, 1, FileListModel::ColName), QStringLiteral("b.avi"));
    QCOMPARE(Cell(model, 1, FileListModel::ColDirectory), QStringLiteral("/videos"));
    QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    QCOMPARE(model.index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    QVERIFY(!model.index(0, 1).data(Qt::CheckStateRole).isValid());
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QCOMPARE(model.index(0, FileListModel::ColSize).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(model.index(0, FileListModel::ColStatus).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);

    // A status written by a run: one signal for that row alone.
    state.Files.SetStatus(2, "OK");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 2);
    QCOMPARE(changed[0][1].toModelIndex().row(), 2);
    QCOMPARE(Cell(model, 2, FileListModel::ColStatus), QStringLiteral("OK"));

    // Checking every row: one signal spanning the list.
    state.Files.CheckAll();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed[1][0].toModelIndex().row(), 0);
    QCOMPARE(changed[1][1].toModelIndex().row(), 2);

    // Setting the check mark through the model reaches the core.
    QVERIFY(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    QVERIFY(!state.Files.Row(0).Checked);
    QCOMPARE(state.Files.GetCheckedCount(), 2);

    state.Files.RemoveChecked();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(Cell(model, 0, FileListModel::ColName), QStringLiteral("a.avi"));
    QCOMPARE(Cell(model, 0, FileListModel::ColNumber), QStringLiteral("1"));
    // The listener behind the model heard the same.
    QCOMPARE(behind.appended, std::size_t{3});
    QCOMPARE(behind.changes, changed.count());
    QCOMPARE(behind.resets, 1);
  }

  void columnCaptionsFollowTheLanguage() {
    ProgramState state;
    FileListView view(state, nullptr);
    QCOMPARE(view.objectName(), QStringLiteral("lv"));
    QStringList english, polish;
    for (int i = 0; i < 5; ++i) english << view.model()->headerData(i, Qt::Horizontal).toString();
    state.CurrentLanguage = UiLanguage::Polish;
    view.SetLang();
    for (int i = 0; i < 5; ++i) polish << view.model()->headerData(i, Qt::Horizontal).toString();
    QCOMPARE(english, (QStringList{"No", "Video File", "Directory", "Size", "Status"}));
    QCOMPARE(polish, (QStringList{"Nr", "Plik Video", "Katalog", "Rozmiar", "Status"}));
    QCOMPARE(view.accessibleName(), QStringLiteral("Lista plików"));
  }

  void columnWidthsAndGridLines() {
    ProgramState state;
    FileListView view(state, nullptr);
    QCOMPARE(view.ColumnWidths(), (std::array<int, 5>{56, 260, 285, 80, 90}));
    QVERIFY(view.GridLines());
    view.SetColumnWidths({50, 300, 200, 70, 100});
    QCOMPARE(view.ColumnWidths(), (std::array<int, 5>{50, 300, 200, 70, 100}));
    // Values from a damaged settings file: no column vanishes or grows beyond any screen.
    view.SetColumnWidths({-5, 0, 2000000000, 70, 100});
    const auto widths = view.ColumnWidths();
    QVERIFY(widths[0] > 0 && widths[1] > 0);
    QVERIFY(widths[2] <= 8000);
    view.SetGridLines(false);
    QVERIFY(!view.GridLines());
  }

  void clickOnCheckBoxAndSpaceBarSetTheCoreRow() {
    ProgramState state;
    state.Files.AppendRows({Row("a.avi"), Row("b.avi"), Row("c.avi")});
    FileListView view(state, nullptr);
    view.resize(700, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy checks(&view, &FileListView::selectionOrChecksChanged);

    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = view.visualRect(view.model()->index(1, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect box = view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    QVERIFY(!state.Files.Row(1).Checked);
    QCOMPARE(state.Files.GetCheckedCount(), 2);
    QVERIFY(checks.count() > 0);

    // The space bar works on the focused row whatever column holds the focus.
    view.setCurrentIndex(view.model()->index(2, FileListModel::ColDirectory));
    checks.clear();
    QTest::keyClick(&view, Qt::Key_Space);
    QVERIFY(!state.Files.Row(2).Checked);
    QVERIFY(checks.count() > 0);
    QTest::keyClick(&view, Qt::Key_Space);
    QVERIFY(state.Files.Row(2).Checked);
  }

  void selectedRowIsTheFirstSelectedInListOrder() {
    ProgramState state;
    state.Files.AppendRows({Row("a.avi"), Row("b.avi"), Row("c.avi"), Row("d.avi")});
    FileListView view(state, nullptr);
    QSignalSpy current(&view, &FileListView::currentRowChanged);
    QVERIFY(!view.SelectedRow());
    auto* selection = view.selectionModel();
    selection->select(view.model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(view.SelectedRow(), std::optional<std::size_t>(3));
    QCOMPARE(current.count(), 1);
    selection->select(view.model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(view.SelectedRow(), std::optional<std::size_t>(1));
    QCOMPARE(current.count(), 2);
    // Removing the rows clears the selection, and the views that follow it hear so.
    state.Files.CheckAll();
    state.Files.RemoveChecked();
    QVERIFY(!view.SelectedRow());
    QCOMPARE(current.count(), 3);
  }

  void droppedMixAddsWhatTheRulesForDroppedFilesAdd() {
    TempDir dir;
    const std::string a = dir.Write("a.mp4", "0123456789");
    const std::string b = dir.Write("B.avi", std::string(2048, 'x'));
    const std::string listed = dir.Write("c.mkv", "x");
    const std::string list = dir.Write("list.lst", listed + "\r\n" + (dir / "readme.txt") + "\r\n");
    const std::string notes = dir.Write("notes.txt", "x");
    std::filesystem::create_directory(dir / "clips");
    dir.Write("clips/inside.avi", "x");

    ProgramState state;
    FileListView view(state, nullptr);
    QSignalSpy changed(&view, &FileListView::listChanged);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(notes)), QUrl::fromLocalFile(QString::fromStdString(b)),
                   QUrl::fromLocalFile(QString::fromStdString(dir / "clips")),
                   QUrl::fromLocalFile(QString::fromStdString(list)), QUrl::fromLocalFile(QString::fromStdString(a)),
                   QUrl(QStringLiteral("https://example.org/remote.avi"))});
    DropOnto(view, data, QPoint(10, 10));

    // Sorted without regard to case; the list file loaded at its place; the folder, the text
    // file and the remote address left out.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(view.model()->rowCount(), 3);
    QCOMPARE(Cell(*view.model(), 0, FileListModel::ColName), QStringLiteral("a.mp4"));
    QCOMPARE(Cell(*view.model(), 1, FileListModel::ColName), QStringLiteral("B.avi"));
    QCOMPARE(Cell(*view.model(), 1, FileListModel::ColSize), QStringLiteral("2.00 KB"));
    QCOMPARE(Cell(*view.model(), 2, FileListModel::ColName), QStringLiteral("c.mkv"));
    QCOMPARE(Cell(*view.model(), 2, FileListModel::ColNumber), QStringLiteral("3"));
    QCOMPARE(Cell(*view.model(), 0, FileListModel::ColDirectory), QString::fromStdString(dir.Path().string()));

    // A drop that offers only moving is refused: taking it could make the file manager delete
    // the files it believes were moved here.
    auto* moveOnly = new QMimeData;
    moveOnly->setUrls({QUrl::fromLocalFile(QString::fromStdString(a))});
    DropOnto(view, moveOnly, QPoint(10, 10), Qt::MoveAction);
    QCOMPARE(view.model()->rowCount(), 3);
  }

  void unreadableListFileShowsTheSystemErrorAndKeepsEarlierRows() {
    TempDir dir;
    const std::string a = dir.Write("a.avi", "x");
    ProgramState state;
    FileListView view(state, nullptr);
    QSignalSpy changed(&view, &FileListView::listChanged);
    SetNextMessageBoxAnswer(QMessageBox::Ok);
    const std::size_t added = view.DropFiles({QUrl::fromLocalFile(QString::fromStdString(a)),
                                              QUrl::fromLocalFile(QString::fromStdString(dir / "missing.lst"))});
    QCOMPARE(added, std::size_t{1});
    QCOMPARE(view.model()->rowCount(), 1);
    QVERIFY(LastMessageBoxText().rfind("System Error.  Code: ", 0) == 0);
    QCOMPARE(changed.count(), 1);
  }

  void draggingARowOntoAnotherSwapsTextsAndKeepsChecks() {
    ProgramState state;
    state.Files.AppendRows({Row("a.avi", true), Row("b.avi", true), Row("c.avi", false)});
    state.Files.SetStatus(0, "OK");
    FileListView view(state, nullptr);
    view.resize(700, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.selectionModel()->select(view.model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QSignalSpy changed(&view, &FileListView::listChanged);

    DropOnto(view, view.CreateRowDragData(), RowCentre(view, 2), Qt::MoveAction);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(Cell(*view.model(), 0, FileListModel::ColName), QStringLiteral("c.avi"));
    QCOMPARE(Cell(*view.model(), 2, FileListModel::ColName), QStringLiteral("a.avi"));
    QCOMPARE(Cell(*view.model(), 2, FileListModel::ColStatus), QStringLiteral("OK"));
    QCOMPARE(Cell(*view.model(), 0, FileListModel::ColNumber), QStringLiteral("1"));
    QVERIFY(state.Files.Row(0).Checked);
    QVERIFY(!state.Files.Row(2).Checked);
    QCOMPARE(view.SelectedRow(), std::optional<std::size_t>(0));

    // Below the last row there is no row to exchange with; data from another list is not a row.
    DropOnto(view, view.CreateRowDragData(), QPoint(20, view.viewport()->height() - 2), Qt::MoveAction);
    ProgramState otherState;
    FileListView other(otherState, nullptr);
    DropOnto(view, other.CreateRowDragData(), RowCentre(view, 1), Qt::MoveAction);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(Cell(*view.model(), 0, FileListModel::ColName), QStringLiteral("c.avi"));
    QCOMPARE(Cell(*view.model(), 1, FileListModel::ColName), QStringLiteral("b.avi"));
  }

  void hundredThousandRowsAreShownWithoutPerRowObjects() {
    ProgramState state;
    FileListView view(state, nullptr);
    view.resize(700, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const auto objectsBefore = view.findChildren<QObject*>().size();

    std::vector<FileListRow> rows;
    rows.reserve(100000);
    for (int i = 0; i < 100000; ++i) rows.push_back(Row("clip" + std::to_string(i) + ".avi"));
    state.Files.AppendRows(std::move(rows));
    view.scrollToBottom();
    QCoreApplication::processEvents();

    QCOMPARE(view.model()->rowCount(), 100000);
    QCOMPARE(view.findChildren<QObject*>().size(), objectsBefore);
    const QModelIndex last = view.model()->index(99999, FileListModel::ColName);
    QVERIFY(view.viewport()->rect().intersects(view.visualRect(last)));
    QCOMPARE(view.indexAt(view.visualRect(last).center()), last);
    QCOMPARE(Cell(*view.model(), 99999, FileListModel::ColNumber), QStringLiteral("100000"));
  }
};

}  // namespace vardeno

QTEST_MAIN(vardeno::FileListViewTest)
#include "FileListView_test.moc"
