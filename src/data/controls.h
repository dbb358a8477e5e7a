#pragma once
// Small models with the classic control vocabulary. The certificate procedures fill and
// read them; the windows show them; tests assert on them without any window.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace ostrevan {

// Listeners are told after every change; a window uses them to repaint its widget.
class Observable {
 public:
  using Listener = std::function<void()>;
  int Listen(Listener l);
  void Unlisten(int id);

 protected:
  void Notify() const;

 private:
  std::vector<std::pair<int, Listener>> listeners_;
  int next_ = 0;
};

class TextBox : public Observable {
 public:
  const QString& Text() const { return text_; }
  void SetText(const QString& t);
  QString Tag;
  QString ToolTipText;

 private:
  QString text_;
};

class Label : public Observable {
 public:
  explicit Label(QString caption = {}, QString tag = {}) : caption_(std::move(caption)) {
    Tag = std::move(tag);
  }
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& c);
  QString Tag;

 private:
  QString caption_;
};

// A picture box: the file whose picture is shown ("" for none).
class Image : public Observable {
 public:
  const QString& Picture() const { return picture_; }
  void LoadPicture(const QString& path);

 private:
  QString picture_;
};

class Timer : public Observable {
 public:
  int Interval = 100;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);

 private:
  bool enabled_ = false;
};

// A drop-down. Selecting an entry runs Click also when code selects it, as the certificate
// procedures rely on that to carry the form id and the nomenclature.
class ComboBox : public Observable {
 public:
  std::function<void()> Click;
  void Clear();
  void AddItem(const QString& item);
  int ListCount() const { return static_cast<int>(items_.size()); }
  const QString& List(int i) const { return items_.at(i); }
  const QStringList& Items() const { return items_; }
  int ListIndex() const { return index_; }
  // -1 clears the selection; an index out of range raises "Invalid property value".
  void SetListIndex(int i);
  // The selected entry's text, or the typed text of a combo without selection.
  QString Text() const;
  void SetText(const QString& t);

 private:
  QStringList items_;
  int index_ = -1;
  QString typed_;
};

// A stored text as one cell of a tab-separated grid row: a tab typed in it shows as a blank
// instead of starting the next column (the stored text keeps it).
inline QString Celda(QString text) { return text.replace('\t', ' '); }

// The grid: a fixed header row 0, text by row and column, current and top row, column
// widths in twips, alignments and one background and foreground colour per row.
class Grid : public Observable {
 public:
  enum Align { flexAlignGeneral = 0, flexAlignLeft = 1, flexAlignCenter = 4, flexAlignRight = 7 };
  static constexpr unsigned kDefaultBack = 0xFFFFFF;  // white (blue-green-red)
  static constexpr unsigned kDefaultFore = 0x000000;

  int Rows() const { return static_cast<int>(cells_.size()); }
  // Shrinking drops rows; growing adds empty ones.
  void SetRows(int n);
  int Cols() const { return cols_; }
  void SetCols(int n);
  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);
  // A new last row from tab-separated text.
  void AddItem(const QString& tabbed);
  void RemoveItem(int row);

  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  int ColAlignment(int col) const;
  void SetColAlignment(int col, int align);

  int Row() const { return row_; }
  void SetRow(int r);
  int TopRow() const { return top_; }
  void SetTopRow(int r);
  // Selection from (Row, Col) to (RowSel, ColSel); a whole-row selection is what lists use.
  int Col = 0, RowSel = 0, ColSel = 0;

  unsigned RowBackColor(int row) const;
  unsigned RowForeColor(int row) const;
  void SetRowColors(int row, unsigned back, unsigned fore);
  void SetRowBackColor(int row, unsigned back);
  void SetRowForeColor(int row, unsigned fore);

  // While false, changes are not announced one by one (filling thousands of rows).
  bool Redraw() const { return redraw_; }
  void SetRedraw(bool on);
  bool Visible = true;
  int Height = 0;  // twips

 private:
  struct RowData {
    QStringList cells;
    unsigned back = kDefaultBack;
    unsigned fore = kDefaultFore;
  };
  void Changed() const {
    if (redraw_) Notify();
  }
  void CheckRow(int row) const;

  std::vector<RowData> cells_{RowData{}};
  std::vector<int> widths_;
  std::vector<int> aligns_;
  int cols_ = 2;
  int row_ = 0;
  int top_ = 1;
  bool redraw_ = true;
};

}  // namespace ostrevan
