// Pictures of the windows on the demo installation, for looking at them as a user would:
// OSTREVAN_SCREENSHOTS=folder ui_tests --gtest_filter='Screenshots*'
#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "data/config_forms.h"
#include "data/dialogs.h"
#include "data/forms.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "data/verificaciones.h"
#include "entry/cls_main.h"
#include "host/state.h"
#include "job/preview.h"
#include "job/print_job.h"
#include "support/fixtures.h"
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

using test::DemoTest;

class Screenshots : public DemoTest {
 protected:
  void SetUp() override {
    folder = qEnvironmentVariable("OSTREVAN_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "set OSTREVAN_SCREENSHOTS to a folder";
    DemoTest::SetUp();
  }
  void Save(QWidget& w, const QString& name) {
    w.show();
    QTest::qWait(100);
    w.grab().save(folder + "/" + name + ".png");
  }
  QString folder;
};

TEST_F(Screenshots, EveryWindow) {
  windows->actions[Window::SeleccionCertif] = [] {
    SeleccionCertif_Load();
    FrmSeleccionCertif& s = D().seleccion;
    s.Cmb_Camara.SetListIndex(s.Cmb_Camara.Items().indexOf("CACIPRA"));
    s.Cmb_CertificadoPais.SetListIndex(1);
    SeleccionCertif_KeyDown(122);
  };
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
    Previa().imagenFormulario = ImagenFormulario(St().sIdFormulario);
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
