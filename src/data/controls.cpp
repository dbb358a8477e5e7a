#include "data/controls.h"

#include "host/errors.h"

namespace ostrevan {

int Observable::Listen(Listener l) {
  listeners_.emplace_back(++next_, std::move(l));
  return next_;
}

void Observable::Unlisten(int id) {
  std::erase_if(listeners_, [id](const auto& p) { return p.first == id; });
}

void Observable::Notify() const {
  for (const auto& [id, l] : listeners_) l();
}

void TextBox::SetText(const QString& t) {
  if (t == text_) return;
  text_ = t;
  Notify();
}

void Label::SetCaption(const QString& c) {
  caption_ = c;
  Notify();
}

void Image::LoadPicture(const QString& path) {
  picture_ = path;
  Notify();
}

void Timer::SetEnabled(bool e) {
  enabled_ = e;
  Notify();
}

void ComboBox::Clear() {
  items_.clear();
  index_ = -1;
  typed_.clear();
  Notify();
}

void ComboBox::AddItem(const QString& item) {
  items_ << item;
  Notify();
}

void ComboBox::SetListIndex(int i) {
  if (i < -1 || i >= ListCount()) {
    throw RuntimeError(380, "Invalid property value", "ComboBox");
  }
  index_ = i;
  if (i >= 0) typed_ = items_[i];
  Notify();
  if (Click) Click();
}

QString ComboBox::Text() const { return index_ >= 0 ? items_[index_] : typed_; }

void ComboBox::SetText(const QString& t) {
  typed_ = t;
  index_ = static_cast<int>(items_.indexOf(t));
  Notify();
}

void Grid::CheckRow(int row) const {
  if (row < 0 || row >= Rows()) throw RuntimeError(381, "Subscript out of range", "Grid");
}

void Grid::SetRows(int n) {
  if (n < 1) n = 1;  // the fixed header row stays
  cells_.resize(static_cast<size_t>(n));
  if (row_ >= n) row_ = n - 1;
  if (top_ >= n) top_ = 1;  // the first row below the fixed header
  Changed();
}

void Grid::SetCols(int n) {
  cols_ = n < 1 ? 1 : n;
  Changed();
}

QString Grid::TextMatrix(int row, int col) const {
  CheckRow(row);
  const QStringList& c = cells_[static_cast<size_t>(row)].cells;
  return col >= 0 && col < c.size() ? c[col] : QString();
}

void Grid::SetTextMatrix(int row, int col, const QString& text) {
  CheckRow(row);
  if (col < 0 || col >= cols_) throw RuntimeError(381, "Subscript out of range", "Grid");
  QStringList& c = cells_[static_cast<size_t>(row)].cells;
  while (c.size() <= col) c << QString();
  c[col] = text;
  Changed();
}

void Grid::AddItem(const QString& tabbed) {
  RowData r;
  r.cells = tabbed.split('\t');
  cells_.push_back(std::move(r));
  Changed();
}

void Grid::RemoveItem(int row) {
  CheckRow(row);
  if (row == 0) return;
  cells_.erase(cells_.begin() + row);
  if (row_ >= Rows()) row_ = Rows() - 1;
  Changed();
}

int Grid::ColWidth(int col) const {
  return col >= 0 && col < static_cast<int>(widths_.size()) ? widths_[static_cast<size_t>(col)]
                                                            : -1;
}

void Grid::SetColWidth(int col, int twips) {
  if (col < 0) return;
  if (static_cast<int>(widths_.size()) <= col) widths_.resize(static_cast<size_t>(col) + 1, -1);
  widths_[static_cast<size_t>(col)] = twips;
  Changed();
}

int Grid::ColAlignment(int col) const {
  return col >= 0 && col < static_cast<int>(aligns_.size()) ? aligns_[static_cast<size_t>(col)]
                                                            : flexAlignGeneral;
}

void Grid::SetColAlignment(int col, int align) {
  if (col < 0) return;
  if (static_cast<int>(aligns_.size()) <= col) aligns_.resize(static_cast<size_t>(col) + 1, 0);
  aligns_[static_cast<size_t>(col)] = align;
  Changed();
}

void Grid::SetRow(int r) {
  CheckRow(r);
  row_ = r;
  Changed();
}

void Grid::SetTopRow(int r) {
  CheckRow(r);
  top_ = r;
  Changed();
}

unsigned Grid::RowBackColor(int row) const {
  CheckRow(row);
  return cells_[static_cast<size_t>(row)].back;
}

unsigned Grid::RowForeColor(int row) const {
  CheckRow(row);
  return cells_[static_cast<size_t>(row)].fore;
}

void Grid::SetRowColors(int row, unsigned back, unsigned fore) {
  CheckRow(row);
  cells_[static_cast<size_t>(row)].back = back;
  cells_[static_cast<size_t>(row)].fore = fore;
  Changed();
}

void Grid::SetRowBackColor(int row, unsigned back) { SetRowColors(row, back, RowForeColor(row)); }
void Grid::SetRowForeColor(int row, unsigned fore) { SetRowColors(row, RowBackColor(row), fore); }

void Grid::SetRedraw(bool on) {
  redraw_ = on;
  if (on) Notify();
}

}  // namespace ostrevan
