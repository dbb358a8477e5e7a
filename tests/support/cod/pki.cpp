#include "support/cod/pki.h"

#include <libxml/parser.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>
#include <openssl/x509v3.h>
#include <xmlsec/crypto.h>
#include <xmlsec/templates.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmlsec.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <array>
#include <map>

namespace ostrevan::cod::pruebas {

QString CarpetaEsquemas() {
  const QString env = qEnvironmentVariable("OSTREVAN_COD_ESQUEMAS");
  return env.isEmpty() ? QDir::cleanPath(OSTREVAN_SOURCE_DIR "/../shared/cod") : env;
}

namespace {
Identidad Nueva(const char* cn, const Identidad* ca, int desde, int hasta) {
  Identidad id;
  id.clave.reset(EVP_RSA_gen(2048), EVP_PKEY_free);
  id.cert.reset(X509_new(), X509_free);
  X509* x = id.cert.get();
  static long serie = 1000;
  X509_set_version(x, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(x), ++serie);
  X509_gmtime_adj(X509_getm_notBefore(x), static_cast<long>(desde) * 86400);
  X509_gmtime_adj(X509_getm_notAfter(x), static_cast<long>(hasta) * 86400);
  X509_NAME* n = X509_get_subject_name(x);
  X509_NAME_add_entry_by_txt(n, "C", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>("AR"),
                             -1, -1, 0);
  X509_NAME_add_entry_by_txt(n, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(cn), -1,
                             -1, 0);
  X509_set_issuer_name(x, ca ? X509_get_subject_name(ca->cert.get()) : n);
  X509_set_pubkey(x, id.clave.get());
  X509V3_CTX ctx;
  X509V3_set_ctx(&ctx, ca ? ca->cert.get() : x, x, nullptr, nullptr, 0);
  const char* ext[][2] = {{"basicConstraints", ca ? "critical,CA:FALSE" : "critical,CA:TRUE"},
                          {"keyUsage", ca ? "critical,digitalSignature,nonRepudiation"
                                          : "critical,keyCertSign,cRLSign"}};
  for (auto& e : ext) {
    X509_EXTENSION* ex = X509V3_EXT_conf(nullptr, &ctx, e[0], e[1]);
    X509_add_ext(x, ex, -1);
    X509_EXTENSION_free(ex);
  }
  X509_sign(x, ca ? ca->clave.get() : id.clave.get(), EVP_sha256());
  return id;
}
}  // namespace

Identidad Autoridad(const char* cn) { return Nueva(cn, nullptr, -3650, 3650); }
Identidad Emitir(const Identidad& ca, const char* cn, int desde, int hasta) {
  return Nueva(cn, &ca, desde, hasta);
}

void GuardarPem(const std::vector<Identidad>& certs, const QString& ruta) {
  BIO* b = BIO_new_file(QFile::encodeName(ruta).constData(), "w");
  for (const Identidad& i : certs) PEM_write_bio_X509(b, i.cert.get());
  BIO_free(b);
}

void GuardarP12(const Identidad& id, const QString& ruta, const char* contrasena, bool legado) {
  OSSL_LIB_CTX* lc = OSSL_LIB_CTX_new();
  OSSL_PROVIDER* d = OSSL_PROVIDER_load(lc, "default");
  OSSL_PROVIDER* l = OSSL_PROVIDER_load(lc, "legacy");
  PKCS12* p = PKCS12_create_ex(contrasena, "firma", id.clave.get(), id.cert.get(), nullptr,
                               legado ? NID_pbe_WithSHA1And3_Key_TripleDES_CBC : 0,
                               legado ? NID_pbe_WithSHA1And40BitRC2_CBC : 0, 0, 0, 0, lc, nullptr);
  BIO* b = BIO_new_file(QFile::encodeName(ruta).constData(), "wb");
  i2d_PKCS12_bio(b, p);
  BIO_free(b);
  PKCS12_free(p);
  OSSL_PROVIDER_unload(l);
  OSSL_PROVIDER_unload(d);
  OSSL_LIB_CTX_free(lc);
}

void GuardarCrl(const Identidad& ca, const Identidad& revocado, const QDateTime& desde,
                const QString& ruta) {
  X509_CRL* crl = X509_CRL_new();
  X509_CRL_set_version(crl, 1);
  X509_CRL_set_issuer_name(crl, X509_get_subject_name(ca.cert.get()));
  // Each setter keeps a copy of the time it is given.
  ASN1_TIME* t = ASN1_TIME_adj(nullptr, time(nullptr), 0, 0);
  X509_CRL_set1_lastUpdate(crl, t);
  X509_CRL_set1_nextUpdate(crl, ASN1_TIME_adj(t, time(nullptr), 30, 0));
  X509_REVOKED* r = X509_REVOKED_new();
  X509_REVOKED_set_serialNumber(r, X509_get_serialNumber(revocado.cert.get()));
  X509_REVOKED_set_revocationDate(r, ASN1_TIME_set(t, desde.toSecsSinceEpoch()));
  X509_CRL_add0_revoked(crl, r);
  X509_CRL_sort(crl);
  X509_CRL_sign(crl, ca.clave.get(), EVP_sha256());
  BIO* b = BIO_new_file(QFile::encodeName(ruta).constData(), "w");
  PEM_write_bio_X509_CRL(b, crl);
  BIO_free(b);
  ASN1_TIME_free(t);
  X509_CRL_free(crl);
}

QString PrepararToken(const QString& carpeta, const Identidad& id, const char* pin,
                      QString& error) {
  QDir(carpeta).mkpath("tokens");
  QFile f(carpeta + "/softhsm2.conf");
  f.open(QIODevice::WriteOnly);
  f.write(("directories.tokendir = " + carpeta + "/tokens\nobjectstore.backend = file\n").toUtf8());
  f.write("log.level = ERROR\n");
  f.close();
  qputenv("SOFTHSM2_CONF", QFile::encodeName(f.fileName()));
  BIO* b = BIO_new_file(QFile::encodeName(carpeta + "/clave.pem").constData(), "w");
  PEM_write_bio_PrivateKey(b, id.clave.get(), nullptr, nullptr, 0, nullptr, nullptr);
  BIO_free(b);
  b = BIO_new_file(QFile::encodeName(carpeta + "/cert.der").constData(), "wb");
  i2d_X509_bio(b, id.cert.get());
  BIO_free(b);
  const QStringList pasos[] = {
      {"softhsm2-util", "--init-token", "--free", "--label", "ostrevan", "--pin", pin, "--so-pin",
       "87654321"},
      {"softhsm2-util", "--import", carpeta + "/clave.pem", "--token", "ostrevan", "--label",
       "firma", "--id", "01", "--pin", pin},
      {"pkcs11-tool", "--module", kModuloSoftHsm, "--token-label", "ostrevan", "--login", "--pin",
       pin, "--write-object", carpeta + "/cert.der", "--type", "cert", "--id", "01", "--label",
       "firma"}};
  for (const QStringList& p : pasos) {
    QProcess proc;
    proc.start(p[0], p.mid(1));
    if (!proc.waitForFinished(60000) || proc.exitStatus() != QProcess::NormalExit ||
        proc.exitCode() != 0) {
      error = p[0] + ": " + proc.errorString() + " " + proc.readAllStandardError() +
              " (scripts/install-deps instala softhsm2 y opensc)";
      return {};
    }
  }
  QFile::remove(carpeta + "/clave.pem");
  return "pkcs11:token=ostrevan;object=firma";
}

namespace {
xmlNode* Hijo(xmlNode* p, const char* n) {
  for (xmlNode* c = p ? p->children : nullptr; c; c = c->next) {
    if (c->type == XML_ELEMENT_NODE && xmlStrEqual(c->name, BAD_CAST n)) return c;
  }
  return nullptr;
}
void Texto(xmlNode* p, const char* n, const char* t) {
  xmlNewTextChild(p, nullptr, BAD_CAST n, BAD_CAST t);
}
}  // namespace

QByteArray EmitirComoCamara(const QByteArray& firmado, const QString& p12, const char* contrasena,
                            const QDateTime& fecha) {
  xmlDoc* doc =
      xmlReadMemory(firmado.constData(), firmado.size(), nullptr, nullptr, XML_PARSE_NONET);
  xmlNode* codeh = Hijo(Hijo(xmlDocGetRootElement(doc), "CertOrigin"), "CODEH");
  xmlNode* eh = xmlNewChild(codeh, nullptr, BAD_CAST "EH", nullptr);
  Texto(eh, "EHId", "004");
  Texto(eh, "EHCountry", "AR");
  Texto(eh, "EHName", "Cámara de Comercio de Prueba");
  Texto(eh, "EHAddress", "Av. Siempreviva 742");
  Texto(eh, "EHCityLocality", "Buenos Aires");
  Texto(eh, "EHURL", "https://camara.example.org");
  xmlNode* c = xmlNewChild(codeh, nullptr, BAD_CAST "CertificationEH", nullptr);
  Texto(c, "CertificateControlCode", "K7Q2");
  Texto(c, "CertificateDate", fecha.toUTC().toString("yyyy-MM-ddTHH:mm:ssZ").toUtf8().constData());
  Texto(c, "CertificateID", "AR004A18240000000100");
  xmlAddID(nullptr, doc, BAD_CAST "CODEH", xmlHasProp(codeh, BAD_CAST "id"));
  xmlNode* sig = xmlSecTmplSignatureCreate(doc, xmlSecTransformInclC14NId,
                                           xmlSecTransformRsaSha256Id, nullptr);
  xmlAddNextSibling(codeh, sig);
  xmlNode* ref = xmlSecTmplSignatureAddReference(sig, xmlSecTransformSha256Id, nullptr,
                                                 BAD_CAST "#CODEH", nullptr);
  xmlSecTmplReferenceAddTransform(ref, xmlSecTransformEnvelopedId);
  xmlSecTmplX509DataAddCertificate(
      xmlSecTmplKeyInfoAddX509Data(xmlSecTmplSignatureEnsureKeyInfo(sig, nullptr)));
  xmlSecDSigCtxPtr d = xmlSecDSigCtxCreate(nullptr);
  d->signKey = xmlSecCryptoAppKeyLoad(QFile::encodeName(p12).constData(), xmlSecKeyDataFormatPkcs12,
                                      contrasena, nullptr, nullptr);
  QByteArray r;
  if (d->signKey && xmlSecDSigCtxSign(d, sig) == 0) {
    xmlChar* buf = nullptr;
    int n = 0;
    xmlDocDumpMemoryEnc(doc, &buf, &n, "UTF-8");
    r = QByteArray(reinterpret_cast<char*>(buf), n);
    xmlFree(buf);
  }
  xmlSecDSigCtxDestroy(d);
  xmlFreeDoc(doc);
  return r;
}

Documento Ejemplo(Formulario f, int items) {
  Documento d;
  d.formulario = f;
  const QDateTime ahora = QDateTime::currentDateTimeUtc();
  const std::map<Formulario, std::array<const char*, 3>> acuerdos = {
      {Formulario::A18, {"A18", "ACE 18 - MERCOSUR", "BR"}},
      {Formulario::A35, {"A35", "ACE 35 - MERCOSUR - Chile", "CL"}},
      {Formulario::A36, {"A36", "ACE 36 - MERCOSUR - Bolivia", "BO"}},
      {Formulario::R252, {"R04", "Preferencia Arancelaria Regional", "PE"}}};
  const auto& [sigla, nombre, destino] = acuerdos.at(f);
  d.AgreementAcronym = sigla;
  d.AgreementName = nombre;
  d.exportador = {"AR",
                  "Metalúrgica Río & Hijos S.A.",
                  "Av. Corrientes 1234, piso 5",
                  "Buenos Aires",
                  "30-71234567-8",
                  "+54 11 4555-1234",
                  "",
                  "comex@metalurgica.com.ar",
                  ""};
  d.SubscriberSubmitterName = "Despachante Ana Pérez";
  d.facturas = {{"0003-00012345", ahora.addDays(-3)}};
  for (int i = 1; i <= items; ++i) {
    Mercaderia m;
    m.GoodsInvoiceOrderNo = 1;
    m.GoodsItemCode = "8708.29.99";
    m.GoodsItemName = QString("Partes de carrocería <acero & vidrio> modelo %1").arg(i);
    m.GoodsItemWeightAmount = 12.5 + i;
    m.GoodsItemMeasureUnit = "KG";
    m.GoodsItemValue = 1500.25 * i;
    m.GoodsItemOriginRules = "Art. 3 literal c) - Dec. CMC 05/23";
    m.GoodsDeclarationDate = ahora.addDays(-2);
    m.GoodsDeclarationNumber = "24001EC01000123X";
    d.mercaderias.push_back(m);
  }
  d.importador = {
      destino, "Importadora del Sur Ltda.", "Rua das Flores 100", "Destino", "", "", "", "", ""};
  if (f == Formulario::A36)
    d.consignatario = {"BO", "Consignataria SRL", "Calle 2", "La Paz", "", "", "", "", ""};
  d.TransportPortOfLoading = "Buenos Aires";
  d.TransportMeans = "Terrestre";
  d.TransportCountryDestination = destino;
  d.GeneralComments = "Sin observaciones";
  if (f == Formulario::A35 || f == Formulario::R252) {
    d.tercero = {true,
                 {"US", "Trading Co. LLC", "5th Avenue 1", "New York", "", "", "", "", ""},
                 "INV-77",
                 ahora.addDays(-4)};
  }
  d.DeclarationDate = ahora;
  d.Affidavit = "Declaramos que las mercaderías cumplen las normas de origen del acuerdo.";
  return d;
}

std::string ErroresDeEsquema(const QString& archivo, const char* esquema) {
  QProcess p;
  p.setWorkingDirectory(CarpetaEsquemas());
  p.start("xmllint", {"--noout", "--nonet", "--schema", esquema, archivo});
  if (!p.waitForFinished(60000)) return "xmllint no respondió";
  return p.exitCode() == 0 ? std::string() : p.readAllStandardError().left(3000).toStdString();
}

std::string ErroresDeEsquema(const QByteArray& xml, const char* esquema) {
  QTemporaryFile f;
  f.open();
  f.write(xml);
  f.flush();
  return ErroresDeEsquema(f.fileName(), esquema);
}

QString TextoDe(const QByteArray& xml, const char* elemento) {
  const int i = xml.indexOf(QByteArray(QByteArray("<") + elemento));
  if (i < 0) return {};
  const int a = xml.indexOf('>', i) + 1;
  return QString::fromUtf8(xml.mid(a, xml.indexOf('<', a) - a));
}

}  // namespace ostrevan::cod::pruebas
