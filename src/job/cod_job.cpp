#include "job/cod_job.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <set>

#include "host/sistema.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

namespace {

constexpr char kFalta[] = "COD-FALTA";

// ---------------------------------------------------------------------------------------
// Where the broker corrects a COD field.

QString EnLaPestana(const CasillaInfo& c) {
  return "Corríjalo en la pestaña \"" + QString::fromUtf8(c.pestana) + "\", campo \"" +
         QString::fromUtf8(c.etiqueta) + "\".";
}

Hallazgo EnCasilla(const QString& codigo, Casilla c, const QString& que) {
  const CasillaInfo& i = InfoCasilla(c);
  return {codigo, Nivel::Error, que + " " + EnLaPestana(i), Lugar::Encabezado, i.control, 0};
}

Hallazgo EnCampo(const QString& codigo, CampoCod c, const QString& que) {
  const CampoCodInfo& i = InfoCampoCod(c);
  return {codigo,
          Nivel::Error,
          que +
              " Complételo en la ventana del certificado digital ([F9] en la carga de datos), "
              "campo \"" +
              QString::fromUtf8(i.etiqueta) + "\".",
          Lugar::Encabezado,
          i.control,
          0};
}

Hallazgo EnArticulo(const QString& codigo, long nro, const QString& que) {
  return {codigo,
          Nivel::Error,
          que + " Corríjalo en la pestaña \"Secciones VIII - XIII\"" +
              (nro > 0 ? ", artículo " + QString::number(nro) + "." : QString(".")),
          Lugar::Articulos,
          {},
          nro};
}

Hallazgo EnInstalacion(const QString& codigo, const char* clave, const QString& que) {
  return {codigo,
          Nivel::Error,
          que + " Corríjalo en " + EntradaInstalacionCod(clave) +
              " ([F10] \"Configuracion\", botón \"COD\").",
          Lugar::Formulario,
          "Cmd_Config",
          0};
}

Hallazgo EnAcuerdo(const QString& codigo, const QString& form, const QString& que) {
  return {codigo,
          Nivel::Error,
          que + " Corríjalo en la configuración del COD del formulario " + form +
              " ([F10] \"Configuracion\", botón \"COD\").",
          Lugar::Formulario,
          "Cmd_Config",
          0};
}

Hallazgo EnPaises(const QString& codigo, Casilla c, const QString& pais) {
  const CasillaInfo& i = InfoCasilla(c);
  return {codigo,
          Nivel::Error,
          "El país \"" + pais + "\" " + De(QString::fromUtf8(i.nombre)) +
              " no está en la tabla de países del COD. Agréguelo con su código ISO en la "
              "configuración del COD ([F10] \"Configuracion\", botón \"COD\") o " +
              EnLaPestana(i).left(1).toLower() + EnLaPestana(i).mid(1),
          Lugar::Encabezado,
          i.control,
          0};
}

// The header boxes the COD elements come from.
const std::map<QString, Casilla>& CasillaDeElemento() {
  using C = Casilla;
  static const std::map<QString, Casilla> m = {
      {"ExporterCountry", C::Productor},
      {"ExporterBusinessName", C::Productor},
      {"ExporterAddress", C::Productor},
      {"ImporterCountry", C::Importador},
      {"ImporterBusinessName", C::Importador},
      {"ImporterAddress", C::Importador},
      {"ConsigneeCountry", C::Consignatario},
      {"ConsigneeBusinessName", C::Consignatario},
      {"ConsigneeAddress", C::Consignatario},
      {"ConsigneeCity", C::Consignatario},
      {"Invoices", C::FacturaNumero},
      {"Invoice", C::FacturaNumero},
      {"InvoiceNo", C::FacturaNumero},
      {"InvoiceDate", C::FacturaFecha},
      {"TransportPortOfLoading", C::Puerto},
      {"TransportMeans", C::Transporte},
      {"TransportCountryDestination", C::PaisDestino},
      {"GeneralComments", C::Observaciones},
      {"DeclarationDate", C::FechaCertificado},
      {"Affidavit", C::Declaracion},
  };
  return m;
}

const CampoCodInfo* CampoDeElemento(const QString& elemento) {
  static const std::map<QString, QString> alias = {{"Op3cBusinessName", "ThirdOpBusinessName"},
                                                   {"Op3cAddress", "ThirdOpAddress"},
                                                   {"Op3cCountry", "ThirdOpCountry"}};
  const auto a = alias.find(elemento);
  const QString e = a == alias.end() ? elemento : a->second;
  for (const CampoCodInfo& i : CamposCod()) {
    if (e == QString::fromLatin1(i.elemento)) return &i;
  }
  return nullptr;
}

// A library finding placed where the broker corrects it; `primerNro` gives the first item of
// each goods line of the document.
Hallazgo Traducir(const cod::Hallazgo& h, const Certificado& c,
                  const std::vector<long>& primerNro) {
  const QString campo = h.donde.campo;
  const QString codigo = h.codigo;
  Hallazgo out;
  if (const auto it = CasillaDeElemento().find(campo); it != CasillaDeElemento().end()) {
    out = EnCasilla(codigo, it->second, h.texto);
  } else if (const CampoCodInfo* i = CampoDeElemento(campo)) {
    out = EnCampo(codigo, i->campo, h.texto);
  } else if (h.donde.item > 0 || campo.startsWith("Goods")) {
    const size_t k = static_cast<size_t>(std::max(h.donde.item, 1L) - 1);
    out = EnArticulo(codigo, k < primerNro.size() ? primerNro[k] : 0, h.texto);
  } else if (campo == "SubscriberSubmitterName") {
    out = EnInstalacion(codigo, "Nombre", h.texto);
  } else if (campo == "CODSubmitterType") {
    out = EnInstalacion(codigo, "Presentante", h.texto);
  } else if (campo.startsWith("Agreement")) {
    out = EnAcuerdo(codigo, c.idFormulario, h.texto);
  } else if (codigo == "cod.esquemas") {
    out = EnInstalacion(codigo, "CarpetaEsquemas", h.texto);
  } else {
    out = {codigo, Nivel::Error, h.texto, Lugar::Formulario, {}, 0};
  }
  out.nivel = h.nivel == cod::Nivel::Error ? Nivel::Error : Nivel::Advertencia;
  return out;
}

// ---------------------------------------------------------------------------------------
// The certificate's boxes as the COD's parts.

QStringList Lineas(const QString& caja) {
  QStringList out;
  for (const QString& l : QString(caja).replace("\r\n", "\n").split('\n')) {
    if (!l.trimmed().isEmpty()) out << l.trimmed();
  }
  return out;
}

// A company box ("name / address / country"): the country is its last line, or the last
// part of it after a comma, when the country table knows it.
struct Partes {
  QString nombre, direccion, pais, paisTexto;
};
Partes Separar(const QString& caja, const std::map<QString, QString>& paises) {
  Partes p;
  QStringList l = Lineas(caja);
  if (l.isEmpty()) return p;
  p.nombre = l.takeFirst();
  // Some forms' box 1 ends with the exporter's date: a date is no country.
  if (!l.isEmpty() && LeerFecha(l.last()).isValid()) l.removeLast();
  if (!l.isEmpty()) {
    p.paisTexto = l.last().section(',', -1).trimmed();
    if (const QString iso = PaisIso(paises, l.last()); !iso.isEmpty()) {
      p.pais = iso;
      p.paisTexto = l.takeLast();
    } else {
      p.pais = PaisIso(paises, p.paisTexto);
    }
  }
  p.direccion = l.join(", ");
  return p;
}

// The tariff code as the COD writes it: NCM and NALADISA with their eight digits in three
// dotted parts; a national suffix ("8708.29.99.900K") is not part of it.
QString CodigoCod(const QString& codigo) {
  QString d;
  for (QChar ch : codigo) {
    if (ch.isDigit()) d += ch;
  }
  if (d.size() >= 8) return d.left(4) + "." + d.mid(4, 2) + "." + d.mid(6, 2);
  if (d.size() == 6) return d.left(4) + "." + d.mid(4, 2);
  return codigo.trimmed();
}

QDateTime Momento(const QString& fecha) {
  const QDate d = LeerFecha(fecha);
  return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

cod::Formulario FormularioDe(const QString& f) {
  if (f == "FormA35") return cod::Formulario::A35;
  if (f == "FormA36") return cod::Formulario::A36;
  if (f == "FormR252") return cod::Formulario::R252;
  return cod::Formulario::A18;
}

// One goods line per group of the paper (tariff code and origin norm), split further where
// its items have different units, since their quantities cannot be added.
struct Lineas_ {
  std::vector<cod::Mercaderia> mercaderias;
  std::vector<long> primerNro;
};
Lineas_ Mercaderias(const Certificado& c) {
  Lineas_ out;
  const std::vector<long> grupos = c.Grupos();
  std::map<std::pair<long, QString>, size_t> linea;
  for (size_t i = 0; i < c.articulos.size(); ++i) {
    const ArticuloCert& a = c.articulos[i];
    const auto clave = std::make_pair(grupos[i], a.unidad.trimmed().toUpper());
    auto it = linea.find(clave);
    if (it == linea.end()) {
      it = linea.emplace(clave, out.mercaderias.size()).first;
      cod::Mercaderia m;
      m.GoodsItemCode = CodigoCod(a.codigo);
      m.GoodsItemMeasureUnit = a.unidad.trimmed();
      const auto n = c.normas.find(a.norma);
      m.GoodsItemOriginRules =
          n != c.normas.end() && !n->second.trimmed().isEmpty() ? n->second : a.norma;
      out.mercaderias.push_back(m);
      out.primerNro.push_back(a.nroOrden);
    }
    cod::Mercaderia& m = out.mercaderias[it->second];
    QString nombre = a.denoMerc.trimmed();
    if (nombre.isEmpty()) nombre = a.textoPartida.trimmed();
    if (!nombre.isEmpty() && !m.GoodsItemName.split("; ").contains(nombre)) {
      if (!m.GoodsItemName.isEmpty()) m.GoodsItemName += "; ";
      m.GoodsItemName += nombre;
    }
    m.GoodsItemWeightAmount += esnumero(a.pesoCant);
    m.GoodsItemValue += esnumero(a.valorFob);
  }
  for (size_t k = 0; k < out.mercaderias.size(); ++k) {
    out.mercaderias[k].GoodsOrderNo = static_cast<long>(k + 1);
  }
  return out;
}

// What the form type requires and the document lacks, each where the broker fills it.
class Faltantes {
 public:
  Faltantes(const QString& formulario, std::vector<Hallazgo>& out) : f_(formulario), out_(out) {}
  bool Exige(const char* formas) const {
    return QString::fromLatin1(formas).split(' ').contains(f_);
  }
  void Casilla_(Casilla c, const QString& valor, const char* formas, const QString& que) {
    if (Exige(formas) && valor.trimmed().isEmpty()) out_.push_back(EnCasilla(kFalta, c, que));
  }
  void Campo(CampoCod c, const QString& valor) {
    const CampoCodInfo& i = InfoCampoCod(c);
    if (Exige(i.exigen) && valor.trimmed().isEmpty()) {
      out_.push_back(
          EnCampo(kFalta, c, "Falta el dato \"" + QString::fromUtf8(i.etiqueta) + "\" del COD."));
    } else if (i.esFecha && !valor.trimmed().isEmpty() && !LeerFecha(valor).isValid()) {
      out_.push_back(EnCampo(
          "COD-FECHA", c,
          "\"" + valor + "\" no es una fecha (" + QString::fromUtf8(i.etiqueta).toLower() + ")."));
    }
  }
  void Pais(Casilla c, const Partes& p, const QString& porOmision, const QString& iso) {
    if (!iso.isEmpty()) return;
    const QString texto = p.paisTexto.isEmpty() ? porOmision : p.paisTexto;
    if (texto.trimmed().isEmpty()) {
      out_.push_back(EnCasilla(
          kFalta, c, "Falta el país " + De(QString::fromUtf8(InfoCasilla(c).nombre)) + " (COD)."));
    } else {
      out_.push_back(EnPaises("COD-PAIS", c, texto));
    }
  }
  std::vector<Hallazgo>& Lista() { return out_; }

 private:
  QString f_;
  std::vector<Hallazgo>& out_;
};

cod::Documento Construir(const Certificado& c, const InstalacionCod& inst,
                         const std::map<QString, QString>& paises, std::vector<Hallazgo>& faltan,
                         std::vector<long>& primerNro) {
  using C = Casilla;
  using K = CampoCod;
  cod::Documento d;
  const QString f = c.acuerdo.formulario;
  Faltantes falta(f, faltan);
  d.CODSubmitterType = inst.presentante.trimmed().toUpper();
  if (d.CODSubmitterType != "EXP" && d.CODSubmitterType != "REP") {
    faltan.push_back(EnInstalacion("COD-PRESENTANTE", "Presentante",
                                   "Quién presenta el COD debe ser EXP (el exportador) o REP "
                                   "(su representante legal), no \"" +
                                       inst.presentante + "\"."));
  }
  d.AgreementAcronym = c.acuerdo.acronimo;
  d.AgreementName = c.acuerdo.nombre;
  if (d.AgreementName.trimmed().isEmpty()) {
    faltan.push_back(EnAcuerdo(kFalta, c.idFormulario, "Falta el nombre del acuerdo (COD)."));
  }
  d.formulario = FormularioDe(f);

  // A company box: name, address lines, country (else the box named `porOmision`), and what
  // the form type lacks of it.
  auto empresa = [&](Casilla caja, Casilla porOmision, const char* exigenNombre,
                     const QString& quien, cod::Empresa& e) {
    const Partes p = Separar(c[caja], paises);
    e.BusinessName = p.nombre;
    e.Address = p.direccion;
    e.Country = p.pais.isEmpty() ? PaisIso(paises, c[porOmision]) : p.pais;
    falta.Casilla_(caja, p.nombre, exigenNombre, "Falta el nombre " + quien + " (COD).");
    falta.Casilla_(caja, p.direccion, "FormA18 FormA35 FormA36",
                   "Falta la dirección " + quien + ", en la línea que sigue a su nombre (COD).");
    falta.Pais(caja, p, c[porOmision], e.Country);
    return p;
  };
  const Partes exp = empresa(C::Productor, C::Declaracion, "FormA18 FormA35 FormA36 FormR252",
                             "del exportador", d.exportador);
  d.exportador.City = c.cod[K::ExpCiudad];
  d.exportador.Telephone = c.cod[K::ExpTelefono];
  d.exportador.Email = c.cod[K::ExpEmail];
  d.exportador.TaxIdentification = c.cod[K::ExpRegistroFiscal];

  d.SubscriberSubmitterName = inst.nombre.trimmed();
  if (d.SubscriberSubmitterName.isEmpty() && d.CODSubmitterType == "EXP") {
    d.SubscriberSubmitterName = exp.nombre;
  }
  if (falta.Exige("FormA18") && d.SubscriberSubmitterName.isEmpty()) {
    faltan.push_back(EnInstalacion(kFalta, "Nombre", "Falta el nombre de quien presenta el COD."));
  }

  d.facturas.push_back({c[C::FacturaNumero].trimmed(), Momento(c[C::FacturaFecha])});
  falta.Casilla_(C::FacturaNumero, c[C::FacturaNumero], "FormA18 FormA35 FormA36",
                 "Falta el número de la factura comercial (COD).");
  falta.Casilla_(C::FacturaFecha, d.facturas[0].InvoiceDate.isValid() ? "x" : "",
                 "FormA18 FormA35 FormA36", "Falta la fecha de la factura comercial (COD).");

  Lineas_ lineas = Mercaderias(c);
  primerNro = lineas.primerNro;
  d.mercaderias = std::move(lineas.mercaderias);
  if (d.mercaderias.empty()) {
    faltan.push_back(EnArticulo(kFalta, 0, "El certificado no tiene artículos (COD)."));
  }
  const QDateTime declFecha = Momento(c.cod[K::DeclJuradaFecha]);
  for (size_t k = 0; k < d.mercaderias.size(); ++k) {
    cod::Mercaderia& m = d.mercaderias[k];
    m.GoodsInvoiceOrderNo = 1;
    m.GoodsDeclarationDate = declFecha;
    m.GoodsDeclarationNumber = c.cod[K::DeclExportacion].trimmed();
    const long nro = primerNro[k];
    auto articulo = [&](bool falla, const QString& que) {
      if (falla) faltan.push_back(EnArticulo(kFalta, nro, que));
    };
    articulo(m.GoodsItemName.isEmpty(), "Falta la denominación de la mercadería (COD).");
    articulo(m.GoodsItemOriginRules.trimmed().isEmpty(), "Falta la norma de origen (COD).");
    const bool conValor = falta.Exige("FormA18 FormA35 FormA36");
    articulo(conValor && m.GoodsItemWeightAmount <= 0,
             "El peso o cantidad debe ser mayor que cero (COD).");
    articulo(conValor && m.GoodsItemMeasureUnit.isEmpty(), "Falta la unidad de medida (COD).");
    articulo(conValor && m.GoodsItemValue <= 0, "El valor FOB debe ser mayor que cero (COD).");
  }
  falta.Campo(K::DeclExportacion, c.cod[K::DeclExportacion]);
  falta.Campo(K::DeclJuradaFecha, c.cod[K::DeclJuradaFecha]);

  empresa(C::Importador, C::PaisDestino, "FormA18 FormA35 FormA36", "del importador", d.importador);
  d.importador.City = c.cod[K::ImpCiudad];

  if (!c[C::Consignatario].trimmed().isEmpty()) {
    const Partes con = Separar(c[C::Consignatario], paises);
    d.consignatario.BusinessName = con.nombre;
    d.consignatario.Address = con.direccion;
    d.consignatario.Country = con.pais;
  }

  d.TransportPortOfLoading = c[C::Puerto].simplified();
  d.TransportMeans = c[C::Transporte].simplified();
  d.TransportCountryDestination = PaisIso(paises, c[C::PaisDestino]);
  falta.Casilla_(C::Puerto, d.TransportPortOfLoading, "FormA18 FormA35 FormA36",
                 "Falta el puerto o lugar de embarque (COD).");
  falta.Casilla_(C::Transporte, d.TransportMeans, "FormA35 FormA36",
                 "Falta el medio de transporte (COD).");
  if (falta.Exige("FormA35 FormA36") && d.TransportCountryDestination.isEmpty()) {
    falta.Pais(C::PaisDestino, Partes{{}, {}, {}, c[C::PaisDestino].trimmed()}, {}, {});
  }

  d.GeneralComments = c[C::Observaciones].trimmed();
  cod::TercerOperador& t = d.tercero;
  t.facturado = !c.cod[K::TerceroNombre].trimmed().isEmpty();
  // A third operator's data without its name would silently stay out of the document.
  bool algunDato = false;
  for (CampoCod k : {K::TerceroDireccion, K::TerceroCiudad, K::TerceroPais, K::TerceroFactura,
                     K::TerceroFacturaFecha}) {
    algunDato = algunDato || !c.cod[k].trimmed().isEmpty();
  }
  if (!t.facturado && algunDato) {
    faltan.push_back(EnCampo(kFalta, K::TerceroNombre,
                             "Falta el nombre del tercer operador que factura: sin él, sus "
                             "otros datos no van al COD."));
  }
  falta.Campo(K::TerceroFacturaFecha, c.cod[K::TerceroFacturaFecha]);
  if (t.facturado) {
    t.empresa.BusinessName = c.cod[K::TerceroNombre];
    t.empresa.Address = c.cod[K::TerceroDireccion];
    t.empresa.City = c.cod[K::TerceroCiudad];
    const QString pais = c.cod[K::TerceroPais];
    t.empresa.Country = PaisIso(paises, pais);
    if (t.empresa.Country.isEmpty() && !pais.trimmed().isEmpty()) {
      faltan.push_back(EnCampo("COD-PAIS", K::TerceroPais,
                               "El país \"" + pais + "\" no está en la tabla de países del COD."));
    }
    t.InvoiceNo = c.cod[K::TerceroFactura];
    t.InvoiceDate = Momento(c.cod[K::TerceroFacturaFecha]);
  }

  d.DeclarationDate = Momento(c[C::FechaCertificado]);
  falta.Casilla_(C::FechaCertificado, d.DeclarationDate.isValid() ? "x" : "",
                 "FormA18 FormA35 FormA36 FormR252",
                 "Falta la fecha del certificado, que es la de la declaración de origen (COD).");
  const QString acuerdo =
      c[C::Acuerdo].trimmed().isEmpty() ? c.acuerdo.nombre : c[C::Acuerdo].simplified();
  if (!c[C::Declaracion].trimmed().isEmpty()) {
    d.Affidavit =
        "Declaramos que las mercaderías mencionadas en el presente formulario fueron "
        "producidas en " +
        c[C::Declaracion].simplified() +
        " y están de acuerdo con las condiciones de origen establecidas en el "
        "acuerdo " +
        acuerdo + ".";
  }
  falta.Casilla_(C::Declaracion, d.Affidavit, "FormA18 FormA35 FormA36 FormR252",
                 "Falta el país de producción de la declaración (COD).");
  for (CampoCod k : {K::ExpCiudad, K::ExpTelefono, K::ExpEmail, K::ImpCiudad}) {
    falta.Campo(k, c.cod[k]);
  }
  return d;
}

// The form's agreement, when it has one the COD export writes; else why not.
bool AcuerdoEscribible(const Certificado& c, std::vector<Hallazgo>& h) {
  if (!c.acuerdo.Tiene()) {
    h.push_back(EnAcuerdo("COD-SIN-ACUERDO", c.idFormulario,
                          "El formulario " + c.idFormulario +
                              " no tiene el acuerdo del certificado de origen digital."));
    return false;
  }
  const QString f = c.acuerdo.formulario;
  for (const char* k : kFormulariosCod) {
    if (f == QString::fromLatin1(k)) return true;
  }
  h.push_back(EnAcuerdo("COD-FORMULARIO", c.idFormulario,
                        "El acuerdo " + c.acuerdo.acronimo + " del formulario " + c.idFormulario +
                            (f.isEmpty() ? QString(" no tiene tipo de formulario de COD")
                                         : " tiene el tipo de formulario de COD \"" + f + "\"") +
                            ": el COD se genera para FormA18, FormA35, FormA36 y FormR252."));
  return false;
}

// The findings of the mapping and, with the schemas at hand, ALADI's schema: what the library
// says of a field already named is left out.
struct Preparado {
  cod::Documento documento;
  std::vector<Hallazgo> hallazgos;
  std::vector<long> primerNro;
  InstalacionCod inst;
  bool escribible = false;
};
Preparado Preparar(const Certificado& c) {
  Preparado p;
  p.inst = LeerInstalacionCod();
  p.escribible = AcuerdoEscribible(c, p.hallazgos);
  if (p.escribible) {
    p.documento = Construir(c, p.inst, PaisesIso(), p.hallazgos, p.primerNro);
  }
  return p;
}

void Agregar(std::vector<Hallazgo>& a, const std::vector<cod::Hallazgo>& hs, const Certificado& c,
             const std::vector<long>& primerNro) {
  std::set<std::pair<QString, long>> ya;
  for (const Hallazgo& h : a) ya.insert({h.control, h.nroOrden});
  for (const cod::Hallazgo& h : hs) {
    Hallazgo t = Traducir(h, c, primerNro);
    // The generic "does not meet the schema" closes a list that already names the fields.
    if (h.codigo == "cod.esquema" && h.donde.campo.isEmpty() && a.size() > 0) continue;
    if (h.codigo == "cod.esquema" && (!t.control.isEmpty() || t.nroOrden > 0) &&
        ya.count({t.control, t.nroOrden})) {
      continue;
    }
    a.push_back(std::move(t));
  }
}

bool Escribir(const QString& archivo, const QByteArray& bytes, std::vector<Hallazgo>& h) {
  QDir().mkpath(QFileInfo(archivo).absolutePath());  // Salida/ of a new installation
  QSaveFile f(archivo);
  if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) return true;
  h.push_back({"COD-ARCHIVO",
               Nivel::Error,
               "No se pudo escribir el archivo " + QDir::toNativeSeparators(archivo) + ": " +
                   f.errorString(),
               Lugar::Formulario,
               {},
               0});
  return false;
}

bool Leer(const QString& archivo, QByteArray& bytes, std::vector<Hallazgo>& h) {
  QFile f(archivo);
  if (!archivo.isEmpty() && f.open(QIODevice::ReadOnly)) {
    bytes = f.readAll();
    return true;
  }
  h.push_back({"COD-ARCHIVO",
               Nivel::Error,
               archivo.isEmpty() ? QString("Escriba el nombre del archivo del COD")
                                 : "No se pudo leer el archivo " +
                                       QDir::toNativeSeparators(archivo) + ": " + f.errorString(),
               Lugar::Formulario,
               {},
               0});
  return false;
}

bool SinErrores(const std::vector<Hallazgo>& h) { return !HayErrores(h); }

// Stage 1 of a certificate in memory; empty with the findings when it cannot be written.
QByteArray Etapa1(const Certificado& c, Preparado& p, std::vector<Hallazgo>& h) {
  p = Preparar(c);
  h = p.hallazgos;
  if (!p.escribible || !SinErrores(h)) return {};
  const cod::Resultado r = cod::Exportar(p.documento, p.inst.carpetaEsquemas);
  Agregar(h, r.hallazgos, c, p.primerNro);
  return r.ok() ? r.xml : QByteArray();
}

cod::Confianza ConfianzaDe(const InstalacionCod& inst, const QString& autoridades) {
  return {autoridades.isEmpty() ? inst.autoridades : autoridades, inst.crl};
}

QString Texto(cod::Etapa e) {
  switch (e) {
    case cod::Etapa::Solicitud:
      return "solicitud sin firmar (etapa 1)";
    case cod::Etapa::Firmada:
      return "firmado por el exportador (etapa 2)";
    case cod::Etapa::Emitida:
      break;
  }
  return "emitido por la entidad habilitada (etapa 4)";
}

void InformeVerificacion(const cod::Verificacion& v, QStringList& informe) {
  informe << "COD versión " + v.version + ", " + Texto(v.etapa);
  for (const cod::FirmaVerificada& f : v.firmas) {
    informe << "Firma de " + f.quien + ": " + f.firmante +
                   (f.momento.isValid() ? ", " + f.momento.toString("dd/MM/yyyy HH:mm")
                                        : QString()) +
                   (f.valida ? ", válida" : ", NO válida");
  }
}

}  // namespace

cod::Documento DocumentoCod(const Certificado& c, const InstalacionCod& inst,
                            const std::map<QString, QString>& paises,
                            std::vector<Hallazgo>& faltan) {
  std::vector<long> primerNro;
  if (!AcuerdoEscribible(c, faltan)) return {};
  return Construir(c, inst, paises, faltan, primerNro);
}

std::vector<Hallazgo> HallazgosCod(const Certificado& c) {
  if (!c.acuerdo.Tiene()) return {};
  Preparado p = Preparar(c);
  std::vector<Hallazgo> h = p.hallazgos;
  // The checks before printing look at the certificate; an installation without ALADI's
  // schemas is told where the COD is made, not on every print.
  if (p.escribible && QFileInfo(p.inst.carpetaEsquemas).isDir()) {
    const cod::Resultado r = cod::Exportar(p.documento, p.inst.carpetaEsquemas);
    std::vector<cod::Hallazgo> propios;
    for (const cod::Hallazgo& x : r.hallazgos) {
      if (x.codigo != "cod.esquemas") propios.push_back(x);
    }
    Agregar(h, propios, c, p.primerNro);
  }
  for (Hallazgo& x : h) x.nivel = Nivel::Advertencia;
  return h;
}

QString CarpetaCodInstalacion() { return InstallationPath("COD/"); }

ResultadoCod ExportarCod(const QString& idCeo, const QString& archivo) {
  ResultadoCod r;
  const Certificado c = CargarCertificado(idCeo);
  Preparado p;
  const QByteArray xml = Etapa1(c, p, r.hallazgos);
  if (xml.isEmpty() || !Escribir(archivo, xml, r.hallazgos)) return r;
  r.informe << "COD del certificado " + idCeo + " (" + c.acuerdo.acronimo + ", " +
                   c.acuerdo.formulario + ") escrito en " +
                   QDir::toNativeSeparators(QFileInfo(archivo).absoluteFilePath());
  r.ok = SinErrores(r.hallazgos);
  return r;
}

ResultadoCod FirmarCod(const QString& idCeo, const QString& archivo, const cod::Firmante& firmante,
                       const QByteArray& secreto) {
  ResultadoCod r;
  const Certificado c = CargarCertificado(idCeo);
  Preparado p;
  const QByteArray etapa1 = Etapa1(c, p, r.hallazgos);
  if (etapa1.isEmpty()) return r;
  cod::Firmante f = firmante;
  if (f.origen == cod::Firmante::Origen::Token && f.modulo.isEmpty()) f.modulo = p.inst.modulo;
  const cod::Resultado firmado = cod::Firmar(etapa1, f, secreto, p.inst.carpetaEsquemas);
  Agregar(r.hallazgos, firmado.hallazgos, c, p.primerNro);
  if (!firmado.ok() || !Escribir(archivo, firmado.xml, r.hallazgos)) return r;
  // The issued COD is attached against this copy: it must be the very COD signed here.
  const QString copia = CarpetaCodInstalacion() + NombreDeArchivo(idCeo) + "-firmado.xml";
  if (!QDir().mkpath(CarpetaCodInstalacion()) || !Escribir(copia, firmado.xml, r.hallazgos)) {
    return r;
  }
  EmisionCod e = c.cod.emision;
  e.firmado = copia;
  GuardarEmisionCod(idCeo, e);
  FijarEstadoCertificado(idCeo, "COD firmado");
  r.informe << "COD del certificado " + idCeo + " firmado en " +
                   QDir::toNativeSeparators(QFileInfo(archivo).absoluteFilePath());
  r.ok = SinErrores(r.hallazgos);
  return r;
}

ResultadoCod VerificarArchivoCod(const QString& archivo, const QString& autoridades) {
  ResultadoCod r;
  QByteArray xml;
  if (!Leer(archivo, xml, r.hallazgos)) return r;
  const InstalacionCod inst = LeerInstalacionCod();
  const cod::Verificacion v =
      cod::Verificar(xml, inst.carpetaEsquemas, ConfianzaDe(inst, autoridades));
  Agregar(r.hallazgos, v.hallazgos, Certificado{}, {});
  InformeVerificacion(v, r.informe);
  r.ok = v.ok();
  if (r.ok) r.informe << "El COD " + QFileInfo(archivo).fileName() + " es válido";
  return r;
}

ResultadoCod AdjuntarCod(const QString& idCeo, const QString& archivo) {
  ResultadoCod r;
  const Certificado c = CargarCertificado(idCeo);
  QByteArray emitido;
  if (!Leer(archivo, emitido, r.hallazgos)) return r;
  // The copy kept when it was signed here; without one, the COD the certificate makes now.
  QByteArray firmado;
  std::vector<Hallazgo> ignorados;
  if (c.cod.emision.firmado.isEmpty() || !Leer(c.cod.emision.firmado, firmado, ignorados)) {
    Preparado p;
    firmado = Etapa1(c, p, r.hallazgos);
    if (firmado.isEmpty()) return r;
  }
  const InstalacionCod inst = LeerInstalacionCod();
  const cod::Emision e =
      cod::Adjuntar(emitido, firmado, inst.carpetaEsquemas, ConfianzaDe(inst, {}));
  Agregar(r.hallazgos, e.verificacion.hallazgos, c, {});
  InformeVerificacion(e.verificacion, r.informe);
  if (!e.ok()) return r;
  const QString copia = CarpetaCodInstalacion() +
                        NombreDeArchivo(e.CertificateID.isEmpty() ? idCeo : e.CertificateID) +
                        ".xml";
  if (!QDir().mkpath(CarpetaCodInstalacion()) || !Escribir(copia, emitido, r.hallazgos)) return r;
  EmisionCod d = c.cod.emision;
  d.ehId = e.EHId;
  d.ehNombre = e.EHName;
  d.ehPais = e.EHCountry;
  d.numero = e.CertificateID;
  d.fecha = e.CertificateDate.isValid() ? e.CertificateDate.toString(Qt::ISODate) : QString();
  d.control = e.CertificateControlCode;
  d.archivo = copia;
  GuardarEmisionCod(idCeo, d);
  FijarEstadoCertificado(idCeo, "COD emitido Nº " + e.CertificateID);
  r.informe << "COD emitido Nº " + e.CertificateID + " por " + e.EHName +
                   " adjuntado al certificado " + idCeo;
  r.ok = SinErrores(r.hallazgos);
  return r;
}

QStringList LineasHallazgos(const std::vector<Hallazgo>& hallazgos) {
  QStringList l;
  for (const Hallazgo& h : hallazgos) l << NivelTexto(h.nivel) + ": " + h.mensaje;
  return l;
}

// ---------------------------------------------------------------------------------------
// The digital certificate window.

FrmCod::FrmCod() {
  Cmb_Origen.AddItem("Archivo PKCS#12");
  Cmb_Origen.AddItem("Token PKCS#11");
  Cmb_Origen.SetListIndex(0);
}

FrmCod& CodVentana() { return Owned<FrmCod>(); }

void FrmCod::Form_Load(const QString& id) {
  // The files named for another certificate would take this one's COD under its name.
  const bool otro = idCeo != id;
  idCeo = id;
  const DatosCod d = LeerDatosCod(id);
  for (const CampoCodInfo& i : CamposCod())
    campos[static_cast<size_t>(i.campo)].SetText(d[i.campo]);
  Txt_Secreto.SetText({});
  Lbl_Resultado.SetCaption({});
  if (otro || Txt_Archivo.Text().isEmpty()) {
    Txt_Archivo.SetText(
        QDir::toNativeSeparators(InstallationPath("Salida/" + NombreDeArchivo(id) + ".xml")));
  }
  const EmisionCod& e = d.emision;
  Lbl_Emision.SetCaption(e.numero.isEmpty() ? QString("Sin COD emitido adjunto")
                                            : "COD emitido Nº " + e.numero + " por " + e.ehNombre +
                                                  " (" + e.fecha.left(10) + ")");
  if (otro || Txt_Emitido.Text().isEmpty()) Txt_Emitido.SetText(e.archivo);
  ActualizarHallazgos();
}

void FrmCod::ActualizarHallazgos() {
  std::vector<Hallazgo> h;
  try {
    const Certificado c = CargarCertificado(idCeo);
    Preparado p = Preparar(c);
    h = p.hallazgos;
    if (p.escribible && SinErrores(h)) {
      const cod::Resultado r = cod::Exportar(p.documento, p.inst.carpetaEsquemas);
      Agregar(h, r.hallazgos, c, p.primerNro);
    }
  } catch (const std::exception& e) {
    h.push_back({"COD", Nivel::Error, QString::fromUtf8(e.what()), Lugar::Formulario, {}, 0});
  }
  Lbl_Hallazgos.SetCaption(h.empty() ? QString("El COD está completo: cumple el esquema de ALADI.")
                                     : "Falta para el COD:\n" + LineasHallazgos(h).join("\n"));
}

bool FrmCod::Guardar() {
  DatosCod d = LeerDatosCod(idCeo);
  for (const CampoCodInfo& i : CamposCod())
    d[i.campo] = campos[static_cast<size_t>(i.campo)].Text();
  GuardarDatosCod(idCeo, d);
  ActualizarHallazgos();
  return true;
}

void FrmCod::Mostrar(const ResultadoCod& r, const QString& hecho) {
  QStringList l = r.informe;
  l << LineasHallazgos(r.hallazgos);
  if (!r.ok) l.prepend("No se pudo " + hecho + ".");
  Lbl_Resultado.SetCaption(l.join("\n"));
}

void FrmCod::Exportar() {
  Guardar();
  Mostrar(ExportarCod(idCeo, Txt_Archivo.Text().trimmed()), "exportar el COD");
}

void FrmCod::Firmar() {
  Guardar();
  cod::Firmante f;
  f.origen =
      Cmb_Origen.ListIndex() == 1 ? cod::Firmante::Origen::Token : cod::Firmante::Origen::Archivo;
  f.ruta = Txt_Firmante.Text().trimmed();
  QByteArray secreto = Txt_Secreto.Text().toUtf8();
  Txt_Secreto.SetText({});  // used once: a wrong PIN is typed again, never retried
  const ResultadoCod r = FirmarCod(idCeo, Txt_Archivo.Text().trimmed(), f, secreto);
  secreto.fill('\0');
  Mostrar(r, "firmar el COD");
  Form_Load(idCeo);
  Mostrar(r, "firmar el COD");
}

// The chamber's COD when one is named, else the broker's own: both are checked before filing.
void FrmCod::Verificar() {
  const QString emitido = Txt_Emitido.Text().trimmed();
  Mostrar(VerificarArchivoCod(emitido.isEmpty() ? Txt_Archivo.Text().trimmed() : emitido),
          "verificar el COD");
}

void FrmCod::Adjuntar() {
  const ResultadoCod r = AdjuntarCod(idCeo, Txt_Emitido.Text().trimmed());
  Form_Load(idCeo);
  Mostrar(r, "adjuntar el COD emitido");
}

}  // namespace ostrevan
