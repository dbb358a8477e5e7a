#include "data/dialogs.h"

#include "host/keys.h"

#include "data/forms.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/windows.h"

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
    // A blank typed after the number would make a certificate no lookup finds.
    numero = g.txtInterno.Text().trimmed();
    numero.replace('\'', ' ');
  } else {
    numero = NumeroGenerado(QDateTime::currentDateTime());
    MsgBox("Se genero automáticamente el interno número " + numero, vbInformation);
  }
  st.sIdCeo = numero;
  st.sPaisDestino.clear();
  // The new certificate has no form yet: the last one opened must not lend it its captions
  // or its nomenclature.
  st.sIdFormulario.clear();
  st.bNaladisa = false;
  if (nomDesc.isEmpty()) {
    MsgBox("El Campo Nombre Descriptivo debe contener alguna información", vbInformation,
           "Creacion de Nueva Multinota...");
    return false;
  }
  // A number already taken would only fail in the database, in the database's words; so
  // would one another workstation takes between the look and the insert.
  auto taken = [&] {
    MsgBox("Ya existe un certificado con el Interno Nro " + numero +
               ". Escriba otro número, o deje el campo vacío para que se genere uno.",
           vbExclamation, "Creacion de Nueva Multinota...");
    return false;
  };
  Recordset rs;
  if (Query("OSTREVAN", "select IdCeo from CeoMercosur where IdCeo = '" + SqlText(numero) + "'",
            rs)) {
    return taken();
  }
  CBNMain& m = MainManager();
  m.SetSQL("Insert into CeoMercosur(Descripcion,PaisDest,IdCeo,Estado) Values ('" +
           SqlText(g.Txt_Descripcion.Text()) + "','" + SqlText(st.sPaisDestino) + "','" +
           SqlText(numero) + "','" + estado + "')");
  try {
    if (m.Ejecutar() <= 0) return false;
  } catch (const RuntimeError& e) {
    if (e.Number() != err::kDuplicateKey) throw;
    return taken();
  }
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
    f.MsfgParteI.AddItem(QString::number(i) + '\t' + Celda(code) + '\t' +
                         Celda(items.descripcion[i]) + '\t' +
                         QString::number(items.cantidad[size_t(i)]) + " " + items.unidad[i] + '\t' +
                         QString::number(items.fob[size_t(i)]));
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
  if (keyCode == Key::Esc) {
    D().seleccion.Cancel = true;
    return true;
  }
  if (keyCode == Key::F11) {
    // Without a form the creation could only fail at its last step, after the goods were
    // read, and the operation would have to be started again from the host.
    if (St().sIdFormulario.isEmpty()) {
      MsgBox(
          "Asegurese antes de guardar los datos, seleccionar la Camara y el Formulario acorde "
          "al Pais",
          vbExclamation, "Ostrevan - Grabar Datos");
      return false;
    }
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
    AllOrNothing tx(c);
    c.SetSQL("delete from articulos where idceo = '" + SqlText(idReg) + "'");
    c.Ejecutar();
    c.SetSQL("delete from CeoCod where idceo = '" + SqlText(idReg) + "'");
    c.Ejecutar();
    c.SetSQL("Delete From CeoMercosur Where IdCeo ='" + SqlText(idReg) + "'");
    const long n = c.Ejecutar();
    tx.Commit();
    return n != 0;
  } catch (const std::exception& e) {
    ReportBracket(e, " Frm_CeoBorra [BorrarRegistro] ");
  }
  return false;
}

}  // namespace ostrevan

namespace ostrevan {

bool GuardaDatos_Aceptar() {
  if (!NuevoRegistro(D().guardaDatos.Txt_Descripcion.Text())) return false;
  // The window opens on the new certificate as on a loaded one, so that choosing its form
  // saves it and builds the window again for that form.
  St().bCertificadoCargado = true;
  if (CargarListadoInternos(false)) return true;
  MsgBox("Error Cargando Lista Registro");
  return false;
}

void CeoBorra_Activate() {
  try {
    const Grid& g = Lista().Msfg_ListadoMn;
    if (g.Row() < 1) return;
    FrmCeoBorra& b = D().borra;
    b.txt_IdOperacion.SetText(g.TextMatrix(g.Row(), 0));
    b.txt_Descripcion.SetText(" " + g.TextMatrix(g.Row(), 1));
    b.txt_Estado.SetText(g.TextMatrix(g.Row(), 3));
  } catch (const std::exception& e) {
    ReportBracket(e, " Frm_CeoBorra [Form_Activate] ");
  }
}

bool EliminarBoleta() {
  try {
    if (!BorrarRegistro(D().borra.txt_IdOperacion.Text())) return false;
    CargarListadoInternos(false);
    return true;
  } catch (const std::exception& e) {
    ReportBracket(e, " Frm_NotaBorra [EliminarBoleta] ");
  }
  return false;
}

void IngresarRegistro() {
  ComponentState& st = St();
  for (;;) {
    const Grid& g = Lista().Msfg_ListadoMn;
    if (g.Row() < 1) return;
    CargarDatosAPlanilla(g.TextMatrix(g.Row(), 0));
    Windows().ShowModal(Window::CargaDatos);
    if (!st.bRecargar) return;
    st.bRecargar = false;
  }
}

void MostrarCargaDatos() {
  ComponentState& st = St();
  Windows().ShowModal(Window::CargaDatos);
  while (st.bRecargar) {
    st.bRecargar = false;
    CargarDatosAPlanilla(st.sIdCeo);
    Windows().ShowModal(Window::CargaDatos);
  }
}

void CargaDatos_Unload() {
  UnloadCargaDatos();
  D().normas.assign(1, NormaOrigen{});
  St().bCertificadoCargado = false;
  CargarListadoInternos(true);
}

void Lista_Unload() {
  UnloadLista();
  LiberarObjetos();
}

}  // namespace ostrevan
