#pragma once
// The widget-free halves of the small lifecycle windows: new certificate, chamber and form
// choice, and deletion. The windows forward their events here.
#include <QDateTime>
#include <QString>

namespace ostrevan {

// Frm_GuardaDatos
bool NuevoRegistro(const QString& nomDesc);
// The operation number generated for a certificate created without one: yymmdd-HHMMSS.
QString NumeroGenerado(const QDateTime& when);

// Frm_SeleccionCertif
void SeleccionCertif_Load();
// Esc (27) cancels, F11 (122) continues; true when the window must unload.
bool SeleccionCertif_KeyDown(int keyCode);

// Frm_CeoBorra: items first, then the header.
bool BorrarRegistro(const QString& idReg);

}  // namespace ostrevan
