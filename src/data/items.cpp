// The item grid with its groups, shading and origin-norm list, and the partida texts.
#include <QLocale>

#include "data/certificado.h"
#include "data/forms.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/timer.h"
#include "host/value.h"

namespace ostrevan {

namespace {
const QString kModulo = QStringLiteral("Módulo");
const QString kModMain = QStringLiteral("Mod_Main");

// Format(value, "0.00") in the system's number format; Null shows nothing.
QString GridNumber(const QVariant& v) {
  QVariant x = esnull(v);
  if (x.typeId() == QMetaType::QString && x.toString().isEmpty()) return {};
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(esnumero(x), 'f', 2);
}

struct Column {
  const char* header;
  int width;
  int align;
};
}  // namespace

void PrepararGrillaArticulos(const char* ordHeader, const char* normHeader) {
  Grid& g = CargaDatos().MsfgParteI;
  const Column cols[] = {{"Sel", 400, Grid::flexAlignGeneral},
                         {"id", 0, Grid::flexAlignGeneral},
                         {ordHeader, 600, Grid::flexAlignCenter},
                         {St().bNaladisa ? "NALADISA" : "NCM", 960, Grid::flexAlignCenter},
                         {normHeader, 800, Grid::flexAlignCenter},
                         {"Cod. Articulo", 1500, Grid::flexAlignLeft},
                         {"Denominacion", 4770, Grid::flexAlignLeft},
                         {"Peso o Cantidad", 1350, Grid::flexAlignGeneral},
                         {"Valor FOB (USD)", 1425, Grid::flexAlignGeneral}};
  g.SetCols(9);
  g.SetRows(1);
  for (int c = 0; c < 9; ++c) {
    g.SetTextMatrix(0, c, QString::fromUtf8(cols[c].header));
    g.SetColWidth(c, cols[c].width);
    g.SetColAlignment(c, cols[c].align);
  }
}

void CargarArticulosEnGridDB() {
  try {
    PrepararGrillaArticulos("NºOrd", "Cod.Nrms");
    const Grid& lista = Lista().Msfg_ListadoMn;
    St().sIdCeo = lista.TextMatrix(lista.Row(), 0);
  } catch (const std::exception& ex) {
    RuntimeError e = AsRuntimeError(ex);
    throw RuntimeError(
        1111, "mod_main.CargarArticulosEnGridDB::" + e.Source() + e.Description() + " linea 0",
        "Mod_Main");
  }
}

QString ArticulosPorNomencladorSql() {
  return ArticulosPorNomencladorSql(St().sIdCeo, St().bNaladisa);
}

void CargarArticulosEnGrid(long keep) {
  StatusPopup& popup = Popup();
  Grid& g = CargaDatos().MsfgParteI;
  // The reloaded rows carry no marks, so the selection and its counter go too; F6 then acts
  // only on what the grid shows marked.
  CargaDatos().selected.clear();
  CargaDatos().selPosition.clear();
  ActualizarSelInfo();
  try {
    popup.ShowStatus();
    cGetTimer timer;
    timer.StartTimer();
    g.SetRows(1);
    const QString sql = ArticulosPorNomencladorSql();
    Recordset rs;
    if (!Query("OSTREVAN", sql, rs)) {
      popup.HideStatus();
      return;
    }
    g.Visible = false;
    g.SetRedraw(false);
    // The wordings cleared on continuation rows are written together, not one commit each.
    Transaction tx(Conn("OSTREVAN"));
    QString prevCode;
    QString prevNorm = "-";
    long counter = 1;
    bool shade = false;
    AgregarNormaALista(0, QString(), true);
    popup.RegTotal(rs.RecordCount());
    popup.Mensaje("Cargando Articulos...");
    int keptRow = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
      popup.RegAct(rs.AbsolutePosition());
      popup.ElapsedTIME(timer.LAP());
      const QString code = Txt(rs.Fields("Nomenclador").Value);
      const QString norm = Txt(rs.Fields("idnormasorigen").Value);
      const long nro = static_cast<long>(esnumero(rs.Fields("NroOrden").Value));
      QString groupText;
      QString shownCode = code;
      if (code == prevCode) {
        if (norm != prevNorm) {
          prevNorm = norm;
          groupText = QString::number(counter++);
          shade = !shade;
          AgregarNormaALista(groupText.toLong(), norm, false);
        } else {
          shownCode.clear();
          if (!Txt(rs.Fields("TextoPartida").Value).isEmpty() && !prevCode.isEmpty()) {
            UpdateDichosDePartida(code, nro, QString(), false);
          }
        }
      } else {
        groupText = QString::number(counter++);
        prevNorm = norm;
        shade = !shade;
        AgregarNormaALista(groupText.toLong(), norm, false);
      }
      const QString row = QString() + '\t' + Txt(rs.Fields("NroOrden").Value) + '\t' + groupText +
                          '\t' + Celda(shownCode) + '\t' + Celda(norm) + '\t' +
                          Celda(Txt(rs.Fields("CodArticulo").Value)) + '\t' +
                          Celda(Txt(rs.Fields("denomerc").Value)) + '\t' +
                          GridNumber(rs.Fields("pesocant").Value) + ' ' +
                          Celda(Txt(rs.Fields("Unidad").Value)) + '\t' +
                          GridNumber(rs.Fields("valorfobusd").Value);
      g.AddItem(row);
      prevCode = code;
      const int newRow = g.Rows() - 1;
      if (keep != 0 && nro == keep) keptRow = newRow;
      g.SetRowColors(newRow, shade ? kGroupShadeA : kGroupShadeB,
                     shownCode.isEmpty() ? Grid::kDefaultFore : kGroupFirstRowFore);
      DoEvents();
    }
    if (keptRow > 0) g.SetTopRow(keptRow);
    // A row to stand on, so that Space marks what the user sees without an arrow key first.
    if (g.Rows() > 1) g.SetRow(keptRow > 0 ? keptRow : 1);
    popup.HideStatus();
    g.SetColAlignment(2, Grid::flexAlignCenter);
    g.SetColAlignment(5, Grid::flexAlignLeft);
    g.Visible = true;
    g.SetRedraw(true);
    CargaDatos().Lbl_TotalArts.SetCaption("Total Arts: " + QString::number(g.Rows() - 1));
    CargarGrillaNormasOrigen();
  } catch (const std::exception& e) {
    g.SetRedraw(true);
    ReportDetailed(e, "CargarArticulosEnGrid", kModulo, kModMain);
  }
}

void AgregarNormaALista(long grupo, const QString& id, bool reset) {
  auto& normas = D().normas;
  if (reset) {
    normas.assign(1, NormaOrigen{});
  } else if (!id.isEmpty()) {
    normas.push_back({id, QString::number(grupo), GetDescripcionNorma(id)});
  }
}

QString GetDescripcionNorma(const QString& id) {
  Recordset rs;
  if (Query("CATALOGOS",
            "SELECT Descripcion From DescripcionNormasOrigen WHERE IDNormasOrigen =  '" +
                SqlText(id) + "'",
            rs)) {
    return Txt(rs.Fields("Descripcion").Value);
  }
  return {};
}

void UpdateDichosDePartida(const QString& code, long nroOrden, const QString& text, bool all) {
  try {
    const QString& id = St().sIdCeo;
    QString sql = "UPDATE Articulos Set TextoPartida = '" + SqlText(text) + "'" +
                  (St().bNaladisa ? " Where NALADISA ='" : " Where NCM ='") + SqlText(code) + "'";
    sql += all ? QString(" and IdCeo = '" + SqlText(id) + "'")
               : " and IdCeo = '" + SqlText(id) + "' And NroOrden = " + QString::number(nroOrden);
    Execute("OSTREVAN", sql);
  } catch (const std::exception& e) {
    ReportDetailed(e, "UpdateDichosDePartida", kModulo, kModMain);
  }
}

QString GetDichosDePartidaArticulo(const QString& code, long nroOrden) {
  try {
    Recordset rs;
    if (Query("OSTREVAN",
              "Select TextoPartida From Articulos Where NCM ='" + SqlText(code) +
                  "' and idceo = '" + SqlText(St().sIdCeo) +
                  "' and NroOrden =" + QString::number(nroOrden),
              rs)) {
      return Txt(rs.Fields("TextoPartida").Value);
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "GetDichosDePartidaArticulo", kModulo, kModMain);
  }
  return {};
}

QString GetDichosDePartidaCATALOGO(const QString& code, bool naladisa) {
  try {
    Recordset rs;
    const QString sql =
        naladisa
            ? QString("Select Descripcion From NaladisaCEO Where Naladisa ='" + SqlText(code) + "'")
            : "Select Descripcion From NCMCEO Where Ncm ='" + SqlText(code) + "'";
    if (Query("CATALOGOS", sql, rs)) return Txt(rs.Fields("Descripcion").Value);
  } catch (const std::exception& e) {
    ReportDetailed(e, "GetDichosDePartidaCATALOGO", kModulo, kModMain);
  }
  return {};
}

void PrepararGrillaNormas() {
  Grid& g = CargaDatos().MsfgParteII;
  g.SetCols(3);
  g.SetRows(1);
  const Column cols[] = {
      {"Cod Normas", 10, 0}, {"Nro Orden", 1000, 0}, {"Descripcion Norma de Origen", 12000, 0}};
  for (int c = 0; c < 3; ++c) {
    g.SetTextMatrix(0, c, QString::fromUtf8(cols[c].header));
    g.SetColWidth(c, cols[c].width);
  }
}

void CargarGrillaNormasOrigen() {
  PrepararGrillaNormas();
  Grid& g = CargaDatos().MsfgParteII;
  const auto& normas = D().normas;
  const QString form = St().sIdFormulario;
  for (size_t i = 1; i < normas.size();) {
    const bool agrupar =
        GetCEOParamInfo(form, "AGRUPARNORMASORIGEN", false).trimmed().toUpper() == "S";
    if (!agrupar) {
      g.AddItem(Celda(normas[i].id) + '\t' + normas[i].grupo + '\t' + Celda(normas[i].descripcion));
      ++i;
      continue;
    }
    const QString sep = GetCEOParamInfo(form, "TEXTOSEPARADORRANGO", false).trimmed();
    size_t last = i;
    while (last + 1 < normas.size() &&
           esnumero(normas[last + 1].grupo) == esnumero(normas[last].grupo) + 1 &&
           normas[last + 1].id == normas[i].id) {
      ++last;
    }
    const QString range =
        last == i ? normas[i].grupo : normas[i].grupo + " " + sep + " " + normas[last].grupo;
    g.AddItem("A\t" + Celda(range) + '\t' + Celda(normas[i].descripcion));
    i = last + 1;
  }
}

}  // namespace ostrevan
