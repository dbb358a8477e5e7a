#pragma once
// The one quoting helper: every typed text spliced between quotes in a statement passes
// through it, so the stored text is the typed text and no input can change a statement.
#include <QString>

namespace ostrevan {

inline QString SqlText(const QString& text) {
  QString t = text;
  t.replace('\'', QStringLiteral("''"));
  return t;
}

}  // namespace ostrevan
