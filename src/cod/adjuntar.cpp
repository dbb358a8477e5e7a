// Stage 4: the chamber's issued COD, attached to the certificate only when it verifies and its
// COD is, in canonical form, the very one the broker signed.
#include "cod/internos.h"

namespace ostrevan::cod {
using namespace detalle;

Emision Adjuntar(const QByteArray& emitido, const QByteArray& firmado,
                 const QString& carpetaEsquemas, const Confianza& confianza) {
  Emision e;
  e.verificacion = Verificar(emitido, carpetaEsquemas, confianza);
  std::vector<Hallazgo>& h = e.verificacion.hallazgos;
  if (e.verificacion.etapa != Etapa::Emitida) {
    h.push_back(Error("cod.no-emitido",
                      "El archivo no es un COD emitido: le faltan la "
                      "certificación y la firma de la entidad habilitada."));
    return e;
  }
  Doc a = Leer(emitido, h);
  Doc b = Leer(firmado, h);
  if (!a || !b) return e;
  const Lugares la = Ubicar(a.get());
  const Lugares lb = Ubicar(b.get());
  if (!lb.cod || Canonico(a.get(), la.cod) != Canonico(b.get(), lb.cod)) {
    h.push_back(Error("cod.distinto",
                      "El COD emitido no es el que usted firmó: su contenido "
                      "cambió."));
  }
  xmlNode* eh = Hijo(la.codeh, "EH");
  xmlNode* c = Hijo(la.codeh, "CertificationEH");
  auto t = [](xmlNode* padre, const char* n) { return Texto(Hijo(padre, n)).trimmed(); };
  e.EHId = t(eh, "EHId");
  e.EHCountry = t(eh, "EHCountry");
  e.EHName = t(eh, "EHName");
  e.EHAddress = t(eh, "EHAddress");
  e.EHCityLocality = t(eh, "EHCityLocality");
  e.EHTelephone = t(eh, "EHTelephone");
  e.EHEmail = t(eh, "EHEmail");
  e.EHURL = t(eh, "EHURL");
  e.CertificateControlCode = t(c, "CertificateControlCode");
  e.CertificateID = t(c, "CertificateID");
  e.CertificateDate = LeerFecha(t(c, "CertificateDate"));
  return e;
}

}  // namespace ostrevan::cod
