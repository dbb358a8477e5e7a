// The signer's key: a PKCS#12 file read through OpenSSL, or a key that never leaves its token,
// reached through PKCS#11 (p11-kit). The token is driven directly rather than through
// OpenSSL's engine: its own return codes tell a wrong PIN from a locked or missing token, the
// PIN is tried exactly once, and nothing is left loaded in OpenSSL when the signature is done.
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>
#include <p11-kit/p11-kit.h>
#include <p11-kit/uri.h>

#include <QDir>
#include <QFile>

#include "cod/internos.h"

namespace ostrevan::cod::detalle {

Clave::~Clave() {
  if (cerrar) cerrar();
  X509_free(certificado);
  sk_X509_pop_free(cadena, X509_free);
}

QString Sujeto(const X509* certificado) {
  char cn[256] = {};
  X509_NAME* n = X509_get_subject_name(certificado);
  if (X509_NAME_get_text_by_NID(n, NID_commonName, cn, sizeof cn) > 0) return QString::fromUtf8(cn);
  char* linea = X509_NAME_oneline(n, nullptr, 0);
  QString s = QString::fromUtf8(linea);
  OPENSSL_free(linea);
  return s;
}

namespace {
bool Falla(std::vector<Hallazgo>& h, const char* codigo, const QString& texto) {
  h.push_back(Error(codigo, texto));
  return false;
}

bool ErrorPkcs12(int razon) {
  for (unsigned long e; (e = ERR_get_error()) != 0;) {
    if (ERR_GET_LIB(e) == ERR_LIB_PKCS12 && ERR_GET_REASON(e) == razon) {
      ERR_clear_error();
      return true;
    }
  }
  return false;
}
}  // namespace

std::unique_ptr<Clave> AbrirArchivo(const QString& ruta, const QByteArray& secreto,
                                    std::vector<Hallazgo>& h) {
  IniciarBibliotecas();
  const QString nativa = QDir::toNativeSeparators(ruta);
  if (ruta.trimmed().isEmpty()) {
    Falla(h, "cod.sin-archivo",
          "Escriba el archivo .p12 del certificado del firmante, o elija \"Token PKCS#11\" y "
          "escriba la URI de su clave.");
    return nullptr;
  }
  QFile archivo(ruta);
  if (!archivo.open(QIODevice::ReadOnly)) {
    Falla(h, "cod.archivo",
          QString("No se pudo leer el archivo del certificado «%1».").arg(nativa));
    return nullptr;
  }
  const QByteArray der = archivo.readAll();
  const auto* p = reinterpret_cast<const unsigned char*>(der.constData());
  PKCS12* p12 = d2i_PKCS12(nullptr, &p, der.size());
  if (!p12) {
    ERR_clear_error();
    Falla(h, "cod.archivo",
          QString("«%1» no es un certificado con su clave (PKCS#12, .p12 o .pfx).").arg(nativa));
    return nullptr;
  }
  // Files exported by Windows are still encrypted with RC2 or 3DES, which only OpenSSL's
  // legacy provider reads. It is loaded into a library context of our own, made this
  // thread's default just while the file is read, so the host's OpenSSL stays as it was.
  OSSL_LIB_CTX* lc = OSSL_LIB_CTX_new();
  OSSL_PROVIDER* base = OSSL_PROVIDER_load(lc, "default");
  OSSL_PROVIDER* legado = OSSL_PROVIDER_load(lc, "legacy");
  auto liberar = [lc, base, legado] {
    if (legado) OSSL_PROVIDER_unload(legado);
    if (base) OSSL_PROVIDER_unload(base);
    OSSL_LIB_CTX_free(lc);
  };
  OSSL_LIB_CTX* anterior = OSSL_LIB_CTX_set0_default(lc);
  EVP_PKEY* pkey = nullptr;
  X509* cert = nullptr;
  STACK_OF(X509)* ca = nullptr;
  const bool leido = PKCS12_parse(p12, secreto.constData(), &pkey, &cert, &ca) == 1;
  OSSL_LIB_CTX_set0_default(anterior);
  PKCS12_free(p12);
  if (!leido) {
    const bool clave = ErrorPkcs12(PKCS12_R_MAC_VERIFY_FAILURE);
    ERR_clear_error();
    liberar();
    Falla(h, clave ? "cod.contrasena" : "cod.archivo",
          clave ? QString("La contraseña del certificado «%1» no es correcta.").arg(nativa)
                : QString("No se pudo abrir el certificado «%1».").arg(nativa));
    return nullptr;
  }
  auto c = std::make_unique<Clave>();
  c->certificado = cert;
  c->cadena = ca;
  c->cerrar = [pkey, liberar] {
    EVP_PKEY_free(pkey);
    liberar();
  };
  if (!pkey || !cert) {
    Falla(
        h, !cert ? "cod.sin-certificado" : "cod.sin-clave",
        QString("«%1» no contiene %2.").arg(nativa, !cert ? "el certificado" : "la clave privada"));
    return nullptr;
  }
  if (!EVP_PKEY_is_a(pkey, "RSA") || X509_check_private_key(cert, pkey) != 1) {
    ERR_clear_error();
    Falla(h, "cod.clave-no-firma",
          QString("La clave de «%1» no sirve para firmar el COD (RSA con SHA-256).").arg(nativa));
    return nullptr;
  }
  c->firmar = [pkey, lc](const QByteArray& datos, std::vector<Hallazgo>& hs) {
    EVP_MD_CTX* md = EVP_MD_CTX_new();
    size_t n = 0;
    QByteArray firma;
    const auto* in = reinterpret_cast<const unsigned char*>(datos.constData());
    if (EVP_DigestSignInit_ex(md, nullptr, "SHA256", lc, nullptr, pkey, nullptr) == 1 &&
        EVP_DigestSign(md, nullptr, &n, in, datos.size()) == 1) {
      firma.resize(static_cast<int>(n));
      if (EVP_DigestSign(md, reinterpret_cast<unsigned char*>(firma.data()), &n, in,
                         datos.size()) == 1) {
        firma.resize(static_cast<int>(n));
      } else {
        firma.clear();
      }
    }
    EVP_MD_CTX_free(md);
    ERR_clear_error();
    if (firma.isEmpty())
      Falla(hs, "cod.clave-no-firma", "La clave del certificado no pudo firmar.");
    return firma;
  };
  return c;
}

// ---------------------------------------------------------------------------------------------
namespace {

// One open session on the token that holds the key; everything is released in reverse order.
struct SesionToken {
  CK_FUNCTION_LIST** registrados = nullptr;
  CK_FUNCTION_LIST* cargado = nullptr;
  CK_FUNCTION_LIST* f = nullptr;
  CK_SESSION_HANDLE sesion = 0;
  bool abierta = false, dentro = false;
  CK_OBJECT_HANDLE clave = 0;
  ~SesionToken() {
    if (dentro) f->C_Logout(sesion);
    if (abierta) f->C_CloseSession(sesion);
    if (cargado) {
      p11_kit_module_finalize(cargado);
      p11_kit_module_release(cargado);
    }
    if (registrados) p11_kit_modules_finalize_and_release(registrados);
  }
};

QString Relleno(const unsigned char* texto, size_t n) {
  return QString::fromUtf8(reinterpret_cast<const char*>(texto), static_cast<int>(n)).trimmed();
}

std::vector<CK_OBJECT_HANDLE> Buscar(SesionToken& t, std::vector<CK_ATTRIBUTE> plantilla) {
  std::vector<CK_OBJECT_HANDLE> r(4);
  CK_ULONG n = 0;
  if (t.f->C_FindObjectsInit(t.sesion, plantilla.data(), plantilla.size()) != CKR_OK) return {};
  t.f->C_FindObjects(t.sesion, r.data(), r.size(), &n);
  t.f->C_FindObjectsFinal(t.sesion);
  r.resize(n);
  return r;
}

QByteArray Atributo(SesionToken& t, CK_OBJECT_HANDLE o, CK_ATTRIBUTE_TYPE tipo) {
  CK_ATTRIBUTE a = {tipo, nullptr, 0};
  if (t.f->C_GetAttributeValue(t.sesion, o, &a, 1) != CKR_OK ||
      a.ulValueLen == CK_UNAVAILABLE_INFORMATION) {
    return {};
  }
  QByteArray v(static_cast<int>(a.ulValueLen), '\0');
  a.pValue = v.data();
  return t.f->C_GetAttributeValue(t.sesion, o, &a, 1) == CKR_OK ? v : QByteArray();
}

bool Ausente(CK_RV rv) {
  return rv == CKR_TOKEN_NOT_PRESENT || rv == CKR_DEVICE_REMOVED || rv == CKR_SLOT_ID_INVALID ||
         rv == CKR_TOKEN_NOT_RECOGNIZED || rv == CKR_DEVICE_ERROR;
}

// The PIN goes to the token once. A real token locks itself after a few wrong ones, so a
// failed login is reported and never retried.
bool Entrar(SesionToken& t, const QByteArray& pin, const QString& nombre,
            std::vector<Hallazgo>& h) {
  const CK_RV rv =
      t.f->C_Login(t.sesion, CKU_USER,
                   reinterpret_cast<CK_UTF8CHAR*>(const_cast<char*>(pin.constData())), pin.size());
  if (rv == CKR_OK || rv == CKR_USER_ALREADY_LOGGED_IN) {
    t.dentro = rv == CKR_OK;
    return true;
  }
  if (rv == CKR_PIN_INCORRECT || rv == CKR_PIN_LEN_RANGE || rv == CKR_PIN_INVALID) {
    return Falla(h, "cod.pin-incorrecto",
                 QString("El PIN del token «%1» no es correcto. No se volvió a intentar: el token "
                         "se bloquea después de varios intentos fallidos.")
                     .arg(nombre));
  }
  if (rv == CKR_PIN_LOCKED) {
    return Falla(h, "cod.token-bloqueado",
                 QString("El token «%1» está bloqueado por intentos fallidos; desbloquéelo con "
                         "la herramienta de su proveedor.")
                     .arg(nombre));
  }
  if (rv == CKR_PIN_EXPIRED) {
    return Falla(h, "cod.pin-vencido",
                 QString("El PIN del token «%1» venció; cámbielo con la herramienta de su "
                         "proveedor.")
                     .arg(nombre));
  }
  if (Ausente(rv)) {
    return Falla(h, "cod.token-ausente",
                 QString("Se desconectó el token «%1»; conéctelo e intente otra vez.").arg(nombre));
  }
  return Falla(
      h, "cod.token",
      QString("El token «%1» rechazó el ingreso (código 0x%2).").arg(nombre).arg(rv, 0, 16));
}

// The slot whose token the URI names, in the given module or in every registered one.
bool Conectar(SesionToken& t, P11KitUri* uri, const QString& modulo, QString& nombre,
              std::vector<Hallazgo>& h) {
  std::vector<CK_FUNCTION_LIST*> modulos;
  if (!modulo.isEmpty()) {
    t.cargado = p11_kit_module_load(QFile::encodeName(modulo).constData(), 0);
    if (!t.cargado || p11_kit_module_initialize(t.cargado) != CKR_OK) {
      if (t.cargado) p11_kit_module_release(t.cargado);
      t.cargado = nullptr;
      return Falla(h, "cod.modulo",
                   QString("No se pudo cargar la biblioteca del token «%1».")
                       .arg(QDir::toNativeSeparators(modulo)));
    }
    modulos.push_back(t.cargado);
  } else {
    t.registrados = p11_kit_modules_load_and_initialize(0);
    for (CK_FUNCTION_LIST** m = t.registrados; m && *m; ++m) modulos.push_back(*m);
  }
  for (CK_FUNCTION_LIST* f : modulos) {
    CK_ULONG n = 0;
    if (f->C_GetSlotList(CK_TRUE, nullptr, &n) != CKR_OK || n == 0) continue;
    std::vector<CK_SLOT_ID> ranuras(n);
    if (f->C_GetSlotList(CK_TRUE, ranuras.data(), &n) != CKR_OK) continue;
    for (CK_ULONG i = 0; i < n; ++i) {
      CK_TOKEN_INFO info;
      if (f->C_GetTokenInfo(ranuras[i], &info) != CKR_OK) continue;
      if (!p11_kit_uri_match_token_info(uri, &info)) continue;
      t.f = f;
      nombre = Relleno(info.label, sizeof info.label);
      if (info.flags & CKF_USER_PIN_LOCKED) {
        return Falla(h, "cod.token-bloqueado",
                     QString("El token «%1» está bloqueado por intentos fallidos; desbloquéelo "
                             "con la herramienta de su proveedor.")
                         .arg(nombre));
      }
      const CK_RV rv =
          f->C_OpenSession(ranuras[i], CKF_SERIAL_SESSION, nullptr, nullptr, &t.sesion);
      if (rv != CKR_OK) {
        return Falla(
            h, Ausente(rv) ? "cod.token-ausente" : "cod.token",
            QString("No se pudo abrir el token «%1» (código 0x%2).").arg(nombre).arg(rv, 0, 16));
      }
      t.abierta = true;
      return true;
    }
  }
  return Falla(h, "cod.token-ausente",
               nombre.isEmpty() ? QString("No se encontró el token: conéctelo e intente otra vez.")
                                : QString("No se encontró el token «%1»: conéctelo e intente otra "
                                          "vez.")
                                      .arg(nombre));
}

}  // namespace

std::unique_ptr<Clave> AbrirToken(const QString& textoUri, const QString& modulo,
                                  const QByteArray& secreto, std::vector<Hallazgo>& h) {
  IniciarBibliotecas();
  std::unique_ptr<P11KitUri, void (*)(P11KitUri*)> uri(p11_kit_uri_new(), p11_kit_uri_free);
  if (p11_kit_uri_parse(textoUri.toUtf8().constData(), P11_KIT_URI_FOR_OBJECT_ON_TOKEN,
                        uri.get()) != P11_KIT_URI_OK) {
    Falla(h, "cod.token-uri", "La dirección del token no es un URI PKCS#11 válido (pkcs11:…).");
    return nullptr;
  }
  if (p11_kit_uri_get_pin_value(uri.get()) || p11_kit_uri_get_pin_source(uri.get())) {
    Falla(h, "cod.token-uri",
          "La dirección del token no debe llevar el PIN: se pide aparte y no se guarda.");
    return nullptr;
  }
  QString nombre = Relleno(p11_kit_uri_get_token_info(uri.get())->label, 32);
  auto t = std::make_shared<SesionToken>();
  if (!Conectar(*t, uri.get(), modulo, nombre, h) || !Entrar(*t, secreto, nombre, h))
    return nullptr;

  // The key is found by the URI's object label and id; its certificate shares its id.
  CK_OBJECT_CLASS privada = CKO_PRIVATE_KEY, certificado = CKO_CERTIFICATE;
  std::vector<CK_ATTRIBUTE> plantilla = {{CKA_CLASS, &privada, sizeof privada}};
  CK_ULONG n = 0;
  CK_ATTRIBUTE* attrs = p11_kit_uri_get_attributes(uri.get(), &n);
  for (CK_ULONG i = 0; i < n; ++i) {
    if (attrs[i].type == CKA_LABEL || attrs[i].type == CKA_ID) plantilla.push_back(attrs[i]);
  }
  const std::vector<CK_OBJECT_HANDLE> claves = Buscar(*t, plantilla);
  if (claves.size() != 1) {
    Falla(h, claves.empty() ? "cod.sin-clave" : "cod.token-uri",
          claves.empty() ? QString("El token «%1» no tiene la clave indicada.").arg(nombre)
                         : QString("El token «%1» tiene más de una clave: indique cuál con "
                                   "object= o id= en la dirección.")
                               .arg(nombre));
    return nullptr;
  }
  t->clave = claves[0];
  const QByteArray puedeFirmar = Atributo(*t, t->clave, CKA_SIGN);
  if (puedeFirmar.size() == 1 && puedeFirmar[0] == 0) {
    Falla(h, "cod.clave-no-firma",
          QString("La clave del token «%1» no permite firmar.").arg(nombre));
    return nullptr;
  }
  QByteArray id = Atributo(*t, t->clave, CKA_ID);
  const std::vector<CK_OBJECT_HANDLE> certs =
      Buscar(*t, {{CKA_CLASS, &certificado, sizeof certificado},
                  {CKA_ID, id.data(), static_cast<CK_ULONG>(id.size())}});
  const QByteArray der = certs.empty() ? QByteArray() : Atributo(*t, certs[0], CKA_VALUE);
  const auto* p = reinterpret_cast<const unsigned char*>(der.constData());
  X509* x = der.isEmpty() ? nullptr : d2i_X509(nullptr, &p, der.size());
  if (!x) {
    Falla(h, "cod.sin-certificado",
          QString("El token «%1» no tiene el certificado de la clave.").arg(nombre));
    return nullptr;
  }
  auto c = std::make_unique<Clave>();
  c->certificado = x;
  c->cerrar = [t]() mutable { t.reset(); };
  c->firmar = [t, nombre](const QByteArray& datos, std::vector<Hallazgo>& hs) {
    CK_MECHANISM mec = {CKM_SHA256_RSA_PKCS, nullptr, 0};
    auto* in = reinterpret_cast<CK_BYTE*>(const_cast<char*>(datos.constData()));
    CK_ULONG largo = 0;
    CK_RV rv = t->f->C_SignInit(t->sesion, &mec, t->clave);
    if (rv == CKR_OK) rv = t->f->C_Sign(t->sesion, in, datos.size(), nullptr, &largo);
    QByteArray firma(static_cast<int>(largo), '\0');
    if (rv == CKR_OK) {
      rv = t->f->C_Sign(t->sesion, in, datos.size(), reinterpret_cast<CK_BYTE*>(firma.data()),
                        &largo);
    }
    if (rv == CKR_OK) {
      firma.resize(static_cast<int>(largo));
      return firma;
    }
    const bool noFirma = rv == CKR_KEY_FUNCTION_NOT_PERMITTED || rv == CKR_KEY_TYPE_INCONSISTENT ||
                         rv == CKR_MECHANISM_INVALID;
    Falla(hs,
          noFirma       ? "cod.clave-no-firma"
          : Ausente(rv) ? "cod.token-ausente"
                        : "cod.token",
          noFirma
              ? QString("La clave del token «%1» no puede firmar con RSA y SHA-256.").arg(nombre)
              : QString("El token «%1» no pudo firmar (código 0x%2).").arg(nombre).arg(rv, 0, 16));
    return QByteArray();
  };
  return c;
}

}  // namespace ostrevan::cod::detalle
