#pragma once
// The first start of the program where its installation folder holds no installation yet.
#include <QString>
#include <optional>

class QObject;
class QTranslator;

namespace ostrevan::app {

// "No hay una instalacion de Ostrevan en <folder>".
QString NoInstallationText();

// Says that there is no installation, names its folder and offers, through the message
// service, to create the demonstration installation there (Yes), an empty one (No) or to
// leave (Cancel). Nothing when there is now an installation to go on with; else the exit
// status (0 when the user left, 1 when the creation failed, after saying why).
std::optional<int> OfferInstallation();

// Qt's own translations (Debian's qt6-translations-l10n) for the user's locale, QLocale() of
// the process, installed in the application, so that the standard buttons and dialogs read
// "Sí", "No", "Cancelar" in Spanish. A translator is process-wide: the host installs it, as
// the program's main does; the component library never does. The translator (owned by
// `owner`), or null when Qt has none for the locale.
QTranslator* InstalarTraduccionesDeQt(QObject* owner);

}  // namespace ostrevan::app
