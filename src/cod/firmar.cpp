// Stage 2: the exporter's signature. xmlsec builds the Signature, digests the COD and puts the
// SignedInfo into canonical form; the key signs those bytes itself. xmlsec 1.2 under OpenSSL 3
// cannot sign with a key held in a token (it takes it for a public key), and one path for the
// file and the token gives the same signature value with the same key.
#include <openssl/x509v3.h>
#include <xmlsec/base64.h>
#include <xmlsec/crypto.h>
#include <xmlsec/nodeset.h>
#include <xmlsec/templates.h>
#include <xmlsec/transforms.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmltree.h>

#include <QDir>

#include "cod/internos.h"

namespace ostrevan::cod {
namespace detalle {
namespace {

void PonerBase64(xmlNode* nodo, const QByteArray& datos) {
  xmlChar* b64 =
      xmlSecBase64Encode(reinterpret_cast<const xmlSecByte*>(datos.constData()), datos.size(), 0);
  xmlNodeSetContent(nodo, b64);
  xmlFree(b64);
}

// The canonical SignedInfo, as a verifier will rebuild it.
QByteArray SignedInfoCanonico(xmlDoc* doc, xmlNode* signedInfo) {
  QByteArray r;
  xmlSecTransformCtxPtr ctx = xmlSecTransformCtxCreate();
  xmlSecNodeSetPtr nodos = xmlSecNodeSetGetChildren(doc, signedInfo, 1, 0);
  if (ctx && nodos && xmlSecTransformCtxCreateAndAppend(ctx, xmlSecTransformExclC14NId) &&
      xmlSecTransformCtxXmlExecute(ctx, nodos) == 0 && ctx->result) {
    r = QByteArray(reinterpret_cast<const char*>(xmlSecBufferGetData(ctx->result)),
                   static_cast<int>(xmlSecBufferGetSize(ctx->result)));
  }
  if (nodos) xmlSecNodeSetDestroy(nodos);
  if (ctx) xmlSecTransformCtxDestroy(ctx);
  return r;
}

}  // namespace

bool FirmarElemento(xmlDoc* doc, xmlNode* objetivo, const char* id, Clave& clave,
                    std::vector<Hallazgo>& h) {
  const QByteArray uri = QByteArray("#") + id;
  xmlNode* firma = xmlSecTmplSignatureCreate(doc, xmlSecTransformExclC14NId,
                                             xmlSecTransformRsaSha256Id, nullptr);
  xmlAddNextSibling(objetivo, firma);
  xmlNode* ref = xmlSecTmplSignatureAddReference(firma, xmlSecTransformSha256Id, nullptr,
                                                 BAD_CAST uri.constData(), nullptr);
  xmlSecTmplReferenceAddTransform(ref, xmlSecTransformEnvelopedId);
  xmlSecTmplReferenceAddTransform(ref, xmlSecTransformExclC14NId);
  xmlNode* x509 = xmlSecTmplKeyInfoAddX509Data(xmlSecTmplSignatureEnsureKeyInfo(firma, nullptr));
  xmlNode* certNodo = xmlSecTmplX509DataAddCertificate(x509);

  xmlSecDSigCtxPtr dsig = xmlSecDSigCtxCreate(nullptr);
  dsig->operation = xmlSecTransformOperationSign;
  xmlSecDSigReferenceCtxPtr rctx =
      xmlSecDSigReferenceCtxCreate(dsig, xmlSecDSigReferenceOriginSignedInfo);
  const bool digerido =
      FijarId(doc, objetivo, id) && rctx && xmlSecDSigReferenceCtxProcessNode(rctx, ref) == 0;
  if (rctx) xmlSecDSigReferenceCtxDestroy(rctx);
  xmlSecDSigCtxDestroy(dsig);
  if (!digerido) {
    h.push_back(Error("cod.firma", QString("No se pudo calcular el resumen de «%1».").arg(id)));
    return false;
  }
  const QByteArray valor = clave.firmar(
      SignedInfoCanonico(doc, xmlSecFindChild(firma, xmlSecNodeSignedInfo, xmlSecDSigNs)), h);
  if (valor.isEmpty()) return false;
  PonerBase64(xmlSecFindChild(firma, xmlSecNodeSignatureValue, xmlSecDSigNs), valor);
  unsigned char* der = nullptr;
  const int n = i2d_X509(clave.certificado, &der);
  PonerBase64(certNodo, QByteArray(reinterpret_cast<const char*>(der), n));
  OPENSSL_free(der);
  return true;
}

}  // namespace detalle

namespace {
using namespace detalle;

// What the signer's certificate must allow before anything is signed with it.
bool CertificadoUtil(const X509* cert, std::vector<Hallazgo>& h) {
  const QString quien = Sujeto(cert);
  const ASN1_TIME* hasta = X509_get0_notAfter(cert);
  if (X509_cmp_current_time(hasta) <= 0) {
    struct tm t = {};
    ASN1_TIME_to_tm(hasta, &t);
    h.push_back(Error(
        "cod.cert-vencido",
        QString("El certificado de «%1» venció el %2: no se puede firmar con él.")
            .arg(quien)
            .arg(QString::asprintf("%02d/%02d/%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900))));
    return false;
  }
  if (X509_cmp_current_time(X509_get0_notBefore(cert)) > 0) {
    h.push_back(Error("cod.cert-no-vigente",
                      QString("El certificado de «%1» todavía no está vigente.").arg(quien)));
    return false;
  }
  const uint32_t uso = X509_get_key_usage(const_cast<X509*>(cert));
  if (uso != UINT32_MAX && !(uso & (KU_DIGITAL_SIGNATURE | KU_NON_REPUDIATION))) {
    h.push_back(
        Error("cod.clave-no-firma",
              QString("El certificado de «%1» no está habilitado para firmar.").arg(quien)));
    return false;
  }
  return true;
}

}  // namespace

Resultado Firmar(const QByteArray& etapa1, const Firmante& firmante, const QByteArray& secreto,
                 const QString& carpetaEsquemas) {
  Resultado r;
  Doc doc = Leer(etapa1, r.hallazgos);
  if (!doc) return r;
  const Lugares l = Ubicar(doc.get());
  const QString version = Texto(Hijo(l.cod, "CODVer")).trimmed();
  if (!ValidarEsquema(doc.get(), carpetaEsquemas, version, Etapa::Solicitud, r.hallazgos)) {
    return r;
  }
  std::unique_ptr<Clave> clave =
      firmante.origen == Firmante::Origen::Token
          ? AbrirToken(firmante.ruta, firmante.modulo, secreto, r.hallazgos)
          : AbrirArchivo(firmante.ruta, secreto, r.hallazgos);
  if (!clave || !CertificadoUtil(clave->certificado, r.hallazgos) ||
      !FirmarElemento(doc.get(), l.cod, "COD", *clave, r.hallazgos)) {
    return r;
  }
  clave.reset();  // the token's session ends as soon as the value is in
  const QByteArray firmado = Serializar(doc.get(), false);
  Verificacion v = Verificar(firmado, carpetaEsquemas, Confianza{});
  for (Hallazgo& x : v.hallazgos) {
    if (x.nivel == Nivel::Error) r.hallazgos.push_back(std::move(x));
  }
  if (v.ok()) r.xml = firmado;
  return r;
}

}  // namespace ostrevan::cod
