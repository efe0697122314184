#pragma once
// The cells behind a QtGrid. The header row is the horizontal header; model row r is
// grid row r + 1. Rows are stored as they came: a row shorter than the column count
// is not padded, so appending costs one small allocation and one insert notice.
#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace controls {

class GridModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Growing adds columns with empty titles; shrinking drops the cells beyond.
  void SetColumnCount(int count);
  void SetTitle(int col, const QString& title);
  const QString& Title(int col) const { return titles_[col]; }
  // Growing adds empty rows; shrinking drops rows from the end.
  void SetDataRowCount(int count);
  // `at` is a model row, 0 .. rowCount(); the row must not be wider than the model.
  void InsertRow(int at, QStringList cells);
  void SetCell(int row, int col, const QString& text);
  // Empty for a cell its row never had.
  QString Cell(int row, int col) const;
  // What the cell shows: its text, cut after kLongestShownText characters with "…".
  // A setting of megabytes (a snapshot line can hold one) would otherwise freeze every
  // repaint and every fitting of the columns; Cell still gives it whole.
  QString ShownText(int row, int col) const;
  static constexpr int kLongestShownText = 4096;

  void SetHeaderAlignment(int col, Qt::Alignment alignment);
  void SetDataAlignment(int col, Qt::Alignment alignment);

 private:
  QStringList titles_;  // one per column
  QList<Qt::Alignment> headerAlignment_;
  QList<Qt::Alignment> dataAlignment_;
  std::vector<QStringList> rows_;
};

}  // namespace controls
