// An office's installation: the demo that every fixture and the demo command stand on (each
// form has its paper, rebuilt it is the same, it replaces a live installation only when asked
// to), the first start that offers it, and the copy of the office's data to its server. That
// every demo form prints is checked where the COD verbs make a certificate of each.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <optional>

#include "app/copy_data.h"
#include "app/demo_forms.h"
#include "app/demo_install.h"
#include "app/demo_seed.h"
#include "app/first_start.h"
#include "app/synthetic_data.h"
#include "data/forms.h"
#include "data/schema.h"
#include "host/errors.h"
#include "host/ini.h"
#include "host/msgbox.h"
#include "host/sistema.h"
#include "host/state.h"
#include "host/value.h"
#include "job/print_job.h"
#include "print/backends.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

// Darkness of the form image at a point of the print area, in mm.
int Grey(const QImage& img, double xMm, double yMm) {
  const double k = demo::kFormPxPerMm;
  return qGray(img.pixel(static_cast<int>((xMm + print::kAreaLeftMm) * k),
                         static_cast<int>((yMm + print::kAreaTopMm) * k)));
}

TEST_F(DemoTest, EveryFormHasItsPaperWithTheBoxesWhereItsLayoutPrintsOrTheScanItIsGiven) {
  for (const char* logo : {"CAC.JPG", "CACIPRA.JPG", "CERA.JPG"}) {
    EXPECT_FALSE(QImage(FormsDir() + logo).isNull()) << logo;
  }
  // The one form with a template: its image and blank.snt are read by the print of that form.
  const QStringList templ = Column("CEOCFG",
                                   "select IdFormulario from CeoParametros where "
                                   "Propiedad = 'TDHABILITADO' and Valor = '1'");
  ASSERT_EQ(templ.size(), 1);
  EXPECT_EQ(clINI().LeerINI("HTempl1_1", "FormID", InstallationPath("Cfg/TemplatesCeo.ini")),
            templ[0]);
  const QStringList forms =
      Column("CEOCFG", "select IdFormulario from CeoFormularios order by IdFormulario");
  ASSERT_EQ(forms.size(), 9);
  for (const QString& form : forms) {
    SCOPED_TRACE(form.toStdString());
    const QString path = ImagenFormulario(form);
    ASSERT_EQ(path, FormsDir() + form + ".png");
    const QImage img(path);
    EXPECT_GE(img.width() / 210.0 * 25.4, 200) << "dpi";
    const double y =
        Val(Column("CEOCFG", "select ValorY from CeoConfig where Campo = '" + form + "ProdFinExp'")
                .value(0));
    // Box 1's top rule runs 8 mm above its first text line; the text itself sits on paper.
    int darkest = 255;
    for (double dy = -0.3; dy <= 0.3; dy += 0.1)
      darkest = std::min(darkest, Grey(img, 50, y - 8 + dy));
    EXPECT_LT(darkest, 180);
    EXPECT_GT(Grey(img, 50, y + 1), 240);
  }
  // An installation can point a form at its own scan.
  QImage scan(100, 141, QImage::Format_RGB32);
  scan.fill(Qt::white);
  ASSERT_TRUE(scan.save(tmp->filePath("scan.jpg")));
  const struct {
    QString value;
    QString expected;
  } rows[] = {
      {tmp->filePath("scan.jpg"), tmp->filePath("scan.jpg")},  // a full path
      {"CEO104.png", FormsDir() + "CEO104.png"},               // a file of the forms folder
      {"no-existe.png", ""},                                   // unreadable: a plain page
      {"", FormsDir() + "CEO004.png"},                         // none: the form's own
  };
  Execute("CEOCFG", "insert into CeoParametros values ('CEO004','IMAGENFORMULARIO','')");
  for (const auto& r : rows) {
    Execute("CEOCFG", "update CeoParametros set Valor = '" + r.value +
                          "' where Propiedad = 'IMAGENFORMULARIO'");
    EXPECT_EQ(ImagenFormulario("CEO004"), r.expected) << r.value;
  }
  QFile::remove(FormsDir() + "CEO004.png");
  EXPECT_EQ(ImagenFormulario("CEO004"), "");
}

// Quotes, semicolons and comments in the seeds are read by every demo installation; a line
// break typed in a text is stored as the host stores it.
TEST(DemoSeedSplit, KeepsQuotedTextWholeWithTheHostsLineBreaks) {
  const struct {
    const char* script;
    QStringList expected;
  } cases[] = {
      {"INSERT INTO t VALUES ('one\ntwo');", {"INSERT INTO t VALUES ('one\r\ntwo')"}},
      {"INSERT INTO t VALUES ('one\r\ntwo');\r\n", {"INSERT INTO t VALUES ('one\r\ntwo')"}},
  };
  for (const auto& c : cases) EXPECT_EQ(demo::SplitStatements(c.script), c.expected) << c.script;
  EXPECT_THROW(demo::SplitStatements("INSERT INTO t VALUES ('open"), RuntimeError);
}

// Rebuilt, the demo is the same installation again. Rebuilding it over a live installation
// would empty it, and the host's own databases when the entity map points there: it is refused
// unless replacing is asked for.
TEST_F(DemoTest, ARebuildIsTheSameAndReplacesALiveInstallationOnlyWhenAskedTo) {
  const auto counts = [this] {
    std::map<QString, long> n;
    for (const char* t : {"CEOCFG.CeoConfig", "CEOCFG.CeoParametros", "OSTREVAN_CLI.CeoParametros",
                          "CATALOGOS.NCMCEO", "INTERNOS.SubItems", "INTERNOS.groupSubItems",
                          "INTERNOS.catarticulos", "PERSONAL.Clientes", "OSTREVAN.CeoMercosur"}) {
      n[t] = Count(QString(t).section('.', 0, 0), QString(t).section('.', 1));
    }
    return n;
  };
  const auto before = counts();
  demo::AddCertificates(5);
  demo::AddHostOperation("EX-BENCH-1", 120, 7);
  // The connections opened above are still cached: the refresh must close them itself.
  demo::BuildDemoInstallation(tmp->path(), true);  // its certificates are replaced
  EXPECT_EQ(counts(), before);
  // Without certificates a refresh needs no asking, unless its data lives on a server.
  demo::BuildDemoInstallation(tmp->path(), Engine() == "QPSQL");
  EXPECT_EQ(counts(), before);

  // An installation in its own files: a server map is refused before anything else is looked at.
  QFile::remove(Dir() + "Cfg/Conexiones.ini");
  ResetAll();
  QTemporaryDir host;
  const QString hostDb = host.filePath("internos.db");
  const struct {
    const char* name;
    std::function<void()> makeLive;
    std::function<long()> stillThere;  // rows that a rebuild would have removed
    const char* says;
  } rows[] = {
      {"certificates",
       [] {
         Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Descripcion) values ('X1', 'vivo')");
       },
       [this] { return Count("OSTREVAN", "CeoMercosur", "IdCeo = 'X1'"); }, "1 certificados"},
      {"the host's database outside the installation",
       [&] {
         MapEntity("INTERNOS", {{"Driver", "QSQLITE"}, {"Database", hostDb}});
         ResetAll();
         demo::CreateHostTables();
         HostRole host;
         Execute("INTERNOS", "insert into Caratula values ('HOST-1','20-1','1','10')");
         ASSERT_TRUE(QFile::exists(hostDb));
       },
       [this] { return Count("INTERNOS", "Caratula", "Interno = 'HOST-1'"); },
       "fuera de la instalacion"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    r.makeLive();
    try {
      demo::BuildDemoInstallation(tmp->path());
      ADD_FAILURE() << "not refused";
    } catch (const RuntimeError& e) {
      EXPECT_TRUE(e.Description().contains(r.says)) << e.Description();
      EXPECT_TRUE(e.Description().contains("--reemplazar")) << e.Description();
    }
    ResetAll();
    EXPECT_EQ(r.stillThere(), 1);
    demo::BuildDemoInstallation(tmp->path(), true);
    ResetAll();
    EXPECT_EQ(r.stillThere(), 0);
  }
}

QByteArray Digest(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Moving an office's own data from the embedded files to its server.
TEST_F(InstallationTest, OwnEntitiesReachTheServerOnceAndTheFilesStayAsTheyWere) {
  if (Engine() != "QPSQL") GTEST_SKIP() << "moves data to the PostgreSQL server";
  // The office before: the demo installation in its embedded files.
  const QString map = Dir() + "Cfg/Conexiones.ini";
  ResetAll();
  ASSERT_TRUE(QFile::rename(map, map + ".server"));
  demo::BuildDemoInstallation(tmp->path());
  demo::AddCertificates(30);
  const struct {
    const char *entity, *table;
  } tables[] = {{"OSTREVAN", "CeoMercosur"},       {"OSTREVAN", "Articulos"},
                {"CEOCFG", "CeoFormularios"},      {"CEOCFG", "CeoConfig"},
                {"OSTREVAN_CLI", "CeoParametros"}, {"CATALOGOS", "DescripcionNormasOrigen"}};
  std::vector<long> before;
  for (const auto& t : tables) before.push_back(Count(t.entity, t.table));
  ResetAll();
  const QString db = Dir() + "Datos/OSTREVAN.db";
  const QByteArray file = Digest(db);
  ASSERT_FALSE(file.isEmpty());
  ASSERT_TRUE(QFile::rename(map + ".server", map));
  ResetAll();
  data::InstallSchema();

  // A source table that cannot be read ends the copy with the reason, the server untouched.
  auto damage = [&] {
    ASSERT_TRUE(QFile::copy(db, db + ".sano"));
    DamageTable("OSTREVAN", "Articulos");
  };
  auto repair = [&] {
    ResetAll();
    ASSERT_TRUE(QFile::remove(db) && QFile::copy(db + ".sano", db));
  };
  const struct {
    bool replace;
    int rc;
    const char* says;
    std::function<void()> before;
  } runs[] = {
      {false, 0, "entidades copiadas", {}},
      {false, 1, "ya tiene registros", {}},  // a second copy would double every row
      {true, 1, "malformed", damage},
      {true, 0, "entidades copiadas", repair},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.says);
    if (r.before) r.before();
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(app::CopiarDatos(r.replace, out), r.rc) << text;
    out.flush();
    EXPECT_TRUE(text.contains(r.says)) << text;
    for (size_t i = 0; i < std::size(tables); ++i) {
      EXPECT_EQ(Count(tables[i].entity, tables[i].table), before[i]) << tables[i].table;
    }
  }
  EXPECT_GE(before[0], 30);
  ResetAll();
  EXPECT_EQ(Digest(db), file);
}

// A user without an installation is offered the demo, an empty one, or to leave, each answer in
// a ProgramFiles folder of its own. The empty one has the tables and nothing else, and is never
// made again over what the office typed since.
TEST_F(InstallationTest, AFirstStartOffersTheDemoAnEmptyInstallationOrToLeave) {
  if (Engine() == "QPSQL") GTEST_SKIP() << "a first start has no server of its own";
  const struct {
    int answer;
    std::optional<int> status;
    bool created;
    long chambers;
  } rows[] = {
      {vbCancel, 0, false, 0},
      {vbYes, std::nullopt, true, 3},
      {vbNo, std::nullopt, true, 0},  // last: the empty installation is looked at below
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.answer);
    qputenv("ProgramFiles", QFile::encodeName(tmp->filePath(QString("usuario-%1").arg(r.answer))));
    ResetAll();
    messages->shown.clear();
    messages->answers = {r.answer};
    EXPECT_EQ(app::OfferInstallation(), r.status) << Messages().join("|");
    ASSERT_EQ(messages->shown.size(), 1u) << Messages().join("|");
    EXPECT_TRUE(messages->shown[0].text.contains(QDir::toNativeSeparators(InstallationDir())));
    EXPECT_EQ(messages->shown[0].style & 7, vbYesNoCancel);
    ResetAll();
    EXPECT_EQ(demo::HasInstallation(InstallationDir()), r.created);
    EXPECT_EQ(QDir(InstallationDir()).exists("Datos"), r.created) << "nothing made on leaving";
    if (!r.created) continue;
    EXPECT_EQ(Count("CEOCFG", "CeoCamaras"), r.chambers);
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
  }
  for (const auto& [entity, table] : {std::pair{"CEOCFG", "CeoFormularios"},
                                      {"OSTREVAN_CLI", "CeoParametros"},
                                      {"CATALOGOS", "DescripcionNormasOrigen"},
                                      {"INTERNOS", "Caratula"}}) {
    EXPECT_EQ(Count(entity, table), 0) << table << " " << Messages().join("|");
  }
  EXPECT_TRUE(QFile::exists(InstallationPath("Cfg/CeoFrm.ini")));
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Descripcion) values ('X1', 'propio')");
  try {
    demo::BuildEmptyInstallation(ProgramFilesDir());
    ADD_FAILURE() << "an existing installation was made again";
  } catch (const RuntimeError& e) {
    EXPECT_TRUE(e.Description().startsWith("Ya hay una instalacion en ")) << e.Description();
  }
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 1);
}

// The program installs Qt's translations for the user's locale: the standard buttons of every
// message box and dialog read in the user's language (qt6-translations-l10n, a dependency).
TEST(QtTranslationsTest, StandardButtonsReadInTheUsersLanguage) {
  const QLocale before;
  const struct {
    const char* locale;
    bool installed;
    const char *yes, *no, *cancel;
  } rows[] = {
      {"es_AR", true, "&Sí", "&No", "Cancelar"},
      {"C", false, "&Yes", "&No", "Cancel"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.locale);
    QLocale::setDefault(QLocale(r.locale));  // the user's locale, as the process reads it
    std::unique_ptr<QTranslator> translator(app::InstalarTraduccionesDeQt(nullptr));
    EXPECT_EQ(translator != nullptr, r.installed);
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QString::fromUtf8(r.yes));
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text(), QString::fromUtf8(r.no));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(r.cancel));
  }
  QLocale::setDefault(before);
}

}  // namespace
}  // namespace ostrevan::test
