// The item grid's keys: marking items singly or by group, attaching an origin norm to the
// marked items, adding, editing and deleting an item, and the change of tariff position.
#include <QHash>

#include "data/forms.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "host/windows.h"

namespace ostrevan {

namespace {
constexpr int kSpace = 32, kEnter = 13, kInsert = 45, kDelete = 46, kF6 = 117, kF7 = 118;

Grid& Items() { return CargaDatos().MsfgParteI; }

bool Marked(const Grid& g, int row) { return !g.TextMatrix(row, 0).isEmpty(); }

void Mark(Grid& g, int row, bool on) { g.SetTextMatrix(row, 0, on ? "X" : QString()); }

// The whole row from column 0 to the last, as the grid selects it after each key.
void SelectWhole(Grid& g, int row) {
  if (row > 0 && row < g.Rows()) g.SetRow(row);
  g.Col = 0;
  g.RowSel = g.Row();
  g.ColSel = g.Cols() - 1;
}

// Marks many rows without announcing each one: the view repaints once at the end.
class QuietGrid {
 public:
  explicit QuietGrid(Grid& g) : g_(g), was_(g.Redraw()) { g_.SetRedraw(false); }
  ~QuietGrid() { g_.SetRedraw(was_); }
  QuietGrid(const QuietGrid&) = delete;
  QuietGrid& operator=(const QuietGrid&) = delete;

 private:
  Grid& g_;
  bool was_;
};

// Every item's tariff code by its order number, as GetNcmFromIDList reads them one by one.
QHash<QString, QString> CodigosDelCertificado() {
  const ComponentState& st = St();
  QHash<QString, QString> codes;
  Recordset rs;
  if (!Query("OSTREVAN",
             QString(st.bNaladisa ? "Select NroOrden, NALADISA as NCM"
                                  : "Select NroOrden, NCM as NCM") +
                 " From Articulos Where IdCeo = '" + SqlText(st.sIdCeo) + "'",
             rs)) {
    return codes;
  }
  for (; !rs.Eof(); rs.MoveNext()) {
    codes.insert(QString::number(static_cast<long>(esnumero(rs.Fields("NroOrden").Value))),
                 Txt(rs.Fields("NCM").Value));
  }
  return codes;
}

void ClearSelection() {
  FrmCargaDatos& f = CargaDatos();
  f.selected.clear();
  LimpiarMarcas();
}

void MarcarSimple(int row) {
  FrmCargaDatos& f = CargaDatos();
  Grid& g = f.MsfgParteI;
  const QString key = g.TextMatrix(row, 1);
  if (!Marked(g, row)) {
    if (f.selected.isEmpty()) {
      f.selPosition = GetNcmFromIDList(key);
    } else if (GetNcmFromIDList(key) != f.selPosition) {
      MsgBox(
          "Solo es permitido seleccionar articulos que esten bajo una misma posicion "
          "arancelaria",
          vbExclamation);
      return;
    }
    f.selected << key;
    Mark(g, row, true);
  } else if (!f.selected.isEmpty()) {
    Mark(g, row, false);
    f.selected.removeOne(key);
  } else {
    LimpiarMarcas();
  }
}

// Shift+Space walks one group, Control+Space every group of the same position.
void MarcarGrupo(int row, bool porPosicion) {
  FrmCargaDatos& f = CargaDatos();
  Grid& g = f.MsfgParteI;
  if (g.TextMatrix(row, 2).isEmpty()) {
    MsgBox(porPosicion ? "Solo es permitido seleccion multiple (Grupo x Posicion Arancelaria) "
                         "desde un articulo con Nro de Orden"
                       : "Solo es permitido seleccion multiple (Grupo x NroOrden) desde un "
                         "articulo con Nro de Orden",
           vbExclamation);
    return;
  }
  QuietGrid quiet(g);
  // The walk asks the database for each row's position: one query answers for all of them.
  const QHash<QString, QString> codes =
      porPosicion ? CodigosDelCertificado() : QHash<QString, QString>{};
  for (int r = row; r < g.Rows(); ++r) {
    const QString key = g.TextMatrix(r, 1);
    if (!Marked(g, r)) {
      if (f.selected.isEmpty()) {
        f.selPosition = GetNcmFromIDList(key);
      } else if (porPosicion ? codes.value(key) != f.selPosition : !g.TextMatrix(r, 3).isEmpty()) {
        break;
      }
      f.selected << key;
      Mark(g, r, true);
    } else {
      if (f.selected.isEmpty()) {
        LimpiarMarcas();
        break;
      }
      Mark(g, r, false);
      f.selected.removeOne(key);
      if (f.selected.isEmpty()) {
        LimpiarMarcas();
        break;
      }
    }
  }
}

void AsociarNorma() {
  FrmCargaDatos& f = CargaDatos();
  if (f.selected.isEmpty()) {
    MsgBox("No hay articulos seleccionados", vbExclamation, "Asociar Normas de Origen");
    return;
  }
  NuevaListaNormas();
  // The pick list's model goes with its window, also when the update fails.
  struct Release {
    ~Release() { D().listaNormas.reset(); }
  } release;
  InitNormas();
  Windows().ShowModal(Window::ListaNormasOrigen);
  const FrmListaNormasOrigen& lista = ListaNormas();
  if (lista.UpdateRequired) {
    const ComponentState& st = St();
    const QString head = "update articulos set idnormasorigen = '" + SqlText(lista.IdNormaOrigen) +
                         (st.bNaladisa ? "' where Naladisa = '" : "' where NCM = '") +
                         SqlText(f.selPosition) + "' and IDCeo = '" + SqlText(st.sIdCeo) +
                         "' and NroOrden = ";
    // All marked items get the norm or none does: also when another workstation moved or
    // deleted one of them since it was marked.
    Connection& c = Conn("OSTREVAN");
    bool todos = true;
    {
      AllOrNothing tx(c);
      for (const QString& key : f.selected) {
        c.SetSQL(head + QString::number(static_cast<long>(esnumero(key))));
        todos = todos && c.Ejecutar() == 1;
      }
      if (todos) tx.Commit();
    }
    if (!todos) {
      MsgBox(
          "Alguno de los articulos marcados cambio mientras tanto (otro usuario lo modifico o "
          "elimino): no se asocio la norma a ninguno. La grilla muestra ahora los articulos "
          "como estan; vuelva a marcarlos.",
          vbExclamation, "Asociar Normas de Origen");
    }
    ClearSelection();
    CargarArticulosEnGrid(0);
  }
}

void CambiarPosicion(int row) {
  Grid& g = Items();
  if (g.TextMatrix(row, 2).isEmpty()) {
    MsgBox(
        "La funcion de cambiar NCM/Naladisa se activa estando posicionado sobre un articulo "
        "con Nro de Orden.\r\nLos cambios del mismo se aplicaran a todos los articulos que "
        "esten agrupados bajo el mismo Nro de Orden.",
        vbExclamation, "Cambiar Ncm/Naladisa");
    if (g.Rows() >= 2) SelectWhole(g, 1);
    return;
  }
  FrmCambiaPosicionArancelaria& w = NuevoCambiaPosicion();
  w.NcmActual = g.TextMatrix(row, 3);
  w.DBNroOrden = static_cast<long>(esnumero(g.TextMatrix(row, 1)));
  Windows().ShowModal(Window::CambiaPosicion);
  const FrmCambiaPosicionArancelaria& done = CambiaPosicion();
  // A group changed meanwhile is shown as it is now.
  if (!done.NcmNew.isEmpty() &&
      AplicarCambioPosicion(done.NcmActual, done.NcmNew, ItemsDelGrupo(row), done.modo) !=
          CambioPosicion::kFallido) {
    ClearSelection();
    CargarArticulosEnGrid(0);
  }
  if (row < g.Rows()) g.SetTopRow(row);
  SelectWhole(g, row);
  D().cambiaPosicion.reset();
}
}  // namespace

QString GetNcmFromIDList(const QString& sValue) {
  const ComponentState& st = St();
  Recordset rs;
  const QString sql =
      (st.bNaladisa ? QString("Select NALADISA as NCM From Articulos Where NroOrden = ")
                    : QString("Select NCM as NCM From Articulos Where NroOrden = ")) +
      QString::number(static_cast<long>(esnumero(sValue))) + " and IdCeo = '" + SqlText(st.sIdCeo) +
      "'";
  if (!Query("OSTREVAN", sql, rs)) return {};
  return Txt(rs.Fields("NCM").Value);
}

void LimpiarMarcas() {
  Grid& g = Items();
  QuietGrid quiet(g);
  for (int r = 1; r < g.Rows(); ++r) g.SetTextMatrix(r, 0, QString());
}

void ActualizarSelInfo() {
  FrmCargaDatos& f = CargaDatos();
  f.LblSelInfo.SetCaption(
      f.selected.isEmpty() ? QString() : " " + QString::number(f.selected.size()) + " Art/s Sel.");
}

QStringList ItemsDelGrupo(int row) {
  const Grid& g = Items();
  QStringList keys;
  if (row < 1 || row >= g.Rows()) return keys;
  keys << g.TextMatrix(row, 1);
  for (int r = row + 1; r < g.Rows() && g.TextMatrix(r, 2).isEmpty(); ++r) {
    keys << g.TextMatrix(r, 1);
  }
  return keys;
}

// An error ends the key's handling where it happened (what was marked stays marked) and goes
// on to the window, which reports it: a failed F6 has rolled back and the user reads why.
void MsfgParteI_KeyDown(int keyCode, int shift) {
  Grid& g = Items();
  const int remembered = g.Row();
  switch (keyCode) {
    case kEnter:
      MsfgParteI_DblClick();
      break;
    case kInsert:
      Articulo_Nuevo();
      break;
    case kDelete:
      Articulo_Eliminar();
      break;
    default:
      break;
  }
  if (remembered > 0 && g.Rows() > 1) SelectWhole(g, std::min(remembered, g.Rows() - 1));
  if (keyCode == kSpace && remembered > 0 && remembered < g.Rows()) {
    switch (shift) {
      case 0:
        MarcarSimple(remembered);
        break;
      case 1:
        MarcarGrupo(remembered, false);
        break;
      case 2:
        MarcarGrupo(remembered, true);
        break;
      case 3:
        ClearSelection();
        break;
      default:
        break;
    }
  }
  ActualizarSelInfo();
  if (keyCode == kF6) {
    AsociarNorma();
    if (remembered > 0 && remembered < g.Rows()) {
      g.SetTopRow(remembered);
      SelectWhole(g, remembered);
    }
  }
  if (keyCode == kF7 && remembered > 0) CambiarPosicion(remembered);
  // F6 and F7 empty the marks after the counter was shown: it must not go on counting them.
  if (keyCode == kF6 || keyCode == kF7) ActualizarSelInfo();
}

void MsfgParteI_DblClick() {
  Grid& g = Items();
  if (g.Rows() < 2 && g.Row() == 0) return;
  const int remembered = g.Row();
  Articulo_Modificar();
  if (remembered > 0 && remembered < g.Rows()) SelectWhole(g, remembered);
}

void MsfgParteII_KeyDown() {
  Grid& g = CargaDatos().MsfgParteII;
  SelectWhole(g, g.Row());
}

void Articulo_Nuevo() {
  St().bGuardado = false;
  NuevoAMArticulos().Tag.clear();
  Windows().ShowModal(Window::AMArticulos);
  D().amArticulos.reset();
  if (St().bGuardado) CargarArticulosEnGrid(0);
}

void Articulo_Modificar() {
  Grid& g = Items();
  if (g.Rows() < 2 || g.Row() < 1) return;
  g.Col = 1;
  const QString key = g.TextMatrix(g.Row(), 1);
  if (!ArticuloSigue(key)) {
    CargarArticulosEnGrid(0);
    return;
  }
  St().bGuardado = false;
  NuevoAMArticulos().Tag = key;
  Windows().ShowModal(Window::AMArticulos);
  D().amArticulos.reset();
  if (St().bGuardado) CargarArticulosEnGrid(static_cast<long>(esnumero(key)));
}

void Articulo_Eliminar() {
  try {
    Grid& g = Items();
    if (g.Rows() < 2 || g.Row() < 1) return;
    if (MsgBox("Confirma eliminar el articulo seleccionado?", vbYesNo | vbQuestion) == vbNo) return;
    const QString key = g.TextMatrix(g.Row(), 1);
    if (Execute("OSTREVAN",
                "delete from articulos where idceo = '" + SqlText(St().sIdCeo) +
                    "' and nroorden = " + QString::number(static_cast<long>(esnumero(key)))) > 0) {
      CargarArticulosEnGrid(0);
    }
  } catch (const std::exception& e) {
    ReportShort(e, "-", " - seccion [Ostrevan.frmCargaDatos.Articulo_Eliminar]");
  }
}

}  // namespace ostrevan
