// INI files as installations have them: the README's entity map as written, and files in the
// ANSI code page of a Windows installation.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "app/demo_seed.h"
#include "data/forms.h"
#include "host/errors.h"
#include "host/ini.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(InstallationTest, TheReadmesEntityMapConfiguresItsEntity) {
  QString source = QString::fromUtf8(__FILE__);
  if (QFileInfo(source).isRelative()) {
    source = QCoreApplication::applicationDirPath() + "/../" + source;  // compiled in build/
  }
  const QString readme =
      QString::fromUtf8(Read(QFileInfo(source).absolutePath() + "/../../README.md"));
  if (readme.isEmpty()) GTEST_SKIP() << "README.md not found from " << source;
  const QRegularExpression block(R"(\n((?:    .*\n)*    \[INTERNOS\]\n(?:    .*\n)*))");
  QString example = block.match(readme).captured(1);
  ASSERT_FALSE(example.isEmpty());
  example.replace(QRegularExpression("(?m)^    "), "");
  const QString hostDb = tmp->filePath("host.db");
  example.replace(QRegularExpression("(?m)^Database=.*$"), "Database=" + hostDb);
  Write(Dir() + "Cfg/Conexiones.ini", example.toUtf8());
  ResetAll();
  demo::CreateHostTables();  // the host's own tables, which the component never creates
  HostRole host;
  Execute("INTERNOS", "insert into Caratula values ('H1','20-1','1','10')");
  EXPECT_TRUE(QFile::exists(hostDb));
}

// Sections and keys are found whatever their case, and a write keeps the rest of the file.
TEST(IniEncoding, AnsiFilesAreReadAndWrittenBackAsAnsi) {
  QTemporaryDir dir;
  const struct {
    const char* name;
    QByteArray file;
    QString read;        // value of [S] K
    QByteArray written;  // the line J=ñ€ as stored afterwards
    QByteArray keptK;    // the line K as stored afterwards
  } rows[] = {
      {"Windows-1252", "K=Caf\xe9 \x80 \x93x\x94\r\n", QString::fromUtf8("Café € “x”"),
       "J=\xf1\x80", "K=Caf\xe9 \x80 \x93x\x94"},
      {"UTF-8", "K=Caf\xc3\xa9\r\n", QString::fromUtf8("Café"), "J=\xc3\xb1\xe2\x82\xac",
       "K=Caf\xc3\xa9"},
  };
  clINI ini;
  EXPECT_EQ(ini.LeerINI("S", "K", dir.filePath("none.ini")), "");
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const QString path = dir.filePath(QString(r.name) + ".ini");
    Write(path, "; comentario\r\n[S]\r\n" + r.file + "\r\n[Otra]\r\nK=queda\r\n");
    EXPECT_EQ(ini.LeerINI("s", "k", path), r.read);
    EXPECT_EQ(ini.LeerINI("S", "Falta", path), "");
    ini.GuardarINI("s", "J", QString::fromUtf8("ñ€"), path);
    ini.GuardarINI("otra", "k", "sigue", path);
    ini.GuardarINI("Nueva", "K", "V", path);
    const QByteArray after = Read(path);
    EXPECT_TRUE(after.startsWith("; comentario\r\n")) << after.toStdString();
    EXPECT_TRUE(after.contains(r.written)) << after.toStdString();
    EXPECT_TRUE(after.contains(r.keptK)) << after.toStdString();
    EXPECT_EQ(ini.LeerINI("S", "J", path), QString::fromUtf8("ñ€"));
    EXPECT_EQ(ini.LeerINI("OTRA", "K", path), "sigue");
    EXPECT_FALSE(after.contains("queda")) << after.toStdString();
    EXPECT_EQ(ini.LeerINI("Nueva", "K", path), "V");
  }
  EXPECT_THROW(ini.GuardarINI("a", "b", "c", "/proc/none/x.ini"), RuntimeError);
}

}  // namespace
}  // namespace ostrevan::test
