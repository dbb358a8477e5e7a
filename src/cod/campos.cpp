// The COD's fields as ALADI's specification numbers and names them (Annex 4), so that a finding
// speaks of "2.7 Teléfono de la empresa exportadora" and of the goods line, not of an XPath.
#include <map>

#include "cod/internos.h"

namespace ostrevan::cod {

bool Resultado::ok() const {
  for (const Hallazgo& h : hallazgos) {
    if (h.nivel == Nivel::Error) return false;
  }
  return !xml.isEmpty();
}

bool Verificacion::ok() const {
  for (const Hallazgo& h : hallazgos) {
    if (h.nivel == Nivel::Error) return false;
  }
  return true;
}

namespace detalle {
namespace {
const std::map<QString, const char*>& Rotulos() {
  static const std::map<QString, const char*> r = {
      {"CODVer", "1.0.1 Versión del COD"},
      {"CODSubmitterType", "1.0.2 Tipo de suscriptor del COD"},
      {"AgreementName", "1.1 Nombre del acuerdo"},
      {"AgreementAcronym", "1.2 Acrónimo del acuerdo"},
      {"ExporterCountry", "2.1 País de la empresa exportadora"},
      {"ExporterBusinessName", "2.2 Nombre o razón social de la empresa exportadora"},
      {"ExporterAddress", "2.3 Dirección de la empresa exportadora"},
      {"ExporterCity", "2.5 Ciudad de la empresa exportadora"},
      {"ExporterTaxIdentification", "2.6 Registro fiscal de la empresa exportadora"},
      {"ExporterTelephone", "2.7 Teléfono de la empresa exportadora"},
      {"ExporterFax", "2.8 Fax de la empresa exportadora"},
      {"ExporterEmail", "2.9 Correo electrónico de la empresa exportadora"},
      {"ExporterURL", "2.10 Sitio web de la empresa exportadora"},
      {"SubscriberSubmitterName", "4.1 Nombre del suscriptor"},
      {"InvoiceQty", "5.1 Cantidad de facturas"},
      {"Invoice", "5.2 Factura"},
      {"InvoiceOrderNo", "5.2.1 Nº de orden de la factura"},
      {"InvoiceNo", "5.2.2 Número de la factura comercial"},
      {"InvoiceDate", "5.2.3 Fecha de la factura comercial"},
      {"GoodsQty", "6.1 Cantidad de mercaderías"},
      {"Goods", "6.2 Mercadería"},
      {"GoodsOrderNo", "6.2.1 Nº de orden de la mercadería"},
      {"GoodsInvoiceOrderNo", "6.2.2 Nº de orden de la factura de la mercadería"},
      {"GoodsItemCode", "6.2.3 Código arancelario"},
      {"GoodsItemName", "6.2.4 Denominación de la mercadería"},
      {"GoodsItemWeightAmount", "6.2.6 Peso, cantidad o medida"},
      {"GoodsItemMeasureUnit", "6.2.7 Unidad de medida"},
      {"GoodsItemValue", "6.2.8 Valor"},
      {"GoodsItemFOB", "6.2.9 Valor FOB en dólares"},
      {"GoodsItemOriginRules", "6.2.11 Norma de origen"},
      {"GoodsDeclarationDate", "6.2.14 Fecha de la declaración jurada"},
      {"GoodsDeclarationNumber", "6.2.16 Número de la declaración de exportación"},
      {"ImporterCountry", "7.1 País de la empresa importadora"},
      {"ImporterBusinessName", "7.2 Nombre o razón social de la empresa importadora"},
      {"ImporterAddress", "7.3 Dirección de la empresa importadora"},
      {"ImporterCity", "7.5 Ciudad de la empresa importadora"},
      {"ImporterTelephone", "7.7 Teléfono de la empresa importadora"},
      {"ImporterFax", "7.8 Fax de la empresa importadora"},
      {"ImporterEmail", "7.9 Correo electrónico de la empresa importadora"},
      {"ImporterURL", "7.10 Sitio web de la empresa importadora"},
      {"ConsigneeCountry", "8.1 País del consignatario"},
      {"ConsigneeBusinessName", "8.2 Nombre o razón social del consignatario"},
      {"ConsigneeAddress", "8.3 Dirección del consignatario"},
      {"ConsigneeCity", "8.4 Ciudad del consignatario"},
      {"TransportPortOfLoading", "9.1 Puerto o lugar de embarque"},
      {"TransportMeans", "9.2 Medio de transporte"},
      {"TransportCountryDestination", "9.3 País de destino de las mercaderías"},
      {"GeneralComments", "10.1 Observaciones"},
      {"PACComments", "10.2 Observaciones PAC"},
      {"ThirdOpStatement", "10.3.1 Mercadería facturada por un tercer operador"},
      {"ThirdOpCountry", "10.3.2 País del tercer operador"},
      {"ThirdOpBusinessName", "10.3.3 Nombre del tercer operador"},
      {"ThirdOpAddress", "10.3.4 Dirección del tercer operador"},
      {"ThirdOpInvoiceNo", "10.3.5 Factura del tercer operador"},
      {"ThirdOpInvoiceDate", "10.3.6 Fecha de la factura del tercer operador"},
      {"ThirdOpCity", "10.3.7 Ciudad del tercer operador"},
      {"Op3cStatement", "10.4.1 Mercadería facturada por un operador de un tercer país"},
      {"Op3cBusinessName", "10.4.2 Nombre del operador de un tercer país"},
      {"Op3cAddress", "10.4.3 Domicilio del operador de un tercer país"},
      {"Op3cCountry", "10.4.4 País del operador de un tercer país"},
      {"HSVer", "10.5 Versión del Sistema Armonizado"},
      {"DeclarationDate", "11.4 Fecha de la declaración de origen"},
      {"DeclarationRequestNo", "11.5 Número de solicitud del COD"},
      {"Affidavit", "11.6 Declaración jurada"},
      {"EHId", "12.1 Identificador de la entidad habilitada"},
      {"EHCountry", "12.2 País de la entidad habilitada"},
      {"EHName", "12.3 Nombre de la entidad habilitada"},
      {"EHURL", "12.9 Sitio web de la entidad habilitada"},
      {"CertificateControlCode", "13.1 Código de control del COD"},
      {"CertificateDate", "13.2 Fecha de emisión del COD"},
      {"CertificateID", "13.3 Código de identificación del COD"},
      {"Signature", "Firma digital"},
  };
  return r;
}
}  // namespace

QString Rotulo(const QString& campo) {
  auto it = Rotulos().find(campo);
  return it == Rotulos().end() ? campo : QString::fromUtf8(it->second);
}

Donde DondeCampo(const QString& campo) { return {campo, Rotulo(campo), 0}; }

Donde DondeDe(const xmlNode* n) {
  if (!n || n->type != XML_ELEMENT_NODE) return {};
  Donde d = DondeCampo(QString::fromUtf8(reinterpret_cast<const char*>(n->name)));
  for (const xmlNode* a = n; a; a = a->parent) {
    if (Es(a, "Goods")) d.item = Texto(Hijo(a, "GoodsOrderNo")).trimmed().toLong();
  }
  return d;
}

Hallazgo Error(const char* codigo, const QString& texto, Donde donde) {
  return {codigo, Nivel::Error, texto, std::move(donde)};
}

Hallazgo Aviso(const char* codigo, const QString& texto, Donde donde) {
  return {codigo, Nivel::Advertencia, texto, std::move(donde)};
}

}  // namespace detalle
}  // namespace ostrevan::cod
