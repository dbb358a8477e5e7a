#include "app/demo_completion.h"

#include "app/demo_common.h"
#include "data/cod_datos.h"
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
  DatosCod cod = LeerDatosCod(idCeo);
  using C = CampoCod;
  cod[C::ExpCiudad] = "Ciudadela";
  cod[C::ExpTelefono] = "+54 11 4488-1200";
  cod[C::ExpEmail] = "comex@dalessandro.com.ar";
  cod[C::ExpRegistroFiscal] = "30-71234567-8";
  cod[C::ImpCiudad] = QString::fromUtf8("São Paulo");
  cod[C::DeclExportacion] = "26001EC01000123X";
  cod[C::DeclJuradaFecha] = "01/12/2026";
  GuardarDatosCod(idCeo, cod);
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
