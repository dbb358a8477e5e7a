#include "support/fixtures.h"

#include "app/demo_install.h"
#include "data/forms.h"
#include "data/schema.h"
#include "host/state.h"

namespace ostrevan::test {

int MessageRecorder::Show(const QString& text, int style, const QString& title) {
  shown.push_back({text, style, title});
  if (!answers.empty()) {
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  return DefaultAnswer(style);
}

QStringList MessageRecorder::Texts() const {
  QStringList l;
  for (const auto& m : shown) l << m.text;
  return l;
}

int WindowScript::ShowModal(Window w) {
  shown.push_back(w);
  if (auto a = actions.find(w); a != actions.end() && a->second) a->second();
  auto r = results.find(w);
  return r == results.end() ? 0 : r->second;
}

bool WindowScript::Showed(Window w) const {
  return std::find(shown.begin(), shown.end(), w) != shown.end();
}

void InstallationTest::SetUp() {
  tmp = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(tmp->isValid());
  oldProgramFiles = qgetenv("ProgramFiles");
  qputenv("ProgramFiles", tmp->path().toUtf8());
  ResetAll();
  data::InstallSchema();
  popup = std::make_shared<TestPopup>();
  oldPopup = SetStatusPopup(popup);
  messages = std::make_shared<MessageRecorder>();
  windows = std::make_shared<WindowScript>();
  oldMessages = SetMessageService(messages);
  oldWindows = SetWindowService(windows);
}

void InstallationTest::TearDown() {
  ResetAll();  // closes every database before the folder goes
  SetStatusPopup(oldPopup);
  SetMessageService(oldMessages);
  SetWindowService(oldWindows);
  if (oldProgramFiles.isEmpty()) {
    qunsetenv("ProgramFiles");
  } else {
    qputenv("ProgramFiles", oldProgramFiles);
  }
  tmp.reset();
}

QString InstallationTest::Dir() const { return InstallationDir(); }

QStringList InstallationTest::Column(const QString& entity, const QString& sql) {
  QStringList out;
  Recordset rs;
  if (!Query(entity, sql, rs)) return out;
  const QString first = rs.FieldNames().value(0);
  for (; !rs.Eof(); rs.MoveNext()) out << rs.Fields(first).Value.toString();
  return out;
}

long InstallationTest::Count(const QString& entity, const QString& table, const QString& where) {
  QStringList c = Column(entity, "select count(*) as n from " + table +
                                     (where.isEmpty() ? QString() : " where " + where));
  return c.isEmpty() ? 0 : c[0].toLong();
}

void DemoTest::SetUp() {
  InstallationTest::SetUp();
  demo::BuildDemoInstallation(tmp->path());
  ResetAll();
  data::InstallSchema();
}

}  // namespace ostrevan::test
