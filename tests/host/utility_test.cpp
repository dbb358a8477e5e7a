// The host's small pieces: values, paths, the wait for "Cerrar", the SQL each engine runs, the
// log and the timer.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

#include "host/dialect.h"
#include "host/errors.h"
#include "host/log.h"
#include "host/progress.h"
#include "host/sistema.h"
#include "host/timer.h"
#include "host/value.h"

namespace ostrevan {
namespace {

TEST(Values, EsnullEsnumeroValAndFixed) {
  EXPECT_EQ(esnull(QVariant()).toString(), "");
  EXPECT_EQ(esnull(QVariant("x")).toString(), "x");
  // The full-width digits would make clang-format spread the table one row a line.
  // clang-format off
  struct Row {
    QVariant in;
    double out;
  } rows[] = {{QVariant(12), 12},   {QVariant("12.5"), 12.5}, {QVariant("12,5"), 12.5},
              {QVariant(" 7 "), 7}, {QVariant("12a"), 0},     {QVariant(""), 0},
              {QVariant("-3"), -3}, {QVariant("1.2.3"), 0},   {QVariant(2.25), 2.25},
              {QVariant(), 0},      {QVariant(QString::fromUtf8("１４")), 0},
              {QVariant(QString::fromUtf8("٤٠")), 0}};
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(esnumero(r.in), r.out) << r.in.toString().toStdString();
  // Val reads the leading number.
  EXPECT_EQ(Val("12,5"), 12.5);
  EXPECT_EQ(Val("12.5mm"), 12.5);
  EXPECT_EQ(Val("-2"), -2);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Fixed(1.005 * 100, 2), "100.50");
  EXPECT_EQ(Fixed(-0.001, 2), "0.00");
}

// Under ProgramFiles every fixture's installation is found; without it, the user's data folder.
TEST(Paths, WithoutProgramFilesTheInstallationIsInTheUsersDataFolder) {
  QByteArray old = qgetenv("ProgramFiles");
  qunsetenv("ProgramFiles");
  EXPECT_TRUE(InstallationDir().endsWith("/Velmora/Formularios/"));
  EXPECT_FALSE(InstallationDir().startsWith("/Velmora"));
  if (!old.isEmpty()) qputenv("ProgramFiles", old);
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Waiting for the user's "Cerrar" sleeps between events instead of spinning a core.
TEST(EsperarCerrar, SleepsUntilTheUserPressesCerrar) {
  PopupState popup;
  popup.ShowStatus();
  popup.UseBoton(true);
  popup.EnableBoton(true);
  QTimer::singleShot(400, [&popup] { popup.ClickCerrar(); });
  QElapsedTimer wall;
  wall.start();
  const double cpu0 = ThreadCpuSeconds();
  EsperarCerrar(popup);
  const double cpu = ThreadCpuSeconds() - cpu0;
  EXPECT_TRUE(popup.Cerrar());
  EXPECT_GE(wall.elapsed(), 380);
  // Spinning would use the whole wait; sleeping uses next to nothing of it.
  EXPECT_LT(cpu, 0.25 * wall.elapsed() / 1000.0);
}

struct Case {
  const char* name;
  const char* sqlserver;
  const char* sqlite;
  const char* postgres;
};

// Every statement shape the component builds, as SQL Server text and as each engine must run it.
const Case kCases[] = {
    {"left in select list and order", "select Ncm,left(Ncm,10) as n from x Order by left(Ncm,10)",
     "select Ncm,substr(Ncm,1,10) as n from x Order by substr(Ncm,1,10)",
     "select Ncm,left(Ncm,10) as n from x Order by left(Ncm,10)"},
    {"LEFT upper case with blank before paren", "SELECT LEFT (NCM, 10) FROM x",
     "SELECT substr(NCM,1,10) FROM x", "SELECT LEFT (NCM, 10) FROM x"},
    {"left join keyword is not a call", "select * from a left join b on a.x = b.x",
     "select * from a left join b on a.x = b.x", "select * from a left join b on a.x = b.x"},
    {"isnull with nested cast and max", "select isnull(Max(CAST(id as int)),0) + 1 ,'N' from x",
     "select ifnull(Max(CAST(id as int)),0) + 1 ,'N' from x",
     "select coalesce(Max((case when trim(cast(id as text)) = '' then 0 else "
     "cast(trim(cast(id as text)) as int) end)),0) + 1 ,'N' from x"},
    {"cast as integer and like glued to order by",
     "select cast(Valor as Integer) as V from x where P like 'O_%'ORDER BY V",
     "select cast(Valor as Integer) as V from x where P like 'O_%'ORDER BY V",
     "select (case when trim(cast(Valor as text)) = '' then 0 else "
     "cast(trim(cast(Valor as text)) as integer) end) as V from x where P like 'O_%'ORDER BY V"},
    {"cast to a text type kept", "select cast(NroOrden as varchar(10)) from x",
     "select cast(NroOrden as varchar(10)) from x", "select cast(NroOrden as varchar(10)) from x"},
    {"function names inside literals stay text",
     "Insert into Articulos (DenoMerc) Values ('isnull(left(x,2)) it''s [raw] a'' + ''b')",
     "Insert into Articulos (DenoMerc) Values ('isnull(left(x,2)) it''s [raw] a'' + ''b')",
     "Insert into Articulos (DenoMerc) Values ('isnull(left(x,2)) it''s [raw] a'' + ''b')"},
    {"nested left inside isnull", "select isnull(left(Ncm,4),'') from x",
     "select ifnull(substr(Ncm,1,4),'') from x", "select coalesce(left(Ncm,4),'') from x"},
    {"len and bracketed names", "select len([Desc]) from [Tabla X]",
     "select length(\"Desc\") from \"Tabla X\"", "select length(Desc) from \"tabla x\""},
    {"texts joined with plus", "select '[' + IdCeo + ']-' + Estado, NroOrden + 1 from x",
     "select '[' || IdCeo || ']-' || Estado, NroOrden + 1 from x",
     "select '[' || IdCeo || ']-' || Estado, NroOrden + 1 from x"},
    {"getdate", "select getdate()", "select datetime('now','localtime')",
     "select to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS')"},
    {"character by code", "select 'a' + char(9) + 'b'", "select 'a' || char(9) || 'b'",
     "select 'a' || chr(9) || 'b'"},
    {"unbalanced call left as it stands", "select left(Ncm,10 from x", "select left(Ncm,10 from x",
     "select left(Ncm,10 from x"},
};

TEST(Dialect, TranslatesForEachEngine) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SqliteDialect().Translate(c.sqlserver), c.sqlite);
    EXPECT_EQ(PostgresDialect().Translate(c.sqlserver), c.postgres);
    EXPECT_EQ(SqlServerDialect().Translate(c.sqlserver), c.sqlserver);
  }
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { qputenv("ProgramFiles", tmp_.path().toLocal8Bit()); }
  void TearDown() override { qunsetenv("ProgramFiles"); }
  void MakeFormularios() { ASSERT_TRUE(QDir(tmp_.path()).mkpath("Velmora/Formularios")); }
  QByteArray ReadToday() const {
    QFile f(tmp_.path() + "/Velmora/Formularios/Logs/Ostrevan_" +
            QDate::currentDate().toString("yyyyMMdd") + ".Log");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir tmp_;
};

// Logs does not exist yet: the first line creates it, then the day's file with its separator;
// lines are in the ANSI code page, a character it lacks as "?". Each line is in its file when
// WriteLog returns, and the log starts no thread of its own: a line logged just before the host
// crashes is not lost in a queue.
TEST_F(LogTest, FirstLineOfDayGetsSeparatorAndEachLineIsInTheFileAtOnceInAnsi) {
  // Without Formularios nothing is created and nothing escapes.
  EXPECT_NO_THROW(WriteLog("x"));
  EXPECT_FALSE(modlog::OpenLog());
  EXPECT_FALSE(QFileInfo::exists(tmp_.path() + "/Velmora"));
  MakeFormularios();
  auto threads = [] {
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
  };
  const qsizetype before = threads();
  const QString written[] = {"----- Generamos el Paginado de Articulos -----",
                             QString::fromUtf8("Página ñ ?")};
  WriteLog(written[0]);
  ASSERT_TRUE(ReadToday().endsWith(QByteArray(" - " + written[0].toLatin1() + "\r\n")));
  WriteLog(QString::fromUtf8("Página ñ €"));

  const QString text = QString::fromLatin1(ReadToday());
  ASSERT_TRUE(text.endsWith("\r\n"));
  EXPECT_EQ(text.count('\n'), text.count("\r\n"));
  const QStringList lines = text.chopped(2).split("\r\n");
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QString(94, '-'));
  const QRegularExpression format(R"(^\d\d/\d\d/\d{4} \d\d:\d\d:\d\d - (.*)$)");
  for (int i = 0; i < 2; ++i) EXPECT_EQ(format.match(lines[i + 1]).captured(1), written[i]);
  EXPECT_EQ(threads(), before);
}

// Lines of concurrent writers all arrive, whole, each writer's in the order it logged them.
TEST_F(LogTest, ConcurrentWritersLoseNothingAndKeepTheirOrder) {
  MakeFormularios();
  constexpr int kThreads = 4, kLines = 300;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) WriteLog(QString("w%1 %2").arg(t).arg(i));
    });
  }
  for (auto& th : threads) th.join();
  const QStringList lines = QString::fromLatin1(ReadToday()).chopped(2).split("\r\n");
  ASSERT_EQ(lines.size(), 1 + kThreads * kLines);
  std::vector<int> next(kThreads, 0);
  const QRegularExpression format(R"( - w(\d) (\d+)$)");
  for (int i = 1; i < lines.size(); ++i) {
    const auto m = format.match(lines[i]);
    ASSERT_TRUE(m.hasMatch()) << lines[i].toStdString();
    EXPECT_EQ(m.captured(2).toInt(), next[m.captured(1).toInt()]++);
  }
}

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cGetTimer::SetClockForTests([this] { return ms_; }, [this] { return ticks_; });
  }
  void TearDown() override { cGetTimer::SetClockForTests(nullptr); }
  static QString Local(QString text) { return text.replace('.', QLocale::system().decimalPoint()); }
  int32_t ms_ = 0;
  int32_t ticks_ = 0;
};

TEST_F(TimerTest, ElapsedTimeDividesAndFixesTheDivisorAndTheLapShowsSeconds) {
  struct {
    int32_t elapsed;
    long divisor, divisor_after;
    const char* text;
  } cases[] = {
      {1234, 0, 1000, "1.234"},       {1234, -7, 1000, "1.234"}, {2000, 1000, 1000, "2.0"},
      {1234, 1, 1, "1234.0"},         {1234, 3, 3, "411.33333"}, {1, 100000, 100000, "0.00001"},
      {1, 10000000, 10000000, "0.0"},
  };
  for (const auto& c : cases) {
    cGetTimer t;
    ms_ = 5000;
    t.StartTimer();
    ms_ += c.elapsed;
    long divisor = c.divisor;
    EXPECT_EQ(t.ElapsedTIME(divisor), Local(c.text)) << c.elapsed << "/" << c.divisor;
    EXPECT_EQ(divisor, c.divisor_after);
  }
  // A run measured with StopTimer is kept, however long after it is asked for.
  cGetTimer t;
  ms_ = 0;
  t.StartTimer();
  ms_ = 500;
  t.StopTimer();
  ms_ = 9000;
  long divisor = 1000;
  EXPECT_EQ(t.ElapsedTIME(divisor), Local("0.5"));
  // The lap shows seconds with a point and keeps the timer running.
  for (auto [ms, text] : {std::pair{1500, "1.500s"}, {0, "0.000s"}, {123456, "123.456s"}}) {
    cGetTimer lap;
    ms_ = -200;
    lap.StartTimer();
    ms_ += ms;
    EXPECT_EQ(lap.LAP(), text);
    EXPECT_EQ(lap.TotalElapsedTime(), 0);
  }
  // On the tick count the lap still reads the millisecond clock.
  cGetTimer ticks;
  ticks.SetTimerType(0);
  ticks_ = 100;
  ms_ = 5000;
  ticks.StartTimer();
  ticks_ = 400;
  EXPECT_EQ(ticks.LAP(), "4.900s");
  ticks.StopTimer();
  EXPECT_EQ(ticks.TotalElapsedTime(), 300);
}

TEST_F(TimerTest, ClockRunningPast32BitsOverflows) {
  cGetTimer t;
  ms_ = INT32_MAX - 10;  // the clock wraps to negative after 24.8 days
  t.StartTimer();
  ms_ = INT32_MIN + 10;
  for (auto call : {+[](cGetTimer& x) { x.StopTimer(); }, +[](cGetTimer& x) { x.LAP(); }}) {
    try {
      call(t);
      ADD_FAILURE() << "no overflow";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), err::kOverflow);
    }
  }
  EXPECT_THROW(t.SetTimerType(long{INT32_MAX} + 1), RuntimeError);
}  // the destructor's StopTimer overflows too and must not terminate the test

}  // namespace
}  // namespace ostrevan
