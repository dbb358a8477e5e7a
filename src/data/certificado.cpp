#include "data/certificado.h"

#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

namespace {
constexpr char kTab1[] = "Secciones I - VII";
constexpr char kTab3[] = "Secciones XIV - XV";
constexpr char kDatos[] = "";  // the certificate's own data, above the tabs
}  // namespace

const std::array<CasillaInfo, kCasillas>& Casillas() {
  using C = Casilla;
  static const std::array<CasillaInfo, kCasillas> t = {{
      {C::Descripcion, "Descripcion", "Txt_Descripcion", "", 0, "la descripción", kDatos,
       "Descripcion", false, false},
      {C::Estado, "Estado", "Txt_Estado", "", 0, "el estado", kDatos, "Estado", false, false},
      {C::Productor, "ProdFinExp", "Txt_ProdFinExp", "ProdFinExp", 1,
       "el productor final o exportador (casilla 1)", kTab1, "1) Productor final o exportador",
       true, false},
      {C::Importador, "Importador", "Txt_Importador", "Importador", 2, "el importador (casilla 2)",
       kTab1, "2) Importador", true, false},
      {C::Consignatario, "Consignatario", "Txt_Consignatario", "Consignatario", 3,
       "el consignatario (casilla 3)", kTab1, "3) Consignatario", false, false},
      {C::Puerto, "PuertoEmbarque", "Txt_PuertoEmbarque", "PuertoEmbarque", 4,
       "el puerto o lugar de embarque (casilla 4)", kTab1, "4) Puerto o lugar de embarque previsto",
       false, false},
      {C::PaisDestino, "PaisDest", "Txt_PaisDest", "PaisDest", 5, "el país de destino (casilla 5)",
       kTab1, "5) Pais de destino de las mercaderias", true, false},
      {C::Transporte, "MedioTransp", "Txt_MedioTransporte", "MedioTransp", 6,
       "el medio de transporte (casilla 6)", kTab1, "6) Medio de transporte previsto", true, false},
      {C::Factura, "FactComer", "Txt_FactComerc", "FactComer", 7,
       "la factura comercial (casilla 7)", kTab1, "7) Factura comercial", false, false},
      {C::FacturaNumero, "FcNro", "Txt_FCNumero", "FcNro", 7,
       "el número de la factura comercial (casilla 7)", kTab1, "Numero:", true, false},
      {C::FacturaFecha, "FcFecha", "Txt_FCFecha", "FcFecha", 7,
       "la fecha de la factura comercial (casilla 7)", kTab1, "Fecha", true, true},
      {C::Observaciones, "Observaciones", "Txt_Observaciones", "Observaciones", 14,
       "las observaciones (casilla 14)", kTab3, "14) Observaciones", false, false},
      {C::Declaracion, "DeclProdFin", "Txt_DeclProdFin", "DeclProdFin", 15,
       "la declaración (casilla 15)", kTab3, "15) Declaracion", true, false},
      {C::Acuerdo, "DeclAcuerdo", "Txt_DeclAcuerdo", "DeclAcuerdo", 15,
       "el acuerdo de la declaración (casilla 15)", kTab3, "acuerdo", false, false},
      {C::FechaCertificado, "Fecha", "Txt_Fecha", "Fecha", 15,
       "la fecha del certificado (casilla 15)", kTab3, "Fecha:", true, true},
  }};
  return t;
}

const CasillaInfo& InfoCasilla(Casilla c) { return Casillas()[static_cast<size_t>(c)]; }

QString De(const QString& nombre) {
  return nombre.startsWith("el ") ? QString("del " + nombre.mid(3)) : QString("de " + nombre);
}

QDate LeerFecha(const QString& text) {
  const QString t = text.trimmed();
  for (const char* f : {"d/M/yyyy", "d-M-yyyy", "d.M.yyyy", "yyyy-MM-dd"}) {
    const QDate d = QDate::fromString(t, QString::fromLatin1(f));
    if (d.isValid()) return d;
  }
  for (const char* f : {"d/M/yy", "d-M-yy", "d.M.yy"}) {
    QDate d = QDate::fromString(t, QString::fromLatin1(f));
    if (!d.isValid()) continue;
    // Qt reads two digits as 1900 to 1999.
    const int yy = d.year() % 100;
    return QDate(yy < 80 ? 2000 + yy : 1900 + yy, d.month(), d.day());
  }
  return {};
}

bool ParamNumero::EsNumero() const { return IsNumeric(texto); }

double FormParams::Numero(const ParamNumero& p) const {
  if (!p.EsNumero()) {
    throw RuntimeError(err::kTypeMismatch,
                       "El parametro " + p.propiedad + " del formulario " + idFormulario +
                           " no tiene un valor numerico ('" + p.texto + "')",
                       "Ostrevan");
  }
  return esnumero(p.texto);
}

double Offsets::X() const { return x ? Val(*x) : 0; }
double Offsets::Y() const { return y ? Val(*y) : 0; }

std::vector<long> Certificado::Grupos() const {
  std::vector<long> g;
  g.reserve(articulos.size());
  long n = 0;
  for (size_t i = 0; i < articulos.size(); ++i) {
    const ArticuloCert& a = articulos[i];
    if (i == 0 || a.codigo != articulos[i - 1].codigo || a.norma != articulos[i - 1].norma) ++n;
    g.push_back(n);
  }
  return g;
}

QString ArticulosPorNomencladorSql(const QString& idCeo, bool naladisa) {
  const QString code = naladisa ? QStringLiteral("Naladisa") : QStringLiteral("Ncm");
  return "select distinct * , " % code % " as Nomenclador from articulos Where idceo ='" %
         SqlText(idCeo) % "' order by " % code % " , IdNormasOrigen";
}

FormParams LeerFormParams(const QString& form) {
  std::map<QString, QString> v;  // upper-case property -> value; the first row of a name holds
  Recordset rs;
  if (Query(
          "CEOCFG",
          "Select Propiedad, Valor From CeoParametros Where IdFormulario = '" + SqlText(form) + "'",
          rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      v.emplace(Txt(rs.Fields("Propiedad").Value).toUpper(), Txt(rs.Fields("Valor").Value));
    }
  }
  auto p = [&](const char* name) {
    auto it = v.find(QString::fromLatin1(name).toUpper());
    return it == v.end() ? QString() : it->second;
  };
  auto si = [&](const char* name) { return p(name).trimmed().toUpper() == "S"; };
  auto num = [&](const char* name) { return esnumero(p(name)); };
  auto lng = [&](const QString& name) { return CLng(esnumero(p(name.toLatin1().constData()))); };
  auto param = [&](const QString& name) {
    return ParamNumero{name, p(name.toLatin1().constData())};
  };
  FormParams f;
  f.idFormulario = form;
  f.ocultaCod = si("OCULTA_COD_ART");
  f.ocultaDesc = si("OCULTA_DESC_ART");
  f.ocultaCantidad = si("OCULTA_CANTIDAD");
  f.ocultaUnidad = si("OCULTA_UNIDAD");
  f.ocultaFob = si("OCULTA_FOB");
  f.ocultaDicho = si("OCULTA_DICHOPARTIDA");
  f.sepCod = p("SEP_COD_ART");
  f.sepDesc = p("SEP_DESC_ART");
  f.sepCantidad = p("SEP_CANTIDAD");
  f.sepUnidad = p("SEP_UNIDAD");
  f.sepFob = p("SEP_FOB");
  f.ordCod = num("ORD_COD_ART");
  f.ordDesc = num("ORD_DESC_ART");
  f.detalleUnificado = p("DETALLEUNIFICADO").trimmed() == "1";
  f.agruparNormas = si("AGRUPARNORMASORIGEN");
  f.noRepetirNormas = si("NOREPETIRNORMAS");
  f.separadorRango = p("TEXTOSEPARADORRANGO").trimmed();
  f.imprimeCantidad = num("COL04") != 0;
  f.imprimeFob = num("COL05") != 0;
  // The calibration record: a value out of range is told and the rest keeps its default.
  try {
    f.ncmMultilinea = num("NcmMultilinea") == 1;
    f.usaFactura = num("UsaFactura") == 1;
    f.anchoDesc = lng("AnchoDesc");
    if (f.anchoDesc == 0) f.anchoDesc = 32;
    f.cmult = lng("CMULT");
    for (int n = 1; f.cmult != 0 && n <= 5; ++n) {
      const QString nn = QString("%1").arg(n, 2, 10, QChar('0'));
      f.calibrado[n] = {lng("CES" + nn), lng("COL" + nn), lng("CAL" + nn)};
    }
  } catch (const std::exception& ex) {
    RuntimeError e = AsRuntimeError(ex);
    MsgBox(e.Description() + "\r\n\r\n" + QString::number(e.Number()) +
               " - seccion[Ostrevan.Mod_CertCfg.CargaConfCalibradoGlobal]",
           vbCritical);
  }
  for (int n = 1; n <= 5; ++n) {
    const QString nn = QString("%1").arg(n, 2, 10, QChar('0'));
    ColumnaForm& c = f.columnas[n - 1];
    c.cx1 = param("CX1" + nn);
    c.cx2 = param("CX2" + nn);
    c.cy1 = param("CY1" + nn);
    c.cal = p(("CAL" + nn).toLatin1().constData()).trimmed();
  }
  f.cy103 = param("CY103");
  f.cy203 = param("CY203");
  f.cx103 = param("CX103");
  f.cx203 = param("CX203");
  f.nx101 = param("NX101");
  f.nx201 = param("NX201");
  f.mostrarRegla = si("MostrarRegla");
  f.debugPrint = si("DEBUGPRINT");
  f.templateHabilitado = num("TDHABILITADO") == 1;
  f.templateNombre = p("TDName");
  f.tdx1 = Val(p("TDX1"));
  f.tdy1 = Val(p("TDY1"));
  f.tdx2 = Val(p("TDX2"));
  f.tdy2 = Val(p("TDY2"));
  f.imagenFormulario = p("IMAGENFORMULARIO").trimmed();
  f.verificar = p("VERIFICAR").trimmed().toUpper() != "N";
  if (f.detalleUnificado &&
      Query("OSTREVAN",
            "Select Propiedad , cast(Valor as Integer) as Valor From CeoParametros Where "
            "IdFormulario = '" +
                SqlText(form) +
                "' AND Propiedad like 'ORD_%'ORDER BY "
                "Valor ASC",
            rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      if (esnumero(rs.Fields("Valor").Value) != 0)
        f.ordenUnificado << Txt(rs.Fields("Propiedad").Value).toUpper();
    }
  }
  return f;
}

std::vector<CampoLayout> LeerLayout(const QString& form) {
  std::vector<CampoLayout> out;
  Recordset rs;
  if (Query("CEOCFG", "Select * From CeoConfig where Campo like '" + SqlText(form) + "%'", rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      out.push_back({Txt(rs.Fields("Campo").Value), Txt(rs.Fields("ValorX").Value),
                     Txt(rs.Fields("ValorY").Value), Txt(rs.Fields("FontName").Value),
                     Txt(rs.Fields("FontSize").Value), Txt(rs.Fields("Orientacion").Value)});
    }
  }
  return out;
}

Offsets LeerOffsets(const QString& form) {
  Offsets o;
  Recordset rs;
  for (const char* p : {"XOFFSET", "YOFFSET"}) {
    if (Query("OSTREVAN_CLI",
              "Select * From CeoParametros where IdFormulario = '" + SqlText(form) + "' " +
                  " and Propiedad = '" + p + "'",
              rs)) {
      (p[0] == 'X' ? o.x : o.y) = Txt(rs.Fields("Valor").Value);
    }
  }
  return o;
}

Certificado CargarCertificado(const QString& idCeo) {
  Certificado c;
  c.idCeo = idCeo;
  Recordset rs;
  if (!Query("OSTREVAN", "select * from CeoMercosur where IdCeo = '" + SqlText(idCeo) + "'", rs)) {
    throw RuntimeError(err::kItemNotFound, "No existe el certificado " + idCeo, "Ostrevan");
  }
  for (const CasillaInfo& i : Casillas()) c[i.casilla] = Txt(rs.Fields(i.columna).Value);
  c.idFormulario = Txt(rs.Fields("IdFormulario").Value);
  const QString form = "'" + SqlText(c.idFormulario) + "'";
  if (Query("CEOCFG", "select Nomenclador from CeoPaises where idFormulario = " + form, rs)) {
    c.naladisa = Txt(rs.Fields("Nomenclador").Value).trimmed().toUpper() == "NALADISA";
  }
  if (Query("OSTREVAN", ArticulosPorNomencladorSql(idCeo, c.naladisa), rs)) {
    c.articulos.reserve(static_cast<size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext()) {
      ArticuloCert a;
      a.nroOrden = static_cast<long>(Num(rs.Fields("NroOrden").Value));
      a.codigo = Txt(rs.Fields("Nomenclador").Value);
      a.norma = Txt(rs.Fields("IdNormasOrigen").Value);
      a.codArticulo = Txt(rs.Fields("CodArticulo").Value);
      a.denoMerc = Txt(rs.Fields("DenoMerc").Value);
      a.unidad = Txt(rs.Fields("Unidad").Value);
      a.textoPartida = Txt(rs.Fields("TextoPartida").Value);
      a.textosNcm =
          QStringList{Txt(rs.Fields("TextoNCM1").Value), Txt(rs.Fields("TextoNCM2").Value),
                      Txt(rs.Fields("TextoNCM3").Value)}
              .join(' ');
      a.pesoCant = Txt(rs.Fields("PesoCant").Value);
      a.valorFob = Txt(rs.Fields("ValorFobUsd").Value);
      if (!a.norma.isEmpty()) c.normas.emplace(a.norma, QString());
      c.articulos.push_back(std::move(a));
    }
  }
  for (auto& [id, texto] : c.normas) texto = GetDescripcionNorma(id);
  c.params = LeerFormParams(c.idFormulario);
  c.layout = LeerLayout(c.idFormulario);
  c.offsets = LeerOffsets(c.idFormulario);
  c.acuerdo = LeerAcuerdoCod(c.idFormulario);
  c.cod = LeerDatosCod(idCeo);
  return c;
}

bool GuardarEncabezado(const Certificado& c, const QString& nombreFormulario) {
  QString sql = "Update CeoMercosur Set ";
  for (const CasillaInfo& i : Casillas()) {
    sql += QString::fromLatin1(i.columna) + " = '" + SqlText(c[i.casilla]) + "',";
    if (i.casilla == Casilla::Estado) sql += "PaisCodeCEO = '" + SqlText(nombreFormulario) + "',";
  }
  sql +=
      "IdFormulario = '" + SqlText(c.idFormulario) + "' Where IdCeo = '" + SqlText(c.idCeo) + "'";
  return Execute("OSTREVAN", sql) > 0;
}

}  // namespace ostrevan
