#include "app/demo_completion.h"

#include "app/demo_common.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan::demo {

void CompleteCertificate(const QString& idCeo) {
  const QString where = " Where IdCeo = " + Quoted(idCeo);
  Execute("OSTREVAN",
          "Update CeoMercosur Set Importador = " +
              Quoted("Distribuidora Paulista de Autopeças Ltda.\r\nRua Vergueiro 3185, São Paulo, "
                     "Brasil") +
              ", Consignatario = " + Quoted("A la orden de Banco do Brasil S.A., Brasil") +
              ", PuertoEmbarque = " + Quoted("Paso de los Libres - Uruguaiana") +
              ", MedioTransp = " + Quoted("Terrestre (camion)") +
              ", FactComer = " + Quoted("Factura de exportacion E") +
              ", FcNro = " + Quoted("0003-00012877") + ", FcFecha = " + Quoted("02/12/2026") +
              ", Observaciones = " + Quoted("Mercaderia nueva, sin uso. Embalaje: 14 pallets.") +
              ", DeclProdFin = " + Quoted("Argentina") + ", DeclAcuerdo = " +
              Quoted("ACE 18 - MERCOSUR") + ", Fecha = " + Quoted("04/12/2026") + where);
  Recordset rs;
  if (!Query("OSTREVAN", "Select distinct NCM From Articulos" + where + " Order by NCM", rs))
    return;
  int n = 0;
  for (; !rs.Eof(); rs.MoveNext()) {
    const QString norm = QString::number(n++ % 3 + 1);
    Execute("OSTREVAN", "Update Articulos Set IdNormasOrigen = " + Quoted(norm) + where +
                            " and NCM = " + Quoted(Txt(rs.Fields("NCM").Value)));
  }
}

}  // namespace ostrevan::demo
