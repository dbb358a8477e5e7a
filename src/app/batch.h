#pragma once
// The component without windows: what a window would ask the user is given on the command
// line, and what it would show is printed.
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "host/windows.h"

namespace ostrevan::app {

class BatchWindows final : public WindowService {
 public:
  BatchWindows(QString camara, QString formulario, QTextStream& out)
      : camara_(std::move(camara)), formulario_(std::move(formulario)), out_(out) {}
  int ShowModal(Window w) override;
  // The page range typed on the command line ("" keeps every page).
  QString desde, hasta;

 private:
  void ChoosePages();
  void ChooseForm();
  void PrintCertificate();
  void PrintList();

  QString camara_, formulario_;
  QTextStream& out_;
};

// The form's name in the drop-down for a form id or name given on the command line.
QString FormularioName(const QString& camara, const QString& idOrName);

// Prints a stored certificate of the installation to a PDF file; 0 on success. It first runs
// the checks F12 runs and lists their findings: an error refuses the print (1) unless
// `forzar`, and the output then says it printed anyway; warnings never stop it. A draft has
// the form's image under the texts and the mark "BORRADOR - SIN VALOR" on every page, and is
// printed whatever the checks find.
int PrintToPdf(const QString& idCeo, const QString& pdf, const QString& desde, const QString& hasta,
               QTextStream& out, bool borrador = false, bool forzar = false);
// Prints the findings of the checks before printing of a stored certificate; 1 when one of
// them is an error (or the certificate does not exist), else 0.
int Validar(const QString& idCeo, QTextStream& out);
// Prints the calibration page (scales every 5 mm along the top and the left edge of the print
// area) to a PDF file; 0 on success.
int PrintCalibrationToPdf(const QString& pdf, QTextStream& out);

// The digital certificate of origin's verbs: "cod", "cod-verificar", "cod-adjuntar". Each
// prints what it did and its findings; 0 when it did all it was asked, 1 otherwise, 2 with
// the usage when the command line is malformed.
inline constexpr const char* kUsoCod =
    "  cod ID ARCHIVO.xml [--p12 ARCHIVO.p12 | --token URI-PKCS11] [--secreto-archivo ARCHIVO]\n"
    "                                    [--modulo LIBRERIA-PKCS11]\n"
    "                                    exporta el certificado de origen digital (COD); con\n"
    "                                    --p12 o --token lo firma: la contrasena o el PIN se\n"
    "                                    leen de la entrada estandar o del --secreto-archivo\n"
    "  cod-verificar ARCHIVO.xml [--ca AUTORIDADES.pem]\n"
    "                                    verifica un COD: esquema, firmas y certificados\n"
    "  cod-adjuntar ID ARCHIVO.xml       adjunta al certificado el COD emitido por la entidad\n";
bool EsVerboCod(const QString& cmd);
int VerboCod(const QString& cmd, QStringList args, QTextStream& out);

}  // namespace ostrevan::app
