#include "data/dialogs.h"

#include "data/forms.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"

namespace ostrevan {

QString NumeroGenerado(const QDateTime& when) {
  return when.toString("yyMMdd") + "-" + when.toString("HHmmss");
}

namespace {

bool NuevoManual(const QString& nomDesc) {
  ComponentState& st = St();
  FrmGuardaDatos& g = D().guardaDatos;
  FrmCargaDatos& f = CargaDatos();
  const QString estado = "Creando";
  QString numero;
  if (!g.txtInterno.Text().trimmed().isEmpty()) {
    numero = g.txtInterno.Text();
    numero.replace('\'', ' ');
  } else {
    numero = NumeroGenerado(QDateTime::currentDateTime());
    MsgBox("Se genero automáticamente el interno número " + numero, vbInformation);
  }
  st.sIdCeo = numero;
  st.sPaisDestino.clear();
  if (nomDesc.isEmpty()) {
    MsgBox("El Campo Nombre Descriptivo debe contener alguna información", vbInformation,
           "Creacion de Nueva Multinota...");
    return false;
  }
  CBNMain& m = MainManager();
  m.SetSQL("Insert into CeoMercosur(Descripcion,PaisDest,IdCeo,Estado) Values ('" +
           SqlText(g.Txt_Descripcion.Text()) + "','" + SqlText(st.sPaisDestino) + "','" +
           SqlText(numero) + "','" + estado + "')");
  if (m.Ejecutar() <= 0) return false;
  f.Txt_Descripcion.SetText(nomDesc);
  f.Txt_Estado.SetText(estado);
  f.Txt_PaisDest.SetText(st.sPaisDestino);
  return true;
}

bool NuevoDesdeHost(const QString& nomDesc) {
  ComponentState& st = St();
  FrmCargaDatos& f = CargaDatos();
  const ImportedItems& items = D().importados;
  f.Txt_Descripcion.SetText(nomDesc);
  f.Txt_Estado.SetText("Creando");
  f.Txt_ProdFinExp.SetText(st.sNombreCliente + "\r\n" + st.sDomicilioCliente + "\r\n" +
                           st.sLocalidadCliente);
  f.Txt_PaisDest.SetText(st.sPaisDestino);
  for (int i = 1; i <= items.Count(); ++i) {
    const QString code = st.bNaladisa ? items.naladisa[i] : items.ncm[i];
    f.MsfgParteI.AddItem(QString::number(i) + '\t' + code + '\t' + items.descripcion[i] + '\t' +
                         QString::number(items.cantidad[size_t(i)]) + " " + items.unidad[i] +
                         '\t' + QString::number(items.fob[size_t(i)]));
  }
  st.bDesdeHost = false;
  return true;
}

}  // namespace

bool NuevoRegistro(const QString& nomDesc) {
  try {
    return St().bDesdeHost ? NuevoDesdeHost(nomDesc) : NuevoManual(nomDesc);
  } catch (const std::exception& e) {
    ReportShort(e, "-", " - seccion NuevoRegistro");
  }
  return false;
}

void SeleccionCertif_Load() {
  FrmSeleccionCertif& s = D().seleccion;
  s.ImgCamara.LoadPicture(QString());
  LoadCombos(s.Cmb_Camara, s.Cmb_CertificadoPais);
  s.Txt_Pais.SetText(GetPaisDestinoFromInternoNuevo());
}

bool SeleccionCertif_KeyDown(int keyCode) {
  if (keyCode == 27) {
    D().seleccion.Cancel = true;
    return true;
  }
  if (keyCode == 122) {
    D().seleccion.Cancel = false;
    return true;
  }
  return false;
}

bool BorrarRegistro(const QString& idReg) {
  try {
    // One transaction: a failure between the two statements must not leave a header whose
    // items are gone.
    Connection& c = Conn("OSTREVAN");
    c.BeginTrans();
    try {
      c.SetSQL("delete from articulos where idceo = '" + SqlText(idReg) + "'");
      c.Ejecutar();
      c.SetSQL("Delete From CeoMercosur Where IdCeo ='" + SqlText(idReg) + "'");
      const long n = c.Ejecutar();
      c.CommitTrans();
      return n != 0;
    } catch (...) {
      c.RollbackTrans();
      throw;
    }
  } catch (const std::exception& e) {
    ReportBracket(e, " Frm_CeoBorra [BorrarRegistro] ");
  }
  return false;
}

}  // namespace ostrevan
