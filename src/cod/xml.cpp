// The XML plumbing every COD step shares.
#include <libxml/c14n.h>
#include <libxml/parser.h>
#include <libxml/valid.h>
#include <xmlsec/crypto.h>
#include <xmlsec/errors.h>
#include <xmlsec/xmlsec.h>

#include <QRegularExpression>
#include <QTimeZone>
#include <mutex>

#include "cod/internos.h"

namespace ostrevan::cod::detalle {

void IniciarBibliotecas() {
  static std::once_flag una;
  std::call_once(una, [] {
    xmlInitParser();
    xmlSecInit();
    // Not xmlSecCryptoAppInit: that is the command-line tool's set-up of OpenSSL (its
    // configuration file, engines), and OpenSSL 3 initialises itself for what is used here.
    xmlSecCryptoInit();
    // Its errors reach the broker as findings; xmlsec's own lines on stderr would only confuse.
    xmlSecErrorsDefaultCallbackEnableOutput(0);
  });
}

Doc Leer(const QByteArray& xml, std::vector<Hallazgo>& hallazgos) {
  IniciarBibliotecas();
  if (xml.trimmed().isEmpty()) {
    hallazgos.push_back(Error("cod.xml", "El archivo del COD está vacío."));
    return nullptr;
  }
  xmlResetLastError();
  const int opciones = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
  Doc doc(xmlReadMemory(xml.constData(), static_cast<int>(xml.size()), nullptr, nullptr, opciones));
  if (!doc) {
    const xmlError* e = xmlGetLastError();
    hallazgos.push_back(
        Error("cod.xml", QString("El archivo no es un XML válido (línea %1): %2")
                             .arg(e ? e->line : 0)
                             .arg(e && e->message ? QString::fromUtf8(e->message).trimmed() : "")));
    return nullptr;
  }
  if (doc->intSubset || doc->extSubset) {
    hallazgos.push_back(Error("cod.dtd",
                              "El archivo declara una DTD o entidades (DOCTYPE); un COD no las "
                              "lleva y podrían cambiar lo que cubre la firma."));
    return nullptr;
  }
  return doc;
}

QByteArray Serializar(xmlDoc* doc, bool sangrado) {
  xmlChar* buf = nullptr;
  int n = 0;
  xmlDocDumpFormatMemoryEnc(doc, &buf, &n, "UTF-8", sangrado ? 1 : 0);
  QByteArray bytes(reinterpret_cast<const char*>(buf), n);
  xmlFree(buf);
  return bytes;
}

bool Es(const xmlNode* n, const char* nombre, const char* ns) {
  if (!n || n->type != XML_ELEMENT_NODE || xmlStrcmp(n->name, BAD_CAST nombre) != 0) return false;
  const xmlChar* href = n->ns ? n->ns->href : nullptr;
  return ns ? (href && xmlStrcmp(href, BAD_CAST ns) == 0) : href == nullptr;
}

xmlNode* SiguienteElemento(const xmlNode* n) {
  for (xmlNode* c = n ? n->next : nullptr; c; c = c->next) {
    if (c->type == XML_ELEMENT_NODE) return c;
  }
  return nullptr;
}

xmlNode* Hijo(const xmlNode* padre, const char* nombre) {
  if (!padre) return nullptr;
  for (xmlNode* c = padre->children; c; c = c->next) {
    if (c->type == XML_ELEMENT_NODE && xmlStrcmp(c->name, BAD_CAST nombre) == 0) return c;
  }
  return nullptr;
}

QString Texto(const xmlNode* n) {
  if (!n) return {};
  xmlChar* t = xmlNodeGetContent(n);
  QString s = QString::fromUtf8(reinterpret_cast<const char*>(t));
  xmlFree(t);
  return s;
}

QDateTime LeerFecha(const QString& xsd) {
  static const QRegularExpression zona("(Z|[+-]\\d\\d:\\d\\d)$");
  const QString s = xsd.trimmed();
  QDateTime f = QDateTime::fromString(s, Qt::ISODateWithMs);
  // A time without a zone is read as universal time: the document gives no other.
  if (f.isValid() && !zona.match(s).hasMatch()) f.setTimeZone(QTimeZone::utc());
  return f;
}

QString FechaXsd(const QDateTime& fecha) {
  if (!fecha.isValid()) return {};
  const int off = fecha.offsetFromUtc();
  QString s = fecha.toString("yyyy-MM-ddTHH:mm:ss");
  if (fecha.timeSpec() == Qt::UTC) return s + 'Z';
  return s + QString::asprintf("%c%02d:%02d", off < 0 ? '-' : '+', std::abs(off) / 3600,
                               std::abs(off) % 3600 / 60);
}

Lugares Ubicar(xmlDoc* doc) {
  Lugares l;
  xmlNode* raiz = xmlDocGetRootElement(doc);
  if (!Es(raiz, "Envelope", kNsEnvelope)) return l;
  for (xmlNode* c = raiz->children; c; c = c->next) {
    if (Es(c, "CertOrigin", kNsEnvelope)) l.certOrigin = c;
  }
  xmlNode* primero = l.certOrigin ? Hijo(l.certOrigin, "CODEH") : nullptr;
  l.codeh = Es(primero, "CODEH") ? primero : nullptr;
  xmlNode* exp = l.codeh ? Hijo(l.codeh, "CODExporter") : nullptr;
  l.exporter = Es(exp, "CODExporter") ? exp : nullptr;
  xmlNode* cod = l.exporter ? Hijo(l.exporter, "COD") : nullptr;
  l.cod = Es(cod, "COD") ? cod : nullptr;
  return l;
}

bool FijarId(xmlDoc* doc, xmlNode* elemento, const char* id) {
  xmlAttr* attr = xmlHasProp(elemento, BAD_CAST "id");
  if (!attr || Texto(reinterpret_cast<xmlNode*>(attr)) != id) return false;
  if (xmlAttr* otro = xmlGetID(doc, BAD_CAST id)) return otro == attr;
  return xmlAddID(nullptr, doc, BAD_CAST id, attr) != nullptr;
}

namespace {
// The nodes of `elemento`'s subtree, for the canonical form.
int Dentro(void* elemento, xmlNode* n, xmlNode* padre) {
  const xmlNode* x = (n && n->type != XML_NAMESPACE_DECL) ? n : padre;
  for (; x; x = x->parent) {
    if (x == elemento) return 1;
  }
  return 0;
}
}  // namespace

QByteArray Canonico(xmlDoc* doc, xmlNode* elemento) {
  xmlOutputBuffer* out = xmlAllocOutputBuffer(nullptr);
  QByteArray bytes;
  if (xmlC14NExecute(doc, Dentro, elemento, XML_C14N_EXCLUSIVE_1_0, nullptr, 0, out) >= 0) {
    bytes = QByteArray(reinterpret_cast<const char*>(xmlOutputBufferGetContent(out)),
                       static_cast<int>(xmlOutputBufferGetSize(out)));
  }
  xmlOutputBufferClose(out);
  return bytes;
}

}  // namespace ostrevan::cod::detalle
