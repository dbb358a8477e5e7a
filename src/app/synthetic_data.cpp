#include "app/synthetic_data.h"

#include <QDate>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/demo_common.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan::demo {
namespace {

const char* kDemoCuit = "30-71234567-8";

// Tariff position k of a synthetic operation, unique for k below 90000.
QString SyntheticCode(int k) {
  const int n = 84010000 + k * 10;
  return QString("%1.%2.%3")
      .arg(n / 10000)
      .arg((n / 100) % 100, 2, 10, QChar('0'))
      .arg(n % 100, 2, 10, QChar('0'));
}

QString Num(double v) { return QString::number(v, 'f', 2); }

void AddMissingWordings(const std::vector<QString>& codes) {
  InTransaction("CATALOGOS", [&] {
    for (const QString& code : codes) {
      for (const char* table : {"NCMCEO", "NaladisaCEO"}) {
        const QString t = QString::fromLatin1(table);
        const QString key = t == "NCMCEO" ? "NCM" : "Naladisa";
        Recordset rs;
        if (Query("CATALOGOS",
                  "Select " + key + " From " + t + " Where " + key + " = " + Quoted(code), rs)) {
          continue;
        }
        Execute("CATALOGOS", "INSERT INTO " + t + " (" + key + ", Descripcion) VALUES (" +
                                 Quoted(code) + ", " + Quoted("Posicion de prueba " + code) + ")");
      }
    }
  });
}

}  // namespace

void AddHostOperation(const QString& interno, int items, int distinctCodes) {
  if (interno.trimmed().isEmpty()) {
    throw Failure("Falta el numero de la operacion", kInvalidArgument);
  }
  if (items < 0 || (items > 0 && (distinctCodes < 1 || distinctCodes > 90000))) {
    throw Failure(QString("Cantidades invalidas para la operacion %1: %2 items en %3 posiciones")
                      .arg(interno)
                      .arg(items)
                      .arg(distinctCodes),
                  kInvalidArgument);
  }
  HostRole host;
  Recordset rs;
  if (Query("INTERNOS", "Select Interno From Caratula Where Interno = " + Quoted(interno), rs)) {
    throw Failure("La operacion " + interno + " ya existe en el sistema", kInvalidArgument);
  }
  const int codes = std::min(items, std::max(distinctCodes, 1));
  std::vector<QString> used;
  for (int k = 0; k < codes; ++k) used.push_back(SyntheticCode(k));

  const QString cols =
      " (Interno, Ncm, Naladisa, Cantidad, idarticulo, idcatalogo, Descripcion, IdUnidad, Fob)";
  static const int kUnits[] = {1, 2, 10};  // KG, UN and the unmapped JGO of the demo
  InTransaction("INTERNOS", [&] {
    Execute("INTERNOS",
            "INSERT INTO Caratula (Interno, Cuitcliente, fobdivcambio, IdPaisDestino) VALUES (" +
                Quoted(interno) + ", " + Quoted(kDemoCuit) + ", 1, 203)");
    for (int i = 0; i < items; ++i) {
      const QString code = used[static_cast<size_t>(i % codes)];
      const QString article = QString("%1-%2").arg(interno).arg(i + 1, 5, 10, QChar('0'));
      QString description =
          QString("Articulo de prueba %1 de la operacion %2").arg(i + 1).arg(interno);
      // Every fourth article has a second line, as real catalogues do.
      if (i % 4 == 3) {
        description += QString("\r\nPresentacion: caja por %1 unidades").arg(i % 12 + 1);
      }
      Execute("INTERNOS",
              "INSERT INTO catarticulos (idcatalogo, idarticulo, descripcion, NCM, "
              "Naladisa) VALUES ('SINT', " +
                  Quoted(article) + ", " + Quoted(description) + ", " + Quoted(code) + ", " +
                  Quoted(code) + ")");
      const double quantity = 1 + i % 17;
      const QString values = " VALUES (" + Quoted(interno) + ", " + Quoted(code + ".000A") + ", " +
                             Quoted(code) + ", " + Num(quantity) + ", " + Quoted(article) +
                             ", 'SINT', " + Quoted(description.section("\r\n", 0, 0).toUpper()) +
                             ", " + QString::number(kUnits[i % 3]) + ", " +
                             Num(quantity * (1.5 + i % 7)) + ")";
      Execute("INTERNOS", "INSERT INTO SubItems" + cols + values);
      Execute("INTERNOS", "INSERT INTO groupSubItems" + cols + values);
    }
  });
  AddMissingWordings(used);
}

void AddCertificates(int count) {
  if (count <= 0) return;
  int last = 0;
  Recordset rs;
  if (Query("OSTREVAN", "Select IdCeo From CeoMercosur Where IdCeo like 'BM-%'", rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      last = std::max(last, rs.Fields("IdCeo").Value.toString().mid(3).toInt());
    }
  }
  std::vector<std::pair<QString, QString>> forms;  // id, name shown
  if (Query("CEOCFG", "Select IdFormulario, Formulario From CeoFormularios Order by IdFormulario",
            rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      forms.emplace_back(rs.Fields("IdFormulario").Value.toString(),
                         rs.Fields("Formulario").Value.toString());
    }
  }
  if (forms.empty()) forms.emplace_back("CEO004", "Argentina - Brasil (MERCOSUR)");
  static const char* kEstados[] = {"Creando", "Pendiente", "Impreso"};
  static const char* kPaises[] = {"Brasil", "Chile", "Uruguay", "Paraguay", "Bolivia"};
  const QDate start(2026, 1, 2);
  InTransaction("OSTREVAN", [&] {
    for (int i = 0; i < count; ++i) {
      const int n = last + i + 1;
      const auto& form = forms[static_cast<size_t>(n % static_cast<int>(forms.size()))];
      const QString id = QString("BM-%1").arg(n, 6, 10, QChar('0'));
      Execute("OSTREVAN",
              "INSERT INTO CeoMercosur (IdCeo, Descripcion, Estado, IdFormulario, PaisCodeCEO, "
              "PaisDest, ProdFinExp, Importador, FcNro, Fecha) VALUES (" +
                  Quoted(id) + ", " + Quoted(QString("Certificado de prueba %1").arg(n)) + ", " +
                  Quoted(kEstados[n % 3]) + ", " + Quoted(form.first) + ", " + Quoted(form.second) +
                  ", " + Quoted(kPaises[n % 5]) + ", " +
                  Quoted("D'Alessandro Hnos. S.A.\r\nAv. General Paz 12450\r\nArgentina") + ", " +
                  Quoted(QString("Importadora %1 Ltda.").arg(n % 40 + 1)) + ", " +
                  Quoted(QString("0003-%1").arg(n, 8, 10, QChar('0'))) + ", " +
                  Quoted(start.addDays(n % 360).toString("dd/MM/yyyy")) + ")");
    }
  });
}

}  // namespace ostrevan::demo
