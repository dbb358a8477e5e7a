#pragma once
// The demo installation: chambers, forms and their layouts, units, tariff wordings, origin
// norms and a host with a few export operations, so that the component can be shown and
// tested without a customer's databases.
#include <QString>
#include <QStringList>

namespace ostrevan::demo {

// Builds (or refreshes) the installation under programFiles/Velmora/Formularios/: its
// databases are recreated from the seed, the INI files and the images of FORMS rewritten.
// ProgramFiles is set for the duration and restored afterwards. Throws RuntimeError, also,
// unless `reemplazar`, when the installation holds certificates or its entity map puts a
// database outside it (the host's own): those would be emptied.
void BuildDemoInstallation(const QString& programFiles, bool reemplazar = false);
// Creates the host's tables in INTERNOS and PERSONAL when they are missing, as the host would.
void CreateHostTables();

// A synthetic host operation in the current installation, for large imports: `items` items
// in both SubItems and groupSubItems, spread over `distinctCodes` tariff positions, each
// article in the catalogue. Throws RuntimeError (also when the operation already exists).
void AddHostOperation(const QString& interno, int items, int distinctCodes);

// `count` synthetic certificate headers in CeoMercosur of the current installation, for the
// list. Their ids ("BM-000001", ...) continue after those already there.
void AddCertificates(int count);

// Completes a certificate of the current installation as a broker would: the header boxes
// the host does not fill and an origin norm for every tariff position (norms 1, 2, 3 in
// turn), and the fields of its digital certificate of origin that no paper box holds, so the
// demo prints a whole certificate and exports a valid COD.
void CompleteCertificate(const QString& idCeo);

// The statements of a seed script: split at ";" outside quoted text, "--" comment lines
// dropped, and every line break inside quoted text made CR LF, as the host stores it.
QStringList SplitStatements(const QString& script);

// The seed statements of an entity, read from the embedded seed files.
QStringList SeedStatements(const QString& entity);

}  // namespace ostrevan::demo
