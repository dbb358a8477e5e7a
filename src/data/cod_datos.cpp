#include "data/cod_datos.h"

#include "data/certificado.h"

#include <QRegularExpression>
#include <QStringList>

#include "host/sistema.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

const std::array<CampoCodInfo, kCamposCod>& CamposCod() {
  using C = CampoCod;
  static const std::array<CampoCodInfo, kCamposCod> t = {{
      {C::ExpCiudad, "ExpCiudad", "Txt_CodExpCiudad", "Ciudad del exportador", "ExporterCity",
       "FormA18 FormA35 FormA36", false},
      {C::ExpTelefono, "ExpTelefono", "Txt_CodExpTelefono", "Teléfono del exportador",
       "ExporterTelephone", "FormA18", false},
      {C::ExpEmail, "ExpEmail", "Txt_CodExpEmail", "Correo electrónico del exportador",
       "ExporterEmail", "FormA18", false},
      {C::ExpRegistroFiscal, "ExpRegistroFiscal", "Txt_CodExpRegistroFiscal",
       "Registro fiscal (CUIT) del exportador", "ExporterTaxIdentification", "", false},
      {C::ImpCiudad, "ImpCiudad", "Txt_CodImpCiudad", "Ciudad del importador", "ImporterCity",
       "FormA18", false},
      {C::DeclExportacion, "DeclExportacion", "Txt_CodDeclExportacion",
       "Número de la declaración de exportación", "GoodsDeclarationNumber", "FormA18", false},
      {C::DeclJuradaFecha, "DeclJuradaFecha", "Txt_CodDeclJuradaFecha",
       "Fecha de la declaración jurada de origen", "GoodsDeclarationDate", "FormA18", true},
      {C::TerceroNombre, "TerceroNombre", "Txt_CodTerceroNombre",
       "Tercer operador que factura: nombre", "ThirdOpBusinessName", "", false},
      {C::TerceroDireccion, "TerceroDireccion", "Txt_CodTerceroDireccion",
       "Tercer operador: dirección", "ThirdOpAddress", "", false},
      {C::TerceroCiudad, "TerceroCiudad", "Txt_CodTerceroCiudad", "Tercer operador: ciudad",
       "ThirdOpCity", "", false},
      {C::TerceroPais, "TerceroPais", "Txt_CodTerceroPais", "Tercer operador: país",
       "ThirdOpCountry", "", false},
      {C::TerceroFactura, "TerceroFactura", "Txt_CodTerceroFactura",
       "Tercer operador: número de factura", "ThirdOpInvoiceNo", "", false},
      {C::TerceroFacturaFecha, "TerceroFacturaFecha", "Txt_CodTerceroFacturaFecha",
       "Tercer operador: fecha de factura", "ThirdOpInvoiceDate", "", true},
  }};
  return t;
}

const CampoCodInfo& InfoCampoCod(CampoCod c) { return CamposCod()[static_cast<size_t>(c)]; }

namespace {
QString Q(const QString& t) { return "'" + SqlText(t) + "'"; }

// The installation's settings by key; the caption is what the configuration window shows.
struct Ajuste {
  const char* clave;
  const char* rotulo;
  QString InstalacionCod::*miembro;
};
const Ajuste kAjustes[] = {
    {"Presentante", "Quién presenta el COD (EXP o REP)", &InstalacionCod::presentante},
    {"Nombre", "Nombre de quien presenta y firma", &InstalacionCod::nombre},
    {"CarpetaEsquemas", "Carpeta de los esquemas de ALADI", &InstalacionCod::carpetaEsquemas},
    {"Autoridades", "Autoridades certificantes de confianza (PEM)", &InstalacionCod::autoridades},
    {"Crl", "Lista de revocación (PEM)", &InstalacionCod::crl},
    {"ModuloPkcs11", "Módulo PKCS#11 del token", &InstalacionCod::modulo},
};

QString Normalizado(const QString& nombre) {
  QString out;
  for (QChar c : nombre.normalized(QString::NormalizationForm_D)) {
    if (c.category() != QChar::Mark_NonSpacing) out += c;
  }
  return out.simplified().toUpper();
}
}  // namespace

QString EntradaInstalacionCod(const char* clave) {
  for (const Ajuste& a : kAjustes) {
    if (qstrcmp(a.clave, clave) == 0) {
      return "la configuración del COD de la instalación, \"" + QString::fromUtf8(a.rotulo) +
             "\"";
    }
  }
  return "la configuración del COD de la instalación";
}

AcuerdoCod LeerAcuerdoCod(const QString& idFormulario) {
  AcuerdoCod a;
  Recordset rs;
  if (Query("CEOCFG",
            "select Acronimo, Acuerdo, FormularioCod from CeoAcuerdos where IdFormulario = " +
                Q(idFormulario),
            rs)) {
    a.acronimo = Txt(rs.Fields("Acronimo").Value).trimmed();
    a.nombre = Txt(rs.Fields("Acuerdo").Value).trimmed();
    a.formulario = Txt(rs.Fields("FormularioCod").Value).trimmed();
  }
  return a;
}

void GuardarAcuerdoCod(const QString& idFormulario, const AcuerdoCod& a) {
  Connection& c = Conn("CEOCFG");
  AllOrNothing tx(c);
  c.SetSQL("delete from CeoAcuerdos where IdFormulario = " + Q(idFormulario));
  c.Ejecutar();
  if (a.Tiene()) {
    c.SetSQL("insert into CeoAcuerdos (IdFormulario, Acronimo, Acuerdo, FormularioCod) values (" +
             Q(idFormulario) + ", " + Q(a.acronimo.trimmed().toUpper()) + ", " +
             Q(a.nombre.trimmed()) + ", " + Q(a.formulario.trimmed()) + ")");
    c.Ejecutar();
  }
  tx.Commit();
}

InstalacionCod LeerInstalacionCod() {
  InstalacionCod i;
  Recordset rs;
  if (Query("OSTREVAN_CLI", "select Clave, Valor from CeoCodInstalacion", rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString clave = Txt(rs.Fields("Clave").Value);
      for (const Ajuste& a : kAjustes) {
        if (clave.compare(QString::fromLatin1(a.clave), Qt::CaseInsensitive) == 0) {
          i.*a.miembro = Txt(rs.Fields("Valor").Value).trimmed();
        }
      }
    }
  }
  if (i.presentante.isEmpty()) i.presentante = "EXP";
  if (i.carpetaEsquemas.isEmpty()) i.carpetaEsquemas = InstallationPath("Cfg/COD/");
  return i;
}

void GuardarInstalacionCod(const InstalacionCod& i) {
  Connection& c = Conn("OSTREVAN_CLI");
  AllOrNothing tx(c);
  for (const Ajuste& a : kAjustes) {
    c.SetSQL("delete from CeoCodInstalacion where Clave = " + Q(a.clave));
    c.Ejecutar();
    c.SetSQL("insert into CeoCodInstalacion (Clave, Valor) values (" + Q(a.clave) + ", " +
             Q((i.*a.miembro).trimmed()) + ")");
    c.Ejecutar();
  }
  tx.Commit();
}

std::map<QString, QString> PaisesIso() {
  std::map<QString, QString> m;
  Recordset rs;
  if (Query("OSTREVAN_CLI", "select Pais, Iso from CeoPaisesIso order by Pais", rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      m[Txt(rs.Fields("Pais").Value).trimmed()] = Txt(rs.Fields("Iso").Value).trimmed().toUpper();
    }
  }
  return m;
}

QString PaisIso(const std::map<QString, QString>& paises, const QString& nombre) {
  const QString buscado = Normalizado(nombre);
  if (buscado.isEmpty()) return {};
  for (const auto& [pais, iso] : paises) {
    if (Normalizado(pais) == buscado || iso == buscado) return iso;
  }
  return {};
}

void GuardarPaisesIso(const std::map<QString, QString>& paises) {
  Connection& c = Conn("OSTREVAN_CLI");
  AllOrNothing tx(c);
  c.SetSQL("delete from CeoPaisesIso");
  c.Ejecutar();
  for (const auto& [pais, iso] : paises) {
    if (pais.trimmed().isEmpty()) continue;
    c.SetSQL("insert into CeoPaisesIso (Pais, Iso) values (" + Q(pais.trimmed()) + ", " +
             Q(iso.trimmed().toUpper()) + ")");
    c.Ejecutar();
  }
  tx.Commit();
}

DatosCod LeerDatosCod(const QString& idCeo) {
  DatosCod d;
  Recordset rs;
  if (!Query("OSTREVAN", "select * from CeoCod where IdCeo = " + Q(idCeo), rs)) return d;
  for (const CampoCodInfo& i : CamposCod()) d[i.campo] = Txt(rs.Fields(i.columna).Value);
  EmisionCod& e = d.emision;
  e.ehId = Txt(rs.Fields("EHId").Value);
  e.ehNombre = Txt(rs.Fields("EHNombre").Value);
  e.ehPais = Txt(rs.Fields("EHPais").Value);
  e.numero = Txt(rs.Fields("CodNumero").Value);
  e.fecha = Txt(rs.Fields("CodFecha").Value);
  e.control = Txt(rs.Fields("CodControl").Value);
  e.archivo = Txt(rs.Fields("CodArchivo").Value);
  e.firmado = Txt(rs.Fields("CodFirmado").Value);
  return d;
}

namespace {
// Makes sure the certificate has its COD row, so that the updates below always find it.
void FilaCod(Connection& c, const QString& idCeo) {
  Recordset rs;
  c.SetSQL("select IdCeo from CeoCod where IdCeo = " + Q(idCeo));
  if (c.CrearRs(rs)) return;
  c.SetSQL("insert into CeoCod (IdCeo) values (" + Q(idCeo) + ")");
  c.Ejecutar();
}
}  // namespace

void GuardarDatosCod(const QString& idCeo, const DatosCod& d) {
  Connection& c = Conn("OSTREVAN");
  AllOrNothing tx(c);
  FilaCod(c, idCeo);
  QStringList set;
  for (const CampoCodInfo& i : CamposCod()) {
    set << QString::fromLatin1(i.columna) + " = " + Q(d[i.campo].trimmed());
  }
  c.SetSQL("update CeoCod set " + set.join(", ") + " where IdCeo = " + Q(idCeo));
  c.Ejecutar();
  tx.Commit();
}

void GuardarEmisionCod(const QString& idCeo, const EmisionCod& e) {
  Connection& c = Conn("OSTREVAN");
  AllOrNothing tx(c);
  FilaCod(c, idCeo);
  c.SetSQL("update CeoCod set EHId = " + Q(e.ehId) + ", EHNombre = " + Q(e.ehNombre) +
           ", EHPais = " + Q(e.ehPais) + ", CodNumero = " + Q(e.numero) +
           ", CodFecha = " + Q(e.fecha) + ", CodControl = " + Q(e.control) +
           ", CodArchivo = " + Q(e.archivo) + ", CodFirmado = " + Q(e.firmado) +
           " where IdCeo = " + Q(idCeo));
  c.Ejecutar();
  tx.Commit();
}

void FijarEstadoCertificado(const QString& idCeo, const QString& estado) {
  Execute("OSTREVAN",
          "update CeoMercosur set " + QString::fromLatin1(InfoCasilla(Casilla::Estado).columna) +
              " = " + Q(estado) + " where IdCeo = " + Q(idCeo));
}

FrmConfigCod::FrmConfigCod() {
  Cmb_FormularioCod.AddItem({});
  for (const char* f : kFormulariosCod) Cmb_FormularioCod.AddItem(QString::fromLatin1(f));
  Cmb_Presentante.AddItem("EXP");
  Cmb_Presentante.AddItem("REP");
}

FrmConfigCod& ConfigCod() { return Owned<FrmConfigCod>(); }

namespace {
void Elegir(ComboBox& c, const QString& texto) {
  for (int i = 0; i < c.ListCount(); ++i) {
    if (c.List(i).compare(texto.trimmed(), Qt::CaseInsensitive) == 0) {
      c.SetListIndex(i);
      return;
    }
  }
  c.SetListIndex(0);
}
}  // namespace

void FrmConfigCod::Form_Load(const QString& form) {
  idFormulario = form;
  Lbl_Formulario.SetCaption(form.isEmpty() ? QString("Ningún formulario elegido")
                                           : "Acuerdo del formulario " + form);
  const AcuerdoCod a = form.isEmpty() ? AcuerdoCod{} : LeerAcuerdoCod(form);
  Txt_Acronimo.SetText(a.acronimo);
  Txt_Acuerdo.SetText(a.nombre);
  Elegir(Cmb_FormularioCod, a.formulario);
  const InstalacionCod i = LeerInstalacionCod();
  Elegir(Cmb_Presentante, i.presentante);
  Txt_Nombre.SetText(i.nombre);
  Txt_CarpetaEsquemas.SetText(i.carpetaEsquemas);
  Txt_Autoridades.SetText(i.autoridades);
  Txt_Crl.SetText(i.crl);
  Txt_Modulo.SetText(i.modulo);
  QStringList lineas;
  for (const auto& [pais, iso] : PaisesIso()) lineas << pais + " = " + iso;
  Txt_Paises.SetText(lineas.join("\r\n"));
}

QString FrmConfigCod::Guardar() {
  static const QRegularExpression acronimo("^[A-Z][A-Z0-9]{2}$");
  static const QRegularExpression iso("^[A-Z]{2}$");
  AcuerdoCod a{Txt_Acronimo.Text().trimmed().toUpper(), Txt_Acuerdo.Text().trimmed(),
               Cmb_FormularioCod.Text().trimmed()};
  if (!a.acronimo.isEmpty() && !acronimo.match(a.acronimo).hasMatch()) {
    return "El acrónimo del acuerdo \"" + a.acronimo +
           "\" no es uno de ALADI (tres caracteres, como A18, A35 o R01).";
  }
  if (a.Tiene() && a.nombre.isEmpty()) return "Falta el nombre del acuerdo " + a.acronimo + ".";
  std::map<QString, QString> paises;
  int n = 0;
  for (const QString& l : QString(Txt_Paises.Text()).replace("\r\n", "\n").split('\n')) {
    ++n;
    if (l.trimmed().isEmpty()) continue;
    const QString pais = l.section('=', 0, -2).trimmed();
    const QString codigo = l.section('=', -1).trimmed().toUpper();
    if (pais.isEmpty() || !iso.match(codigo).hasMatch()) {
      return QString("La línea %1 de la tabla de países (\"%2\") no es \"País = código\" con "
                     "un código ISO de dos letras.")
          .arg(n)
          .arg(l.trimmed());
    }
    paises[pais] = codigo;
  }
  InstalacionCod i;
  i.presentante = Cmb_Presentante.Text();
  i.nombre = Txt_Nombre.Text().trimmed();
  i.carpetaEsquemas = Txt_CarpetaEsquemas.Text().trimmed();
  i.autoridades = Txt_Autoridades.Text().trimmed();
  i.crl = Txt_Crl.Text().trimmed();
  i.modulo = Txt_Modulo.Text().trimmed();
  if (!idFormulario.isEmpty()) GuardarAcuerdoCod(idFormulario, a);
  GuardarInstalacionCod(i);
  GuardarPaisesIso(paises);
  return {};
}

}  // namespace ostrevan
