// Verification of any COD. A signature that xmlsec calls valid is not enough: the document
// could carry a second COD for the reader and the signed one hidden elsewhere, an id declared
// by a DTD, or a bare RSA key instead of a certificate. Each signature is taken only from its
// required place, over the one element with its id, with the algorithms a COD uses and the key of
// its X.509 certificate.
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <xmlsec/base64.h>
#include <xmlsec/crypto.h>
#include <xmlsec/openssl/evp.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmltree.h>

#include <QDir>
#include <set>

#include "cod/internos.h"

namespace ostrevan::cod {
namespace {
using namespace detalle;

const std::set<QString> kCanonicos = {"http://www.w3.org/TR/2001/REC-xml-c14n-20010315",
                                      "http://www.w3.org/2001/10/xml-exc-c14n#"};
const std::set<QString> kTransformadas = {"http://www.w3.org/TR/2001/REC-xml-c14n-20010315",
                                          "http://www.w3.org/2001/10/xml-exc-c14n#",
                                          "http://www.w3.org/2000/09/xmldsig#enveloped-signature"};
const std::set<QString> kFirmas = {"http://www.w3.org/2001/04/xmldsig-more#rsa-sha256",
                                   "http://www.w3.org/2000/09/xmldsig#rsa-sha1"};
const std::set<QString> kResumenes = {"http://www.w3.org/2001/04/xmlenc#sha256",
                                      "http://www.w3.org/2000/09/xmldsig#sha1"};

QString Fecha(const ASN1_TIME* t) {
  struct tm x = {};
  ASN1_TIME_to_tm(t, &x);
  return QString::asprintf("%02d/%02d/%04d", x.tm_mday, x.tm_mon + 1, x.tm_year + 1900);
}

QString Algoritmo(const xmlNode* n) {
  xmlChar* a = xmlGetProp(n, BAD_CAST "Algorithm");
  QString s = QString::fromUtf8(reinterpret_cast<const char*>(a));
  xmlFree(a);
  return s;
}

std::vector<xmlNode*> Hijos(const xmlNode* n) {
  std::vector<xmlNode*> r;
  for (xmlNode* c = n ? n->children : nullptr; c; c = c->next) {
    if (c->type == XML_ELEMENT_NODE) r.push_back(c);
  }
  return r;
}

bool Ds(const xmlNode* n, const char* nombre) { return Es(n, nombre, kNsFirma); }

// One signature to check: who signed, what it covers, where it is and when it was made.
struct Firma {
  const char* id;
  QString quien, de;
  xmlNode* nodo;
  xmlNode* momento;
};

class Verificador {
 public:
  Verificador(const Confianza& confianza, Verificacion& v) : confianza_(confianza), v_(v) {}

  void Comprobar(const Firma& f) {
    const size_t antes = v_.hallazgos.size();
    FirmaVerificada fv{f.quien, {}, LeerFecha(Texto(f.momento)), false};
    X509* cert = nullptr;
    STACK_OF(X509)* otros = sk_X509_new_null();
    if (Forma(f) && Certificados(f, cert, otros)) {
      fv.firmante = Sujeto(cert);
      Valor(f, cert);
      Vigencia(f, cert, fv.momento);
    }
    X509_free(cert);
    sk_X509_pop_free(otros, X509_free);
    fv.valida = true;
    for (size_t i = antes; i < v_.hallazgos.size(); ++i) {
      if (v_.hallazgos[i].nivel == Nivel::Error) fv.valida = false;
    }
    v_.firmas.push_back(fv);
  }

 private:
  void Mal(const char* codigo, const QString& texto) {
    v_.hallazgos.push_back(Error(codigo, texto, DondeCampo("Signature")));
  }

  // Exactly what a COD signature holds: one reference to the exact id, the needed
  // transforms and algorithms, and the signer's certificate as its only key.
  bool Forma(const Firma& f) {
    const std::vector<xmlNode*> partes = Hijos(f.nodo);
    if (partes.size() != 3 || !Ds(partes[0], "SignedInfo") || !Ds(partes[1], "SignatureValue") ||
        !Ds(partes[2], "KeyInfo")) {
      Mal("cod.firma-forma", QString("La firma %1 no tiene la forma de la firma de un COD "
                                     "(SignedInfo, SignatureValue y KeyInfo).")
                                 .arg(f.de));
      return false;
    }
    const std::vector<xmlNode*> si = Hijos(partes[0]);
    if (si.size() != 3 || !Ds(si[0], "CanonicalizationMethod") || !Ds(si[1], "SignatureMethod") ||
        !Ds(si[2], "Reference")) {
      Mal("cod.firma-referencia",
          QString("La firma %1 debe cubrir un solo elemento, «#%2».").arg(f.de, f.id));
      return false;
    }
    xmlChar* uri = xmlGetProp(si[2], BAD_CAST "URI");
    const QString u = QString::fromUtf8(reinterpret_cast<const char*>(uri));
    xmlFree(uri);
    if (u != QString("#") + f.id) {
      Mal("cod.firma-referencia",
          QString("La firma %1 no cubre «#%2» sino «%3».").arg(f.de, f.id, u.left(60)));
      return false;
    }
    std::vector<std::pair<QString, const std::set<QString>*>> algoritmos = {
        {Algoritmo(si[0]), &kCanonicos}, {Algoritmo(si[1]), &kFirmas}};
    const std::vector<xmlNode*> ref = Hijos(si[2]);
    size_t i = 0;
    if (i < ref.size() && Ds(ref[i], "Transforms")) {
      for (xmlNode* t : Hijos(ref[i])) algoritmos.push_back({Algoritmo(t), &kTransformadas});
      ++i;
    }
    if (ref.size() != i + 2 || !Ds(ref[i], "DigestMethod") || !Ds(ref[i + 1], "DigestValue")) {
      Mal("cod.firma-forma",
          QString("La referencia de la firma %1 no tiene la forma esperada.").arg(f.de));
      return false;
    }
    algoritmos.push_back({Algoritmo(ref[i]), &kResumenes});
    for (const auto& [a, admitidos] : algoritmos) {
      if (!admitidos->count(a)) {
        Mal("cod.firma-algoritmo",
            QString("La firma %1 usa un algoritmo que un COD no admite («%2»).")
                .arg(f.de, a.left(80)));
        return false;
      }
      if (a.endsWith("sha1")) {
        v_.hallazgos.push_back(
            Aviso("cod.firma-sha1", QString("La firma %1 usa SHA-1, un algoritmo débil.").arg(f.de),
                  DondeCampo("Signature")));
      }
    }
    // The key is only ever the certificate's: a KeyValue or KeyName beside it is ignored,
    // anything that would fetch or build another key refuses the signature.
    int datos = 0;
    bool otra = false;
    for (xmlNode* c : Hijos(partes[2])) {
      if (Ds(c, "X509Data")) {
        ++datos;
        for (xmlNode* d : Hijos(c)) {
          otra = otra || !(Ds(d, "X509Certificate") || Ds(d, "X509IssuerSerial") ||
                           Ds(d, "X509SubjectName"));
        }
      } else {
        otra = otra || !(Ds(c, "KeyValue") || Ds(c, "KeyName"));
      }
    }
    xmlNode* x509 = xmlSecFindChild(partes[2], xmlSecNodeX509Data, xmlSecDSigNs);
    if (datos != 1 || otra || !xmlSecFindChild(x509, xmlSecNodeX509Certificate, xmlSecDSigNs)) {
      Mal("cod.firma-clave", QString("La firma %1 debe traer el certificado X.509 del firmante y "
                                     "ninguna otra forma de obtener la clave.")
                                 .arg(f.de));
      return false;
    }
    return true;
  }

  // The first certificate is the signer's; any others are intermediates, never trusted.
  bool Certificados(const Firma& f, X509*& cert, STACK_OF(X509) * otros) {
    xmlNode* datos = xmlSecFindChild(Hijos(f.nodo)[2], xmlSecNodeX509Data, xmlSecDSigNs);
    for (xmlNode* c : Hijos(datos)) {
      if (!Ds(c, "X509Certificate")) continue;
      QByteArray der = QByteArray::fromBase64(Texto(c).toLatin1());
      const auto* p = reinterpret_cast<const unsigned char*>(der.constData());
      X509* x = d2i_X509(nullptr, &p, der.size());
      if (!x) break;
      if (!cert) {
        cert = x;
      } else {
        sk_X509_push(otros, x);
      }
    }
    ERR_clear_error();
    if (!cert)
      Mal("cod.firma-clave", QString("El certificado de la firma %1 no se puede leer.").arg(f.de));
    return cert != nullptr;
  }

  void Valor(const Firma& f, X509* cert) {
    xmlSecDSigCtxPtr d = xmlSecDSigCtxCreate(nullptr);
    d->enabledReferenceUris = xmlSecTransformUriTypeSameDocument;
    for (xmlSecTransformId t :
         {xmlSecTransformEnvelopedId, xmlSecTransformInclC14NId, xmlSecTransformExclC14NId,
          xmlSecTransformSha256Id, xmlSecTransformSha1Id}) {
      xmlSecDSigCtxEnableReferenceTransform(d, t);
    }
    for (xmlSecTransformId t : {xmlSecTransformInclC14NId, xmlSecTransformExclC14NId,
                                xmlSecTransformRsaSha256Id, xmlSecTransformRsaSha1Id}) {
      xmlSecDSigCtxEnableSignatureTransform(d, t);
    }
    // The key is the certificate's, set beforehand: KeyInfo is never searched for another.
    d->signKey = xmlSecKeyCreate();
    xmlSecKeySetValue(d->signKey, xmlSecOpenSSLEvpKeyAdopt(X509_get_pubkey(cert)));
    const int r = xmlSecDSigCtxVerify(d, f.nodo);
    bool modificado = false;
    for (xmlSecSize i = 0; i < xmlSecPtrListGetSize(&d->signedInfoReferences); ++i) {
      auto* ref =
          static_cast<xmlSecDSigReferenceCtxPtr>(xmlSecPtrListGetItem(&d->signedInfoReferences, i));
      modificado = modificado || ref->status != xmlSecDSigStatusSucceeded;
    }
    if (modificado) {
      Mal("cod.firma-modificado",
          QString("El contenido que cubre la firma %1 fue modificado después de firmado.")
              .arg(f.de));
    } else if (r < 0 || d->status != xmlSecDSigStatusSucceeded) {
      Mal("cod.firma-invalida", QString("La firma %1 no corresponde a su certificado.").arg(f.de));
    }
    xmlSecDSigCtxDestroy(d);
    ERR_clear_error();
  }

  // The certificate at the moment of signing: in force, allowed to sign, from a trusted
  // authority and not revoked by then.
  void Vigencia(const Firma& f, X509* cert, const QDateTime& momento) {
    const Donde donde = DondeDe(f.momento);
    const QString cn = Sujeto(cert);
    if (!momento.isValid()) {
      v_.hallazgos.push_back(
          Error("cod.firma-momento",
                QString("No se puede saber cuándo se hizo la firma %1: «%2» no es "
                        "una fecha válida.")
                    .arg(f.de, donde.rotulo),
                donde));
      return;
    }
    time_t t = momento.toSecsSinceEpoch();
    const QString cuando = momento.toUTC().toString("dd/MM/yyyy");
    if (X509_cmp_time(X509_get0_notAfter(cert), &t) < 0) {
      Mal("cod.cert-vencido", QString("El certificado %1 («%2») venció el %3, antes de la "
                                      "firma (%4).")
                                  .arg(f.de, cn, Fecha(X509_get0_notAfter(cert)), cuando));
      return;
    }
    if (X509_cmp_time(X509_get0_notBefore(cert), &t) > 0) {
      Mal("cod.cert-no-vigente", QString("El certificado %1 («%2») todavía no era válido "
                                         "cuando se firmó (%3).")
                                     .arg(f.de, cn, cuando));
      return;
    }
    const uint32_t uso = X509_get_key_usage(cert);
    if (uso != UINT32_MAX && !(uso & (KU_DIGITAL_SIGNATURE | KU_NON_REPUDIATION))) {
      Mal("cod.clave-no-firma",
          QString("El certificado %1 («%2») no está habilitado para firmar.").arg(f.de, cn));
    }
    if (confianza_.autoridades.isEmpty()) {
      if (!sinAutoridades_) {
        sinAutoridades_ = true;
        v_.hallazgos.push_back(Aviso("cod.sin-autoridades",
                                     "No se comprobó que los certificados sean de una autoridad "
                                     "de confianza: no hay autoridades configuradas."));
      }
      return;
    }
    Cadena(f, cert, t, cn);
  }

  void Cadena(const Firma& f, X509* cert, time_t t, const QString& cn) {
    X509_STORE* almacen = X509_STORE_new();
    if (X509_STORE_load_file(almacen, QFile::encodeName(confianza_.autoridades).constData()) != 1) {
      X509_STORE_free(almacen);
      ERR_clear_error();
      Mal("cod.autoridades", QString("No se pudo leer el archivo de autoridades de certificación "
                                     "«%1».")
                                 .arg(QDir::toNativeSeparators(confianza_.autoridades)));
      return;
    }
    STACK_OF(X509)* intermedios = sk_X509_new_null();
    xmlNode* datos = xmlSecFindChild(Hijos(f.nodo)[2], xmlSecNodeX509Data, xmlSecDSigNs);
    bool primero = true;
    for (xmlNode* c : Hijos(datos)) {
      if (!Ds(c, "X509Certificate")) continue;
      if (primero) {
        primero = false;
        continue;
      }
      QByteArray der = QByteArray::fromBase64(Texto(c).toLatin1());
      const auto* p = reinterpret_cast<const unsigned char*>(der.constData());
      if (X509* x = d2i_X509(nullptr, &p, der.size())) sk_X509_push(intermedios, x);
    }
    X509_STORE_CTX* ctx = X509_STORE_CTX_new();
    X509_STORE_CTX_init(ctx, almacen, cert, intermedios);
    X509_VERIFY_PARAM_set_time(X509_STORE_CTX_get0_param(ctx), t);
    if (X509_verify_cert(ctx) == 1) {
      STACK_OF(X509)* cadena = X509_STORE_CTX_get0_chain(ctx);
      Revocacion(f, cert, sk_X509_num(cadena) > 1 ? sk_X509_value(cadena, 1) : cert, t, cn);
    } else {
      const int e = X509_STORE_CTX_get_error(ctx);
      if (e == X509_V_ERR_CERT_HAS_EXPIRED || e == X509_V_ERR_CERT_NOT_YET_VALID) {
        Mal("cod.cert-vencido", QString("La autoridad que emitió el certificado %1 («%2») no "
                                        "estaba vigente cuando se firmó.")
                                    .arg(f.de, cn));
      } else if (e == X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY ||
                 e == X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT ||
                 e == X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT ||
                 e == X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN || e == X509_V_ERR_CERT_UNTRUSTED) {
        Mal("cod.cert-no-confiable", QString("El certificado %1 («%2») no fue emitido por una "
                                             "autoridad de certificación de confianza.")
                                         .arg(f.de, cn));
      } else {
        Mal("cod.cert-invalido", QString("El certificado %1 («%2») no es válido: %3.")
                                     .arg(f.de, cn, X509_verify_cert_error_string(e)));
      }
    }
    X509_STORE_CTX_free(ctx);
    sk_X509_pop_free(intermedios, X509_free);
    X509_STORE_free(almacen);
    ERR_clear_error();
  }

  // A current list says whether the certificate was revoked before or after the signature;
  // only a revocation before it counts against the document.
  void Revocacion(const Firma& f, X509* cert, X509* emisor, time_t t, const QString& cn) {
    if (confianza_.crl.isEmpty()) return;
    BIO* bio = BIO_new_file(QFile::encodeName(confianza_.crl).constData(), "r");
    bool cubierto = false;
    while (X509_CRL* crl = bio ? PEM_read_bio_X509_CRL(bio, nullptr, nullptr, nullptr) : nullptr) {
      if (X509_NAME_cmp(X509_CRL_get_issuer(crl), X509_get_subject_name(emisor)) == 0 &&
          X509_CRL_verify(crl, X509_get0_pubkey(emisor)) == 1) {
        cubierto = true;
        X509_REVOKED* rev = nullptr;
        if (X509_CRL_get0_by_cert(crl, &rev, cert) == 1) {
          const ASN1_TIME* desde = X509_REVOKED_get0_revocationDate(rev);
          if (ASN1_TIME_cmp_time_t(desde, t) <= 0) {
            Mal("cod.cert-revocado", QString("El certificado %1 («%2») estaba revocado "
                                             "cuando se firmó (desde el %3).")
                                         .arg(f.de, cn, Fecha(desde)));
          } else {
            v_.hallazgos.push_back(Aviso("cod.cert-revocado-despues",
                                         QString("El certificado %1 («%2») fue revocado el %3, "
                                                 "después de la firma.")
                                             .arg(f.de, cn, Fecha(desde))));
          }
        }
      }
      X509_CRL_free(crl);
    }
    BIO_free(bio);
    ERR_clear_error();
    if (!cubierto) {
      v_.hallazgos.push_back(
          Aviso("cod.crl-ajena", QString("No se comprobó si el certificado %1 fue revocado: "
                                         "la lista de revocación no es de su autoridad.")
                                     .arg(f.de)));
    }
  }

  const Confianza& confianza_;
  Verificacion& v_;
  bool sinAutoridades_ = false;
};

QString Padre(const xmlNode* n) {
  return n->parent && n->parent->name
             ? QString::fromUtf8(reinterpret_cast<const char*>(n->parent->name))
             : "";
}

// Every element in its place: one COD, one CODEH, signatures only where ALADI's specification
// puts them, and each of their ids on exactly one element.
void RevisarLugares(xmlDoc* doc, const Lugares& l, xmlNode* firmaExp, xmlNode* firmaEh,
                    std::vector<Hallazgo>& h) {
  std::map<QString, int> ids;
  std::vector<xmlNode*> pila = {xmlDocGetRootElement(doc)};
  while (!pila.empty()) {
    xmlNode* n = pila.back();
    pila.pop_back();
    if ((Es(n, "COD") && n != l.cod) || (Es(n, "CODEH") && n != l.codeh)) {
      h.push_back(
          Error("cod.fuera-de-lugar",
                QString("Hay otro elemento %1 fuera de su lugar (dentro de «%2»): el "
                        "documento fue alterado para engañar la verificación de la firma.")
                    .arg(QString::fromUtf8(reinterpret_cast<const char*>(n->name)), Padre(n))));
    }
    if (Ds(n, "Signature") && n != firmaExp && n != firmaEh) {
      h.push_back(
          Error("cod.fuera-de-lugar",
                QString("Hay una firma fuera de su lugar (dentro de «%1»).").arg(Padre(n))));
    }
    for (xmlAttr* a = n->properties; a; a = a->next) {
      if (QString::fromUtf8(reinterpret_cast<const char*>(a->name))
              .compare("id", Qt::CaseInsensitive) == 0) {
        ++ids[Texto(reinterpret_cast<xmlNode*>(a)).trimmed()];
      }
    }
    for (xmlNode* c = n->children; c; c = c->next) {
      if (c->type == XML_ELEMENT_NODE) pila.push_back(c);
    }
  }
  for (const char* id : {"COD", "CODEH"}) {
    if (ids[id] > 1) {
      h.push_back(Error("cod.id-duplicado",
                        QString("Hay %1 elementos con el identificador «%2»: la firma no puede "
                                "saber cuál cubre.")
                            .arg(ids[id])
                            .arg(id)));
    }
  }
}

xmlNode* FirmaTras(xmlNode* n) {
  xmlNode* s = SiguienteElemento(n);
  return Ds(s, "Signature") ? s : nullptr;
}

xmlNode* FechaDeclaracion(const Lugares& l) {
  for (xmlNode* c = l.cod ? l.cod->children : nullptr; c; c = c->next) {
    if (c->type == XML_ELEMENT_NODE && xmlStrncmp(c->name, BAD_CAST "Form", 4) == 0) {
      return Hijo(Hijo(c, "Declaration"), "DeclarationDate");
    }
  }
  return nullptr;
}

}  // namespace

Verificacion Verificar(const QByteArray& xml, const QString& carpetaEsquemas,
                       const Confianza& confianza) {
  Verificacion v;
  if (xml.startsWith("\xEF\xBB\xBF")) {
    v.hallazgos.push_back(Aviso("cod.bom",
                                "El archivo empieza con una marca de orden de bytes "
                                "(BOM): la aduana puede rechazarlo."));
  }
  Doc doc = Leer(xml, v.hallazgos);
  if (!doc) return v;
  const Lugares l = Ubicar(doc.get());
  if (!l.cod) {
    v.hallazgos.push_back(Error("cod.estructura",
                                "El archivo no tiene la forma de un COD "
                                "(Envelope, CertOrigin, CODEH, CODExporter, COD)."));
    return v;
  }
  v.version = Texto(Hijo(l.cod, "CODVer")).trimmed();
  xmlNode* firmaExp = FirmaTras(l.cod);
  xmlNode* firmaEh = FirmaTras(l.codeh);
  xmlNode* certificacion = Hijo(l.codeh, "CertificationEH");
  v.etapa = (firmaEh || certificacion) ? Etapa::Emitida
            : firmaExp                 ? Etapa::Firmada
                                       : Etapa::Solicitud;
  ValidarEsquema(doc.get(), carpetaEsquemas, v.version, v.etapa, v.hallazgos);
  RevisarLugares(doc.get(), l, firmaExp, firmaEh, v.hallazgos);
  if (!FijarId(doc.get(), l.cod, "COD") ||
      (v.etapa == Etapa::Emitida && !FijarId(doc.get(), l.codeh, "CODEH"))) {
    v.hallazgos.push_back(Error("cod.id",
                                "El COD no lleva sus identificadores (id «COD» y "
                                "«CODEH») en su lugar."));
    return v;
  }
  Verificador verificador(confianza, v);
  if (v.etapa != Etapa::Solicitud) {
    if (!firmaExp) {
      v.hallazgos.push_back(Error("cod.sin-firma",
                                  "Falta la firma del exportador a continuación "
                                  "del COD.",
                                  DondeCampo("Signature")));
    } else {
      verificador.Comprobar({"COD", "exportador", "del exportador", firmaExp, FechaDeclaracion(l)});
    }
  }
  if (v.etapa == Etapa::Emitida) {
    if (!firmaEh) {
      v.hallazgos.push_back(Error("cod.sin-firma",
                                  "Falta la firma de la entidad habilitada a "
                                  "continuación de CODEH.",
                                  DondeCampo("Signature")));
    } else {
      verificador.Comprobar({"CODEH", "entidad habilitada", "de la entidad habilitada", firmaEh,
                             Hijo(certificacion, "CertificateDate")});
    }
  }
  return v;
}

}  // namespace ostrevan::cod
