#pragma once
// What the COD's steps share: the XML document handle, the field captions, the schema check
// and the signature over one element. Not part of the library's interface.
#include <libxml/tree.h>
#include <openssl/x509.h>

#include <QDateTime>
#include <functional>
#include <memory>

#include "cod/cod.h"

namespace ostrevan::cod::detalle {

inline constexpr const char* kNsEnvelope = "http://www.w3.org/2001/12/soap-envelope";
inline constexpr const char* kNsFirma = "http://www.w3.org/2000/09/xmldsig#";
inline constexpr const char* kVersion = "4.1.1";

// libxml2 and xmlsec, once per process; they are never shut down, the host may still use them.
void IniciarBibliotecas();

struct LiberaDoc {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using Doc = std::unique_ptr<xmlDoc, LiberaDoc>;

// A document from bytes, without network, DTD or entities: a DOCTYPE could declare which
// attribute is an id and so move what a signature covers.
Doc Leer(const QByteArray& xml, std::vector<Hallazgo>& hallazgos);
QByteArray Serializar(xmlDoc* doc, bool sangrado);

// Element children by local name; the text of an element.
xmlNode* Hijo(const xmlNode* padre, const char* nombre);
xmlNode* SiguienteElemento(const xmlNode* n);
bool Es(const xmlNode* n, const char* nombre, const char* ns = nullptr);
QString Texto(const xmlNode* n);
QDateTime LeerFecha(const QString& xsd);
QString FechaXsd(const QDateTime& fecha);

// Where a node is, in the broker's words.
Donde DondeDe(const xmlNode* n);
Donde DondeCampo(const QString& campo);
QString Rotulo(const QString& campo);
Hallazgo Error(const char* codigo, const QString& texto, Donde donde = {});
Hallazgo Aviso(const char* codigo, const QString& texto, Donde donde = {});

// The document's required places: Envelope/CertOrigin/CODEH/CODExporter/COD.
struct Lugares {
  xmlNode* certOrigin = nullptr;
  xmlNode* codeh = nullptr;
  xmlNode* exporter = nullptr;
  xmlNode* cod = nullptr;
};
Lugares Ubicar(xmlDoc* doc);
// The schema of `version` for `etapa`, from the caller's folder; findings name the folder
// when it or the file is missing, and each schema violation by its field.
bool ValidarEsquema(xmlDoc* doc, const QString& carpeta, const QString& version, Etapa etapa,
                    std::vector<Hallazgo>& hallazgos);

// A signing key with its certificate: from a PKCS#12 file or a token. `firmar` returns the
// RSA-SHA256 signature of `datos`, or empty with a finding.
struct Clave {
  X509* certificado = nullptr;
  STACK_OF(X509) * cadena = nullptr;
  std::function<QByteArray(const QByteArray& datos, std::vector<Hallazgo>&)> firmar;
  std::function<void()> cerrar;
  ~Clave();
};
std::unique_ptr<Clave> AbrirArchivo(const QString& ruta, const QByteArray& secreto,
                                    std::vector<Hallazgo>& hallazgos);
std::unique_ptr<Clave> AbrirToken(const QString& uri, const QString& modulo,
                                  const QByteArray& secreto, std::vector<Hallazgo>& hallazgos);
QString Sujeto(const X509* certificado);

// Makes `id` the id of `elemento` alone; false when another element already holds it.
bool FijarId(xmlDoc* doc, xmlNode* elemento, const char* id);
// An enveloped signature over `objetivo` (whose id is `id`), placed as its next sibling:
// exclusive canonical form, RSA-SHA256, the signer's certificate in KeyInfo.
bool FirmarElemento(xmlDoc* doc, xmlNode* objetivo, const char* id, Clave& clave,
                    std::vector<Hallazgo>& hallazgos);
// The exclusive canonical form of an element, to compare two copies of it.
QByteArray Canonico(xmlDoc* doc, xmlNode* elemento);

}  // namespace ostrevan::cod::detalle
