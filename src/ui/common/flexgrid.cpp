#include "ui/common/flexgrid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <algorithm>

#include "ui/common/widget_services.h"

namespace ostrevan::ui {

QColor ColorFromBgr(unsigned bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

GridTableModel::GridTableModel(Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
  listener_ = grid_.Listen([this] { Refresh(); });
  rows_ = grid_.Rows() - 1;
  cols_ = grid_.Cols();
}

GridTableModel::~GridTableModel() { grid_.Unlisten(listener_); }

void GridTableModel::Refresh() {
  // A whole reset is cheaper than tracking single changes of rows filled by the thousand.
  beginResetModel();
  rows_ = grid_.Rows() - 1;
  cols_ = grid_.Cols();
  endResetModel();
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row() + 1;
  if (row >= grid_.Rows()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return grid_.TextMatrix(row, index.column());
    case Qt::BackgroundRole: {
      unsigned back = grid_.RowBackColor(row);
      return back == Grid::kDefaultBack ? QVariant() : QVariant(ColorFromBgr(back));
    }
    case Qt::ForegroundRole: {
      unsigned fore = grid_.RowForeColor(row);
      return fore == Grid::kDefaultFore ? QVariant() : QVariant(ColorFromBgr(fore));
    }
    case Qt::TextAlignmentRole: {
      const int a = grid_.ColAlignment(index.column());
      if (a == Grid::flexAlignCenter) return int(Qt::AlignCenter);
      if (a == Grid::flexAlignRight) return int(Qt::AlignRight | Qt::AlignVCenter);
      return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    default:
      return {};
  }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o == Qt::Horizontal && role == Qt::DisplayRole && grid_.Rows() > 0) {
    return grid_.TextMatrix(0, section);
  }
  return QAbstractTableModel::headerData(section, o, role);
}

FlexGrid::FlexGrid(Grid& grid, QWidget* parent) : QTableView(parent) {
  model_ = new GridTableModel(grid, this);
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Tab and Shift+Tab leave the grid for the next or previous control, as the classic grid's
  // did; the arrows walk the cells.
  setTabKeyNavigation(false);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  // A column a few twips wide is practically hidden, as on the classic grid.
  horizontalHeader()->setMinimumSectionSize(1);
  setAlternatingRowColors(false);
  setWordWrap(false);
  connect(model_, &QAbstractItemModel::modelReset, this, [this] { Sync(); });
  listener_ = grid.Listen([this] {
    if (!syncing_) Sync();
  });
  // The user's moves become the model's current row, as the classic grid's Row.
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& i) {
            if (syncing_ || !i.isValid()) return;
            syncing_ = true;
            Model().SetRow(i.row() + 1);
            syncing_ = false;
          });
  Sync();
}

FlexGrid::~FlexGrid() { Model().Unlisten(listener_); }

void FlexGrid::KeepWhole(int col) {
  whole_.push_back(col);
  Sync();
}

int FlexGrid::WholeWidth(int col) const {
  const Grid& g = model_->Model();
  // The cell's text margins and the grid line on either side.
  const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
  int widest =
      horizontalHeader()->fontMetrics().horizontalAdvance(g.TextMatrix(0, col)) + margin + 8;
  // Shaping every text of thousands of rows on each repaint costs more than the repaint: only
  // the texts within a character of the longest are measured (these columns hold codes and
  // figures, whose digits are all of one width).
  int longest = 0;
  for (int r = 1; r < g.Rows(); ++r) longest = std::max(longest, int(g.TextMatrix(r, col).size()));
  QSet<QString> candidates;
  for (int r = 1; r < g.Rows(); ++r) {
    QString t = g.TextMatrix(r, col);
    if (t.size() >= longest - 1) candidates.insert(std::move(t));
  }
  const QFontMetrics fm = fontMetrics();
  for (const QString& t : candidates) widest = std::max(widest, fm.horizontalAdvance(t) + margin);
  return widest;
}

void FlexGrid::Sync() {
  Grid& g = Model();
  syncing_ = true;
  for (int c = 0; c < g.Cols(); ++c) {
    const int w = g.ColWidth(c);
    setColumnHidden(c, w == 0);
    if (w > 0) {
      int px = TwipsToPixels(w, this);
      if (std::find(whole_.begin(), whole_.end(), c) != whole_.end())
        px = std::max(px, WholeWidth(c));
      setColumnWidth(c, px);
    }
  }
  if (g.Rows() > 1) {
    if (g.Row() >= 1) {
      const QModelIndex current = model_->index(g.Row() - 1, 0);
      setCurrentIndex(current);
      selectRow(g.Row() - 1);
    } else {
      clearSelection();
    }
    if (g.TopRow() >= 1 && g.TopRow() < g.Rows()) {
      scrollTo(model_->index(g.TopRow() - 1, 0), QAbstractItemView::PositionAtTop);
    }
  }
  syncing_ = false;
}

}  // namespace ostrevan::ui
