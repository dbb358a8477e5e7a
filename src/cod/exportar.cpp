// Stage 1: the exporter's request, element by element in the order and with the names the
// 4.1.1 schema declares for each form type.
#include <QRegularExpression>

#include "cod/internos.h"

namespace ostrevan::cod {
namespace {
using namespace detalle;

// Characters XML 1.0 cannot carry at all (a pasted control character) would make the file
// unreadable to customs; they are dropped.
QByteArray Limpio(const QString& s) {
  QString t;
  t.reserve(s.size());
  for (QChar c : s) {
    if (c.unicode() >= 0x20 || c == '\t' || c == '\n' || c == '\r') t += c;
  }
  return t.trimmed().toUtf8();
}

// A mandatory element goes in even when empty, so that the schema names it.
xmlNode* M(xmlNode* padre, const char* nombre, const QString& texto) {
  return xmlNewTextChild(padre, nullptr, BAD_CAST nombre, BAD_CAST Limpio(texto).constData());
}
void O(xmlNode* padre, const char* nombre, const QString& texto) {
  if (!texto.trimmed().isEmpty()) M(padre, nombre, texto);
}
xmlNode* Nodo(xmlNode* padre, const char* nombre) {
  return xmlNewChild(padre, nullptr, BAD_CAST nombre, nullptr);
}
QString Numero(long n) { return n > 0 ? QString::number(n) : QString(); }

// Amounts with a decimal point whatever the locale: values with their cents, weights with up
// to the schema's four decimals.
QString Importe(double v) { return v > 0 ? QString::number(v, 'f', 2) : QString(); }
QString Peso(double v) {
  if (v <= 0) return {};
  QString s = QString::number(v, 'f', 4);
  while (s.endsWith('0') && s.indexOf('.') < s.size() - 2) s.chop(1);
  return s;
}

// Company fields in schema order; `modos` gives, per field, M (mandatory), O (optional) or -
// (the form type has no such element): Country, BusinessName, Address, City,
// TaxIdentification, Telephone, Fax, Email, URL.
void EmpresaXml(xmlNode* padre, const char* prefijo, const Empresa& e, const char* modos) {
  const std::pair<const char*, const QString*> campos[] = {
      {"Country", &e.Country},
      {"BusinessName", &e.BusinessName},
      {"Address", &e.Address},
      {"City", &e.City},
      {"TaxIdentification", &e.TaxIdentification},
      {"Telephone", &e.Telephone},
      {"Fax", &e.Fax},
      {"Email", &e.Email},
      {"URL", &e.URL}};
  for (int i = 0; i < 9; ++i) {
    const QByteArray nombre = QByteArray(prefijo) + campos[i].first;
    if (modos[i] == 'M') M(padre, nombre.constData(), *campos[i].second);
    if (modos[i] == 'O') O(padre, nombre.constData(), *campos[i].second);
  }
}

void Facturas(xmlNode* form, const Documento& d, bool cantidadYOrden, bool numeroYFecha) {
  xmlNode* inv = Nodo(form, "Invoices");
  if (cantidadYOrden) M(inv, "InvoiceQty", QString::number(d.facturas.size()));
  long orden = 0;
  for (const Factura& f : d.facturas) {
    xmlNode* i = Nodo(inv, "Invoice");
    if (cantidadYOrden) M(i, "InvoiceOrderNo", QString::number(++orden));
    if (numeroYFecha) {
      M(i, "InvoiceNo", f.InvoiceNo);
      M(i, "InvoiceDate", FechaXsd(f.InvoiceDate));
    } else {
      O(i, "InvoiceNo", f.InvoiceNo);
      O(i, "InvoiceDate", FechaXsd(f.InvoiceDate));
    }
  }
}

// The goods list: FormA18 has no count, a value and the declaration per line; the Resolution
// 252 form has no value and optional weight and unit; ACE 35 and 36 have the FOB value.
void Mercaderias(xmlNode* form, const Documento& d) {
  const Formulario f = d.formulario;
  xmlNode* lista = Nodo(form, "GoodsList");
  if (f != Formulario::A18) M(lista, "GoodsQty", QString::number(d.mercaderias.size()));
  long orden = 0;
  for (const Mercaderia& m : d.mercaderias) {
    xmlNode* g = Nodo(lista, "Goods");
    ++orden;
    M(g, "GoodsOrderNo", QString::number(m.GoodsOrderNo > 0 ? m.GoodsOrderNo : orden));
    if (f != Formulario::A18) O(g, "GoodsInvoiceOrderNo", Numero(m.GoodsInvoiceOrderNo));
    M(g, "GoodsItemCode", m.GoodsItemCode);
    M(g, "GoodsItemName", m.GoodsItemName);
    if (f == Formulario::R252) {
      O(g, "GoodsItemWeightAmount", Peso(m.GoodsItemWeightAmount));
      O(g, "GoodsItemMeasureUnit", m.GoodsItemMeasureUnit);
    } else {
      M(g, "GoodsItemWeightAmount", Peso(m.GoodsItemWeightAmount));
      M(g, "GoodsItemMeasureUnit", m.GoodsItemMeasureUnit);
      M(g, f == Formulario::A18 ? "GoodsItemValue" : "GoodsItemFOB", Importe(m.GoodsItemValue));
    }
    M(g, "GoodsItemOriginRules", m.GoodsItemOriginRules);
    if (f == Formulario::A18) {
      M(g, "GoodsDeclarationDate", FechaXsd(m.GoodsDeclarationDate));
      M(g, "GoodsDeclarationNumber", m.GoodsDeclarationNumber);
    } else {
      O(g, "GoodsDeclarationDate", FechaXsd(m.GoodsDeclarationDate));
    }
  }
}

void Transporte(xmlNode* form, const Documento& d) {
  xmlNode* t = Nodo(form, "Transport");
  M(t, "TransportPortOfLoading", d.TransportPortOfLoading);
  if (d.formulario == Formulario::A18) return;
  M(t, "TransportMeans", d.TransportMeans);
  M(t, "TransportCountryDestination", d.TransportCountryDestination);
}

// Observations and the third operator, each form type with its own names.
void Observaciones(xmlNode* form, const Documento& d) {
  const Formulario f = d.formulario;
  const TercerOperador& t = d.tercero;
  const bool pac = f == Formulario::A18 && !d.PACComments.trimmed().isEmpty();
  const bool hs = f == Formulario::A18 && !d.HSVer.trimmed().isEmpty();
  if (d.GeneralComments.trimmed().isEmpty() && !t.facturado && !pac && !hs) return;
  xmlNode* c = Nodo(form, "Comments");
  O(c, "GeneralComments", d.GeneralComments);
  if (f == Formulario::A18) O(c, "PACComments", d.PACComments);
  if (t.facturado) {
    const bool op3c = f == Formulario::A36 || f == Formulario::R252;
    xmlNode* o = Nodo(c, op3c ? "Op3cComments" : "ThirdOpComments");
    M(o, op3c ? "Op3cStatement" : "ThirdOpStatement", "true");
    if (f == Formulario::R252) {
      O(o, "Op3cBusinessName", t.empresa.BusinessName);
      O(o, "Op3cAddress", t.empresa.Address);
      O(o, "Op3cCountry", t.empresa.Country);
    } else if (!op3c) {
      O(o, "ThirdOpCountry", t.empresa.Country);
      O(o, "ThirdOpBusinessName", t.empresa.BusinessName);
      O(o, "ThirdOpAddress", t.empresa.Address);
      if (f == Formulario::A18) {
        O(o, "ThirdOpCity", t.empresa.City);
      } else {
        O(o, "ThirdOpInvoiceNo", t.InvoiceNo);
        O(o, "ThirdOpInvoiceDate", FechaXsd(t.InvoiceDate));
      }
    }
  }
  if (f == Formulario::A18) O(c, "HSVer", d.HSVer);
}

void Declaracion(xmlNode* form, const Documento& d) {
  xmlNode* decl = Nodo(form, "Declaration");
  M(decl, "DeclarationDate", FechaXsd(d.DeclarationDate));
  if (d.formulario != Formulario::A18)
    O(decl, "DeclarationRequestNo", Numero(d.DeclarationRequestNo));
  M(decl, "Affidavit", d.Affidavit);
}

const char* NombreFormulario(Formulario f) {
  switch (f) {
    case Formulario::A18:
      return "FormA18";
    case Formulario::A35:
      return "FormA35";
    case Formulario::A36:
      return "FormA36";
    case Formulario::R252:
      break;
  }
  return "FormR252";
}

void FormularioXml(xmlNode* cod, const Documento& d) {
  const Formulario f = d.formulario;
  xmlNode* form = Nodo(cod, NombreFormulario(f));
  const char* exportador = f == Formulario::A18   ? "MMMM-M-M-"
                           : f == Formulario::A35 ? "MMMM-OOOO"
                           : f == Formulario::A36 ? "MMMO-OOOO"
                                                  : "MMOO-OOOO";
  EmpresaXml(Nodo(form, "Exporter"), "Exporter", d.exportador, exportador);
  if (f == Formulario::A18) {
    M(Nodo(form, "Subscriber"), "SubscriberSubmitterName", d.SubscriberSubmitterName);
  }
  Facturas(form, d, f != Formulario::A18, f != Formulario::R252);
  Mercaderias(form, d);
  const char* importador = f == Formulario::A18    ? "MMMM-----"
                           : f == Formulario::R252 ? "MOOO-OOOO"
                                                   : "MMMO-OOOO";
  EmpresaXml(Nodo(form, "Importer"), "Importer", d.importador, importador);
  if ((f == Formulario::A35 || f == Formulario::A36) && !d.consignatario.vacia()) {
    EmpresaXml(Nodo(form, "Consignee"), "Consignee", d.consignatario, "OOOO-----");
  }
  if (f != Formulario::R252) Transporte(form, d);
  Observaciones(form, d);
  Declaracion(form, d);
}

}  // namespace

Resultado Exportar(const Documento& d, const QString& carpetaEsquemas) {
  IniciarBibliotecas();
  Doc doc(xmlNewDoc(BAD_CAST "1.0"));
  xmlNode* env = xmlNewDocNode(doc.get(), nullptr, BAD_CAST "Envelope", nullptr);
  xmlDocSetRootElement(doc.get(), env);
  xmlNs* ns1 = xmlNewNs(env, BAD_CAST kNsEnvelope, BAD_CAST "ns1");
  xmlSetNs(env, ns1);
  xmlNode* cert = xmlNewChild(env, ns1, BAD_CAST "CertOrigin", nullptr);
  // Unqualified below CertOrigin: xmlNewChild would give CODEH its parent's namespace.
  xmlNode* codeh = xmlAddChild(cert, xmlNewDocNode(doc.get(), nullptr, BAD_CAST "CODEH", nullptr));
  xmlNewProp(codeh, BAD_CAST "id", BAD_CAST "CODEH");
  xmlNode* cod = Nodo(Nodo(codeh, "CODExporter"), "COD");
  xmlNewProp(cod, BAD_CAST "id", BAD_CAST "COD");
  M(cod, "CODVer", kVersion);
  M(cod, "CODSubmitterType", d.CODSubmitterType);
  xmlNode* acuerdo = Nodo(cod, "Agreement");
  M(acuerdo, "AgreementName", d.AgreementName);
  M(acuerdo, "AgreementAcronym", d.AgreementAcronym);
  FormularioXml(cod, d);

  Resultado r;
  if (ValidarEsquema(doc.get(), carpetaEsquemas, kVersion, Etapa::Solicitud, r.hallazgos)) {
    r.xml = Serializar(doc.get(), true);
  }
  return r;
}

}  // namespace ostrevan::cod
