// Printing a 2,000-item certificate to PDF, against a bare loop that reads the same rows with
// one plain query, draws the same texts at the same positions with QPdfWriter and writes the
// same trace lines the same way (the file opened, the line appended, the file closed, before
// going on). A print reads its certificate from the database, so the bare loop does too.
#include <fcntl.h>
#include <unistd.h>

#include <QDate>
#include <algorithm>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include "app/synthetic_data.h"
#include "bench_common.h"
#include "data/mod_main.h"
#include "host/log.h"
#include "print/backends.h"
#include "print/item_lines.h"
#include "job/print_job.h"
#include "print/print_settings.h"
#include "print/printlib.h"

using namespace ostrevan;

namespace {

QString TodaysLog() {
  return InstallationDir() + "Logs/Ostrevan_" + QDate::currentDate().toString("yyyyMMdd") + ".Log";
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The trace lines one print run writes, each with its line end.
std::vector<QByteArray> TraceOfOneRun(const std::function<void()>& run) {
  const qsizetype before = ReadAll(TodaysLog()).size();
  run();
  const QByteArray added = ReadAll(TodaysLog()).mid(before);
  std::vector<QByteArray> lines;
  for (qsizetype at = 0; at < added.size();) {
    qsizetype end = added.indexOf("\r\n", at);
    end = end < 0 ? added.size() : end + 2;
    lines.push_back(added.mid(at, end - at));
    at = end;
  }
  return lines;
}

// A log line the bare way: open for append, write, close.
void AppendLine(const QByteArray& path, const QByteArray& line) {
  const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
  if (fd < 0) return;
  if (::write(fd, line.constData(), static_cast<size_t>(line.size())) != line.size()) {
    std::fputs("bare log line not written\n", stderr);
  }
  ::close(fd);
}

// The certificate's header and items as the print orders them, every column a print needs.
size_t BareRead(const QString& id) {
  QSqlDatabase db = QSqlDatabase::database("bare");
  if (!db.isValid()) {
    db = QSqlDatabase::addDatabase("QSQLITE", "bare");
    db.setDatabaseName(InstallationDir() + "Datos/OSTREVAN.db");
    db.open();
  }
  QSqlQuery q(db);
  std::vector<QString> values;
  q.exec("select * from CeoMercosur where IdCeo = '" + id + "'");
  while (q.next()) {
    for (int c = 0; c < q.record().count(); ++c) values.push_back(q.value(c).toString());
  }
  q.exec("select distinct *, Ncm as Nomenclador from Articulos where IdCeo = '" + id +
         "' order by Ncm, IdNormasOrigen");
  while (q.next()) {
    for (const char* c : {"NroOrden", "Nomenclador", "IdNormasOrigen", "CodArticulo", "DenoMerc",
                          "Unidad", "TextoPartida", "TextoNCM1", "TextoNCM2", "TextoNCM3",
                          "PesoCant", "ValorFobUsd"}) {
      values.push_back(q.value(c).toString());
    }
  }
  return values.size();
}

void BareLoop(const std::vector<print::Page>& pages, const QString& file,
              const std::vector<QByteArray>& trace, const QByteArray& logPath) {
  if (BareRead("P2000") == 0) std::fputs("bare read found no rows\n", stderr);
  // The trace comes before the pages, as the pagination writes it before drawing.
  for (const QByteArray& line : trace) AppendLine(logPath, line);
  QPdfWriter w(file);
  w.setResolution(print::kPdfDpi);
  w.setPageSize(QPageSize(QPageSize::A4));
  w.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter p(&w);
  const double dotsPerMm = print::kPdfDpi / 25.4;
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) w.newPage();
    for (const print::PlacedText& t : pages[i].texts) {
      QFont f(t.fontName.isEmpty() ? "Liberation Sans" : t.fontName);
      f.setPointSizeF(t.fontSize);
      p.setFont(f);
      p.drawText(QPointF((t.x + print::kAreaLeftMm) * dotsPerMm,
                         (t.y + print::kAreaTopMm) * dotsPerMm + p.fontMetrics().ascent()),
                 t.text);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  bench::Scratch scratch;
  scratch.Demo();
  demo::AddHostOperation("P2000", 2000, 20);
  ComponentState& st = St();
  st.sInternoHost = "P2000";
  st.sIdFormulario = "CEO004";
  GetPaisDestinoFromInternoNuevo();
  CrearInterno();
  LoadFromQuandor();
  CargarDatosAPlanilla("P2000");

  auto recorder = std::make_shared<print::RecordingBackend>();
  print::SetBackendFactory([recorder](const QString&) { return recorder; });
  const std::vector<QByteArray> trace = TraceOfOneRun([] { EnviaImpresion(); });
  const std::vector<print::Page> pages = recorder->jobs.at(0);
  size_t texts = 0;
  for (const auto& p : pages) texts += p.texts.size();
  const QByteArray bareLog = QFile::encodeName(scratch.Path() + "/bare.Log");

  const QString pdf = scratch.Path() + "/ours.pdf";
  auto backend = std::make_shared<print::PdfBackend>(pdf);
  print::SetBackendFactory([backend](const QString&) { return backend; });
  const auto [ours, bare] =
      bench::MedianSeconds([] { EnviaImpresion(); },
                           [&] { BareLoop(pages, scratch.Path() + "/bare.pdf", trace, bareLog); });
  bench::Report("print of a 2,000-item certificate to PDF", ours, bare, 1.2);
  const double traceAlone = bench::Seconds([&] {
    for (const QByteArray& line : trace) AppendLine(bareLog, line);
  });
  std::printf("  its %zu trace lines, written alone the bare way, take %.3f s\n", trace.size(),
              traceAlone);
  // A session that prints two certificates costs what the two prints cost apart: nothing of
  // the first run is kept, and nothing of it has to be undone for the second.
  demo::AddHostOperation("P300", 300, 7);
  st.sInternoHost = "P300";
  st.sIdFormulario = "CEO104";
  GetPaisDestinoFromInternoNuevo();
  CrearInterno();
  LoadFromQuandor();
  auto printOf = [](const char* id) {
    return [id] {
      St().sIdCeo = id;
      EnviaImpresion();
    };
  };
  std::vector<double> sessions, aparts;
  for (int i = 0; i < 5; ++i) {
    sessions.push_back(bench::Seconds([&] {
      printOf("P2000")();
      printOf("P300")();
    }));
    aparts.push_back(bench::Seconds(printOf("P2000")) + bench::Seconds(printOf("P300")));
  }
  std::sort(sessions.begin(), sessions.end());
  std::sort(aparts.begin(), aparts.end());
  const double session = sessions[2], apart = aparts[2];
  bench::Report("two prints in one session, against the two apart", session, apart, 1.1);
  if (qEnvironmentVariableIsSet("OSTREVAN_BENCH_DETAIL")) {
    print::Impresora p;
    print::PrePrintState pre;
    print::PrintRun run = PrintRunFor("P2000");
    print::TraerConfig(run);
    std::printf("  lines and pages %.3f s\n",
                bench::Seconds([&] { print::Getarticulos(run, p, 30, pre); }));
    std::printf("  20,000 log lines %.3f s\n", bench::Seconds([] {
                  for (int i = 0; i < 20000; ++i) WriteLog("Linea: 1 de 30(1/5000)");
                }));
    std::printf("  pdf backend alone %.3f s\n", bench::Seconds([&] {
                  QString e;
                  print::PdfBackend(scratch.Path() + "/b.pdf").Print(pages, "x", &e);
                }));
  }
  std::printf("  %zu pages, %zu texts (target under 3 s)\n", pages.size(), texts);
  return 0;
}
