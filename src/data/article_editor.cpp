// The article editor: one item of the open certificate added or corrected.
#include <cmath>

#include "data/forms.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/keys.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

FrmAMArticulos& NuevoAMArticulos() {
  D().amArticulos = std::make_unique<FrmAMArticulos>();
  return *D().amArticulos;
}

FrmAMArticulos& AMArticulos() {
  if (!D().amArticulos) NuevoAMArticulos();
  return *D().amArticulos;
}

namespace {
// Beyond any quantity or FOB of a certificate; below it the cents are stored and printed exactly
// (a larger value such as 1e308 was stored as a text the checks read as zero).
constexpr double kMayorNumero = 1e12;
}  // namespace

bool NumeroEscrito(const QString& text, const QLocale& locale, QString* forSql, QString* shown) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return false;
  bool ok = false;
  const double v = locale.toDouble(t, &ok);
  if (!ok || !std::isfinite(v) || std::fabs(v) >= kMayorNumero) return false;
  // What is stored, and the same value written back in the locale, without grouping so that
  // "1.250" read as 1250 in es_AR shows as 1250 and not as the text it came from.
  const QString sql = QString::number(v, 'g', 15);
  if (forSql) *forSql = sql;
  if (shown) {
    QLocale plain(locale);
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    *shown = plain.toString(sql.toDouble(), 'f', QLocale::FloatingPointShortest);
  }
  return true;
}

QString NoEsNumero(const QString& text, const QLocale& locale) {
  if (text.trimmed().isEmpty()) return {};
  QLocale plain(locale);
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  bool ok = false;
  if (std::isfinite(locale.toDouble(text.trimmed(), &ok)) && ok) {
    return "\"" + text.trimmed() + "\" es demasiado grande: debe ser menor que " +
           plain.toString(kMayorNumero, 'f', 0);
  }
  return "\"" + text.trimmed() + "\" no es un número en la configuración regional " +
         locale.name() + "; escriba, por ejemplo, " + plain.toString(1234.5, 'f', 1) + " o " +
         locale.toString(1234.5, 'f', 1);
}

void Inicio() {
  try {
    FrmAMArticulos& w = AMArticulos();
    w.key = w.Tag;
    w.Lbl_Nomenclador.SetCaption(St().bNaladisa ? "Codigo Naladisa" : "Codigo NCM");
    w.edit = !w.key.isEmpty();
    w.lbMensaje.SetCaption(w.edit ? "MODIFICAR ARTICULO" : "AGREGAR NUEVO ARTICULO");
    if (w.edit) CargarDatosArt();
    const Grid& g = CargaDatos().MsfgParteI;
    // A new item is no continuation of the row the grid is on: it shows its texts, so that
    // F5's wording is seen (and stored).
    w.textosPartida = !w.edit || !g.TextMatrix(g.Row(), 2).isEmpty();
  } catch (const std::exception& e) {
    ReportDetailed(e, "Inicio", "Formulario", "frm_AMArticulos");
  }
}

void CargarDatosArt() {
  try {
    FrmAMArticulos& w = AMArticulos();
    const ComponentState& st = St();
    Recordset rs;
    if (!Query("OSTREVAN",
               "select * from Articulos where nroorden = " +
                   QString::number(static_cast<long>(esnumero(w.key))) + " and IdCeo = '" +
                   SqlText(st.sIdCeo) + "'",
               rs)) {
      return;
    }
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    auto number = [&locale](const QVariant& v) { return locale.toString(esnumero(v), 'f', 2); };
    w.txtNCM.SetText(Txt(rs.Fields(st.bNaladisa ? "naladisa" : "Ncm").Value));
    w.txt_CodArt.SetText(Txt(rs.Fields("CodArticulo").Value));
    w.txtDenoMerc.SetText(Txt(rs.Fields("denomerc").Value));
    w.Txt_Unidad.SetText(Txt(rs.Fields("Unidad").Value));
    w.txtPesoCant.SetText(number(rs.Fields("pesocant").Value));
    w.txtValorFobUsd.SetText(number(rs.Fields("valorfobusd").Value));
    w.Txt_NCML1.SetText(Txt(rs.Fields("TextoNcm1").Value));
    w.Txt_NCML2.SetText(Txt(rs.Fields("TextoNcm2").Value));
    w.Txt_NCML3.SetText(Txt(rs.Fields("TextoNcm3").Value));
    w.txt_TextoPartida.SetText(Txt(rs.Fields("TextoPartida").Value));
  } catch (const std::exception&) {
    // The classic editor left the boxes as far as they were filled.
  }
}

namespace {
bool Rechazar(const char* text) {
  MsgBox(QString::fromUtf8(text), vbExclamation);
  return false;
}

// A number box refused: the system's words, and how the user's locale reads numbers.
bool RechazarNumero(const char* text, const QString& typed) {
  const QString why = NoEsNumero(typed, QLocale());
  MsgBox(QString::fromUtf8(text) + (why.isEmpty() ? QString() : "\r\n" + why), vbExclamation);
  return false;
}

// The box shows the number as it will be stored; a text that is not a number stays as typed
// (storing refuses it and says why).
void MostrarNumero(TextBox& box) {
  QString shown;
  if (NumeroEscrito(box.Text(), QLocale(), nullptr, &shown) && shown != box.Text()) {
    box.SetText(shown);
  }
}
}  // namespace

void txtPesoCant_LostFocus() { MostrarNumero(AMArticulos().txtPesoCant); }

void txtValorFobUsd_LostFocus() { MostrarNumero(AMArticulos().txtValorFobUsd); }

bool GuardarArticulo() {
  try {
    FrmAMArticulos& w = AMArticulos();
    const ComponentState& st = St();
    QString peso, fob;
    if (w.txtNCM.Text().isEmpty()) {
      return Rechazar("El campo Codigo NCM/Naladisa no puede estar vacio");
    }
    if (w.txtDenoMerc.Text().isEmpty()) {
      return Rechazar("El campo Denominacion de Mercaderias no puede estar vacio");
    }
    if (!NumeroEscrito(w.txtPesoCant.Text(), QLocale(), &peso)) {
      return RechazarNumero("El campo Peso Liquido o Cantidad debe ser un valor númerico",
                            w.txtPesoCant.Text());
    }
    if (!NumeroEscrito(w.txtValorFobUsd.Text(), QLocale(), &fob)) {
      return RechazarNumero("El campo FOB debe ser un valor númerico", w.txtValorFobUsd.Text());
    }
    if (w.Txt_Unidad.Text().isEmpty()) w.Txt_Unidad.SetText(" ");
    w.txtNCM.SetText(QString(w.txtNCM.Text()).replace('\'', ' ').replace(',', '.'));
    w.txtDenoMerc.SetText(QString(w.txtDenoMerc.Text()).replace('\'', ' '));
    const QString ncm = SqlText(w.txtNCM.Text());
    const QString deno = SqlText(w.txtDenoMerc.Text());
    const QString unidad = SqlText(w.Txt_Unidad.Text());
    const QString idCeo = SqlText(st.sIdCeo);
    if (!w.edit) {
      // The next order number of the whole table; another workstation may store it first,
      // then the number is read again.
      const auto insert = [&]() -> QString {
        long nro = 1;
        Recordset rs;
        if (Query("OSTREVAN", "select max(nroorden) as maxorden from articulos", rs)) {
          nro = static_cast<long>(esnumero(rs.Fields("maxorden").Value)) + 1;
        }
        // A new item keeps the tariff texts as an edited one does: the wording F5 brought
        // from the catalogue, or what the user typed.
        return QString(st.bNaladisa
                           ? "insert into articulos (nroorden, naladisa, denomerc,pesocant, "
                             "valorfobusd,Unidad,idceo,TextoNCM1,TextoNCM2,TextoNCM3,"
                             "TextoPartida) values ("
                           : "insert into articulos (nroorden, ncm, denomerc,pesocant, "
                             "valorfobusd,Unidad,idceo,TextoNCM1,TextoNCM2,TextoNCM3,"
                             "TextoPartida) values (") +
               QString::number(nro) + ",'" + ncm + "','" + deno + "','" + peso + "','" + fob +
               "','" + unidad + "','" + idCeo + "','" + SqlText(w.Txt_NCML1.Text()) + "','" +
               SqlText(w.Txt_NCML2.Text()) + "','" + SqlText(w.Txt_NCML3.Text()) + "','" +
               SqlText(w.txt_TextoPartida.Text()) + "')";
      };
      if (Conn("OSTREVAN").EjecutarConNumeroNuevo(insert) <= 0) return false;
    } else {
      const QString sql =
          "update articulos set " + QString(st.bNaladisa ? "naladisa = '" : "ncm = '") + ncm +
          "',denomerc = '" + deno + "',pesocant = '" + peso + "',unidad = '" + unidad +
          "',valorfobusd = '" + fob + "', TextoNCM1 = '" + SqlText(w.Txt_NCML1.Text()) +
          "', TextoNCM2 = '" + SqlText(w.Txt_NCML2.Text()) + "', TextoNCM3 = '" +
          SqlText(w.Txt_NCML3.Text()) + "', TextoPartida = '" + SqlText(w.txt_TextoPartida.Text()) +
          "' where nroorden = " + QString::number(static_cast<long>(esnumero(w.key))) +
          " and IdCeo = '" + idCeo + "'";
      // Deleted meanwhile: said, and the editor closes onto the grid loaded again.
      if (Execute("OSTREVAN", sql) <= 0) return !ArticuloSigue(w.key);
    }
    bool result = true;
    if (w.chk_updateCatalogoNCM) result = UpdateNCMData(w.txtNCM.Text(), w.txt_TextoPartida.Text());
    if (w.chk_updDichosPartidasALL) {
      UpdateDichosDePartida(w.txtNCM.Text(), 0, w.txt_TextoPartida.Text(), true);
    }
    return result;
  } catch (const std::exception& e) {
    ReportDetailed(e, "GuardarArticulo", "Formulario", "frm_AMArticulos");
  }
  return false;
}

bool ArticuloSigue(const QString& nroOrden) {
  Recordset rs;
  if (Query("OSTREVAN",
            "select nroorden from articulos where nroorden = " +
                QString::number(static_cast<long>(esnumero(nroOrden))) + " and IdCeo = '" +
                SqlText(St().sIdCeo) + "'",
            rs)) {
    return true;
  }
  MsgBox("El articulo " + nroOrden +
             " ya no esta en el certificado: otra estacion de trabajo lo elimino mientras "
             "tanto. La grilla muestra ahora los articulos como estan.",
         vbExclamation);
  return false;
}

bool AMArticulos_KeyDown(int keyCode) {
  FrmAMArticulos& w = AMArticulos();
  switch (keyCode) {
    case Key::F11:
      St().bGuardado = GuardarArticulo();
      if (!St().bGuardado) return false;
      [[fallthrough]];
    case Key::Esc:
      w.edit = w.started = false;
      w.key.clear();
      return true;
    case Key::F5:
      txtNCM_LostFocus();  // the code as it will be stored, also while its box has the focus
      w.txt_TextoPartida.SetText(GetDichosDePartidaCATALOGO(w.txtNCM.Text(), St().bNaladisa));
      return false;
    default:
      return false;
  }
}

void txtNCM_LostFocus() {
  FrmAMArticulos& w = AMArticulos();
  if (w.txtNCM.Text().contains(',')) w.txtNCM.SetText(QString(w.txtNCM.Text()).replace(',', '.'));
}

}  // namespace ostrevan
