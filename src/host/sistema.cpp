#include "host/sistema.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

#include "host/state.h"

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
  // Asked for by every log line and settings read; built again only when the variable that
  // places it changes (tests and the batch command point it elsewhere).
  struct Placed {
    QByteArray by;
    QString dir;
  };
  Placed& placed = Owned<Placed>();
  QByteArray& placedBy = placed.by;
  QString& dir = placed.dir;
  const char* env = std::getenv("ProgramFiles");
  if (!env) env = "";
  if (dir.isEmpty() || placedBy != env) {
    const QChar s = PathSep();
    dir = ProgramFilesDir() + s + "Velmora" + s + "Formularios" + s;
    placedBy = env;
  }
  return dir;
}

QString FormsDir() { return InstallationDir() + "FORMS" + PathSep(); }

QString NombreDeArchivo(const QString& texto) {
  QString safe;
  for (QChar c : texto) safe += (c.isLetterOrNumber() || c == '-' || c == '_') ? c : QChar('_');
  return safe;
}

QString InstallationPath(const QString& relative) {
  QString r = relative;
  r.replace('\\', PathSep());
  r.replace('/', PathSep());
  return InstallationDir() + r;
}

}  // namespace ostrevan
