#include "print/calibration.h"

#include "host/msgbox.h"
#include "print/printlib.h"

namespace ostrevan::print {

QString MarcaEscala(const QString& number, int orientation) {
  if (orientation == 1) return number + "\r\n|\r\n|";
  if (orientation == 2) return number + "\r\n-\r\n-";
  return {};
}

void ComponerPaginaCalibracion(Impresora& p, const QString& imageFolder) {
  QString errText;
  bool errFlag = false;
  p.SET_AgregarImagen(imageFolder + "blank.snt", 0, 0, 190, 278, errText, errFlag);
  for (int x = 0; x <= 190; x += 5) {
    p.set_Agregotexto(MarcaEscala(QString::number(x), 1), x, 1, "Courier", "8", errText, errFlag);
  }
  for (int y = 0; y <= 260; y += 5) {
    p.set_Agregotexto(MarcaEscala(QString::number(y), 2), 1, y, "Courier", "8", errText, errFlag);
  }
}

QString ImprimirPaginaCalibracion(const QString& printer, const QString& imageFolder) {
  Impresora p;
  ComponerPaginaCalibracion(p, imageFolder);
  QString errText;
  bool errFlag = false;
  p.Imprimir(printer, errText, errFlag);
  if (errFlag) {
    MsgBox("No se pudo imprimir la pagina de calibracion:\r\n" + errText, vbExclamation,
           "Imprimir Pagina de Calibracion");
    return {};
  }
  if (p.LastOutput().isEmpty()) return "La pagina de calibracion se envio a la impresora";
  // A page printed to a file must say where it went.
  const QString where = "La pagina de calibracion se imprimio en el archivo " + p.LastOutput();
  MsgBox(where, vbInformation, "Imprimir Pagina de Calibracion");
  return where;
}

}  // namespace ostrevan::print
