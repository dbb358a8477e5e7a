#include "host/sistema.h"

#include <QDir>
#include <QStandardPaths>

namespace ostrevan {

QString clSistema::PonerBarra(const QString& folder) const {
  if (folder.endsWith(PathSep()) || folder.endsWith('/') || folder.endsWith('\\')) return folder;
  return folder + PathSep();
}

QChar PathSep() { return QDir::separator(); }

QString ProgramFilesDir() {
  QString env = qEnvironmentVariable("ProgramFiles");
  if (!env.isEmpty()) return env;
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString InstallationDir() {
  const QChar s = PathSep();
  return ProgramFilesDir() + s + "Velmora" + s + "Formularios" + s;
}

QString FormsDir() { return InstallationDir() + "FORMS" + PathSep(); }

QString InstallationPath(const QString& relative) {
  QString r = relative;
  r.replace('\\', PathSep());
  r.replace('/', PathSep());
  return InstallationDir() + r;
}

}  // namespace ostrevan
