#include "host/errors.h"

#include "host/state.h"

#include "host/msgbox.h"

#ifndef OSTREVAN_TITLE
#define OSTREVAN_TITLE "Ostrevan"
#endif
#ifndef OSTREVAN_VERSION
#define OSTREVAN_VERSION "1.0.0"
#endif
#ifndef OSTREVAN_COMMENT
#define OSTREVAN_COMMENT ""
#endif

namespace ostrevan {

QString ComponentTitle() { return QStringLiteral(OSTREVAN_TITLE); }
QString ComponentVersion() { return QStringLiteral(OSTREVAN_VERSION); }
QString ComponentComment() { return QStringLiteral(OSTREVAN_COMMENT); }

QString DetailedReportTitle() { return ComponentTitle() + " - v." + ComponentVersion(); }

QString DetailedReportText(const RuntimeError& e, const QString& procedure, const QString& kind,
                           const QString& module, int line) {
  QString where = kind.isEmpty() ? module : kind + " " + module;
  return "Error " + QString::number(e.Number()) + " (" + e.Description() + ")\r\n" +
         "in procedure " + procedure + " of " + where + " - " + QString::number(line);
}

void ReportDetailed(const std::exception& ex, const QString& procedure, const QString& kind,
                    const QString& module, int line) {
  MsgBox(DetailedReportText(AsRuntimeError(ex), procedure, kind, module, line), vbExclamation,
         DetailedReportTitle());
}

void ReportShort(const std::exception& ex, const QString& separator, const QString& tag) {
  RuntimeError e = AsRuntimeError(ex);
  MsgBox(e.Description() + separator + QString::number(e.Number()) + tag, vbCritical);
}

void ReportBracket(const std::exception& ex, const QString& tag) {
  MsgBox("Error " + AsRuntimeError(ex).Description() + "\r\n" + tag, vbOKOnly);
}

RuntimeError AsRuntimeError(const std::exception& e) {
  if (auto* r = dynamic_cast<const RuntimeError*>(&e)) return *r;
  return RuntimeError(err::kDatabase, QString::fromUtf8(e.what()), "Ostrevan");
}

}  // namespace ostrevan
