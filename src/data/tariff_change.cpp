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
    if (t[i] < '0' || t[i] > '9') return false;
  }
  return true;
}
}  // namespace

bool FormaDePosicion(const QString& code) {
  // NCM and NALADISA codes are both stored as 9999.99.99 (the demo catalogue's NALADISA
  // "8708.29.00", its NCM "8708.29.99").
  return code.size() == 10 && Digits(code, 0, 4) && code[4] == '.' && Digits(code, 5, 2) &&
         code[7] == '.' && Digits(code, 8, 2);
}

void Txt_PosNueva_Change() {
  FrmCambiaPosicionArancelaria& w = CambiaPosicion();
  const QString t = QString(w.Txt_PosNueva.Text()).replace(',', '.');
  if (!FormaDePosicion(t)) return;
  if (t != w.Txt_PosNueva.Text()) w.Txt_PosNueva.SetText(t);
  w.Txt_DDP_Catalogo.SetText(GetDichosDePartidaCATALOGO(t, St().bNaladisa));
  w.Txt_DDP_PosNueva.SetText(QString());
}

bool Cmd_Aceptar_Click() {
  FrmCambiaPosicionArancelaria& w = CambiaPosicion();
  const QString nueva = QString(w.Txt_PosNueva.Text()).trimmed().replace(',', '.');
  // Ten characters are not yet a position: it must have the nomenclature's shape.
  if (!FormaDePosicion(nueva) || nueva == w.Txt_PosAct.Text()) {
    MsgBox(QString("La posicion ingresada no es correcta:\r\n     * Debe tener la forma de una "
                   "posicion %1: 9999.99.99\r\n     * Debe ser distinta al de la posicion actual")
               .arg(St().bNaladisa ? "NALADISA" : "NCM"),
           vbExclamation, "Cambio de posicion NCM/NALADISA");
    return false;
  }
  w.NcmNew = nueva;
  return true;
}

void Cmd_Cancelar_Click() { CambiaPosicion().NcmNew.clear(); }

namespace {
// Ends the transaction without changing anything: one of the group's items is no longer
// where the grid showed it.
struct GrupoCambiado {};
}  // namespace

CambioPosicion AplicarCambioPosicion(const QString& actual, const QString& nueva,
                                     const QStringList& items, int modo) {
  const ComponentState& st = St();
  const QString col = st.bNaladisa ? "Naladisa" : "NCM";
  const QString idCeo = SqlText(st.sIdCeo);
  const QString bajoNueva =
      " where " + col + " = '" + SqlText(nueva) + "' and IDCeo = '" + idCeo + "'";
  Connection& c = Conn("OSTREVAN");
  try {
    // The texts are read before anything moves: the group's own and, for the third option,
    // the one the new position already carries in this certificate.
    QString textoGrupo, textoNueva, normaGrupo;
    Recordset rs;
    if (!items.isEmpty() &&
        Query("OSTREVAN",
              "select TextoPartida, IdNormasOrigen from articulos where " + col + " = '" +
                  SqlText(actual) + "' and IDCeo = '" + idCeo +
                  "' and NroOrden = " + QString::number(static_cast<long>(esnumero(items.first()))),
              rs)) {
      textoGrupo = Txt(rs.Fields("TextoPartida").Value);
      normaGrupo = Txt(rs.Fields("IdNormasOrigen").Value);
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
    // The catalogue has no wording for the new position: the wordings are kept, not emptied.
    const bool sinCatalogo =
        modo == FrmCambiaPosicionArancelaria::kTextoCatalogo && catalogo.trimmed().isEmpty();
    AllOrNothing tx(c);
    for (const QString& key : items) {
      c.SetSQL("update articulos set " + col + " = '" + SqlText(nueva) + "' where " + col + " = '" +
               SqlText(actual) + "' and IDCeo = '" + idCeo +
               "' and NroOrden = " + QString::number(static_cast<long>(esnumero(key))));
      // Another workstation moved or deleted the item since the grid was loaded.
      if (c.Ejecutar() != 1) throw GrupoCambiado{};
    }
    // Nor may an item another workstation added to the group (its position and norm) stay
    // behind, alone under the old position.
    Recordset quedan;
    if (!items.isEmpty() &&
        Query("OSTREVAN",
              "select NroOrden from articulos where " + col + " = '" + SqlText(actual) +
                  "' and IDCeo = '" + idCeo + "' and isnull(IdNormasOrigen,'') = '" +
                  SqlText(normaGrupo) + "'",
              quedan)) {
      throw GrupoCambiado{};
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
    if (sinCatalogo) {
      // Nothing to write.
    } else if (todos) {
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
    if (sinCatalogo) {
      MsgBox("La posicion " + nueva +
                 " no tiene texto / dichos de partida en el CATALOGO: los articulos conservan "
                 "los textos que tenian.",
             vbExclamation, "Cambio de posicion NCM/NALADISA");
    }
    return CambioPosicion::kHecho;
  } catch (const GrupoCambiado&) {
    MsgBox(
        "El grupo cambio mientras tanto (otro usuario modifico o elimino alguno de sus "
        "articulos): no se cambio ninguna posicion. La grilla muestra ahora los articulos "
        "como estan; vuelva a intentarlo.",
        vbExclamation, "Cambio de posicion NCM/NALADISA");
    return CambioPosicion::kGrupoCambiado;
  } catch (const std::exception& e) {
    ReportDetailed(e, "AplicarCambioPosicion", "Formulario", "Frm_CambiaPosicionArancelaria");
  }
  return CambioPosicion::kFallido;
}

}  // namespace ostrevan
