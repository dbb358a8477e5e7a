#include "app/first_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/demo_install.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sistema.h"

namespace ostrevan::app {

QString NoInstallationText() {
  return "No hay una instalacion de Ostrevan en " + QDir::toNativeSeparators(InstallationDir());
}

std::optional<int> OfferInstallation() {
  // The buttons are Qt's own, in whatever language it has: the question reads right with
  // Yes, No and Cancel in any of them.
  const int answer = MsgBox(
      NoInstallationText() +
          "\r\n\r\n¿Crear alli la instalacion de demostracion, con camaras, formularios y "
          "operaciones de ejemplo?\r\n\r\nSi responde que no, se crea una instalacion vacia: "
          "sus tablas y su configuracion, sin camaras, formularios ni certificados. Cancelar "
          "sale sin crear nada.",
      vbYesNoCancel | vbQuestion);
  if (answer == vbCancel) return 0;
  try {
    if (answer == vbYes) {
      demo::BuildDemoInstallation(ProgramFilesDir());
    } else {
      demo::BuildEmptyInstallation(ProgramFilesDir());
    }
  } catch (const std::exception& e) {
    MsgBox(AsRuntimeError(e).Description(), vbCritical);
    return 1;
  }
  return std::nullopt;
}

QTranslator* InstalarTraduccionesDeQt(QObject* owner) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(owner);
  // "qt" names the catalogues of every Qt module the locale has; "qtbase" alone is enough
  // for the buttons and the print dialog where the meta-catalogue is missing.
  if ((translator->load(QLocale(), "qt", "_", folder) ||
       translator->load(QLocale(), "qtbase", "_", folder)) &&
      QCoreApplication::installTranslator(translator)) {
    return translator;
  }
  delete translator;
  return nullptr;
}

}  // namespace ostrevan::app
