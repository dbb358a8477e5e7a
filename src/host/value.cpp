#include "host/value.h"

#include <cmath>

#include "host/errors.h"

namespace ostrevan {

QVariant esnull(const QVariant& v) {
  if (v.isNull() || !v.isValid()) return QString();
  return v;
}

bool IsNumeric(const QString& text) {
  QString t = text.trimmed();
  if (t.isEmpty()) return false;
  int i = 0;
  if (t[0] == '+' || t[0] == '-') i = 1;
  bool digits = false, sep = false;
  for (; i < t.size(); ++i) {
    QChar c = t[i];
    // Only the digits the statements and the print read: "１４" or "٤٠" would print at 0 mm.
    if (c >= u'0' && c <= u'9') {
      digits = true;
    } else if ((c == '.' || c == ',') && !sep) {
      sep = true;
    } else {
      return false;
    }
  }
  return digits;
}

double esnumero(const QVariant& v) {
  if (v.isNull() || !v.isValid()) return 0;
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Long:
    case QMetaType::Short:
      return v.toDouble();
    case QMetaType::Bool:
      return v.toBool() ? -1 : 0;  // the classic True is -1
    default:
      break;
  }
  QString t = v.toString().trimmed();
  if (!IsNumeric(t)) return 0;
  t.replace(',', '.');
  return t.toDouble();
}

double Val(const QString& text) {
  QString t = text.trimmed();
  int i = 0;
  QString num;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) num += t[i++];
  bool point = false;
  for (; i < t.size(); ++i) {
    QChar c = t[i];
    // Only the digits the statements and the print read: "１４" or "٤٠" would print at 0 mm.
    if (c >= u'0' && c <= u'9') {
      num += c;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
      num += '.';
    } else {
      break;
    }
  }
  bool ok = false;
  double d = num.toDouble(&ok);
  return ok ? d : 0;
}

long CLng(double value) {
  const double r = std::nearbyint(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw RuntimeError(err::kOverflow, "Overflow");
  return static_cast<long>(r);
}

QString Fixed(double value, int decimals) {
  if (std::isnan(value) || std::isinf(value)) value = 0;
  QString s = QString::number(value, 'f', decimals);
  if (s.startsWith('-') && s.toDouble() == 0) s.remove(0, 1);  // no "-0.00"
  return s;
}

}  // namespace ostrevan
