#include "host/recordset.h"

#include "host/errors.h"

namespace ostrevan {

Recordset::Recordset(QStringList names, std::deque<QVariant> values)
    : names_(std::move(names)),
      values_(std::move(values)),
      rows_(names_.isEmpty() ? 0 : static_cast<long>(values_.size()) / names_.size()),
      open_(true) {
  for (int i = 0; i < names_.size(); ++i) {
    QString key = names_[i].toLower();
    if (!index_.contains(key)) index_.insert(key, i);
  }
}

int Recordset::IndexOf(const QString& name) const {
  auto known = asAsked_.constFind(name);
  if (known != asAsked_.constEnd()) return known.value();
  auto it = index_.constFind(name.toLower());
  const int i = it == index_.constEnd() ? -1 : it.value();
  asAsked_.insert(name, i);
  return i;
}

bool Recordset::HasField(const QString& name) const { return IndexOf(name) >= 0; }

Field Recordset::Fields(const QString& name) const {
  int i = IndexOf(name);
  if (i < 0) {
    throw RuntimeError(err::kItemNotFound,
                       "No se encontro el campo '" + name + "' en el conjunto de registros",
                       "ADODB.Recordset");
  }
  if (Eof() || pos_ < 0) {
    throw RuntimeError(err::kNoCurrentRecord, "No hay un registro actual", "ADODB.Recordset");
  }
  return Field{values_[static_cast<size_t>(pos_ * names_.size() + i)]};
}

}  // namespace ostrevan
