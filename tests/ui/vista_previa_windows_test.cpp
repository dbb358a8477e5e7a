// F12 checks before it prints, F8 previews, and the preview window answers its keys.
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include "data/verificaciones.h"
#include "job/preview.h"
#include "job/print_job.h"
#include "print/print_fixture.h"
#include "ui/edit/frm_cargadatos.h"
#include "ui/edit/frm_hallazgos.h"
#include "ui/preview/frm_vistaprevia.h"

namespace ostrevan {
namespace {

// The findings window as the user sees it, answered with one key; the page range takes
// every page; the preview answers as a test says.
class CheckedPrintTest : public test::PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    windows->actions[Window::Hallazgos] = [this] {
      ui::FrmHallazgosWindow d;
      d.show();
      for (const Hallazgo& h : Hallazgos().lista) listed << h.codigo + ":" + h.control;
      QTest::keyClick(&d, key);
      closed = !d.isVisible();
    };
    windows->actions[Window::VistaPrevia] = [this] {
      pages = Previa().paginas.size();
      Previa().resultado = previewAnswer;
    };
    Certificate(2);
    FrmCargaDatos& f = CargaDatos();
    f.Txt_PaisDest.SetText("Brasil");
    f.Txt_MedioTransporte.SetText("Camion");
    f.Txt_FCFecha.SetText("01/03/2024");
    f.Txt_DeclProdFin.SetText("Argentina");
    f.Txt_FCNumero.SetText("");  // the user left the invoice number empty
  }
  Qt::Key key = Qt::Key_Escape;  // in the findings
  QStringList listed;
  bool closed = false;
  size_t pages = 0;
  VistaPrevia::Resultado previewAnswer = VistaPrevia::Cerrar;
};

TEST_F(CheckedPrintTest, F12WithAnEmptyInvoiceNumberPrintsOnlyWhenF12IsPressedInTheFindings) {
  ui::FrmCargaDatosWindow w;
  w.show();
  w.SSTab1()->setCurrentIndex(2);
  const struct {
    Qt::Key key;
    size_t jobs;
    int tab;  // where the data-entry window is afterwards
  } rows[] = {{Qt::Key_Escape, 0, 2}, {Qt::Key_Return, 0, 0}, {Qt::Key_F12, 1, 0}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.key);
    key = r.key;
    listed.clear();
    QTest::keyClick(&w, Qt::Key_F12);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(listed.contains("CASILLA-VACIA:Txt_FCNumero")) << listed.join(",");
    EXPECT_EQ(recorder->jobs.size(), r.jobs);
    EXPECT_EQ(w.SSTab1()->currentIndex(), r.tab);
  }
  EXPECT_EQ(w.focusWidget()->objectName(), "Txt_FCNumero");  // Enter went to the box to fix
  EXPECT_EQ(Column("OSTREVAN", "select FcNro from CeoMercosur"), QStringList{""});
}

// With the checks off, F12 prints straight away; F8 previews every page and prints only when
// asked there.
TEST_F(CheckedPrintTest, WithTheChecksOffF12PrintsAndF8PrintsOnlyFromThePreview) {
  ui::FrmCargaDatosWindow w;
  w.show();
  Param("CEO004", {{"VERIFICAR", "N"}});
  QTest::keyClick(&w, Qt::Key_F12);
  EXPECT_EQ(recorder->jobs.size(), 1u);
  EXPECT_FALSE(windows->Showed(Window::Hallazgos));
  for (auto answer : {VistaPrevia::Cerrar, VistaPrevia::Imprimir}) {
    previewAnswer = answer;
    QTest::keyClick(&w, Qt::Key_F8);
    EXPECT_EQ(pages, 1u);
  }
  EXPECT_EQ(recorder->jobs.size(), 2u);
}

TEST_F(CheckedPrintTest, ThePreviewWindowPagesZoomsTogglesAndPrints) {
  Execute("OSTREVAN", "delete from Articulos");
  for (int i = 1; i <= 40; ++i) AddItem("P1", i, QString::number(1000 + i), "1");
  Previa() = VistaPrevia();
  Previa().paginas = ComponerPaginas();
  ASSERT_GE(Previa().paginas.size(), 3u);
  ui::FrmVistaPreviaWindow d;
  d.show();
  const double dpi = d.logicalDpiX();
  const struct {
    Qt::Key key;
    int page;
    double pxPerMm;  // 0: fit, smaller than 100 %
    bool form;
  } rows[] = {
      {Qt::Key_PageDown, 1, 0, true},
      {Qt::Key_PageDown, 2, 0, true},
      {Qt::Key_PageUp, 1, 0, true},
      {Qt::Key_F6, 1, dpi / 25.4, true},
      {Qt::Key_F7, 1, 2 * dpi / 25.4, true},
      {Qt::Key_F8, 1, 2 * dpi / 25.4, false},
      {Qt::Key_F5, 1, 0, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.key);
    QTest::keyClick(&d, r.key);
    EXPECT_EQ(Previa().actual, r.page);
    if (r.pxPerMm > 0) {
      EXPECT_DOUBLE_EQ(d.PxPorMm(), r.pxPerMm);
    } else {
      EXPECT_LT(d.PxPorMm(), dpi / 25.4);
    }
    EXPECT_EQ(Previa().mostrarFormulario, r.form);
    EXPECT_TRUE(d.Estado()->text().startsWith(QString("Pagina %1 de").arg(r.page + 1)));
  }
  QTest::keyClick(&d, Qt::Key_F12);
  EXPECT_EQ(Previa().resultado, VistaPrevia::Imprimir);
  EXPECT_FALSE(d.isVisible());
}

}  // namespace
}  // namespace ostrevan
