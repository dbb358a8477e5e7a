// Marking a whole tariff position (Control+Space) and attaching an origin norm to it (F6) on
// a 2,000-item certificate, from the key to the reloaded grid, against the same statements
// run bare: the items' positions, the norm update of each item and the grid's query.
#include <QApplication>
#include <QKeyEvent>

#include "bench_common.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "host/windows.h"
#include "ui/common/flexgrid.h"
#include "ui/edit/frm_cargadatos.h"
#include "ui/common/widget_services.h"

using namespace ostrevan;

namespace {
constexpr int kItems = 2000;

// The key as the grid receives it from the keyboard.
void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods);
  QApplication::sendEvent(w, &release);
}

// The pick list answers at once with the norm the round asks for: the user's time to choose
// is not the program's.
class PickNorm final : public WindowService {
 public:
  int ShowModal(Window) override {
    ListaNormas().IdNormaOrigen = norm;
    ListaNormas().UpdateRequired = true;
    return 0;
  }
  QString norm = "1";
};
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  bench::Scratch scratch;
  scratch.Demo();
  ui::WidgetServices widgets;  // the popup a user sees while the grid reloads
  auto pick = std::make_shared<PickNorm>();
  SetWindowService(pick);
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Descripcion, IdFormulario) values ('BENCH', 'banco', "
          "'CEO004')");
  {
    Transaction tx(Conn("OSTREVAN"));
    for (int i = 1; i <= kItems; ++i) {
      Execute("OSTREVAN", QString("insert into Articulos (IdCeo, NroOrden, NCM, DenoMerc, "
                                  "PesoCant, ValorFobUsd, Unidad, IdNormasOrigen) values "
                                  "('BENCH', %1, '8708.29.99', 'Articulo %1', 1, 2, 'KG', '')")
                              .arg(100000 + i));
    }
  }
  CargarDatosAPlanilla("BENCH");
  St().sIdCeo = "BENCH";
  St().sIdFormulario = "CEO004";
  CargarArticulosEnGrid(0);
  ui::FrmCargaDatosWindow w;
  w.show();
  w.SSTab1()->setCurrentIndex(1);
  Grid& g = CargaDatos().MsfgParteI;
  int marked = 0;
  int round = 0;
  auto ours = [&] {
    pick->norm = (++round % 2) ? "1" : "2";
    g.SetRow(1);
    const double marking =
        bench::Seconds([&] { Key(w.MsfgParteI(), Qt::Key_Space, Qt::ControlModifier); });
    if (qEnvironmentVariableIsSet("OSTREVAN_BENCH_DETAIL")) {
      std::printf("  marking %.3f s\n", marking);
    }
    marked = static_cast<int>(CargaDatos().selected.size());
    Key(w.MsfgParteI(), Qt::Key_F6);
    QApplication::processEvents();  // the reloaded grid is painted
  };
  bench::RawSqlite raw(InstallationPath("Datos/OSTREVAN.db"));
  auto bare = [&] {
    const QString norm = (round % 2) ? "3" : "4";
    raw.Exec("Select NroOrden, NCM as NCM From Articulos Where IdCeo = 'BENCH'");
    raw.Exec("BEGIN");
    for (int i = 1; i <= kItems; ++i) {
      raw.Exec(QString("update articulos set idnormasorigen = '%1' where NCM = '8708.29.99' and "
                       "IDCeo = 'BENCH' and NroOrden = %2")
                   .arg(norm)
                   .arg(100000 + i));
    }
    raw.Exec("COMMIT");
    raw.Exec(
        "select distinct * , Ncm as Nomenclador from articulos Where idceo ='BENCH' order "
        "by Ncm , IdNormasOrigen");
  };
  if (qEnvironmentVariableIsSet("OSTREVAN_BENCH_DETAIL")) {
    std::printf("  reload alone %.3f s\n", bench::Seconds([] { CargarArticulosEnGrid(0); }));
  }
  const auto [a, b] = bench::MedianSeconds(ours, bare, {}, 5);
  bench::Report("Ctrl+Space and F6 on 2,000 items", a, b, 0);
  std::printf(
      "  %d items marked, %d rows after the reload, norm %s on the first (target: the "
      "whole path under 0.5 s: %s)\n",
      marked, g.Rows() - 1, qPrintable(g.TextMatrix(1, 4)), a < 0.5 ? "met" : "NOT met");
  return 0;
}
