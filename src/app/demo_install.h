#pragma once
// The installations the program builds: the demonstration one (chambers, forms and their
// layouts, units, tariff wordings, origin norms and a host with a few export operations, so
// that the component can be shown and tested without a customer's databases) and an empty
// one for an office that brings its own.
#include <QString>

namespace ostrevan::demo {

// Builds (or refreshes) the installation under programFiles/Velmora/Formularios/: its
// databases are recreated from the seed, the INI files and the images of FORMS rewritten.
// ProgramFiles is set for the duration and restored afterwards. Throws RuntimeError, also,
// unless `reemplazar`, when the installation holds certificates or its entity map puts a
// database outside it (the host's own): those would be emptied.
void BuildDemoInstallation(const QString& programFiles, bool reemplazar = false);

// Creates an empty installation under programFiles/Velmora/Formularios/: its folders, the
// tables of every entity and the ruler font's settings; no chamber, form, operation or
// certificate. Throws RuntimeError, touching nothing, where an installation already is.
void BuildEmptyInstallation(const QString& programFiles);

// Whether an installation folder holds an installation: its databases or its settings.
// Without one, a command would create empty databases there and show empty lists.
bool HasInstallation(const QString& installationDir);

}  // namespace ostrevan::demo
