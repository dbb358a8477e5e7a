#pragma once
// Synthetic data in the current installation, in the amounts that tests and benchmarks need.
#include <QString>

namespace ostrevan::demo {

// A synthetic host operation in the current installation, for large imports: `items` items
// in both SubItems and groupSubItems, spread over `distinctCodes` tariff positions, each
// article in the catalogue. Throws RuntimeError (also when the operation already exists).
void AddHostOperation(const QString& interno, int items, int distinctCodes);

// `count` synthetic certificate headers in CeoMercosur of the current installation, for the
// list. Their ids ("BM-000001", ...) continue after those already there.
void AddCertificates(int count);

}  // namespace ostrevan::demo
