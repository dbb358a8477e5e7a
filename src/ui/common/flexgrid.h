#pragma once
// A table view over the grid model: row 0 of the model is the header, widths come in twips,
// colours in blue-green-red, and the view's current row is the model's Row.
#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

#include "data/controls.h"

namespace ostrevan::ui {

QColor ColorFromBgr(unsigned bgr);

class GridTableModel final : public QAbstractTableModel {
 public:
  explicit GridTableModel(Grid& grid, QObject* parent = nullptr);
  ~GridTableModel() override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  Grid& Model() { return grid_; }
  void Refresh();

 private:
  Grid& grid_;
  int listener_;
  int rows_ = 0, cols_ = 0;
};

class FlexGrid final : public QTableView {
 public:
  explicit FlexGrid(Grid& grid, QWidget* parent = nullptr);
  ~FlexGrid() override;
  Grid& Model() { return model_->Model(); }
  // Applies the model's column widths, the top row and the current row to the view.
  void Sync();
  // The column is never narrower than its widest text (a tariff code, an operation number).
  void KeepWhole(int col);

 private:
  GridTableModel* model_;
  int WholeWidth(int col) const;
  std::vector<int> whole_;
  bool syncing_ = false;
  int listener_ = 0;
};

}  // namespace ostrevan::ui
