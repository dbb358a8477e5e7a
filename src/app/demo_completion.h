#pragma once
// What a broker types into a demo certificate before it prints whole.
#include <QString>

namespace ostrevan::demo {

// Completes a certificate of the current installation as a broker would: the header boxes
// the host does not fill and an origin norm for every tariff position (norms 1, 2, 3 in
// turn), and the fields of its digital certificate of origin that no paper box holds, so the
// demo prints a whole certificate and exports a valid COD.
void CompleteCertificate(const QString& idCeo);

}  // namespace ostrevan::demo
