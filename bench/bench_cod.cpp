// A 2,000-goods COD exported, validated and signed with a PKCS#12 file, then verified, against
// the same libxml2 and xmlsec calls made bare in the same run: build, validate the request,
// read it back and validate it, sign, validate the signed document and verify it.
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <xmlsec/crypto.h>
#include <xmlsec/templates.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmlsec.h>
#include <xmlsec/xmltree.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "cod/cod.h"
#include "support/cod/pki.h"

using namespace ostrevan::cod;

namespace {
constexpr int kItems = 2000;
constexpr const char* kClave = "clave-de-banco";

double Seconds(const std::function<void()>& f) {
  QElapsedTimer t;
  t.start();
  f();
  return t.nsecsElapsed() / 1e9;
}

// Medians of rounds taken in turns, so that both see the same machine.
std::pair<double, double> Medians(const std::function<void()>& ours,
                                  const std::function<void()>& bare, int rounds = 5) {
  std::vector<double> a, b;
  for (int i = 0; i < rounds; ++i) {
    a.push_back(Seconds(ours));
    b.push_back(Seconds(bare));
  }
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return {a[a.size() / 2], b[b.size() / 2]};
}

void Report(const char* what, double ours, double bare, double limit, double ratio) {
  std::printf("%-44s %8.3f s   baseline %8.3f s   ratio %5.2fx (target <= %.1fx, <= %.1f s)%s\n",
              what, ours, bare, ours / bare, ratio, limit,
              ours <= limit && ours / bare <= ratio ? "" : "  OVER TARGET");
}

// ---- the bare calls ----
struct Bare {
  QString esquemas, p12;

  bool Validate(xmlDoc* doc, const char* file) const {
    const QByteArray path = QFile::encodeName(esquemas + "/" + file);
    xmlSchemaParserCtxt* pc = xmlSchemaNewParserCtxt(path.constData());
    xmlSchema* s = xmlSchemaParse(pc);
    xmlSchemaValidCtxt* vc = xmlSchemaNewValidCtxt(s);
    const int r = xmlSchemaValidateDoc(vc, doc);
    xmlSchemaFreeValidCtxt(vc);
    xmlSchemaFree(s);
    xmlSchemaFreeParserCtxt(pc);
    return r == 0;
  }
  static QByteArray Dump(xmlDoc* doc, int format) {
    xmlChar* buf = nullptr;
    int n = 0;
    xmlDocDumpFormatMemoryEnc(doc, &buf, &n, "UTF-8", format);
    QByteArray r(reinterpret_cast<char*>(buf), n);
    xmlFree(buf);
    return r;
  }
  static xmlDoc* Read(const QByteArray& b) {
    return xmlReadMemory(b.constData(), b.size(), nullptr, nullptr, XML_PARSE_NONET);
  }
  static void T(xmlNode* p, const char* n, const QString& t) {
    xmlNewTextChild(p, nullptr, BAD_CAST n, BAD_CAST t.toUtf8().constData());
  }
  static xmlNode* N(xmlNode* p, const char* n) {
    return xmlNewChild(p, nullptr, BAD_CAST n, nullptr);
  }
  static QString D(const QDateTime& d) { return d.toUTC().toString("yyyy-MM-ddTHH:mm:ssZ"); }

  // The FormA18 request, element by element.
  QByteArray Export(const Documento& d) const {
    xmlDoc* doc = xmlNewDoc(BAD_CAST "1.0");
    xmlNode* env = xmlNewDocNode(doc, nullptr, BAD_CAST "Envelope", nullptr);
    xmlDocSetRootElement(doc, env);
    xmlSetNs(env, xmlNewNs(env, BAD_CAST "http://www.w3.org/2001/12/soap-envelope", BAD_CAST "ns1"));
    xmlNode* codeh = xmlAddChild(xmlNewChild(env, env->ns, BAD_CAST "CertOrigin", nullptr),
                                 xmlNewDocNode(doc, nullptr, BAD_CAST "CODEH", nullptr));
    xmlNewProp(codeh, BAD_CAST "id", BAD_CAST "CODEH");
    xmlNode* cod = N(N(codeh, "CODExporter"), "COD");
    xmlNewProp(cod, BAD_CAST "id", BAD_CAST "COD");
    T(cod, "CODVer", "4.1.1");
    T(cod, "CODSubmitterType", d.CODSubmitterType);
    xmlNode* ag = N(cod, "Agreement");
    T(ag, "AgreementName", d.AgreementName);
    T(ag, "AgreementAcronym", d.AgreementAcronym);
    xmlNode* f = N(cod, "FormA18");
    xmlNode* e = N(f, "Exporter");
    const Empresa& x = d.exportador;
    for (auto [n, v] : {std::pair{"ExporterCountry", x.Country}, {"ExporterBusinessName", x.BusinessName},
                        {"ExporterAddress", x.Address}, {"ExporterCity", x.City},
                        {"ExporterTelephone", x.Telephone}, {"ExporterEmail", x.Email}}) {
      T(e, n, v);
    }
    T(N(f, "Subscriber"), "SubscriberSubmitterName", d.SubscriberSubmitterName);
    xmlNode* inv = N(N(f, "Invoices"), "Invoice");
    T(inv, "InvoiceNo", d.facturas[0].InvoiceNo);
    T(inv, "InvoiceDate", D(d.facturas[0].InvoiceDate));
    xmlNode* gl = N(f, "GoodsList");
    int i = 0;
    for (const Mercaderia& m : d.mercaderias) {
      xmlNode* g = N(gl, "Goods");
      T(g, "GoodsOrderNo", QString::number(++i));
      T(g, "GoodsItemCode", m.GoodsItemCode);
      T(g, "GoodsItemName", m.GoodsItemName);
      T(g, "GoodsItemWeightAmount", QString::number(m.GoodsItemWeightAmount, 'f', 1));
      T(g, "GoodsItemMeasureUnit", m.GoodsItemMeasureUnit);
      T(g, "GoodsItemValue", QString::number(m.GoodsItemValue, 'f', 2));
      T(g, "GoodsItemOriginRules", m.GoodsItemOriginRules);
      T(g, "GoodsDeclarationDate", D(m.GoodsDeclarationDate));
      T(g, "GoodsDeclarationNumber", m.GoodsDeclarationNumber);
    }
    xmlNode* im = N(f, "Importer");
    T(im, "ImporterCountry", d.importador.Country);
    T(im, "ImporterBusinessName", d.importador.BusinessName);
    T(im, "ImporterAddress", d.importador.Address);
    T(im, "ImporterCity", d.importador.City);
    T(N(f, "Transport"), "TransportPortOfLoading", d.TransportPortOfLoading);
    T(N(f, "Comments"), "GeneralComments", d.GeneralComments);
    xmlNode* de = N(f, "Declaration");
    T(de, "DeclarationDate", D(d.DeclarationDate));
    T(de, "Affidavit", d.Affidavit);
    const bool ok = Validate(doc, "cod_ver_4.1.1_exporter_unsigned.xsd");
    QByteArray out = ok ? Dump(doc, 1) : QByteArray();
    xmlFreeDoc(doc);
    return out;
  }

  bool VerifyDoc(xmlDoc* doc, xmlSecKeysMngrPtr mngr, bool trust) const {
    xmlNode* cod = xmlSecFindNode(xmlDocGetRootElement(doc), BAD_CAST "COD", nullptr);
    xmlAddID(nullptr, doc, BAD_CAST "COD", xmlHasProp(cod, BAD_CAST "id"));
    xmlNode* sig = xmlSecFindNode(xmlDocGetRootElement(doc), xmlSecNodeSignature, xmlSecDSigNs);
    xmlSecDSigCtxPtr v = xmlSecDSigCtxCreate(mngr);
    if (!trust) v->keyInfoReadCtx.flags |= XMLSEC_KEYINFO_FLAGS_X509DATA_DONT_VERIFY_CERTS;
    const bool ok = xmlSecDSigCtxVerify(v, sig) == 0 && v->status == xmlSecDSigStatusSucceeded;
    xmlSecDSigCtxDestroy(v);
    return ok;
  }

  xmlSecKeysMngrPtr Manager(const QString& ca) const {
    xmlSecKeysMngrPtr m = xmlSecKeysMngrCreate();
    xmlSecCryptoAppDefaultKeysMngrInit(m);
    if (!ca.isEmpty()) {
      xmlSecCryptoAppKeysMngrCertLoad(m, QFile::encodeName(ca).constData(), xmlSecKeyDataFormatPem,
                                      xmlSecKeyDataTypeTrusted);
    }
    return m;
  }

  QByteArray Sign(const QByteArray& request) const {
    xmlDoc* doc = Read(request);
    Validate(doc, "cod_ver_4.1.1_exporter_unsigned.xsd");
    xmlNode* cod = xmlSecFindNode(xmlDocGetRootElement(doc), BAD_CAST "COD", nullptr);
    xmlAddID(nullptr, doc, BAD_CAST "COD", xmlHasProp(cod, BAD_CAST "id"));
    xmlNode* sig = xmlSecTmplSignatureCreate(doc, xmlSecTransformExclC14NId,
                                             xmlSecTransformRsaSha256Id, nullptr);
    xmlAddNextSibling(cod, sig);
    xmlNode* ref = xmlSecTmplSignatureAddReference(sig, xmlSecTransformSha256Id, nullptr,
                                                   BAD_CAST "#COD", nullptr);
    xmlSecTmplReferenceAddTransform(ref, xmlSecTransformEnvelopedId);
    xmlSecTmplReferenceAddTransform(ref, xmlSecTransformExclC14NId);
    xmlSecTmplX509DataAddCertificate(
        xmlSecTmplKeyInfoAddX509Data(xmlSecTmplSignatureEnsureKeyInfo(sig, nullptr)));
    xmlSecDSigCtxPtr s = xmlSecDSigCtxCreate(nullptr);
    s->signKey = xmlSecCryptoAppKeyLoad(QFile::encodeName(p12).constData(),
                                        xmlSecKeyDataFormatPkcs12, kClave, nullptr, nullptr);
    xmlSecDSigCtxSign(s, sig);
    xmlSecDSigCtxDestroy(s);
    const QByteArray out = Dump(doc, 0);
    xmlFreeDoc(doc);
    // Read back, validated and verified, as the library does before it returns.
    xmlDoc* again = Read(out);
    Validate(again, "cod_ver_4.1.1_exporter_signed.xsd");
    xmlSecKeysMngrPtr m = Manager({});
    const bool ok = VerifyDoc(again, m, false);
    xmlSecKeysMngrDestroy(m);
    xmlFreeDoc(again);
    return ok ? out : QByteArray();
  }

  bool Verify(const QByteArray& signedDoc, const QString& ca) const {
    xmlDoc* doc = Read(signedDoc);
    const bool valid = Validate(doc, "cod_ver_4.1.1_exporter_signed.xsd");
    xmlSecKeysMngrPtr m = Manager(ca);
    const bool ok = valid && VerifyDoc(doc, m, true);
    xmlSecKeysMngrDestroy(m);
    xmlFreeDoc(doc);
    return ok;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const pruebas::Identidad ca = pruebas::Autoridad("Autoridad de banco");
  pruebas::GuardarP12(pruebas::Emitir(ca, "Exportadora de banco"), dir.path() + "/e.p12", kClave);
  pruebas::GuardarPem({ca}, dir.path() + "/ca.pem");
  const Documento doc = pruebas::Ejemplo(Formulario::A18, kItems);
  const Bare bare{pruebas::CarpetaEsquemas(), dir.path() + "/e.p12"};
  const Firmante firmante{Firmante::Origen::Archivo, bare.p12, {}};

  QByteArray ours, theirs;
  auto export_sign = [&] {
    ours = Firmar(Exportar(doc, bare.esquemas).xml, firmante, kClave, bare.esquemas).xml;
  };
  auto bare_export_sign = [&] { theirs = bare.Sign(bare.Export(doc)); };
  export_sign();  // warm the caches and the libraries' one-time set-up
  bare_export_sign();
  if (ours.isEmpty() || theirs.isEmpty()) {
    std::fprintf(stderr, "the signed document was not produced (ours %d, bare %d)\n",
                 int(ours.size()), int(theirs.size()));
    return 1;
  }
  auto [s1, s2] = Medians(export_sign, bare_export_sign);
  Report("export, validate, sign (file), 2000 goods", s1, s2, 0.5, 1.5);

  const Confianza confianza{dir.path() + "/ca.pem", {}};
  bool ok1 = true, ok2 = true;
  auto [v1, v2] = Medians([&] { ok1 = Verificar(ours, bare.esquemas, confianza).ok() && ok1; },
                          [&] { ok2 = bare.Verify(ours, confianza.autoridades) && ok2; });
  Report("verify, 2000 goods", v1, v2, 0.3, 1.5);
  if (!ok1 || !ok2) std::fprintf(stderr, "verification failed (ours %d, bare %d)\n", ok1, ok2);
  return ok1 && ok2 ? 0 : 1;
}
