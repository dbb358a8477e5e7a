// The change of tariff position of one group of items (F7 of the item grid).
#include "data/forms.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

FrmCambiaPosicionArancelaria& NuevoCambiaPosicion() {
  D().cambiaPosicion = std::make_unique<FrmCambiaPosicionArancelaria>();
  return *D().cambiaPosicion;
}

FrmCambiaPosicionArancelaria& CambiaPosicion() {
  if (!D().cambiaPosicion) NuevoCambiaPosicion();
  return *D().cambiaPosicion;
}

void CambiaPosicion_Load() {
  FrmCambiaPosicionArancelaria& w = CambiaPosicion();
  w.Lbl_TipoPosDescripcion.SetCaption(St().bNaladisa ? "NALADISA" : "NCM");
  w.Txt_PosAct.SetText(w.NcmActual);
  w.Txt_DDP_PosActual.SetText(GetDichosDePartidaArticulo(w.NcmActual, w.DBNroOrden));
  w.Txt_PosNueva.SetText(QString());
}

namespace {
bool Digits(const QString& t, int from, int count) {
  for (int i = from; i < from + count; ++i) {
    if (!t[i].isDigit()) return false;
  }
  return true;
}
}  // namespace

void Txt_PosNueva_Change() {
  FrmCambiaPosicionArancelaria& w = CambiaPosicion();
  const QString t = QString(w.Txt_PosNueva.Text()).replace(',', '.');
  if (t.size() != 10 || !Digits(t, 0, 4) || t[4] != '.' || !Digits(t, 5, 2) || t[7] != '.' ||
      !Digits(t, 8, 2)) {
    return;
  }
  if (t != w.Txt_PosNueva.Text()) w.Txt_PosNueva.SetText(t);
  w.Txt_DDP_Catalogo.SetText(GetDichosDePartidaCATALOGO(t, St().bNaladisa));
  w.Txt_DDP_PosNueva.SetText(QString());
}

bool Cmd_Aceptar_Click() {
  FrmCambiaPosicionArancelaria& w = CambiaPosicion();
  const QString nueva = w.Txt_PosNueva.Text();
  if (nueva.trimmed().isEmpty() || nueva.size() != 10 || nueva == w.Txt_PosAct.Text()) {
    MsgBox(
        "La posicion ingresada no es correcta:\r\n     * Debera tener al menos 10 "
        "caracteres\r\n     * Debe ser distinta al de la posicion actual",
        vbExclamation, "Cambio de posicion NCM/NALADISA");
    return false;
  }
  w.NcmNew = nueva;
  return true;
}

void Cmd_Cancelar_Click() { CambiaPosicion().NcmNew.clear(); }

bool AplicarCambioPosicion(const QString& actual, const QString& nueva, const QStringList& items,
                           int modo) {
  const ComponentState& st = St();
  const QString col = st.bNaladisa ? "Naladisa" : "NCM";
  const QString idCeo = SqlText(st.sIdCeo);
  const QString bajoNueva =
      " where " + col + " = '" + SqlText(nueva) + "' and IDCeo = '" + idCeo + "'";
  Connection& c = Conn("OSTREVAN");
  try {
    // The texts are read before anything moves: the group's own and, for the third option,
    // the one the new position already carries in this certificate.
    QString textoGrupo, textoNueva;
    Recordset rs;
    if (!items.isEmpty() &&
        Query("OSTREVAN",
              "select TextoPartida from articulos where " + col + " = '" + SqlText(actual) +
                  "' and IDCeo = '" + idCeo +
                  "' and NroOrden = " + QString::number(static_cast<long>(esnumero(items.first()))),
              rs)) {
      textoGrupo = Txt(rs.Fields("TextoPartida").Value);
    }
    if (Query("OSTREVAN",
              "select TextoPartida from articulos" + bajoNueva +
                  " and isnull(TextoPartida,'') <> '' order by NroOrden",
              rs)) {
      textoNueva = Txt(rs.Fields("TextoPartida").Value);
    }
    const QString catalogo = modo == FrmCambiaPosicionArancelaria::kTextoCatalogo
                                 ? GetDichosDePartidaCATALOGO(nueva, st.bNaladisa)
                                 : QString();
    AllOrNothing tx(c);
    for (const QString& key : items) {
      c.SetSQL("update articulos set " + col + " = '" + SqlText(nueva) + "' where " + col + " = '" +
               SqlText(actual) + "' and IDCeo = '" + idCeo +
               "' and NroOrden = " + QString::number(static_cast<long>(esnumero(key))));
      c.Ejecutar();
    }
    QString texto;
    bool todos = true;  // every item under the new position, or only the moved ones
    switch (modo) {
      case FrmCambiaPosicionArancelaria::kTextoCatalogo:
        texto = catalogo;
        break;
      case FrmCambiaPosicionArancelaria::kTextoPosicionNueva:
        texto = textoNueva.isEmpty() ? textoGrupo : textoNueva;
        todos = false;
        break;
      default:
        texto = textoGrupo;
        break;
    }
    if (todos) {
      c.SetSQL("update articulos set TextoPartida = '" + SqlText(texto) + "'" + bajoNueva);
      c.Ejecutar();
    } else {
      for (const QString& key : items) {
        c.SetSQL("update articulos set TextoPartida = '" + SqlText(texto) + "'" + bajoNueva +
                 " and NroOrden = " + QString::number(static_cast<long>(esnumero(key))));
        c.Ejecutar();
      }
    }
    tx.Commit();
    return true;
  } catch (const std::exception& e) {
    ReportDetailed(e, "AplicarCambioPosicion", "Formulario", "Frm_CambiaPosicionArancelaria");
  }
  return false;
}

}  // namespace ostrevan
