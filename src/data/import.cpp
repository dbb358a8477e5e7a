// Creating a certificate from a host operation: destination country, header row and the
// import of the operation's exporter data and goods.
#include <QDate>
#include <QHash>
#include <optional>

#include "data/dialogs.h"
#include "data/forms.h"
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

// The lookups of country and unit name: the last row wins.
QString LastOf(const QString& sql, const char* field, const char* procedure) {
  QString result;
  try {
    Recordset rs;
    if (Query("INTERNOS", sql, rs)) {
      for (; !rs.Eof(); rs.MoveNext()) result = Txt(rs.Fields(field).Value);
    }
  } catch (const std::exception& ex) {
    RuntimeError e = AsRuntimeError(ex);
    MsgBox(e.Description() + "\r\n" + e.Source() + "\r\n[" + procedure + "]");
  }
  return result;
}

// A number as the statements write it: its text with "," turned into "."; a Null is the
// number 0, as a Null quantity or value converts where a number is expected.
QString StatementNumber(const QVariant& v) {
  if (v.isNull()) return QStringLiteral("0");
  QVariant x = esnull(v);
  QString t =
      x.typeId() == QMetaType::Double ? QString::number(x.toDouble(), 'g', 15) : x.toString();
  return t.replace(',', '.');
}
}  // namespace

QString QuitarSaltosDeLinea(const QString& text) {
  QString t = text;
  return t.replace("\r\n", " ");
}

QString GetPaisDestinoFromInternoNuevo() {
  try {
    ComponentState& st = St();
    Recordset rs;
    if (!Query(
            "INTERNOS",
            "Select IdPaisDestino  From Caratula Where Interno ='" + SqlText(st.sInternoHost) + "'",
            rs)) {
      return {};
    }
    if (rs.RecordCount() >= 2) {
      MsgBox("Registro Duplicado");
      return {};
    }
    const long id = static_cast<long>(esnumero(rs.Fields("IdPaisDestino").Value));
    st.sPaisDestino = PaisDataFormId(QString::number(id));
    st.sIdCeo = st.sInternoHost;
    return st.sPaisDestino;
  } catch (const std::exception& e) {
    ReportDetailed(e, "GetPaisDestinoFromInternoNuevo", kModulo, kModMain);
  }
  return {};
}

QString PaisDataFormId(const QString& id) {
  return LastOf("Select id, descripcion from pais where id = '" + SqlText(id) + "'", "Descripcion",
                "PaisDataFormId");
}

QString UnidadDataFromId(const QString& id) {
  return LastOf("Select id, simple from unidades where id = '" + SqlText(id) + "'", "Simple",
                "UnidadDataFromId");
}

QString GetUnidadDestino(const QString& unidad) {
  Recordset rs;
  if (Query("OSTREVAN",
            "Select UnidDestino From Unidad_OrigenDestino Where UnidOrigen = '" + SqlText(unidad) +
                "'",
            rs)) {
    return Txt(rs.Fields("UnidDestino").Value);
  }
  return {};
}

bool CrearInterno() {
  try {
    const ComponentState& st = St();
    const QString id = SqlText(st.sIdCeo);
    return Execute("OSTREVAN",
                   "Insert into CeoMercosur(Descripcion,PaisDest,IdCeo,Estado,IdFormulario) "
                   "Values ('[" +
                       id + "]-[Quandor]','" + SqlText(st.sPaisDestino) + "','" + id +
                       "','Creando','" + SqlText(st.sIdFormulario) + "')") > 0;
  } catch (const std::exception& e) {
    // Another workstation created the same operation's certificate since Main looked for it.
    if (AsRuntimeError(e).Number() == err::kDuplicateKey) {
      MsgBox("Registro Duplicado: el certificado " + St().sIdCeo +
             " ya existe, otra estacion de trabajo lo creo mientras tanto");
      return false;
    }
    ReportDetailed(e, "CrearInterno", kModulo, kModMain);
  }
  return false;
}

QString GetFormatoNumero(const QString& entity, const QString& expression, const QString& mask) {
  long decimals = mask.size() - (mask.indexOf('.') + 1);
  if (mask.indexOf('.') < 0) decimals = 0;
  QString f = MainManager().getNumberFormatbyEntity(entity, "999,999", decimals);
  return f.replace("999.999", expression);
}

namespace {

// Steps 3 and 4: the operation and its client; duplicates are reported and skipped.
double ReadOperationAndClient() {
  ComponentState& st = St();
  // An operation or client read no row, or a duplicate one: the certificate goes without
  // those data, never with the ones of an operation imported before.
  st.sCuitCliente.clear();
  st.sNombreCliente.clear();
  st.sDomicilioCliente.clear();
  st.sLocalidadCliente.clear();
  double factor = 0;
  Recordset rs;
  if (Query(
          "INTERNOS",
          "Select Interno,Cuitcliente,fobdivcambio, IdPaisDestino From Caratula Where Interno ='" +
              SqlText(st.sIdCeo) + "'",
          rs)) {
    if (rs.RecordCount() >= 2) {
      MsgBox("Registro Duplicado");
    } else {
      st.sCuitCliente = Txt(rs.Fields("CuitCliente").Value);
      factor = esnumero(rs.Fields("fobdivcambio").Value);
    }
  }
  if (Query("PERSONAL",
            "Select Nombre,Domicilio,Localidad,Cuit From Clientes Where Cuit ='" +
                SqlText(st.sCuitCliente) + "'",
            rs)) {
    if (rs.RecordCount() >= 2) {
      MsgBox("Registro Duplicado");
    } else {
      st.sNombreCliente = Txt(rs.Fields("Nombre").Value);
      st.sDomicilioCliente = Txt(rs.Fields("Domicilio").Value);
      st.sLocalidadCliente = Txt(rs.Fields("Localidad").Value);
      if (st.sIdFormulario.trimmed() == "CEO104") {
        st.sDomicilioCliente = st.sDomicilioCliente + " " + Txt(rs.Fields("Localidad").Value);
        st.sLocalidadCliente = QDate::currentDate().toString("dd/MM/yyyy");
      }
    }
  }
  return factor;
}

QString ItemQuery(double factor, bool usaFactura, bool naladisa) {
  const QString fob =
      GetFormatoNumero("INTERNOS", "Fob * " + QString::number(factor, 'g', 15), "00.00");
  const QString source = usaFactura ? " as FobEx From SubItems" : " as FobEx From groupSubItems";
  const QString order =
      naladisa ? (usaFactura ? " Order by left(Naladisa,10)" : " Order by left(NALADISA,10)")
               : " Order by left(Ncm,10)";
  return "Select Interno,left(Ncm,10) as ncmex,Naladisa,Cantidad,idarticulo,idcatalogo,"
         "Descripcion,IdUnidad," +
         fob + source + " Where Interno ='" + SqlText(St().sIdCeo) + "'" + order;
}

}  // namespace

bool LoadFromQuandor(bool enCreacion) {
  StatusPopup& popup = Popup();
  ImportedItems& lists = D().importados;
  try {
    lists = ImportedItems();
    popup.ShowStatus();
    popup.UseBoton(true);
    popup.EnableBoton(false);
    cGetTimer timer;
    timer.StartTimer();
    ComponentState& st = St();
    const double factor = ReadOperationAndClient();
    D().usaFactura = esnumero(GetCEOParamInfo(st.sIdFormulario, "UsaFactura", false)) == 1;

    Recordset rs;
    if (!Query("INTERNOS", ItemQuery(factor, D().usaFactura, st.bNaladisa), rs) ||
        rs.RecordCount() < 1) {
      // Nothing to import: close the popup rather than wait on a button nobody needs.
      popup.UseBoton(false);
      popup.HideStatus();
      SetCombosFromIdFormulario(CargaDatos().Cmb_Camara, CargaDatos().cboPais, st.sIdFormulario);
      return true;
    }
    popup.RegTotal(rs.RecordCount());
    long n = 0;
    Recordset cat;
    // An operation repeats a few units and tariff codes over thousands of items: each is
    // looked up once per import.
    QHash<QString, QString> unidades, destinos, partidas;
    auto once = [](QHash<QString, QString>& known, const QString& key, auto lookup) {
      auto it = known.constFind(key);
      return it != known.constEnd() ? it.value() : known.insert(key, lookup(key)).value();
    };
    {
      // The items of an operation go in whole or not at all, in one commit; inside a
      // creation, the creation's own.
      std::optional<AllOrNothing> tx;
      if (!enCreacion) tx.emplace(Conn("OSTREVAN"));
      for (; !rs.Eof(); rs.MoveNext()) {
        const QString idArticulo = Txt(rs.Fields("idarticulo").Value);
        QString codigo, descripcion, partida;
        if (!Query("INTERNOS",
                   "SELECT idarticulo , descripcion, left(NCM,10) as ncmArticulo , Naladisa FROM "
                   "catarticulos WHERE idcatalogo = '" +
                       SqlText(Txt(rs.Fields("idcatalogo").Value)) + "' and idarticulo = '" +
                       SqlText(idArticulo) + "'",
                   cat)) {
          descripcion = "articulo " + idArticulo.trimmed() + " no encontrado";
        } else {
          codigo = Txt(cat.Fields("idarticulo").Value).trimmed();
          descripcion = QuitarSaltosDeLinea(Txt(cat.Fields("descripcion").Value).trimmed());
          if (descripcion.isEmpty()) {
            descripcion = "descripcion del articulo " + Txt(cat.Fields("idarticulo").Value) +
                          " no encontrado";
          }
          const QString code = Txt(cat.Fields(st.bNaladisa ? "Naladisa" : "ncmArticulo").Value);
          if (!code.isEmpty()) partida = once(partidas, code, GetNCMData);
        }
        ++n;
        const QString unidad = once(unidades, Txt(rs.Fields("IdUnidad").Value), UnidadDataFromId);
        lists.naladisa << Txt(rs.Fields("naladisa").Value);
        lists.ncm << Txt(rs.Fields("ncmex").Value);
        lists.cantidad.push_back(esnumero(rs.Fields("Cantidad").Value));
        lists.unidad << unidad;
        lists.codigo << codigo;
        lists.descripcion << descripcion;
        lists.fob.push_back(esnumero(rs.Fields("FobEx").Value));

        popup.Mensaje("Insertando articulos del QUANDOR al Certificado de Origen...");
        popup.RegAct(rs.AbsolutePosition());
        popup.ElapsedTIME(timer.LAP());
        const QString mapped = once(destinos, unidad, GetUnidadDestino);
        const QString stored = mapped.isEmpty() ? unidad : mapped;
        Execute("OSTREVAN",
                "Insert into Articulos(NroOrden,NCM,NALADISA,CodArticulo,DenoMerc,TextoPartida,"
                "PesoCant,ValorFobUsd,IdCeo,Unidad) Values('" +
                    QString::number(n) + "','" + SqlText(Txt(rs.Fields("ncmex").Value)) + "','" +
                    SqlText(Txt(rs.Fields("naladisa").Value)) + "','" + SqlText(codigo) + "','" +
                    SqlText(descripcion) + "','" + SqlText(partida) + "','" +
                    SqlText(StatementNumber(rs.Fields("Cantidad").Value)) + "','" +
                    SqlText(StatementNumber(rs.Fields("FobEx").Value)) + "','" +
                    SqlText(st.sIdCeo) + "','" + SqlText(stored) + "')");
        DoEvents();
      }
      if (tx) tx->Commit();
    }
    // Before the wait: the header saved next reads the certificate's form from these.
    SetCombosFromIdFormulario(CargaDatos().Cmb_Camara, CargaDatos().cboPais, st.sIdFormulario);
    if (!enCreacion) TerminarImportacion();
    return true;
  } catch (const std::exception& e) {
    // The popup must not be left without a way out.
    popup.UseBoton(false);
    popup.HideStatus();
    ReportBracket(e, " Mod_Main [LoadFromQuandor] ");
  }
  return false;
}

void TerminarImportacion() {
  StatusPopup& popup = Popup();
  if (D().importados.Count() == 0) return;  // nothing imported: the popup is already gone
  const long done = popup.RegAct();
  popup.Mensaje(QString::number(done) +
                " Articulos procesados, haga click en cerrar para continuar.");
  popup.EnableBoton(true);
  EsperarCerrar(popup);
  popup.HideStatus();
}

QString VerificarOperacionHost(const QString& interno) {
  try {
    Recordset rs;
    if (!Query("INTERNOS", "Select Interno From Caratula Where Interno ='" + SqlText(interno) + "'",
               rs)) {
      return "No se encontro la operacion " + interno + " en el sistema del host";
    }
    if (rs.RecordCount() >= 2) {
      return "Registro Duplicado: la operacion " + interno +
             " figura mas de una vez en el sistema del host";
    }
    return {};
  } catch (const std::exception& e) {
    return "No se pudo leer la operacion " + interno +
           " del sistema del host: " + AsRuntimeError(e).Description();
  }
}

bool CrearCertificadoDelHost() {
  ComponentState& st = St();
  bool ok = false;
  {
    // All or nothing: the header, the items and the completed header are one transaction,
    // so a certificate that exists is a finished one, whatever stopped the creation. Nothing
    // in it waits for the user: its messages are shown after the database is released, and
    // the wait for "Cerrar" comes after the commit.
    HeldMessages held;
    AllOrNothing tx(Conn("OSTREVAN"));
    if (!CrearInterno()) {
      MsgBox("El Interno no pudo ser creado");
    } else {
      ok = LoadFromQuandor(true) && NuevoRegistro("[ " + st.sIdCeo + " ] - [ Quandor ]") &&
           CargarDatosADb(st.sIdCeo);
    }
    if (ok) tx.Commit();
  }
  if (!ok) {
    Popup().UseBoton(false);
    Popup().HideStatus();
    D().importados = ImportedItems();
    return false;
  }
  TerminarImportacion();
  CargarListadoInternos(false);
  return true;
}

}  // namespace ostrevan
