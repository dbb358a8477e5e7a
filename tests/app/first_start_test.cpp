#include "app/first_start.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTranslator>
#include <optional>

#include "app/demo_install.h"
#include "data/forms.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

// A user who has no installation yet: each case gets a ProgramFiles folder of its own.
class FirstStartTest : public InstallationTest {
 protected:
  void SetUp() override {
    InstallationTest::SetUp();
    if (Engine() == "QPSQL") GTEST_SKIP() << "a first start has no server of its own";
  }
  void UseFolder(const QString& name) {
    qputenv("ProgramFiles", QFile::encodeName(tmp->filePath(name)));
    ResetAll();
  }
};

TEST_F(FirstStartTest, OffersTheDemoAnEmptyInstallationOrToLeave) {
  const struct {
    int answer;
    std::optional<int> status;
    bool created;
    long chambers;
  } rows[] = {
      {vbCancel, 0, false, 0},
      {vbNo, std::nullopt, true, 0},
      {vbYes, std::nullopt, true, 3},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.answer);
    UseFolder(QString("usuario-%1").arg(r.answer));
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
}

TEST_F(FirstStartTest, AnEmptyInstallationHasTablesAndNothingElseAndIsMadeOnce) {
  UseFolder("oficina");
  demo::BuildEmptyInstallation(tmp->filePath("oficina"));
  ResetAll();
  for (const auto& [entity, table] : {std::pair{"CEOCFG", "CeoFormularios"},
                                      {"OSTREVAN_CLI", "CeoParametros"},
                                      {"CATALOGOS", "DescripcionNormasOrigen"},
                                      {"INTERNOS", "Caratula"}}) {
    EXPECT_EQ(Column(entity, QString("select count(*) from %1").arg(table)), QStringList{"0"})
        << table << " " << Messages().join("|");
  }
  EXPECT_TRUE(QFile::exists(InstallationPath("Cfg/CeoFrm.ini")));
  // A second time would overwrite what the office has typed since.
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Descripcion) values ('X1', 'propio')");
  try {
    demo::BuildEmptyInstallation(tmp->filePath("oficina"));
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
