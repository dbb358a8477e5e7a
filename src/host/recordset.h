#pragma once
// A static, fully fetched query result read the classic way: Fields(name).Value by name
// without regard to case, EOF, MoveNext, a true RecordCount and AbsolutePosition.
#include <QHash>
#include <QString>
#include <QVariant>
#include <deque>

namespace ostrevan {

struct Field {
  QVariant Value;
};

class Recordset {
 public:
  Recordset() = default;
  // `values` holds the rows one after another, each with one value per name.
  Recordset(QStringList names, std::deque<QVariant> values);

  // The field of the current row; throws RuntimeError for an unknown name or past EOF.
  Field Fields(const QString& name) const;
  bool HasField(const QString& name) const;
  QStringList FieldNames() const { return names_; }

  bool Eof() const { return pos_ >= rows_; }
  bool Bof() const { return pos_ < 0; }
  void MoveNext() {
    if (!Eof()) ++pos_;
  }
  void MoveFirst() { pos_ = 0; }
  long RecordCount() const { return rows_; }
  // 1-based position of the current row, as ADO gives it.
  long AbsolutePosition() const { return pos_ + 1; }
  bool IsOpen() const { return open_; }

 private:
  int IndexOf(const QString& name) const;

  QStringList names_;
  QHash<QString, int> index_;  // lower-case name -> column; the first of equal names wins
  // Names as the code spells them, found before: a loop over thousands of rows asks for the
  // same few, and lower-casing each time would allocate a string per field read.
  mutable QHash<QString, int> asAsked_;
  // Every value, row after row, in blocks: a result of thousands of rows is neither thousands
  // of allocations nor one array copied whole each time it grows.
  std::deque<QVariant> values_;
  long rows_ = 0;
  long pos_ = 0;
  bool open_ = false;
};

}  // namespace ostrevan
