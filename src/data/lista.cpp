// The certificate list and the tariff wordings.
#include "data/forms.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/progress.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/timer.h"
#include "host/value.h"

namespace ostrevan {

void PrepararListado() {
  Grid& g = D().lista->Msfg_ListadoMn;
  g.SetCols(4);
  g.SetRows(1);
  const char* headers[] = {"Id_Operación", "Nombre Descriptivo", "Pais", "Estado"};
  const int widths[] = {1215, 3045, 1200, 1305};
  for (int c = 0; c < 4; ++c) {
    g.SetTextMatrix(0, c, QString::fromUtf8(headers[c]));
    g.SetColWidth(c, widths[c]);
  }
  g.Height = 3935;
  PrepararGrillaArticulos("NºOrd.", "CodNrms");
  CargarGrillaNormasOrigen();
}

bool CargarListadoInternos(bool keepSelection) {
  StatusPopup& popup = Popup();
  Grid& g = Lista().Msfg_ListadoMn;
  popup.ShowStatus();
  const QString reselect =
      (keepSelection ? g.TextMatrix(g.Row(), 0) : St().sInternoHost).trimmed().toUpper();
  cGetTimer timer;
  timer.StartTimer();
  Recordset rs;
  bool found = false;
  try {
    found =
        Query("OSTREVAN",
              "Select Descripcion, IdCeo,Estado,Paisdest From CeoMercosur Order by IdCeo desc", rs);
  } catch (const std::exception&) {
    // The caller says why; a list that could not be read is not shown as an empty one.
    g.SetRows(1);
    popup.HideStatus();
    throw;
  }
  if (!found) {
    g.SetRows(1);
    popup.HideStatus();
    return false;
  }
  popup.RegTotal(rs.RecordCount());
  popup.Mensaje("Actualizando Listado de Internos ...");
  g.SetRows(1);
  g.SetRedraw(false);
  int remembered = 0;
  for (; !rs.Eof(); rs.MoveNext()) {
    popup.RegAct(rs.AbsolutePosition());
    popup.ElapsedTIME(timer.LAP());
    const QString id = Txt(rs.Fields("IdCeo").Value);
    g.AddItem(Celda(id) + '\t' + Celda(Txt(rs.Fields("Descripcion").Value)) + '\t' +
              Celda(Txt(rs.Fields("PaisDest").Value)) + '\t' +
              Celda(Txt(rs.Fields("Estado").Value)));
    if (id.trimmed().toUpper() == reselect) remembered = g.Rows() - 1;
    DoEvents();
  }
  timer.StopTimer();
  g.SetRow(remembered);
  g.Col = 0;
  g.RowSel = remembered;
  g.ColSel = g.Cols() - 1;
  if (g.Rows() > 1) g.SetTopRow(remembered > 0 ? remembered : 1);
  g.SetRedraw(true);
  popup.HideStatus();
  return true;
}

QString GetNCMData(const QString& code) {
  try {
    const QString sql =
        St().bNaladisa
            ? QString("Select Descripcion from NALADISACEO Where Naladisa ='" + SqlText(code) + "'")
            : "Select Descripcion from NCMCEO Where NCM ='" + SqlText(code) + "'";
    Connection& c = CatalogConn();
    c.SetSQL(sql);
    Recordset rs;
    if (c.CrearRs(rs)) return Txt(rs.Fields("Descripcion").Value);
  } catch (const std::exception& e) {
    ReportDetailed(e, "GetNCMData", QStringLiteral("Módulo"), "Mod_NCM_NALADISA");
  }
  return {};
}

bool UpdateNCMData(const QString& code, const QString& wording) {
  try {
    const QString c = SqlText(code), w = SqlText(wording);
    Connection& conn = CatalogConn();
    Recordset rs;
    QString sql;
    if (St().bNaladisa) {
      conn.SetSQL("Select * From NaladisaCeo Where Naladisa = '" + c + "'");
      sql = conn.CrearRs(rs)
                ? QString("Update NaladisaCeo Set Descripcion = '" + w + "' where Naladisa = '" +
                          c + "'")
                : "Insert into NaladisaCeo(Naladisa,Descripcion) Values('" + c + "','" + w + "')";
    } else {
      conn.SetSQL("Select * From NcmCeo Where Ncm = '" + c + "'");
      sql = conn.CrearRs(rs)
                ? QString("Update NcmCeo Set Descripcion = '" + w + "' where Ncm = '" + c + "'")
                : "Insert into NcmCeo(NCM,Descripcion) Values('" + c + "','" + w + "')";
    }
    conn.SetSQL(sql);
    return conn.Ejecutar() > 0;
  } catch (const std::exception& e) {
    ReportDetailed(e, "UpdateNCMData", QStringLiteral("Módulo"), "Mod_NCM_NALADISA");
  }
  return false;
}

}  // namespace ostrevan
