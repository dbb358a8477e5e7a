#pragma once
// The first start of the program where its installation folder holds no installation yet.
#include <QString>
#include <optional>

namespace ostrevan::app {

// "No hay una instalacion de Ostrevan en <folder>".
QString NoInstallationText();

// Says that there is no installation, names its folder and offers, through the message
// service, to create the demonstration installation there (Yes), an empty one (No) or to
// leave (Cancel). Nothing when there is now an installation to go on with; else the exit
// status (0 when the user left, 1 when the creation failed, after saying why).
std::optional<int> OfferInstallation();

}  // namespace ostrevan::app
