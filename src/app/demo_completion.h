#pragma once
// What a broker types into a demo certificate before it prints whole.
#include <QString>

namespace ostrevan::demo {

// Completes a certificate of the current installation as a broker would: the header boxes
// the host does not fill and an origin norm for every tariff position (norms 1, 2, 3 in
// turn), so the demo prints a whole certificate.
void CompleteCertificate(const QString& idCeo);

}  // namespace ostrevan::demo
