// Pictures of every window of the component on the demo installation, for looking at them
// as a user would: ostrevan-screenshots FOLDER writes one PNG per window into FOLDER. The
// installation is built in a temporary folder and removed afterwards.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/demo_install.h"
#include "data/config_forms.h"
#include "data/dialogs.h"
#include "data/forms.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "data/schema.h"
#include "data/verificaciones.h"
#include "entry/cls_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/state.h"
#include "host/windows.h"
#include "job/preview.h"
#include "job/print_job.h"
#include "ui/common/widget_services.h"
#include "ui/config/config_windows.h"
#include "ui/edit/frm_cargadatos.h"
#include "ui/edit/frm_dsdhst.h"
#include "ui/edit/frm_hallazgos.h"
#include "ui/edit/item_windows.h"
#include "ui/list/lifecycle_windows.h"
#include "ui/preview/frm_vistaprevia.h"

namespace ostrevan {
namespace {

// The form chosen for the operation is CACIPRA's second; every other window the component
// asks for while the pictures are taken stays closed.
class ChooseForm final : public WindowService {
 public:
  int ShowModal(Window w) override {
    if (w != Window::SeleccionCertif) return 0;
    SeleccionCertif_Load();
    FrmSeleccionCertif& s = D().seleccion;
    s.Cmb_Camara.SetListIndex(s.Cmb_Camara.Items().indexOf("CACIPRA"));
    s.Cmb_CertificadoPais.SetListIndex(1);
    SeleccionCertif_KeyDown(122);
    return 0;
  }
};

QString folder;

void Save(QWidget& w, const QString& name) {
  w.show();
  // Long enough for the window's own queued work (layouts, first paint).
  QEventLoop wait;
  QTimer::singleShot(100, &wait, &QEventLoop::quit);
  wait.exec();
  const QString path = QDir(folder).filePath(name + ".png");
  if (!w.grab().save(path)) std::fprintf(stderr, "No se pudo guardar %s\n", qPrintable(path));
}

void EveryWindow() {
  Cls_Main c;
  c.CdoData("EX-2026-0001");
  c.Main();
  {
    ui::FrmSeleccionCertifWindow s;
    D().seleccion.Cmb_Camara.SetListIndex(1);
    Save(s, "seleccion");
  }
  ui::FrmCargaDatosWindow w;
  for (int t = 0; t < 4; ++t) {
    w.SSTab1()->setCurrentIndex(t);
    Save(w, QString("cargadatos-%1").arg(t + 1));
  }
  w.close();
  {
    NuevaListaNormas();
    InitNormas();
    ui::FrmListaNormasOrigenWindow n;
    Save(n, "normas");
    ui::FrmNuevaNormaWindow nueva;
    Save(nueva, "nueva-norma");
  }
  {
    NuevoAMArticulos().Tag = CargaDatos().MsfgParteI.TextMatrix(1, 1);
    CargaDatos().MsfgParteI.SetRow(1);
    ui::FrmAMArticulosWindow a;
    Save(a, "articulo");
  }
  {
    NuevoCambiaPosicion().NcmActual = CargaDatos().MsfgParteI.TextMatrix(1, 3);
    ui::FrmCambiaPosicionWindow c;
    Save(c, "cambio-posicion");
  }
  CargarListadoInternos(false);
  {
    ui::FrmOstrevanListaWindow l;
    Save(l, "listado");
  }
  {
    ui::FrmGuardaDatosWindow g;
    Save(g, "nuevo");
  }
  Lista().Msfg_ListadoMn.SetRow(1);
  {
    ui::FrmCeoBorraWindow b;
    Save(b, "borrar");
  }
  St().iPaginaDesde = 1;
  St().iPaginaHasta = 3;
  {
    ui::FrmDsdHstWindow d;
    Save(d, "paginas");
  }
  CargarDatosAPlanilla("EX-2026-0001");
  {
    Hallazgos().lista = VerificarParaImprimir(St().sIdCeo);
    ui::FrmHallazgosWindow h;
    Save(h, "hallazgos");
  }
  {
    Previa() = VistaPrevia();
    Previa().paginas = ComponerPaginas();
    Previa().fondo = FondoFormulario(St().sIdFormulario);
    ui::FrmVistaPreviaWindow v;
    Save(v, "vistaprevia");
  }

  // The configuration windows, on the certificate's form.
  config::ConfigForms& cf = config::Cf();
  config::LoadConfig();
  {
    ui::FrmConfigWindow s;
    Save(s, "config");
  }
  cf.provisorio = std::make_unique<config::FrmConfigProvisorio>();
  cf.provisorio->p_FormIdConfig = cf.config->sConfiguredIdForm;
  cf.provisorio->Form_Load();
  {
    ui::FrmConfigProvisorioWindow p;
    Save(p, "config-campos");
  }
  const Grid& g = cf.provisorio->MSFGCamposConfig;
  cf.updateCampos = std::make_unique<config::FrmUpdateCampos>();
  cf.updatePropiedades = std::make_unique<config::FrmUpdatePropiedades>();
  for (int r = g.Rows() - 1; r >= 1; --r) {
    if (g.TextMatrix(r, 6) == "P") {
      cf.updatePropiedades->Propiedad = g.TextMatrix(r, 0);
      cf.updatePropiedades->pTxtValue = g.TextMatrix(r, 3);
    } else {
      config::FrmUpdateCampos& c = *cf.updateCampos;
      c.Campo = g.TextMatrix(r, 0);
      c.ValorX = g.TextMatrix(r, 1);
      c.ValorY = g.TextMatrix(r, 2);
      c.pTxtFontName = g.TextMatrix(r, 3);
      c.pTxtFontSize = g.TextMatrix(r, 4);
      c.pTxtFontAlign = g.TextMatrix(r, 5).toLong();
    }
  }
  cf.updateCampos->MostrarValores();
  cf.updatePropiedades->MostrarValores();
  {
    ui::FrmUpdateCamposWindow c;
    Save(c, "config-campo");
    ui::FrmUpdatePropiedadesWindow p;
    Save(p, "config-propiedad");
  }
  config::LoadUnidades();
  {
    ui::FrmUnidadesWindow u;
    Save(u, "unidades");
  }
  config::LoadTemplates();
  {
    ui::FrmTemplatesWindow t;
    Save(t, "templates");
  }
  cf.sTemplateFormId = cf.config->sConfiguredIdForm;
  config::LoadTemplateActivation();
  {
    ui::FrmTemplateActivationWindow a;
    Save(a, "template-activacion");
  }
  {
    ui::FrmCalibraCeoWindow k;
    Save(k, "calibracion");
  }
  cf = config::ConfigForms{};
}

}  // namespace
}  // namespace ostrevan

int main(int argc, char** argv) {
  using namespace ostrevan;
  if (argc != 2) {
    std::fputs("Uso: ostrevan-screenshots CARPETA\n", stderr);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QTemporaryDir programFiles;
  if (!QDir().mkpath(folder) || !programFiles.isValid()) {
    std::fprintf(stderr, "No se pudo preparar la carpeta %s\n", qPrintable(folder));
    return 1;
  }
  SetMessageService(std::make_shared<ConsoleMessages>());
  SetStatusPopup(std::make_shared<ConsolePopup>());
  SetWindowService(std::make_shared<ChooseForm>());
  try {
    demo::BuildDemoInstallation(programFiles.path(), true);
    qputenv("ProgramFiles", QFile::encodeName(programFiles.path()));
    data::InstallSchema();
    EveryWindow();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", AsRuntimeError(e).Description().toUtf8().constData());
    return 1;
  }
  LiberarComponentes();
  std::printf("Imagenes en %s\n", qPrintable(folder));
  return 0;
}
