#include "app/batch.h"
#include "data/verificaciones.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "job/preview.h"
#include "job/print_job.h"

namespace ostrevan::app {

int Validar(const QString& idCeo, QTextStream& out) {
  Recordset rs;
  if (!Query("OSTREVAN",
             "select IdFormulario from CeoMercosur where IdCeo = '" + SqlText(idCeo) + "'", rs)) {
    MsgBox("No existe el certificado " + idCeo, vbExclamation);
    return 1;
  }
  const std::vector<Hallazgo> hallazgos = VerificarParaImprimir(idCeo);
  for (const Hallazgo& h : hallazgos) {
    out << NivelTexto(h.nivel) << "\t" << h.codigo << "\t" << h.mensaje << "\n";
  }
  if (hallazgos.empty()) {
    out << "Certificado " << idCeo << ": sin observaciones\n";
  } else {
    out << "Certificado " << idCeo << ": " << hallazgos.size() << " observaciones\n";
  }
  out.flush();
  return HayErrores(hallazgos) ? 1 : 0;
}

}  // namespace ostrevan::app
