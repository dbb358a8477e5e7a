#pragma once
// The file component and the installation paths.
#include <QString>

namespace ostrevan {

class clSistema {
 public:
  // The folder ending in the platform's separator (the original used a backslash).
  QString PonerBarra(const QString& folder) const;
};

// The platform's separator, as the installation paths are joined with it.
QChar PathSep();
// Environ("ProgramFiles"); when unset, the per-user data folder (~/.local/share on Linux),
// so a user without that variable still gets one stable installation.
QString ProgramFilesDir();
// ProgramFiles + "/Velmora/Formularios/" (sPathCfg) and its FORMS folder (sFrmDir).
QString InstallationDir();
QString FormsDir();
// A file or folder path joined under the installation folder.
QString InstallationPath(const QString& relative);
// A certificate id or other typed text made one file name: only letters, digits, '-' and '_'
// stay, so that an id with a slash or ".." cannot name a file outside the folder meant.
QString NombreDeArchivo(const QString& texto);

}  // namespace ostrevan
