#pragma once
// ALADI's digital certificate of origin (COD, ALADI/SEC/di 2327): the same certificate as an XML
// document that the exporter (or the broker as its legal representative) signs, the chamber's
// officer signs again, and customs verify. This library knows nothing of the rest of the
// component: the caller fills a `Documento` from its certificate and gets bytes and findings back.
//
// The schemas are ALADI's published files, read from a folder the caller names (the
// installation keeps them in Cfg/COD/); a document is never validated against an address it
// names itself.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

namespace ostrevan::cod {

// The COD form types of the paper forms this component prints (Annex 3 of ALADI's specification):
// ACE 18 (also A13, A14 and A57 under 4.1.1), ACE 35, ACE 36 and the Resolution 252 forms.
enum class Formulario { A18, A35, A36, R252 };

// An exporter, importer, consignee or third operator, in the COD's own words. Each form type
// takes the fields its schema declares and drops the rest (none of the four carries the tax id,
// which other form types do).
struct Empresa {
  QString Country;  // ISO 3166 alpha-2
  QString BusinessName, Address, City, TaxIdentification, Telephone, Fax, Email, URL;
  bool vacia() const { return Country.isEmpty() && BusinessName.isEmpty() && Address.isEmpty(); }
};

struct Factura {
  QString InvoiceNo;
  QDateTime InvoiceDate;
};

// One line of the COD's goods list; the caller groups the certificate's items into lines.
struct Mercaderia {
  long GoodsOrderNo = 0;         // 0: its place in the list
  long GoodsInvoiceOrderNo = 0;  // the invoice's place in `facturas`, 0 for none
  QString GoodsItemCode;         // the tariff code with its dots, e.g. 8708.29.99
  QString GoodsItemName;
  double GoodsItemWeightAmount = 0;
  QString GoodsItemMeasureUnit;
  double GoodsItemValue = 0;  // FOB value in dollars (GoodsItemFOB outside FormA18)
  QString GoodsItemOriginRules;
  QDateTime GoodsDeclarationDate;  // the affidavit of origin (FormA18)
  QString GoodsDeclarationNumber;  // the export declaration number (FormA18)
};

// A third operator that invoices the goods (ThirdOp… in A18/A35, Op3c… in A36/R252).
struct TercerOperador {
  bool facturado = false;
  Empresa empresa;
  QString InvoiceNo;
  QDateTime InvoiceDate;
};

// Everything a stage-1 COD of version 4.1.1 says, for the four form types.
struct Documento {
  QString CODSubmitterType = "EXP";  // EXP exporter, REP legal representative
  QString AgreementName, AgreementAcronym;
  Formulario formulario = Formulario::A18;
  Empresa exportador;
  QString SubscriberSubmitterName;  // who signs (FormA18)
  std::vector<Factura> facturas;
  std::vector<Mercaderia> mercaderias;
  Empresa importador;
  Empresa consignatario;  // left empty when there is none
  QString TransportPortOfLoading, TransportMeans, TransportCountryDestination;
  QString GeneralComments, PACComments, HSVer;
  TercerOperador tercero;
  QDateTime DeclarationDate;
  long DeclarationRequestNo = 0;
  QString Affidavit;
};

enum class Nivel { Error, Advertencia };

// What the broker knows of a place in the document: the COD field (its tag), its caption with
// ALADI's number ("2.7 Teléfono de la empresa exportadora"), and the goods line.
// The caller maps `campo` to its own box.
struct Donde {
  QString campo;
  QString rotulo;
  long item = 0;
};

struct Hallazgo {
  QString codigo;  // stable, for scripts and tests ("cod.pin-incorrecto")
  Nivel nivel = Nivel::Error;
  QString texto;  // in the broker's words
  Donde donde;
};

struct Resultado {
  std::vector<Hallazgo> hallazgos;
  QByteArray xml;  // empty unless the step succeeded
  bool ok() const;
};

// Stage 1: the document as the exporter's request, validated against the unsigned schema.
Resultado Exportar(const Documento& documento, const QString& carpetaEsquemas);

// Who signs: a PKCS#12 file, or a key in a PKCS#11 token named by its URI
// ("pkcs11:token=…;object=…" or ";id=…"). `modulo` is the token's PKCS#11 library; empty
// takes the modules registered with p11-kit.
struct Firmante {
  enum class Origen { Archivo, Token } origen = Origen::Archivo;
  QString ruta;
  QString modulo;
};

// Stage 2: the exporter's enveloped signature over #COD. The password or PIN is asked for by
// the caller and handed over here; it is used once (a wrong PIN is never retried) and never
// kept, logged or copied into a finding. The signed document is validated and verified before
// it is returned.
Resultado Firmar(const QByteArray& etapa1, const Firmante& firmante, const QByteArray& secreto,
                 const QString& carpetaEsquemas);

// The certification authorities a verifier trusts, and optionally their revocation list (PEM).
struct Confianza {
  QString autoridades;
  QString crl;
};

enum class Etapa { Solicitud = 1, Firmada = 2, Emitida = 4 };

struct FirmaVerificada {
  QString quien;     // "exportador" or "entidad habilitada"
  QString firmante;  // the certificate's subject
  QDateTime momento;
  bool valida = false;
};

struct Verificacion {
  std::vector<Hallazgo> hallazgos;
  QString version;
  Etapa etapa = Etapa::Solicitud;
  std::vector<FirmaVerificada> firmas;
  bool ok() const;
};

// Any COD file: its schema by CODVer and stage, each signature present, the signer's
// certificate at the moment of signing and its chain to `confianza`.
Verificacion Verificar(const QByteArray& xml, const QString& carpetaEsquemas,
                       const Confianza& confianza);

// The issuing entity and its certification, as the chamber's issued COD states them.
struct Emision {
  Verificacion verificacion;
  QString EHId, EHCountry, EHName, EHAddress, EHCityLocality, EHTelephone, EHEmail, EHURL;
  QString CertificateControlCode, CertificateID;
  QDateTime CertificateDate;
  bool ok() const { return verificacion.ok(); }
};

// Stage 4: the chamber's issued COD, verified, whose COD must be the one the broker signed.
Emision Adjuntar(const QByteArray& emitido, const QByteArray& firmado,
                 const QString& carpetaEsquemas, const Confianza& confianza);

}  // namespace ostrevan::cod
