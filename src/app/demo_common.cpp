#include "app/demo_common.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "host/sqltext.h"
#include "host/state.h"

namespace ostrevan::demo {

RuntimeError Failure(const QString& text, long number) {
  return RuntimeError(number, text, QStringLiteral("Ostrevan.DemoInstall"));
}

QString Quoted(const QString& text) { return "'" + SqlText(text) + "'"; }

void InTransaction(const QString& entity, const std::function<void()>& body) {
  AllOrNothing tx(Conn(entity));
  body();
  tx.Commit();
}

QByteArray ReadResource(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    throw Failure("No se encontro el archivo de demostracion " + path +
                      " (el programa se compilo sin los datos de demostracion)",
                  err::kFileNotFound);
  }
  return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
    throw Failure("No se pudo escribir el archivo " + QDir::toNativeSeparators(path) + ": " +
                  f.errorString());
  }
}

}  // namespace ostrevan::demo
