// The digital certificate of origin end to end: export, signature with a file and a token,
// the chamber's issued COD, and the documents and signers a verifier must turn away.
#include "cod/cod.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <set>

#include "cod/internos.h"
#include "support/cod/pki.h"

using namespace ostrevan::cod;
using namespace ostrevan::cod::pruebas;

namespace {

const char* kPin = "246810";
const char* kClave = "clave-de-prueba";
constexpr auto kArchivo = Firmante::Origen::Archivo;
constexpr auto kToken = Firmante::Origen::Token;

bool Tiene(const std::vector<Hallazgo>& hs, const QString& codigo) {
  return std::any_of(hs.begin(), hs.end(), [&](const Hallazgo& h) { return h.codigo == codigo; });
}

std::string Lista(const std::vector<Hallazgo>& hs) {
  std::string s;
  for (const Hallazgo& h : hs) s += QString(h.codigo + ": " + h.texto + "\n").toStdString();
  return s;
}

class Cod : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    const QString d = dir_->path();
    ca_ = Autoridad("Autoridad de prueba");
    const Identidad ajena = Autoridad("Autoridad ajena");
    exportador_ = Emitir(ca_, "Exportadora de prueba");
    GuardarPem({ca_}, d + "/ca.pem");
    GuardarP12(exportador_, d + "/exportador.p12", kClave);
    GuardarP12(exportador_, d + "/legado.p12", kClave, true);
    GuardarP12(Emitir(ca_, "Exportadora vencida", -400, -30), d + "/vencido.p12", kClave);
    GuardarP12(Emitir(ajena, "Exportadora ajena"), d + "/ajeno.p12", kClave);
    GuardarP12(Emitir(ca_, "Funcionario habilitado"), d + "/oficial.p12", kClave);
    uri_ = PrepararToken(d + "/token", exportador_, kPin, errorToken_);
  }
  static void TearDownTestSuite() { delete dir_; }

  static QString Ruta(const char* nombre) { return dir_->path() + "/" + nombre; }
  static Confianza DeConfianza() { return {Ruta("ca.pem"), {}}; }
  static QByteArray Etapa1(Formulario f = Formulario::A18) {
    return Exportar(Ejemplo(f), CarpetaEsquemas()).xml;
  }
  static QByteArray FirmadoCon(const char* p12, Formulario f = Formulario::A18) {
    return Firmar(Etapa1(f), {kArchivo, Ruta(p12), {}}, kClave, CarpetaEsquemas()).xml;
  }
  // A signature made past Firmar's own checks, as another program could make it.
  static QByteArray FirmadoSinControles(const char* p12) {
    std::vector<Hallazgo> h;
    detalle::Doc doc = detalle::Leer(Etapa1(), h);
    auto clave = detalle::AbrirArchivo(Ruta(p12), kClave, h);
    detalle::FirmarElemento(doc.get(), detalle::Ubicar(doc.get()).cod, "COD", *clave, h);
    return detalle::Serializar(doc.get(), false);
  }

  static inline QTemporaryDir* dir_ = nullptr;
  static inline Identidad ca_, exportador_;
  static inline QString uri_, errorToken_;
};

TEST_F(Cod, CadaFormularioExportaUnaSolicitudQueCumpleElEsquema) {
  for (Formulario f : {Formulario::A18, Formulario::A35, Formulario::A36, Formulario::R252}) {
    SCOPED_TRACE(static_cast<int>(f));
    const Resultado r = Exportar(Ejemplo(f), CarpetaEsquemas());
    ASSERT_TRUE(r.ok()) << Lista(r.hallazgos);
    EXPECT_EQ(ErroresDeEsquema(r.xml, "cod_ver_4.1.1_exporter_unsigned.xsd"), "");
    EXPECT_TRUE(r.xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));  // no BOM
    EXPECT_EQ(TextoDe(r.xml, "CODVer"), "4.1.1");
    EXPECT_TRUE(r.xml.contains("&lt;acero &amp; vidrio&gt;"));
    EXPECT_TRUE(r.xml.contains(f == Formulario::R252 ? ">13.5<" : ">1500.25<"));
  }
}

TEST_F(Cod, LoQueFaltaSeNombraPorSuCampoYSuMercaderiaYSinEsquemasLaCarpeta) {
  struct Caso {
    const char* nombre;
    Formulario f;
    std::function<void(Documento&)> cambio;
    const char* campo;
    long item;
  } casos[] = {
      {"código arancelario", Formulario::A18,
       [](Documento& d) { d.mercaderias[1].GoodsItemCode = "87"; }, "GoodsItemCode", 2},
      {"declaración de exportación", Formulario::A18,
       [](Documento& d) { d.mercaderias[2].GoodsDeclarationNumber.clear(); },
       "GoodsDeclarationNumber", 3},
      {"número de factura", Formulario::A35, [](Documento& d) { d.facturas[0].InvoiceNo.clear(); },
       "InvoiceNo", 0},
      {"valor FOB", Formulario::A36, [](Documento& d) { d.mercaderias[0].GoodsItemValue = 0; },
       "GoodsItemFOB", 1},
      {"país del importador", Formulario::R252, [](Documento& d) { d.importador.Country = "XX"; },
       "ImporterCountry", 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Documento d = Ejemplo(c.f);
    c.cambio(d);
    const Resultado r = Exportar(d, CarpetaEsquemas());
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.xml.isEmpty());
    ASSERT_FALSE(r.hallazgos.empty());
    EXPECT_EQ(r.hallazgos[0].donde.campo, c.campo) << Lista(r.hallazgos);
    EXPECT_EQ(r.hallazgos[0].donde.item, c.item);
    EXPECT_TRUE(r.hallazgos[0].texto.contains(r.hallazgos[0].donde.rotulo));
    EXPECT_FALSE(r.hallazgos[0].texto.contains("Element '"));  // libxml2's words stay out
  }
  // Without the schemas the one finding names the folder.
  QTemporaryDir vacia;
  for (const QString& carpeta : {QString("/no/existe/Cfg/COD"), vacia.path()}) {
    const Resultado r = Exportar(Ejemplo(Formulario::A18), carpeta);
    ASSERT_EQ(r.hallazgos.size(), 1u);
    EXPECT_EQ(r.hallazgos[0].codigo, "cod.esquemas");
    EXPECT_TRUE(r.hallazgos[0].texto.contains(carpeta));
  }
}

TEST_F(Cod, FirmadoConArchivoOTokenCumpleElEsquemaYVerifica) {
  ASSERT_FALSE(uri_.isEmpty()) << errorToken_.toStdString();
  struct Caso {
    const char* nombre;
    Firmante firmante;
    const char* secreto;
  } casos[] = {
      {"PKCS#12", {kArchivo, Ruta("exportador.p12"), {}}, kClave},
      {"PKCS#12 de Windows (RC2, 3DES)", {kArchivo, Ruta("legado.p12"), {}}, kClave},
      {"token", {kToken, uri_, kModuloSoftHsm}, kPin},
  };
  const QByteArray etapa1 = Etapa1();
  std::set<QString> valores;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const Resultado r = Firmar(etapa1, c.firmante, c.secreto, CarpetaEsquemas());
    ASSERT_TRUE(r.ok()) << Lista(r.hallazgos);
    EXPECT_EQ(ErroresDeEsquema(r.xml, "cod_ver_4.1.1_exporter_signed.xsd"), "");
    EXPECT_TRUE(r.xml.contains("</COD><Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">"));
    const Verificacion v = Verificar(r.xml, CarpetaEsquemas(), DeConfianza());
    EXPECT_TRUE(v.ok()) << Lista(v.hallazgos);
    EXPECT_EQ(v.etapa, Etapa::Firmada);
    ASSERT_EQ(v.firmas.size(), 1u);
    EXPECT_EQ(v.firmas[0].firmante, "Exportadora de prueba");
    valores.insert(TextoDe(r.xml, "SignatureValue"));
  }
  EXPECT_EQ(valores.size(), 1u);  // the same key signs the same bytes, file or token
}

TEST_F(Cod, LaEmisionDeLaCamaraVerificaAmbasFirmasYSeAdjunta) {
  const QByteArray firmado = FirmadoCon("exportador.p12");
  const QDateTime emitidoEl = QDateTime::currentDateTimeUtc().addSecs(60);
  const QByteArray emitido = EmitirComoCamara(firmado, Ruta("oficial.p12"), kClave, emitidoEl);
  ASSERT_FALSE(emitido.isEmpty());
  EXPECT_EQ(ErroresDeEsquema(emitido, "cod_ver_4.1.1.xsd"), "");
  const Verificacion v = Verificar(emitido, CarpetaEsquemas(), DeConfianza());
  EXPECT_TRUE(v.ok()) << Lista(v.hallazgos);
  EXPECT_EQ(v.etapa, Etapa::Emitida);
  ASSERT_EQ(v.firmas.size(), 2u);
  EXPECT_EQ(v.firmas[1].firmante, "Funcionario habilitado");

  const Emision e = Adjuntar(emitido, firmado, CarpetaEsquemas(), DeConfianza());
  EXPECT_TRUE(e.ok()) << Lista(e.verificacion.hallazgos);
  EXPECT_EQ(e.CertificateDate.toSecsSinceEpoch(), emitidoEl.toSecsSinceEpoch());

  // The chamber's COD must be the one the broker signed, not another of the broker's.
  const Emision otra = Adjuntar(emitido, FirmadoCon("exportador.p12", Formulario::A35),
                                CarpetaEsquemas(), DeConfianza());
  EXPECT_TRUE(Tiene(otra.verificacion.hallazgos, "cod.distinto"));
  EXPECT_TRUE(
      Tiene(Adjuntar(firmado, firmado, CarpetaEsquemas(), DeConfianza()).verificacion.hallazgos,
            "cod.no-emitido"));
}

TEST_F(Cod, UnDocumentoOFirmanteIndebidoSeRechazaConSuPropioHallazgo) {
  const QByteArray firmado = FirmadoCon("exportador.p12");
  const int ini = firmado.indexOf("<COD id=\"COD\">");
  const QByteArray cod = firmado.mid(ini, firmado.indexOf("</COD>") + 6 - ini);
  QByteArray falso = cod;
  falso.replace("modelo 1<", "modelo 9<");
  QTemporaryDir crl;
  GuardarCrl(ca_, exportador_, QDateTime::currentDateTimeUtc().addDays(-1),
             crl.path() + "/crl.pem");
  struct Caso {
    const char* nombre;
    QByteArray xml;
    const char* codigo;
    Confianza confianza = DeConfianza();
  } casos[] = {
      {"un carácter cambiado dentro del COD", QByteArray(firmado).replace("modelo 1<", "modelo 9<"),
       "cod.firma-modificado"},
      {"un segundo elemento con id COD",
       QByteArray(firmado).replace("<ns1:CertOrigin>",
                                   "<ns1:Header><x:Nota xmlns:x=\"urn:x\" id=\"COD\"/>"
                                   "</ns1:Header><ns1:CertOrigin>"),
       "cod.id-duplicado"},
      {"el COD firmado sacado de CODExporter y otro en su lugar",
       QByteArray(firmado)
           .replace(cod, falso)
           .replace("<ns1:CertOrigin>", QByteArray("<ns1:Header><x:w xmlns:x=\"urn:x\">" + cod +
                                                   "</x:w></ns1:Header><ns1:CertOrigin>")),
       "cod.fuera-de-lugar"},
      {"un firmante con el certificado vencido", FirmadoSinControles("vencido.p12"),
       "cod.cert-vencido"},
      {"un firmante de una autoridad ajena", FirmadoCon("ajeno.p12"), "cod.cert-no-confiable"},
      {"un firmante revocado antes de firmar",
       firmado,
       "cod.cert-revocado",
       {Ruta("ca.pem"), crl.path() + "/crl.pem"}},
      {"una DTD que declara los id",
       "<!DOCTYPE x [<!ATTLIST COD id ID #IMPLIED>]>\n" + firmado.mid(firmado.indexOf("<ns1:")),
       "cod.dtd"},
      {"una clave RSA suelta en lugar del certificado",
       QByteArray(firmado).replace(
           QRegularExpression("(?s)<X509Data>.*</X509Data>").match(firmado).captured(0).toUtf8(),
           "<KeyValue><RSAKeyValue><Modulus>AQAB</Modulus><Exponent>AQAB</Exponent>"
           "</RSAKeyValue></KeyValue>"),
       "cod.firma-clave"},
  };
  std::set<QString> codigos;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const Verificacion v = Verificar(c.xml, CarpetaEsquemas(), c.confianza);
    EXPECT_FALSE(v.ok());
    EXPECT_TRUE(Tiene(v.hallazgos, c.codigo)) << Lista(v.hallazgos);
    codigos.insert(c.codigo);
  }
  EXPECT_EQ(codigos.size(), std::size(casos));
  EXPECT_TRUE(Verificar(firmado, CarpetaEsquemas(), DeConfianza()).ok());  // the original still is
}

TEST_F(Cod, UnFirmanteQueNoPuedeFirmarLoDiceSinMostrarElSecreto) {
  ASSERT_FALSE(uri_.isEmpty()) << errorToken_.toStdString();
  struct Caso {
    const char* nombre;
    Firmante::Origen origen;
    QString ruta, modulo;
    QByteArray secreto;
    const char* codigo;
  } casos[] = {
      {"PIN equivocado", kToken, uri_, kModuloSoftHsm, "975319", "cod.pin-incorrecto"},
      {"token ausente", kToken, "pkcs11:token=otro;object=firma", kModuloSoftHsm, kPin,
       "cod.token-ausente"},
      {"PIN escrito en la dirección", kToken, uri_ + ";pin-value=" + kPin, kModuloSoftHsm, kPin,
       "cod.token-uri"},
      {"biblioteca del token inexistente", kToken, uri_, "/no/existe/pkcs11.so", kPin,
       "cod.modulo"},
      {"contraseña del archivo equivocada", kArchivo, Ruta("exportador.p12"), "", "otra-clave-xyz",
       "cod.contrasena"},
      {"certificado vencido", kArchivo, Ruta("vencido.p12"), "", kClave, "cod.cert-vencido"},
      {"archivo sin nombre", kArchivo, "", "", kClave, "cod.sin-archivo"},
  };
  const QByteArray etapa1 = Etapa1();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    // Everything the process writes meanwhile, OpenSSL's and the token's words included.
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const Resultado r = Firmar(etapa1, {c.origen, c.ruta, c.modulo}, c.secreto, CarpetaEsquemas());
    const QByteArray salida = QByteArray::fromStdString(::testing::internal::GetCapturedStdout() +
                                                        ::testing::internal::GetCapturedStderr());
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(Tiene(r.hallazgos, c.codigo)) << Lista(r.hallazgos);
    EXPECT_FALSE(salida.contains(c.secreto)) << salida.constData();
    EXPECT_FALSE(QByteArray::fromStdString(Lista(r.hallazgos)).contains(c.secreto));
  }
  // The wrong PIN was tried once and the right one still opens the token.
  EXPECT_TRUE(Firmar(etapa1, {kToken, uri_, kModuloSoftHsm}, kPin, CarpetaEsquemas()).ok());
}

}  // namespace
