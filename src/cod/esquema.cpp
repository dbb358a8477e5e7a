// Validation against ALADI's schema of the document's version and stage, from the folder the
// installation keeps; each violation is told by its field and goods line.
#include <libxml/xmlschemas.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <set>

#include "cod/internos.h"

namespace ostrevan::cod::detalle {
namespace {

// libxml2 reuses the error it hands over: keep its node and a copy of its message.
struct ErrorEsquema {
  const xmlNode* nodo;
  QString mensaje;
};
using Errores = std::vector<ErrorEsquema>;

void Recoger(void* datos, xmlError* e) {
  auto* r = static_cast<Errores*>(datos);
  if (r->size() >= 200) return;  // a broken document need not list every line
  r->push_back({static_cast<const xmlNode*>(e->node),
                QString::fromUtf8(e->message ? e->message : "").trimmed()});
}

QString Capturado(const QString& mensaje, const char* patron) {
  const QRegularExpressionMatch m = QRegularExpression(patron).match(mensaje);
  return m.hasMatch() ? m.captured(1) : QString();
}

// One schema error in the broker's words.
Hallazgo Traducir(const xmlNode* nodo, const QString& msg) {
  Donde donde = DondeDe(nodo);
  QString texto;
  const QString falta =
      Capturado(msg, R"(Missing child element\(s\)\. Expected is(?: one of)? \( ([A-Za-z0-9]+))");
  if (!falta.isEmpty()) {
    donde.campo = falta;
    donde.rotulo = Rotulo(falta);
    texto = QString("Falta «%1».").arg(donde.rotulo);
  } else if (msg.contains("This element is not expected")) {
    texto = QString("«%1» no corresponde en ese lugar del COD.").arg(donde.rotulo);
  } else if (msg.contains("[facet") || msg.contains("is not a valid value")) {
    const QString valor = Texto(nodo).trimmed();
    const QString maximo = Capturado(msg, R"(allowed maximum length of '(\d+)')");
    if (valor.isEmpty()) {
      texto = QString("Falta completar «%1».").arg(donde.rotulo);
    } else if (!maximo.isEmpty()) {
      texto =
          QString("«%1» es demasiado largo: admite hasta %2 caracteres.").arg(donde.rotulo, maximo);
    } else {
      texto = QString("«%1» no es un valor válido para «%2».").arg(valor, donde.rotulo);
    }
  } else {
    texto = QString("«%1» no cumple el esquema del COD: %2").arg(donde.rotulo, msg);
  }
  if (donde.item > 0) texto += QString(" (mercadería %1)").arg(donde.item);
  return Error("cod.esquema", texto, donde);
}

QString Sufijo(Etapa etapa) {
  switch (etapa) {
    case Etapa::Solicitud:
      return "_exporter_unsigned";
    case Etapa::Firmada:
      return "_exporter_signed";
    case Etapa::Emitida:
      break;
  }
  return {};
}

}  // namespace

bool ValidarEsquema(xmlDoc* doc, const QString& carpeta, const QString& version, Etapa etapa,
                    std::vector<Hallazgo>& hallazgos) {
  static const QRegularExpression formaVersion(R"(^\d{1,3}\.\d{1,3}\.\d{1,3}$)");
  if (!formaVersion.match(version).hasMatch()) {
    hallazgos.push_back(Error(
        "cod.version",
        QString("El documento no indica una versión de COD válida («%1»).").arg(version.left(20)),
        DondeCampo("CODVer")));
    return false;
  }
  if (carpeta.isEmpty() || !QFileInfo(carpeta).isDir()) {
    hallazgos.push_back(
        Error("cod.esquemas", QString("No se encuentra la carpeta de los esquemas del COD «%1»: "
                                      "copie allí los esquemas publicados por ALADI.")
                                  .arg(QDir::toNativeSeparators(carpeta))));
    return false;
  }
  const QString nombre = "cod_ver_" + version + Sufijo(etapa) + ".xsd";
  const QString ruta = QDir(carpeta).filePath(nombre);
  if (!QFileInfo::exists(ruta)) {
    hallazgos.push_back(
        Error("cod.esquemas", QString("Falta el esquema «%1» en la carpeta «%2»: copie allí los "
                                      "esquemas publicados por ALADI para la versión %3.")
                                  .arg(nombre, QDir::toNativeSeparators(carpeta), version)));
    return false;
  }
  Errores errores;
  xmlSchemaParserCtxt* pc = xmlSchemaNewParserCtxt(QFile::encodeName(ruta).constData());
  xmlSchemaSetParserStructuredErrors(pc, Recoger, &errores);
  xmlSchema* esquema = xmlSchemaParse(pc);
  xmlSchemaFreeParserCtxt(pc);
  if (!esquema) {
    hallazgos.push_back(Error("cod.esquemas", QString("No se pudo leer el esquema «%1»: %2")
                                                  .arg(QDir::toNativeSeparators(ruta),
                                                       errores.empty() ? "" : errores[0].mensaje)));
    return false;
  }
  errores = {};
  xmlSchemaValidCtxt* vc = xmlSchemaNewValidCtxt(esquema);
  xmlSchemaSetValidStructuredErrors(vc, Recoger, &errores);
  const int r = xmlSchemaValidateDoc(vc, doc);
  xmlSchemaFreeValidCtxt(vc);
  xmlSchemaFree(esquema);
  // libxml2 reports a bad value twice (the facet, then the type): one finding per element.
  std::set<const xmlNode*> vistos;
  for (const ErrorEsquema& e : errores) {
    const bool falta = e.mensaje.contains("Missing child");
    if (!falta && e.nodo && !vistos.insert(e.nodo).second) continue;
    hallazgos.push_back(Traducir(e.nodo, e.mensaje));
  }
  if (r != 0 && errores.empty()) {
    hallazgos.push_back(Error("cod.esquema", "El documento no cumple el esquema del COD."));
  }
  return r == 0;
}

}  // namespace ostrevan::cod::detalle
