#pragma once
// What the digital certificate of origin (COD) needs beyond the paper boxes: the agreement of
// each chamber form, this installation's COD settings, the country codes, and the fields of a
// certificate that no paper box holds, with what the chamber's issued COD said.
#include <QDate>
#include <QString>
#include <array>
#include <map>

#include "data/controls.h"

namespace ostrevan {

// The certificate's COD fields that the paper does not print, in the order of the table below.
enum class CampoCod {
  ExpCiudad,
  ExpTelefono,
  ExpEmail,
  ExpRegistroFiscal,
  ImpCiudad,
  DeclExportacion,
  DeclJuradaFecha,
  TerceroNombre,
  TerceroDireccion,
  TerceroCiudad,
  TerceroPais,
  TerceroFactura,
  TerceroFacturaFecha,
};
inline constexpr int kCamposCod = 13;

// One COD field: the only place that names its CeoCod column, the box of the digital
// certificate window, its caption and the COD element it fills.
struct CampoCodInfo {
  CampoCod campo;
  const char* columna;   // CeoCod column
  const char* control;   // the digital certificate window's box
  const char* etiqueta;  // the caption beside the box
  const char* elemento;  // the COD element
  const char* exigen;    // the COD form types that require it ("A18 A35")
  bool esFecha;
};
const std::array<CampoCodInfo, kCamposCod>& CamposCod();
const CampoCodInfo& InfoCampoCod(CampoCod c);

// What the chamber's issued COD said, kept with the certificate.
struct EmisionCod {
  QString ehId, ehNombre, ehPais;
  QString numero;   // CertificateID
  QString fecha;    // CertificateDate as the document states it
  QString control;  // CertificateControlCode
  QString archivo;  // the issued file kept in the installation
  QString firmado;  // the exporter's signed file kept in the installation
};

struct DatosCod {
  std::array<QString, kCamposCod> campos;
  EmisionCod emision;
  const QString& operator[](CampoCod c) const { return campos[static_cast<size_t>(c)]; }
  QString& operator[](CampoCod c) { return campos[static_cast<size_t>(c)]; }
};

// The agreement a chamber form is filed under (Annex 2 acronym and name) and its COD form
// type (Annex 3: "FormA18", "FormA35", "FormA36", "FormR252"; empty when the agreement's form
// type is one the COD export does not write).
struct AcuerdoCod {
  QString acronimo, nombre, formulario;
  bool Tiene() const { return !acronimo.trimmed().isEmpty(); }
};
inline constexpr const char* kFormulariosCod[] = {"FormA18", "FormA35", "FormA36", "FormR252"};

// The installation's COD settings, with their defaults when none is stored.
struct InstalacionCod {
  QString presentante = "EXP";  // EXP the exporter, REP its legal representative
  QString nombre;               // who submits and signs
  QString carpetaEsquemas;      // ALADI's schema files
  QString autoridades;          // trusted certification authorities (PEM)
  QString crl;                  // their revocation list (PEM), optional
  QString modulo;               // the token's PKCS#11 library; empty: p11-kit's modules
};
// How each setting is named in the configuration window, for findings.
QString EntradaInstalacionCod(const char* clave);

AcuerdoCod LeerAcuerdoCod(const QString& idFormulario);
void GuardarAcuerdoCod(const QString& idFormulario, const AcuerdoCod& a);
InstalacionCod LeerInstalacionCod();
void GuardarInstalacionCod(const InstalacionCod& i);

// Country names as the system stores them -> ISO 3166 alpha-2. A name is found whatever its
// case, accents and surrounding blanks.
std::map<QString, QString> PaisesIso();
QString PaisIso(const std::map<QString, QString>& paises, const QString& nombre);
void GuardarPaisesIso(const std::map<QString, QString>& paises);

DatosCod LeerDatosCod(const QString& idCeo);
// Writes the COD fields of the certificate; the issued data is left as it is.
void GuardarDatosCod(const QString& idCeo, const DatosCod& d);
void GuardarEmisionCod(const QString& idCeo, const EmisionCod& e);
// The certificate's state, as the list shows it.
void FijarEstadoCertificado(const QString& idCeo, const QString& estado);

// The COD configuration window: the agreement of the form chosen in the settings, this
// installation's settings, and the country table as "name = code" lines.
struct FrmConfigCod {
  FrmConfigCod();
  FrmConfigCod(const FrmConfigCod&) = delete;
  FrmConfigCod& operator=(const FrmConfigCod&) = delete;
  QString idFormulario;
  Label Lbl_Formulario;
  TextBox Txt_Acronimo, Txt_Acuerdo;
  ComboBox Cmb_FormularioCod, Cmb_Presentante;
  TextBox Txt_Nombre, Txt_CarpetaEsquemas, Txt_Autoridades, Txt_Crl, Txt_Modulo;
  TextBox Txt_Paises;

  void Form_Load(const QString& idFormulario);
  // Checks and stores everything; "" when stored, else what to correct (nothing is stored).
  QString Guardar();
};
FrmConfigCod& ConfigCod();

}  // namespace ostrevan
