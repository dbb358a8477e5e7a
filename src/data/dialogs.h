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
// Esc (27) cancels, F11 (122) continues once a form is chosen (without one it says so and
// the window stays); true when the window must unload.
bool SeleccionCertif_KeyDown(int keyCode);

// Frm_GuardaDatos' Enter: true when the certificate was created and the list refilled, so
// the window unloads and the data-entry window opens on it.
bool GuardaDatos_Aceptar();

// Frm_CeoBorra: items first, then the header.
bool BorrarRegistro(const QString& idReg);
// Form_Activate: the boxes show the list's current row.
void CeoBorra_Activate();
// Enter: true when the certificate was deleted and the list refilled (the window unloads).
bool EliminarBoleta();

// Frm_OstrevanLista: opens the list's current certificate in the data-entry window, again
// while a change of form asks for it to be rebuilt.
void IngresarRegistro();
// Shows the data-entry window on the loaded certificate (sIdCeo), and again on the same
// certificate each time a change of form closed it to be rebuilt.
void MostrarCargaDatos();
// What closing a window does once the window itself is gone.
void CargaDatos_Unload();
void Lista_Unload();

}  // namespace ostrevan
