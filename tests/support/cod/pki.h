#pragma once
// Throwaway certification authorities, signers, tokens and a test "chamber" for the COD tests
// and benchmark: everything is made at run time in a temporary folder, no key is committed.
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "cod/cod.h"

namespace ostrevan::cod::pruebas {

// The folder with ALADI's schemas beside the checkout, as CI lays it out.
QString CarpetaEsquemas();

struct Identidad {
  std::shared_ptr<EVP_PKEY> clave;
  std::shared_ptr<X509> cert;
};

// A self-signed authority, and a certificate it issues valid from `desde` to `hasta` days
// from now (negative: in the past).
Identidad Autoridad(const char* cn);
Identidad Emitir(const Identidad& ca, const char* cn, int desde = -1, int hasta = 365);

void GuardarPem(const std::vector<Identidad>& certs, const QString& ruta);
// PKCS#12 with AES, or with RC2/3DES as Windows exports them (`legado`).
void GuardarP12(const Identidad& id, const QString& ruta, const char* contrasena,
                bool legado = false);
// A revocation list by `ca` revoking `revocado` since `desde`.
void GuardarCrl(const Identidad& ca, const Identidad& revocado, const QDateTime& desde,
                const QString& ruta);

// A SoftHSM2 token in `carpeta` holding `id`'s key and certificate; its URI, or empty with
// `error` set. SOFTHSM2_CONF is pointed at the folder for this process.
QString PrepararToken(const QString& carpeta, const Identidad& id, const char* pin, QString& error);
inline constexpr const char* kModuloSoftHsm = "/usr/lib/softhsm/libsofthsm2.so";

// The chamber's part (stage 4): EH and CertificationEH added to the exporter's document and
// the officer's signature over #CODEH, made with xmlsec directly (inclusive canonical form)
// so that the library's verification is checked against another signer.
QByteArray EmitirComoCamara(const QByteArray& firmado, const QString& p12, const char* contrasena,
                            const QDateTime& fecha);

// A complete document of each form type with `items` goods lines.
Documento Ejemplo(Formulario f, int items = 3);

// What xmllint, not the library under test, finds wrong in a document (or in the file
// `archivo`) against ALADI's schema `esquema`: empty when it validates.
std::string ErroresDeEsquema(const QString& archivo, const char* esquema);
std::string ErroresDeEsquema(const QByteArray& xml, const char* esquema);

// An element's text in a document, for assertions.
QString TextoDe(const QByteArray& xml, const char* elemento);

}  // namespace ostrevan::cod::pruebas
