#include "controls/qt/qt_grid.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <algorithm>
#include <stdexcept>

#include "controls/qt/grid_model.h"
#include "controls/qt/qt_text.h"
#include "controls/qt/qt_widest_text.h"

namespace controls {
namespace {

QStringList ToQStringList(const std::vector<std::string>& cells) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(cells.size()));
  for (const std::string& cell : cells) list.append(ToQString(cell));
  return list;
}

}  // namespace

Qt::Alignment AlignmentForCode(int code) {
  static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  if (code == 9) return Qt::AlignLeft | Qt::AlignVCenter;
  if (code < 0 || code > 9) throw std::invalid_argument("Invalid alignment code");
  return kHorizontal[code / 3] | kVertical[code % 3];
}

QtGrid::QtGrid(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
  setModel(model_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  verticalHeader()->hide();
  // Fixed-height rows: the view never asks a row for its size.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  FitRowHeightToFont();
}

void QtGrid::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitRowHeightToFont();
}

void QtGrid::FitRowHeightToFont() {
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void QtGrid::SetCols(int count) {
  if (count < 0) throw std::invalid_argument("Invalid column count");
  model_->SetColumnCount(count);
}

int QtGrid::Cols() const {
  return model_->columnCount();
}

void QtGrid::SetFormatString(std::string_view titles) {
  const QStringList parts = ToQString(titles).split(QLatin1Char('|'));
  if (parts.size() > Cols()) model_->SetColumnCount(static_cast<int>(parts.size()));
  for (int c = 0; c < Cols(); ++c) model_->SetTitle(c, c < parts.size() ? parts[c] : QString());
}

void QtGrid::SetColAlignment(int col, AlignmentAttribute attribute, int code) {
  CheckColumn(*this, col);
  const Qt::Alignment alignment = AlignmentForCode(code);
  if (attribute == AlignmentAttribute::kFirst) {
    model_->SetHeaderAlignment(col, alignment);
  } else {
    model_->SetDataAlignment(col, alignment);
  }
}

void QtGrid::SetRows(int count) {
  // The header row is not part of the model and always stays.
  model_->SetDataRowCount(std::max(count, FixedRows()) - FixedRows());
}

int QtGrid::Rows() const {
  return model_->rowCount() + FixedRows();
}

void QtGrid::AddItem(const std::vector<std::string>& cells) {
  AddItem(cells, Rows());
}

void QtGrid::AddItem(const std::vector<std::string>& cells, int index) {
  CheckInsertIndex(*this, index);
  if (static_cast<int>(cells.size()) > Cols()) {
    model_->SetColumnCount(static_cast<int>(cells.size()));
  }
  model_->InsertRow(index - FixedRows(), ToQStringList(cells));
}

void QtGrid::SetTextMatrix(int row, int col, std::string_view text) {
  CheckCell(*this, row, col);
  if (row == 0) {
    model_->SetTitle(col, ToQString(text));
  } else {
    model_->SetCell(row - FixedRows(), col, ToQString(text));
  }
}

std::string QtGrid::TextMatrix(int row, int col) const {
  CheckCell(*this, row, col);
  const QString text = row == 0 ? model_->Title(col) : model_->Cell(row - FixedRows(), col);
  return ToUtf8(text);
}

void QtGrid::AutoSize(int firstCol, int lastCol) {
  CheckColumnRange(*this, firstCol, lastCol);
  // The cells are measured with the view's font metrics, as the item delegate draws
  // them (text plus the focus-frame margin on each side, plus the grid line).
  const int padding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) +
                      (showGrid() ? 1 : 0);
  const int dataRows = model_->rowCount();
  WidestText widest = WidestTextIn(font());
  for (int c = firstCol; c <= lastCol; ++c) {
    widest.StartOver();
    for (int r = 0; r < dataRows; ++r) widest.Add(r, Utf16View(model_->ShownText(r, c)));
    const int widestText =
        widest.Width([&](int r) { return model_->ShownText(r, c).toStdU16String(); });
    setColumnWidth(c, std::max(HeaderWidth(c), widestText > 0 ? widestText + padding : 0));
  }
}

int QtGrid::HeaderWidth(int col) const {
  const QHeaderView* header = horizontalHeader();
  QStyleOptionHeader option;
  option.initFrom(header);
  option.section = col;
  option.text = model_->Title(col);
  option.fontMetrics = header->fontMetrics();
  return header->style()
      ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header)
      .width();
}

}  // namespace controls
