#pragma once
// A static, fully fetched query result read the classic way: Fields(name).Value by name
// without regard to case, EOF, MoveNext, a true RecordCount and AbsolutePosition.
#include <QHash>
#include <QString>
#include <QVariant>
#include <vector>

namespace ostrevan {

struct Field {
  QVariant Value;
};

class Recordset {
 public:
  Recordset() = default;
  Recordset(QStringList names, std::vector<std::vector<QVariant>> rows);

  // The field of the current row; throws RuntimeError for an unknown name or past EOF.
  Field Fields(const QString& name) const;
  bool HasField(const QString& name) const;
  QStringList FieldNames() const { return names_; }

  bool Eof() const { return pos_ >= static_cast<long>(rows_.size()); }
  bool Bof() const { return pos_ < 0; }
  void MoveNext() {
    if (!Eof()) ++pos_;
  }
  void MoveFirst() { pos_ = 0; }
  long RecordCount() const { return static_cast<long>(rows_.size()); }
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
  std::vector<std::vector<QVariant>> rows_;
  long pos_ = 0;
  bool open_ = false;
};

}  // namespace ostrevan
