// The origin-norm pick list (F6 of the item grid) and the window that adds a norm.
#include "data/forms.h"

#include "host/keys.h"
#include "data/item_work.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "host/windows.h"

namespace ostrevan {

FrmListaNormasOrigen& NuevaListaNormas() {
  D().listaNormas = std::make_unique<FrmListaNormasOrigen>();
  return *D().listaNormas;
}

FrmListaNormasOrigen& ListaNormas() {
  if (!D().listaNormas) NuevaListaNormas();
  return *D().listaNormas;
}

void PrepareGrid() {
  Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
  g.SetCols(2);
  g.SetRows(1);
  g.SetTextMatrix(0, 0, "Id Norma Origen");
  g.SetTextMatrix(0, 1, "Norma de Origen");
  g.SetColWidth(0, 0);
  g.SetColWidth(1, 9000);
}

void InitNormas() {
  PrepareGrid();
  Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
  Recordset rs;
  if (!Query("CATALOGOS",
             "Select * From DescripcionNormasOrigen where isnull(Oculto,'') <> 'S' order by "
             "Descripcion",
             rs)) {
    return;
  }
  g.SetRedraw(false);
  g.AddItem("\tNinguna (Seleccionar para quitar una norma preestablecida)");
  for (; !rs.Eof(); rs.MoveNext()) {
    g.AddItem(Txt(rs.Fields("idnormasorigen").Value) + '\t' + Txt(rs.Fields("Descripcion").Value));
  }
  g.SetRow(1);
  g.SetRedraw(true);
}

namespace {
void Ocultar() {
  Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
  const int row = g.Row();
  if (row < 1) return;
  const QString titulo = "Quitar norma de origen";
  if (MsgBox("Confirma quitar la norma de origen seleccionada?:\r\n" + g.TextMatrix(row, 1),
             vbYesNo | vbExclamation, titulo) == vbYes) {
    Execute("CATALOGOS",
            "UPDATE DescripcionNormasOrigen SET Oculto = 'S' where IDNormasOrigen = '" +
                SqlText(g.TextMatrix(row, 0)) + "'");
    InitNormas();
    if (row < g.Rows()) g.SetRow(row);
  } else {
    MsgBox("Accion Cancelada", vbInformation, titulo);
  }
}
// The identifier the last stored norm received: the highest, as Grabar numbers them.
QString UltimaNorma() {
  Recordset rs;
  if (!Query("CATALOGOS",
             "Select Max(CAST(idnormasorigen as int)) as ultima From DescripcionNormasOrigen",
             rs)) {
    return {};
  }
  return QString::number(static_cast<long>(esnumero(rs.Fields("ultima").Value)));
}

void SeleccionarNorma(const QString& id) {
  Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
  for (int r = 1; r < g.Rows(); ++r) {
    if (g.TextMatrix(r, 0).trimmed() == id.trimmed()) {
      g.SetRow(r);
      return;
    }
  }
}
}  // namespace

bool ListaNormas_KeyDown(int keyCode) {
  FrmListaNormasOrigen& w = ListaNormas();
  Grid& g = w.MsFgListaNormasDeOrigen;
  switch (keyCode) {
    case Key::Esc:
      return true;
    case Key::Enter:
      if (g.Row() < 1) return false;  // an empty list has no row to choose
      w.IdNormaOrigen = g.TextMatrix(g.Row(), 0);
      w.UpdateRequired = true;
      return true;
    case Key::Insert: {
      // The list is filled again in its own order: the norm just added is the one the user
      // means to attach next; without one the choice stays where it was.
      const QString antes = g.Row() >= 1 ? g.TextMatrix(g.Row(), 0) : QString();
      St().bGuardado = false;
      Windows().ShowModal(Window::NuevaNorma);
      const bool agregada = St().bGuardado;
      D().nuevaNorma.reset();
      InitNormas();
      SeleccionarNorma(agregada ? UltimaNorma() : antes);
      return false;
    }
    case Key::Delete:
      try {
        Ocultar();
      } catch (const std::exception& e) {
        ReportDetailed(e, "Form_KeyDown", "Formulario", "Frm_ListaNormasOrigen");
      }
      return false;
    default:
      return false;
  }
}

FrmNuevaNorma& NuevaNorma() {
  if (!D().nuevaNorma) D().nuevaNorma = std::make_unique<FrmNuevaNorma>();
  return *D().nuevaNorma;
}

void NuevaNorma_Load() {
  NuevaNorma().Opt_AddFinal = true;
  St().bGuardado = false;
}

bool Grabar() {
  try {
    const QString texto = NuevaNorma().txtNorma.Text();
    Connection& c = Conn("CATALOGOS");
    c.SetSQL(
        "Insert into DescripcionNormasOrigen (idNormasOrigen,Descripcion) select "
        "isnull(Max(CAST(idnormasorigen as int)),0) + 1 ,'" +
        SqlText(texto) + "' From DescripcionNormasOrigen");
    // Another workstation may store the same identifier first: the statement reads it anew.
    const long n = c.EjecutarSiguienteNumero();
    if (n > 0) {
      St().bGuardado = true;
      return true;
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "Grabar", "Formulario", "frmNuevaNorma");
  }
  return false;
}

bool NuevaNorma_KeyDown(int keyCode) {
  if (keyCode == Key::F11) return Grabar();
  if (keyCode == Key::Esc) {
    St().bGuardado = false;
    return true;
  }
  return false;
}

}  // namespace ostrevan
