#pragma once
// The value component: almost every field read passes through these two.
#include <QString>
#include <QVariant>

namespace ostrevan {

// The value itself, or an empty text for Null (which callers use as 0 in numbers).
QVariant esnull(const QVariant& v);
// The value when it reads as a number (either decimal separator), else 0.
double esnumero(const QVariant& v);
// Whether the text reads as a number: optional sign, digits, at most one "." or ",".
bool IsNumeric(const QString& text);
// The leading number of a text read with a decimal point ("12,5mm" -> 12.5, "x" -> 0), as
// the classic Val() after commas were turned into points.
double Val(const QString& text);

// The nearest 32-bit integer, halves to even as the classic conversion rounds; a value out of
// range raises the overflow error.
long CLng(double value);

// Shorthands for the two commonest uses of esnull.
inline QString Txt(const QVariant& v) { return esnull(v).toString(); }
inline double Num(const QVariant& v) { return esnumero(v); }

// Format(value, "0.00"): fixed decimals with a point, as the statements and print lines expect.
QString Fixed(double value, int decimals);

}  // namespace ostrevan
