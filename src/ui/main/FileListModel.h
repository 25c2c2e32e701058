// The file list as a Qt table model: a thin view of the core's FileList. It is the list's listener,
// so every change of the list, whoever makes it, reaches the views at once, in one signal per
// span of rows. It holds no copy of the rows: data() reads the core row on demand, so a list of
// 100,000 files costs nothing here beyond the rows on screen.
#pragma once

#include <QAbstractTableModel>

#include "filelist/FileList.h"
#include "texts/Language.h"

namespace vardeno {

class FileListModel : public QAbstractTableModel, private FileListListener {
  Q_OBJECT
 public:
  // The columns in their order: number, video file name, directory, size, status.
  enum Column { ColNumber = 0, ColName, ColDirectory, ColSize, ColStatus, ColumnCount };

  // Becomes list's listener until it is destroyed; the list must outlive the model.
  explicit FileListModel(FileList& list, QObject* parent = nullptr);
  ~FileListModel() override;

  FileList& List() const { return list_; }

  // The list has one listener, this model; another (the main window, say) hears every change
  // too through this, after the model has taken it in. Not owned; nullptr for none.
  void ForwardTo(FileListListener* next) { next_ = next; }

  // The column captions follow the language; the rows' own texts keep theirs.
  void SetLang(UiLanguage lang);
  UiLanguage Lang() const { return lang_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // Display text, alignment, and the check mark (Qt::CheckStateRole) in the first column.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  // Only the check mark can be set; it goes through FileList::SetChecked.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  // FileListListener
  void RowsAboutToBeAppended(std::size_t first, std::size_t count) override;
  void RowsAppended(std::size_t first, std::size_t count) override;
  void AboutToReset() override;
  void Reset() override;
  void RowsChanged(std::size_t first, std::size_t last) override;

  FileList& list_;
  FileListListener* next_ = nullptr;
  UiLanguage lang_ = UiLanguage::English;
};

}  // namespace vardeno
