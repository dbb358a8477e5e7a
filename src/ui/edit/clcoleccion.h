#pragma once
// An ordered list of strings, 1-based, duplicates allowed: the keys of the marked items.
#include <QString>
#include <QStringList>
#include <QVariant>

namespace ostrevan {

class clColeccion {
 public:
  void Add(const QString& sValor, long /*lIndice*/ = 0) { items_ << sValor; }
  // Removes the first item equal to the value; anything else leaves the list as it was.
  void Del(const QString& sValor = {}, long /*lIndice*/ = 0) { items_.removeOne(sValor); }
  QVariant Count() const { return static_cast<int>(items_.size()); }
  QString Item(long index) const {
    return index >= 1 && index <= items_.size() ? items_[index - 1] : QString();
  }
  void Clear() { items_.clear(); }

 private:
  QStringList items_;
};

}  // namespace ostrevan
