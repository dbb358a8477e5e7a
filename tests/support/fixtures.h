#pragma once
// Every test builds its own installation folder under a temporary ProgramFiles.
#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

#include "host/msgbox.h"
#include "host/progress.h"
#include "host/sistema.h"
#include "host/windows.h"

// Lets assertions and their messages show Qt texts.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
  return os << s.toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{' << l.join("|").toStdString() << '}';
}

namespace ostrevan::test {

// Every field a form's layout places, after the form's id.
inline const QStringList kLayoutFields = {
    "ProdFinExp",     "ProductorRazon",  "ProductorDireccion",  "ProductorFecha",
    "Importador",     "ImportadorRazon", "ImportadorDireccion", "Consignatario",
    "PuertoEmbarque", "PaisDest",        "MedioTransp",         "FactComer",
    "FcNro",          "FcFecha",         "Observaciones",       "DeclProdFin",
    "DeclAcuerdo",    "Fecha",           "SubGlobalPag",        "NroOrden"};

struct Message {
  QString text;
  int style;
  QString title;
};

// Records every message box and answers from a script (else with the default button).
class MessageRecorder final : public MessageService {
 public:
  int Show(const QString& text, int style, const QString& title) override;
  std::vector<Message> shown;
  std::deque<int> answers;
  QStringList Texts() const;
};

// Records the windows asked for, running an optional action as the user would while the
// window is open.
class WindowScript final : public WindowService {
 public:
  int ShowModal(Window w) override;
  std::vector<Window> shown;
  std::map<Window, std::function<void()>> actions;
  bool Showed(Window w) const;
};

// The user presses "Cerrar" as soon as it is enabled; messages are kept to assert on.
class TestPopup final : public PopupState {
 public:
  void EnableBoton(bool enable) override {
    PopupState::EnableBoton(enable);
    if (enable && ButtonUsed()) ClickCerrar();
  }
  QStringList messages;

 protected:
  void Changed() override {
    if (messages.isEmpty() || messages.last() != Message()) messages << Message();
  }
};

// The engine the data tests run on: "QSQLITE" unless OSTREVAN_TEST_ENGINE names "QPSQL", in
// which case every test gets a database of its own on the server OSTREVAN_TEST_PG names (a
// libpq connection string), one schema per entity, as an office's server would hold them.
QString Engine();
// Every update of item number `nroOrden` fails with `message`, as a full disk would, until
// RestoreItemUpdates.
void FailItemUpdates(int nroOrden, const QString& message);
void RestoreItemUpdates();
// Overwrites the first page of `table` in the SQLite file of `entity` with garbage, as a bad
// sector would; every connection is closed first.
void DamageTable(const QString& entity, const QString& table);

// A program run as a workstation runs it on the installation ProgramFiles names (the child
// inherits it), under `prefix` when given; Finish feeds it `input`, waits and deletes it.
struct Outcome {
  int rc = -1;     // -1 when it did not end normally
  QString output;  // standard output and error, merged
};
QProcess* StartProgram(const QString& exe, const QStringList& args, const QStringList& prefix = {});
Outcome Finish(QProcess* p, const QByteArray& input = {});

// An empty installation: schema on first use, messages and windows recorded.
class InstallationTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  QString Dir() const;  // the installation folder
  QStringList Messages() const { return messages->Texts(); }
  // Runs a query and returns the first column of every row as text.
  QStringList Column(const QString& entity, const QString& sql);
  long Count(const QString& entity, const QString& table, const QString& where = {});
  // Writes `settings` for `entity` into the installation's entity map; the next connection
  // after ResetState reads them.
  void MapEntity(const QString& entity, const std::vector<std::pair<QString, QString>>& settings);
  // Points `entity` at a server that is not there.
  void MapToNoServer(const QString& entity) {
    MapEntity(entity, {{"Driver", "QPSQL"}, {"Database", "x"}, {"Host", "/no/such/server"}});
  }

  std::unique_ptr<QTemporaryDir> tmp;
  QString serverDb;  // the test's own database on the server, when the engine is one
  std::shared_ptr<MessageRecorder> messages;
  std::shared_ptr<WindowScript> windows;
  std::shared_ptr<TestPopup> popup;
  std::shared_ptr<StatusPopup> oldPopup;
  QByteArray oldProgramFiles;
  std::shared_ptr<MessageService> oldMessages;
  std::shared_ptr<WindowService> oldWindows;
};

// The demo installation (chambers, forms, layouts, host operations).
class DemoTest : public InstallationTest {
 protected:
  void SetUp() override;
};

}  // namespace ostrevan::test
