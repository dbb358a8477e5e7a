#include "data/schema.h"

namespace ostrevan::data {
namespace {

// Text columns compare without regard to case, as the statements expect: "%T" is the
// engine's case-blind text type.
#define T " %T"

const std::vector<QString> kCertificados = {
    "CREATE TABLE IF NOT EXISTS CeoMercosur (IdCeo" T " PRIMARY KEY, Descripcion" T ", Estado" T
    ", IdFormulario" T ", PaisCodeCEO" T ", PaisDest" T ", ProdFinExp" T ", Importador" T
    ", Consignatario" T ", PuertoEmbarque" T ", MedioTransp" T ", FactComer" T ", FcNro" T
    ", FcFecha" T ", Observaciones" T ", DeclProdFin" T ", DeclAcuerdo" T ", Fecha" T ")",
    "CREATE TABLE IF NOT EXISTS Articulos (IdCeo" T " NOT NULL, NroOrden INTEGER NOT NULL, NCM" T
    ", NALADISA" T ", CodArticulo" T ", DenoMerc" T ", TextoPartida" T ", TextoNCM1" T
    ", TextoNCM2" T ", TextoNCM3" T ", PesoCant NUMERIC, ValorFobUsd NUMERIC, Unidad" T
    ", IdNormasOrigen" T ", PRIMARY KEY (IdCeo, NroOrden))",
    "CREATE TABLE IF NOT EXISTS Unidad_OrigenDestino (UnidOrigen" T " PRIMARY KEY, UnidDestino" T
    ")",
    "CREATE TABLE IF NOT EXISTS Unidades (ID INTEGER PRIMARY KEY, Simple" T ")",
};

const std::vector<QString> kParametros = {
    "CREATE TABLE IF NOT EXISTS CeoParametros (IdFormulario" T ", Propiedad" T ", Valor" T
    ", PRIMARY KEY (IdFormulario, Propiedad))",
};

const std::vector<QString> kFormularios = {
    "CREATE TABLE IF NOT EXISTS CeoCamaras (IdCamara" T " PRIMARY KEY, Camara" T ")",
    "CREATE TABLE IF NOT EXISTS CeoFormularios (IdFormulario" T " PRIMARY KEY, Formulario" T
    ", IdCamara" T ")",
    "CREATE TABLE IF NOT EXISTS CeoPaises (idFormulario" T ", Nomenclador" T ")",
    "CREATE TABLE IF NOT EXISTS CeoConfig (Campo" T " PRIMARY KEY, ValorX" T ", ValorY" T
    ", FontName" T ", FontSize" T ", Orientacion INTEGER DEFAULT 0)",
};

const std::vector<QString> kCatalogos = {
    "CREATE TABLE IF NOT EXISTS NCMCEO (NCM" T " PRIMARY KEY, Descripcion" T ")",
    "CREATE TABLE IF NOT EXISTS NaladisaCEO (Naladisa" T " PRIMARY KEY, Descripcion" T ")",
    "CREATE TABLE IF NOT EXISTS DescripcionNormasOrigen (IDNormasOrigen" T
    " PRIMARY KEY, Descripcion" T ", Oculto" T ")",
};

// The host's tables: their layout is the host's; we only need the columns we read.
const std::vector<QString> kInternos = {
    "CREATE TABLE IF NOT EXISTS Caratula (Interno" T ", Cuitcliente" T
    ", fobdivcambio NUMERIC, IdPaisDestino INTEGER)",
    "CREATE INDEX IF NOT EXISTS Caratula_Interno ON Caratula (Interno)",
    "CREATE TABLE IF NOT EXISTS SubItems (Interno" T ", Ncm" T ", Naladisa" T
    ", Cantidad NUMERIC, idarticulo" T ", idcatalogo" T ", Descripcion" T
    ", IdUnidad INTEGER, Fob NUMERIC)",
    "CREATE INDEX IF NOT EXISTS SubItems_Interno ON SubItems (Interno)",
    "CREATE TABLE IF NOT EXISTS groupSubItems (Interno" T ", Ncm" T ", Naladisa" T
    ", Cantidad NUMERIC, idarticulo" T ", idcatalogo" T ", Descripcion" T
    ", IdUnidad INTEGER, Fob NUMERIC)",
    "CREATE INDEX IF NOT EXISTS groupSubItems_Interno ON groupSubItems (Interno)",
    "CREATE TABLE IF NOT EXISTS catarticulos (idcatalogo" T ", idarticulo" T ", descripcion" T
    ", NCM" T ", Naladisa" T ")",
    "CREATE INDEX IF NOT EXISTS catarticulos_id ON catarticulos (idcatalogo, idarticulo)",
    "CREATE TABLE IF NOT EXISTS pais (id INTEGER, descripcion" T ")",
    "CREATE TABLE IF NOT EXISTS unidades (id INTEGER, simple" T ")",
};

const std::vector<QString> kPersonal = {
    "CREATE TABLE IF NOT EXISTS Clientes (Cuit" T ", Nombre" T ", Domicilio" T ", Localidad" T ")",
    "CREATE INDEX IF NOT EXISTS Clientes_Cuit ON Clientes (Cuit)",
};

// The digital certificate of origin: the agreement of each chamber form, the COD fields a
// certificate holds beyond its paper boxes with what the issued COD said, and this
// installation's settings and country codes.
const std::vector<QString> kCodFormularios = {
    "CREATE TABLE IF NOT EXISTS CeoAcuerdos (IdFormulario" T " PRIMARY KEY, Acronimo" T
    ", Acuerdo" T ", FormularioCod" T ")",
};

const std::vector<QString> kCodCertificados = {
    "CREATE TABLE IF NOT EXISTS CeoCod (IdCeo" T " PRIMARY KEY, ExpCiudad" T ", ExpTelefono" T
    ", ExpEmail" T ", ExpRegistroFiscal" T ", ImpCiudad" T ", DeclExportacion" T
    ", DeclJuradaFecha" T ", TerceroNombre" T ", TerceroDireccion" T ", TerceroCiudad" T
    ", TerceroPais" T ", TerceroFactura" T ", TerceroFacturaFecha" T ", EHId" T ", EHNombre" T
    ", EHPais" T ", CodNumero" T ", CodFecha" T ", CodControl" T ", CodArchivo" T
    ", CodFirmado" T ")",
};

// The country names the host and the brokers write, with their ISO 3166 codes: the ALADI
// members and the usual destinations. The installation edits the table afterwards.
const std::vector<std::pair<const char*, const char*>> kPaises = {
    {"Argentina", "AR"}, {"Bolivia", "BO"}, {"Brasil", "BR"}, {"Brazil", "BR"},
    {"Chile", "CL"}, {"Colombia", "CO"}, {"Cuba", "CU"}, {"Ecuador", "EC"},
    {"México", "MX"}, {"Panamá", "PA"}, {"Paraguay", "PY"}, {"Perú", "PE"},
    {"Uruguay", "UY"}, {"Venezuela", "VE"}, {"Estados Unidos", "US"}, {"Canadá", "CA"},
    {"China", "CN"}, {"Japón", "JP"}, {"Corea del Sur", "KR"}, {"India", "IN"},
    {"Vietnam", "VN"}, {"España", "ES"}, {"Italia", "IT"}, {"Alemania", "DE"},
    {"Francia", "FR"}, {"Países Bajos", "NL"}, {"Bélgica", "BE"}, {"Portugal", "PT"},
    {"Reino Unido", "GB"}, {"Suiza", "CH"}, {"Rusia", "RU"}, {"Sudáfrica", "ZA"},
    {"Egipto", "EG"}, {"Argelia", "DZ"}, {"Arabia Saudita", "SA"},
    {"Emiratos Árabes Unidos", "AE"}, {"Costa Rica", "CR"}, {"República Dominicana", "DO"},
    {"Guatemala", "GT"}, {"Honduras", "HN"}, {"El Salvador", "SV"}, {"Nicaragua", "NI"},
};

std::vector<QString> CodInstalacion() {
  std::vector<QString> s = {
      "CREATE TABLE IF NOT EXISTS CeoCodInstalacion (Clave" T " PRIMARY KEY, Valor" T ")",
      "CREATE TABLE IF NOT EXISTS CeoPaisesIso (Pais" T " PRIMARY KEY, Iso" T ")",
  };
  for (const auto& [pais, iso] : kPaises) {
    s.push_back("INSERT INTO CeoPaisesIso (Pais, Iso) VALUES ('" + QString::fromUtf8(pais) +
                "', '" + iso + "')");
  }
  return s;
}

#undef T

std::vector<QString> Join(std::initializer_list<const std::vector<QString>*> parts) {
  std::vector<QString> all;
  for (auto* p : parts) all.insert(all.end(), p->begin(), p->end());
  return all;
}

// The statements of one engine: its text type, and what the engine needs first.
std::vector<QString> ForEngine(const std::vector<QString>& statements, const Dialect& d) {
  std::vector<QString> out;
  // In public, which every entity's search path names: left to the search path, it would land
  // in a schema called as the user, out of the other entities' sight.
  if (d.Name() == "POSTGRESQL") {
    out.push_back("CREATE EXTENSION IF NOT EXISTS citext SCHEMA public");
  }
  for (QString s : statements) out.push_back(s.replace("%T", d.TextType()));
  return out;
}

}  // namespace

// Each entity's migrations, oldest first; a database records how many it has run. A new
// step is appended, never edited, so that every installation reaches the same tables.
SchemaSteps SchemaFor(const QString& entity, const Dialect& d) {
  const QString e = entity.toUpper();
  if (e == "OSTREVAN") {
    return {ForEngine(Join({&kCertificados, &kParametros, &kFormularios}), d),
            ForEngine(kCodCertificados, d)};
  }
  if (e == "CEOCFG") {
    return {ForEngine(Join({&kParametros, &kFormularios}), d), ForEngine(kCodFormularios, d)};
  }
  if (e == "OSTREVAN_CLI") return {ForEngine(kParametros, d), ForEngine(CodInstalacion(), d)};
  if (e == "CATALOGOS") return {ForEngine(kCatalogos, d)};
  return {};  // the host's entities are the host's: read, never altered
}

std::vector<QString> HostTables(const QString& entity, const Dialect& d) {
  const QString e = entity.toUpper();
  if (e == "INTERNOS") return ForEngine(kInternos, d);
  if (e == "PERSONAL") return ForEngine(kPersonal, d);
  return {};
}

void InstallSchema() { SetSchemaProvider(&SchemaFor); }

}  // namespace ostrevan::data
