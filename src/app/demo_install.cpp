#include "app/demo_install.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <vector>

#include "app/demo_common.h"
#include "app/demo_forms.h"
#include "app/demo_seed.h"
#include "data/schema.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan::demo {
namespace {

// The entities whose tables the component creates itself.
const char* kOwnEntities[] = {"OSTREVAN", "OSTREVAN_CLI", "CEOCFG", "CATALOGOS"};

// Points the component at the installation while it is built and back afterwards.
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

void CopyIniFiles(const QStringList& names) {
  for (const QString& file : names) {
    WriteFile(InstallationPath("Cfg/" + file), ReadResource(":/Cfg/" + file));
  }
}

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

void CheckFolderGiven(const QString& programFiles) {
  if (programFiles.trimmed().isEmpty()) {
    throw Failure("No se indico la carpeta de programas para la instalacion");
  }
}

}  // namespace

bool HasInstallation(const QString& installationDir) {
  const QDir dir(installationDir);
  return dir.exists("Datos") || dir.exists("Cfg");
}

void BuildDemoInstallation(const QString& programFiles, bool reemplazar) {
  CheckFolderGiven(programFiles);
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
    RunSeeds(std::move(seeds));
    CopyIniFiles({"CeoFrm.ini", "TemplatesCeo.ini"});
    DrawDemoImages();
  } catch (const RuntimeError&) {
    throw;
  } catch (const std::exception& e) {
    throw AsRuntimeError(e);
  }
}

void BuildEmptyInstallation(const QString& programFiles) {
  CheckFolderGiven(programFiles);
  try {
    ReadResource(":/Cfg/CeoFrm.ini");
    InstallationScope scope(programFiles);
    const QString dir = InstallationDir();
    if (HasInstallation(dir)) {
      throw Failure(
          "Ya hay una instalacion en " + QDir::toNativeSeparators(dir) + "; no se creo otra vacia",
          kInvalidArgument);
    }
    MakeFolders(dir);
    data::InstallSchema();
    // Opening each entity creates its tables.
    for (const char* e : kOwnEntities) InTransaction(QString::fromLatin1(e), [] {});
    // The stand-in host's own tables, empty: it has no operations yet.
    CreateHostTables();
    CopyIniFiles({"CeoFrm.ini"});
  } catch (const RuntimeError&) {
    throw;
  } catch (const std::exception& e) {
    throw AsRuntimeError(e);
  }
}

}  // namespace ostrevan::demo
