#include "app/demo_install.h"

#include <QColor>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "app/demo_forms.h"
#include "data/cod_datos.h"
#include "data/schema.h"
#include "host/errors.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan::demo {
namespace {

const QString kSource = QStringLiteral("Ostrevan.DemoInstall");
constexpr long kPathAccess = 75;      // the classic "Path/File access error"
constexpr long kInvalidArgument = 5;  // "Invalid procedure call or argument"

// CEOCFG first: in the embedded default it shares the certificate database, and the rows
// the settings windows edit are the ones everything else reads.
const char* kSeedOrder[] = {"CEOCFG",    "OSTREVAN", "OSTREVAN_CLI",
                            "CATALOGOS", "INTERNOS", "PERSONAL"};

// The tables of the form configuration that the data-entry window and the layout editor
// read through OSTREVAN instead of CEOCFG.
const QStringList kSharedConfigTables = {"CeoCamaras", "CeoFormularios", "CeoPaises", "CeoConfig"};

const char* kDemoCuit = "30-71234567-8";

RuntimeError Failure(const QString& text, long number = kPathAccess) {
  return RuntimeError(number, text, kSource);
}

QString Quoted(const QString& text) { return "'" + SqlText(text) + "'"; }

QString TableOf(const QString& statement) {
  static const QRegularExpression insert(R"(^\s*INSERT\s+INTO\s+\[?(\w+)\]?)",
                                         QRegularExpression::CaseInsensitiveOption);
  return insert.match(statement).captured(1);
}

// Runs body inside one transaction of the entity: a seed of hundreds of rows is one disk
// sync instead of hundreds, and a failure leaves nothing half-written.
void InTransaction(const QString& entity, const std::function<void()>& body) {
  AllOrNothing tx(Conn(entity));
  body();
  tx.Commit();
}

// Points the component at the demo installation while it is built and back afterwards.
// The managers cache their entity map and open databases, so those that already existed
// are reloaded both ways, and those created here are released, closing their files.
class InstallationScope final {
 public:
  explicit InstallationScope(const QString& programFiles)
      : hadEnv_(qEnvironmentVariableIsSet("ProgramFiles")), oldEnv_(qgetenv("ProgramFiles")) {
    Components& c = St().comp;
    managers_ = {&c.main, &c.clientes, &c.internos, &c.picklist, &c.catalogo};
    for (auto* m : managers_) existed_.push_back(*m != nullptr);
    qputenv("ProgramFiles", QFile::encodeName(programFiles));
    Reload();
  }
  ~InstallationScope() {
    for (size_t i = 0; i < managers_.size(); ++i) {
      if (!existed_[i]) managers_[i]->reset();
    }
    if (hadEnv_) {
      qputenv("ProgramFiles", oldEnv_);
    } else {
      qunsetenv("ProgramFiles");
    }
    try {
      Reload();
    } catch (...) {  // a destructor must not throw; the next statement reports the problem
    }
  }
  InstallationScope(const InstallationScope&) = delete;
  InstallationScope& operator=(const InstallationScope&) = delete;

 private:
  void Reload() {
    for (auto* m : managers_) {
      if (*m) (*m)->LoadParameters();
    }
  }

  bool hadEnv_;
  QByteArray oldEnv_;
  std::vector<std::unique_ptr<CBNMain>*> managers_;
  std::vector<bool> existed_;
};

QByteArray ReadResource(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    throw Failure("No se encontro el archivo de demostracion " + path +
                      " (el programa se compilo sin los datos de demostracion)",
                  err::kFileNotFound);
  }
  return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
    throw Failure("No se pudo escribir el archivo " + QDir::toNativeSeparators(path) + ": " +
                  f.errorString());
  }
}

void MakeFolders(const QString& dir) {
  for (const char* sub : {"Datos", "Cfg", "FORMS", "Logs"}) {
    const QString path = QDir(dir).filePath(QString::fromLatin1(sub));
    if (!QDir().mkpath(path)) {
      throw Failure("No se pudo crear la carpeta " + QDir::toNativeSeparators(path));
    }
  }
}

// A refresh starts from empty databases; the journal files go too, or SQLite would replay
// an old WAL into the new file.
void RemoveDatabases(const QString& datos) {
  QDir d(datos);
  for (const QString& name : d.entryList({"*.db*"}, QDir::Files)) {
    if (!d.remove(name)) {
      throw Failure("No se pudo borrar la base de datos " +
                    QDir::toNativeSeparators(d.filePath(name)) + " (¿esta abierta?)");
    }
  }
}

struct EntitySeed {
  QString entity;
  QStringList statements;
  QStringList Tables() const {
    QStringList tables;
    for (const QString& s : statements) {
      const QString t = TableOf(s);
      if (!t.isEmpty() && !tables.contains(t, Qt::CaseInsensitive)) tables << t;
    }
    return tables;
  }
};

std::vector<EntitySeed> LoadSeeds() {
  std::vector<EntitySeed> seeds;
  for (const char* e : kSeedOrder) {
    const QString entity = QString::fromLatin1(e);
    seeds.push_back({entity, SeedStatements(entity)});
  }
  return seeds;
}

bool SameDatabase(const QString& a, const QString& b) {
  return ManagerFor(a).SettingsFor(a).Key() == ManagerFor(b).SettingsFor(b).Key();
}

// When Conexiones.ini gives CEOCFG a database of its own, OSTREVAN still needs the chamber
// and form tables it reads; in the shared default they are already the same rows.
void MirrorSharedConfig(std::vector<EntitySeed>& seeds) {
  if (SameDatabase("OSTREVAN", "CEOCFG")) return;
  QStringList mirrored;
  for (const auto& s : seeds) {
    if (s.entity != "CEOCFG") continue;
    for (const QString& st : s.statements) {
      if (kSharedConfigTables.contains(TableOf(st), Qt::CaseInsensitive)) mirrored << st;
    }
  }
  for (auto& s : seeds) {
    if (s.entity == "OSTREVAN") s.statements << mirrored;
  }
}

void RunSeeds(const std::vector<EntitySeed>& seeds) {
  // Databases on a server survive the removal of Datos, so the seeded tables are emptied
  // first, all of them before any insert: entities may share one table.
  for (const auto& s : seeds) {
    InTransaction(s.entity, [&] {
      for (const QString& t : s.Tables()) Execute(s.entity, "DELETE FROM " + t);
    });
  }
  for (const auto& s : seeds) {
    QString current;
    try {
      InTransaction(s.entity, [&] {
        for (const QString& st : s.statements) {
          current = st;
          Execute(s.entity, st);
        }
      });
    } catch (const RuntimeError& e) {
      throw Failure("No se pudieron cargar los datos de demostracion de la entidad " + s.entity +
                        ": " + e.Description() + "\r\n" + current.left(160),
                    e.Number());
    }
  }
}

}  // namespace

namespace {
// Databases on a server survive the removal of Datos: a refresh empties their tables, so that
// it starts from empty databases there too.
void EmptyServerTables() {
  static const QRegularExpression create(R"(CREATE TABLE IF NOT EXISTS (\w+))",
                                         QRegularExpression::CaseInsensitiveOption);
  for (const char* e : kSeedOrder) {
    const QString entity = QString::fromLatin1(e);
    if (ManagerFor(entity).SettingsFor(entity).driver == "QSQLITE") continue;
    const Dialect& d = Conn(entity).GetDialect();
    std::vector<QString> statements = data::HostTables(entity, d);
    for (const auto& step : data::SchemaFor(entity, d)) {
      statements.insert(statements.end(), step.begin(), step.end());
    }
    // A table its own migration fills (the country codes) is reference data, not the demo's.
    QStringList filled;
    for (const QString& st : statements) filled << TableOf(st);
    InTransaction(entity, [&] {
      for (const QString& st : statements) {
        const QString table = create.match(st).captured(1);
        if (!table.isEmpty() && !filled.contains(table, Qt::CaseInsensitive))
          Execute(entity, "DELETE FROM " + table);
      }
    });
  }
}
}  // namespace

void CreateHostTables() {
  HostRole host;
  for (const char* e : {"INTERNOS", "PERSONAL"}) {
    const QString entity = QString::fromLatin1(e);
    const std::vector<QString> tables = data::HostTables(entity, Conn(entity).GetDialect());
    InTransaction(entity, [&] {
      for (const QString& st : tables) Execute(entity, st);
    });
  }
}

namespace {

void CopyIniFiles() {
  for (const char* name : {"CeoFrm.ini", "TemplatesCeo.ini"}) {
    const QString file = QString::fromLatin1(name);
    WriteFile(InstallationPath("Cfg/" + file), ReadResource(":/Cfg/" + file));
  }
}

// ---------------------------------------------------------------------------------------
// Images of the forms folder.

bool CanDrawText() {
  // Fonts need a GUI application; a console build still gets the coloured shapes.
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void SaveImage(const QImage& image, const QString& path, const char* format) {
  // JPG at a good quality; PNG at the default compression (its "quality" means less squeezing).
  const int quality = qstrcmp(format, "JPG") == 0 ? 90 : -1;
  if (!image.save(path, format, quality)) {
    throw Failure("No se pudo guardar la imagen " + QDir::toNativeSeparators(path));
  }
}

struct Chamber {
  const char* name;
  const char* title;
  QColor colour;
};

void DrawLogo(const Chamber& c, const QString& path) {
  QImage img(600, 240, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(c.colour);
  p.drawRoundedRect(QRectF(12, 12, 576, 216), 24, 24);
  p.setBrush(c.colour.lighter(150));
  p.drawEllipse(QRectF(36, 54, 132, 132));
  if (CanDrawText()) {
    p.setPen(Qt::white);
    QFont big("Arial");
    big.setPixelSize(72);
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRectF(184, 36, 392, 110), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(c.name));
    QFont small("Arial");
    small.setPixelSize(20);
    p.setFont(small);
    p.drawText(QRectF(184, 144, 392, 64), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QString::fromUtf8(c.title));
  }
  p.end();
  SaveImage(img, path, "JPG");
}

struct Box {
  double x, y, w, h;
  const char* label;
};

// The boxes of the chamber's paper form, in millimetres of the print area, so that a
// preview shows where every field lands. Transparent outside the lines: whichever way the
// print library stacks it, the certificate's texts stay readable.
void DrawTemplate(const QString& path) {
  constexpr double kPxPerMm = 4.0;
  const Box boxes[] = {
      {10, 18, 88, 22, "1. Productor final o exportador (nombre, domicilio, país)"},
      {100, 18, 88, 22, "7. Factura comercial  Nº / Fecha"},
      {10, 41, 88, 15, "2. Importador (nombre, domicilio, país)"},
      {100, 41, 88, 15, "Certificado de Origen"},
      {10, 57, 178, 13, "3. Consignatario"},
      {10, 71, 88, 10, "4. Puerto o lugar de embarque previsto"},
      {100, 71, 88, 10, "5. País de destino de las mercaderías"},
      {10, 82, 178, 8, "6. Medio de transporte previsto"},
      {6, 91, 182, 101,
       "8. Nº de orden   9. NCM / NALADISA   10. Denominación de las mercaderías   "
       "11. Peso o cantidad   12. Valor FOB U$S"},
      {6, 193, 182, 33, "13. Normas de origen"},
      {10, 227, 178, 18, "14. Observaciones"},
      {10, 246, 178, 30, "15. Declaración del productor final o del exportador"},
  };
  QImage img(static_cast<int>(190 * kPxPerMm), static_cast<int>(278 * kPxPerMm),
             QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.scale(kPxPerMm, kPxPerMm);
  QPen pen(QColor(40, 90, 170, 200));
  pen.setWidthF(0.3);
  p.setPen(pen);
  for (const Box& b : boxes) p.drawRect(QRectF(b.x, b.y, b.w, b.h));
  for (double x : {19.0, 45.0, 113.0, 152.0}) p.drawLine(QPointF(x, 95), QPointF(x, 192));
  p.drawLine(QPointF(6, 95), QPointF(188, 95));
  if (CanDrawText()) {
    QFont f("Arial");
    f.setPixelSize(8);  // 8 px at 4 px/mm: 2 mm high labels
    p.resetTransform();
    p.setFont(f);
    for (const Box& b : boxes) {
      p.drawText(QPointF((b.x + 1) * kPxPerMm, (b.y + 2.5) * kPxPerMm), QString::fromUtf8(b.label));
    }
  }
  p.end();
  SaveImage(img, path, "PNG");
}

// "blank.snt" is what printing places when a form has no template: one transparent pixel.
void DrawBlank(const QString& path) {
  QImage img(1, 1, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  SaveImage(img, path, "PNG");
}

QStringList TemplateNames() {
  QStringList names;
  Recordset rs;
  if (!Query("CEOCFG", "Select Valor From CeoParametros Where Propiedad = 'TDName'", rs)) {
    return names;
  }
  for (; !rs.Eof(); rs.MoveNext()) {
    const QString n = rs.Fields("Valor").Value.toString().trimmed();
    if (!n.isEmpty() && !names.contains(n, Qt::CaseInsensitive)) names << n;
  }
  return names;
}

void DrawImages() {
  const Chamber chambers[] = {
      {"CAC", "Cámara Argentina de Comercio y Servicios", QColor(0, 84, 147)},
      {"CACIPRA", "Cámara de Comercio, Industria y Producción de la República Argentina",
       QColor(150, 28, 36)},
      {"CERA", "Cámara de Exportadores de la República Argentina", QColor(0, 122, 74)},
  };
  const QDir forms(FormsDir());
  for (const Chamber& c : chambers) {
    DrawLogo(c, forms.filePath(QString::fromLatin1(c.name) + ".JPG"));
  }
  for (const QString& name : TemplateNames()) DrawTemplate(forms.filePath(name));
  DrawBlank(forms.filePath("blank.snt"));
  DrawFormImages(forms.path());
}

// ---------------------------------------------------------------------------------------
// Synthetic data.

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

QStringList SplitStatements(const QString& script) {
  QStringList out;
  QString current;
  bool inText = false;
  auto flush = [&] {
    const QString s = current.trimmed();
    if (!s.isEmpty()) out << s;
    current.clear();
  };
  const qsizetype n = script.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = script[i];
    const QChar next = i + 1 < n ? script[i + 1] : QChar();
    if (inText) {
      if (c == '\'' && next == '\'') {
        current += "''";
        ++i;
      } else if (c == '\'') {
        inText = false;
        current += c;
      } else if (c == '\r' || c == '\n') {
        // Whatever line ends the file got on its way here, the host stores CR LF.
        if (c == '\r' && next == '\n') ++i;
        current += "\r\n";
      } else {
        current += c;
      }
      continue;
    }
    if (c == '\'') {
      inText = true;
      current += c;
    } else if (c == '-' && next == '-') {
      while (i + 1 < n && script[i + 1] != '\n') ++i;
    } else if (c == ';' || c == '\n') {
      flush();
    } else {
      current += c;
    }
  }
  if (inText) {
    throw Failure("Texto sin cerrar en los datos de demostracion: " + current.left(80),
                  err::kTypeMismatch);
  }
  flush();
  return out;
}

QStringList SeedStatements(const QString& entity) {
  return SplitStatements(QString::fromUtf8(ReadResource(":/seed/" + entity.toUpper() + ".sql")));
}

namespace {
// What rebuilding would destroy that is not the demo's own: databases the entity map puts
// outside the installation (the host's, a server's), and certificates. "" when nothing.
QString WhatARebuildWouldDestroy(const std::vector<EntitySeed>& seeds) {
  const QString dir = QDir(InstallationDir()).absolutePath() + "/";
  CBNMain map;
  map.LoadParameters();
  for (const EntitySeed& seed : seeds) {
    const EntitySettings s = map.SettingsFor(seed.entity);
    if (s.driver.toUpper() != "QSQLITE") {
      return "la entidad " + seed.entity + " de Cfg/Conexiones.ini esta en un servidor (" +
             s.driver + " " + s.host + "), fuera de la instalacion";
    }
    const QString file = QFileInfo(s.database).absoluteFilePath();
    if (!file.startsWith(dir)) {
      return "la entidad " + seed.entity + " de Cfg/Conexiones.ini es " +
             QDir::toNativeSeparators(file) + ", fuera de la instalacion";
    }
  }
  // Through a manager of its own, so that no connection stays open on the files the
  // rebuild removes.
  if (QFileInfo::exists(map.SettingsFor("OSTREVAN").database)) {
    Recordset rs;
    Connection& c = map.getDataConnectionByEntity("OSTREVAN");
    c.SetSQL("select count(*) as n from CeoMercosur");
    if (c.CrearRs(rs) && esnumero(rs.Fields("n").Value) > 0) {
      return "la instalacion tiene " + QString::number(esnumero(rs.Fields("n").Value)) +
             " certificados";
    }
  }
  return {};
}
}  // namespace

void BuildDemoInstallation(const QString& programFiles, bool reemplazar) {
  if (programFiles.trimmed().isEmpty()) {
    throw Failure("No se indico la carpeta de programas para la instalacion de demostracion");
  }
  try {
    // Read everything embedded before touching the disk: a broken build changes nothing.
    std::vector<EntitySeed> seeds = LoadSeeds();
    ReadResource(":/Cfg/CeoFrm.ini");
    ReadResource(":/Cfg/TemplatesCeo.ini");

    InstallationScope scope(programFiles);
    HostRole host;  // the demo plays the host: it writes the host's entities
    const QString dir = InstallationDir();
    if (!reemplazar) {
      const QString why = WhatARebuildWouldDestroy(seeds);
      if (!why.isEmpty()) {
        throw Failure("No se creo la instalacion de demostracion en " +
                      QDir::toNativeSeparators(dir) + ": " + why +
                      ". Sus datos se perderian; para reemplazarlos de todos modos use "
                      "ostrevan demo-install --reemplazar " +
                      QDir::toNativeSeparators(programFiles));
      }
    }
    MakeFolders(dir);
    RemoveDatabases(QDir(dir).filePath("Datos"));
    data::InstallSchema();
    CreateHostTables();
    EmptyServerTables();
    MirrorSharedConfig(seeds);
    RunSeeds(seeds);
    CopyIniFiles();
    DrawImages();
  } catch (const RuntimeError&) {
    throw;
  } catch (const std::exception& e) {
    throw AsRuntimeError(e);
  }
}

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

void CompleteCertificate(const QString& idCeo) {
  const QString where = " Where IdCeo = " + Quoted(idCeo);
  Execute("OSTREVAN",
          "Update CeoMercosur Set Importador = " +
              Quoted("Distribuidora Paulista de Autopeças Ltda.\r\nRua Vergueiro 3185, São Paulo, "
                     "Brasil") +
              ", Consignatario = " + Quoted("A la orden de Banco do Brasil S.A., Brasil") +
              ", PuertoEmbarque = " + Quoted("Paso de los Libres - Uruguaiana") +
              ", MedioTransp = " + Quoted("Terrestre (camion)") +
              ", FactComer = " + Quoted("Factura de exportacion E") +
              ", FcNro = " + Quoted("0003-00012877") + ", FcFecha = " + Quoted("02/12/2026") +
              ", Observaciones = " + Quoted("Mercaderia nueva, sin uso. Embalaje: 14 pallets.") +
              ", DeclProdFin = " + Quoted("Argentina") + ", DeclAcuerdo = " +
              Quoted("ACE 18 - MERCOSUR") + ", Fecha = " + Quoted("04/12/2026") + where);
  DatosCod cod = LeerDatosCod(idCeo);
  using C = CampoCod;
  cod[C::ExpCiudad] = "Ciudadela";
  cod[C::ExpTelefono] = "+54 11 4488-1200";
  cod[C::ExpEmail] = "comex@dalessandro.com.ar";
  cod[C::ExpRegistroFiscal] = kDemoCuit;
  cod[C::ImpCiudad] = QString::fromUtf8("São Paulo");
  cod[C::DeclExportacion] = "26001EC01000123X";
  cod[C::DeclJuradaFecha] = "01/12/2026";
  GuardarDatosCod(idCeo, cod);
  Recordset rs;
  if (!Query("OSTREVAN", "Select distinct NCM From Articulos" + where + " Order by NCM", rs))
    return;
  int n = 0;
  for (; !rs.Eof(); rs.MoveNext()) {
    const QString norm = QString::number(n++ % 3 + 1);
    Execute("OSTREVAN", "Update Articulos Set IdNormasOrigen = " + Quoted(norm) + where +
                            " and NCM = " + Quoted(Txt(rs.Fields("NCM").Value)));
  }
}

}  // namespace ostrevan::demo
