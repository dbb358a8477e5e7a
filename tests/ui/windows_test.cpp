#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>

#include "data/certificate_fixture.h"
#include "data/cod_datos.h"
#include "data/config_forms.h"
#include "data/dialogs.h"
#include "data/item_work.h"
#include "entry/cls_main.h"
#include "host/ini.h"
#include "host/msgbox.h"
#include "job/page_range.h"
#include "print/backends.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/config/config_windows.h"
#include "ui/edit/frm_cargadatos.h"
#include "ui/edit/frm_dsdhst.h"
#include "ui/edit/item_windows.h"
#include "ui/list/lifecycle_windows.h"

namespace ostrevan {
namespace {

using test::CertificateTest;

// Real windows; the "user" acts on whichever window is modal at the time.
class WindowsTest : public CertificateTest {
 protected:
  void SetUp() override {
    CertificateTest::SetUp();
    SetWindowService(std::make_shared<ui::WidgetWindows>());
  }
};

// Whichever way the data-entry window was opened, a change of form brings it back on the same
// certificate, built for the new form, and the flag that asked for it is spent. A certificate
// made by hand starts without a form and shows no other certificate's captions; the host's new
// one has its form chosen first, and F11 there keeps the choice open with the reason until a
// chamber and a form are chosen.
TEST_F(WindowsTest, AChangeOfFormReopensTheWindowWhereverItWasOpenedFrom) {
  const QString brasil = "2) Importador (Nombre, Dirección, Pais)";
  const QString chile = "2) IMPORTADOR (Razón social, Dirección)";
  const struct {
    const char* name;
    bool exists;           // the certificate is there before it is opened
    Qt::Key key;           // in the list; none: the host's Main opens it
    const char* form;      // chosen in the data-entry window
    QStringList captions;  // box 2's, in the first window and in the one rebuilt
    const char* stored;    // number, name and form afterwards
    int refusals;          // of F11 in the choice of form
  } rows[] = {
      {"the host's new certificate",
       false,
       Qt::Key_unknown,
       "Chile",
       {brasil, chile},
       "OP1|[ OP1 ] - [ Quandor ]|CEO104",
       2},
      {"Enter in the list", true, Qt::Key_Return, "Chile", {brasil, chile}, "OP1||CEO104", 0},
      {"an existing certificate",
       true,
       Qt::Key_unknown,
       "Chile",
       {brasil, chile},
       "OP1||CEO104",
       0},
      // Opened after a certificate of the other form, whose captions it must not show.
      {"made by hand", false, Qt::Key_Insert, "Brasil", {brasil, brasil}, "M-1|D'Angelo|CEO004", 0},
  };

  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    messages->shown.clear();
    Execute("OSTREVAN", "delete from CeoMercosur");
    if (r.exists)
      Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('OP1', 'CEO004')");
    QStringList captions;
    bool stayed = false;
    QPointer<QWidget> first;  // the data-entry window the form was changed in
    std::function<void()> act = [&] {
      QWidget* w = QApplication::activeModalWidget();
      // After the change of form, only the rebuilt data-entry window is acted on, whenever the
      // reload brings it up.
      if (!w || (first && w == first) ||
          (!captions.isEmpty() && w->objectName() != "Frm_CargaDatos")) {
        return QTimer::singleShot(20, act);
      }
      auto* camara = w->findChild<QComboBox*>("Cmb_Camara");
      if (w->windowTitle() == "Crear Nuevo") {
        QTest::keyClicks(w->findChild<QLineEdit*>("txtInterno"), "M-1");
        QTest::keyClick(w->findChild<QLineEdit*>("txtInterno"), Qt::Key_Return);
        QTest::keyClicks(w->findChild<QLineEdit*>("Txt_Descripcion"), "D'Angelo");
        QTest::keyClick(w->findChild<QLineEdit*>("Txt_Descripcion"), Qt::Key_Return);
        return QTimer::singleShot(50, act);
      }
      if (w->windowTitle() == "Seleccionar Certificado / Pais") {
        // Nothing chosen, then a chamber only; the key goes where the keyboard is, and is
        // answered once.
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F11);
        camara->activated(camara->findText("CAC"));
        QTest::keyClick(w, Qt::Key_F11);
        stayed = w->isVisible();
        auto* form = w->findChild<QComboBox*>("Cmb_CertificadoPais");
        form->activated(form->findText("Brasil"));
        QTest::keyClick(w, Qt::Key_F11);
        return QTimer::singleShot(50, act);
      }
      for (auto* l : w->findChildren<QLabel*>()) {
        if (l->text().startsWith("2) ")) captions << l->text();
      }
      auto* pais = w->findChild<QComboBox*>("cboPais");
      if (captions.size() == 1) {
        first = w;
        camara->activated(camara->findText("CAC"));
        pais->activated(pais->findText(r.form));
        return QTimer::singleShot(20, act);
      }
      QTest::keyClick(w, Qt::Key_Escape);
    };
    QTimer::singleShot(50, act);
    if (r.key == Qt::Key_unknown) {
      Cls_Main c;
      c.CdoData("OP1");
      c.Main();
    } else {
      CargarListadoInternos(false);
      if (r.exists) Lista().Msfg_ListadoMn.SetRow(1);
      ui::FrmOstrevanListaWindow list;
      list.show();
      QTest::keyClick(&list, r.key);
    }
    EXPECT_EQ(captions, r.captions);
    EXPECT_FALSE(St().bRecargar);
    EXPECT_EQ(Column("OSTREVAN",
                     "select IdCeo || '|' || coalesce(Descripcion, '') || '|' || IdFormulario "
                     "from CeoMercosur"),
              QStringList{r.stored});
    EXPECT_EQ(stayed, r.refusals > 0);
    EXPECT_EQ(Messages(), QStringList(r.refusals,
                                      "Asegurese antes de guardar los datos, seleccionar la "
                                      "Camara y el Formulario acorde al Pais"));
  }
}

// Crear Nuevo refuses a number already taken or a missing name in words the broker can act on;
// the window stays open with what was typed, and nothing is written. Del, confirmed, removes the
// certificate with its items, and Esc closes the list.
TEST_F(WindowsTest, TheListCreatesOnlyWhatItCanAndDelRemovesACertificateWithItsItems) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Descripcion) values ('E-1', 'primero')");
  AddItem("E-1", 1, "1111.11.11", "1");
  CargarListadoInternos(false);
  ui::FrmOstrevanListaWindow list;
  list.show();
  const struct {
    const char *numero, *nombre;
    const char* message;
    bool whole;  // the message is all of it, not only its start
  } rows[] = {
      {"N-1", "", "El Campo Nombre Descriptivo debe contener alguna información", true},
      {"E-1", "segundo", "Ya existe un certificado con el Interno Nro ", false},
      {"e-1", "segundo", "Ya existe un certificado con el Interno Nro ", false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.numero);
    messages->shown.clear();
    QTimer::singleShot(100, [&r] {
      QWidget* nuevo = QApplication::activeModalWidget();
      ASSERT_NE(nuevo, nullptr);
      auto* interno = nuevo->findChild<QLineEdit*>("txtInterno");
      auto* nombre = nuevo->findChild<QLineEdit*>("Txt_Descripcion");
      QTest::keyClicks(interno, r.numero);
      QTest::keyClick(interno, Qt::Key_Return);  // on to the name, nothing created yet
      QTest::keyClicks(nombre, r.nombre);
      QTest::keyClick(nombre, Qt::Key_Return);
      EXPECT_EQ(QApplication::activeModalWidget(), nuevo);
      EXPECT_EQ(nombre->text(), r.nombre);
      QTest::keyClick(nombre, Qt::Key_Escape);
    });
    QTest::keyClick(&list, Qt::Key_Insert);
    ASSERT_EQ(Messages().size(), 1);
    const QString message = QString::fromUtf8(r.message);
    EXPECT_EQ(r.whole ? Messages()[0] : Messages()[0].left(message.size()), message);
    EXPECT_EQ(Column("OSTREVAN", "select Descripcion from CeoMercosur"), QStringList{"primero"});
  }
  Lista().Msfg_ListadoMn.SetRow(1);
  QTimer::singleShot(200,
                     [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
  QTest::keyClick(&list, Qt::Key_Delete);
  EXPECT_EQ(list.Msfg_ListadoMn()->model()->rowCount(), 0);
  EXPECT_EQ(Count("OSTREVAN", "Articulos"), 0);
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
  QTest::keyClick(&list, Qt::Key_Escape);
  EXPECT_FALSE(list.isVisible());
}

// F8 accepts a valid range too, to see it before printing it.
TEST_F(WindowsTest, ThePageRangeWindowAcceptsWithEnterF11OrF8AndCancelsOnlyWithCancelar) {
  const struct {
    const char* name;
    Qt::Key key;
    const char* focus;  // the control that has the key
    const char *typedDesde, *typedHasta;
    int desde, hasta;  // the range the print run reads afterwards
    bool open;         // the window stays open
    bool preview;
  } rows[] = {
      {"Enter", Qt::Key_Return, "txtHasta", "2", "3", 2, 3, false, false},
      {"F11", Qt::Key_F11, "txtDesde", "2", "3", 2, 3, false, false},
      // Nothing stored: every page prints.
      {"Esc", Qt::Key_Escape, "txtDesde", "2", "3", 1, 5, false, false},
      {"Enter on Cancelar", Qt::Key_Return, "Command2", "2", "3", 0, 0, false, false},
      {"Enter on Aceptar", Qt::Key_Return, "cmdAceptar", "2", "3", 2, 3, false, false},
      {"F8", Qt::Key_F8, "txtDesde", "2", "3", 2, 3, false, true},
      {"F8 on a reversed range", Qt::Key_F8, "txtDesde", "4", "2", 1, 5, true, false},
      {"F8 from page 0", Qt::Key_F8, "txtHasta", "0", "3", 1, 5, true, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    St().iPaginaDesde = 1;
    St().iPaginaHasta = 5;
    ui::FrmDsdHstWindow d;
    d.show();
    d.txtDesde()->setText(r.typedDesde);
    d.txtHasta()->setText(r.typedHasta);
    QWidget* target = d.findChild<QWidget*>(r.focus);
    ASSERT_NE(target, nullptr);
    target->setFocus();
    QTest::keyClick(target, r.key);
    EXPECT_EQ(d.isVisible(), r.open);
    EXPECT_EQ(St().iPaginaDesde, r.desde);
    EXPECT_EQ(St().iPaginaHasta, r.hasta);
    EXPECT_EQ(DsdHst().vistaPrevia, r.preview);
  }
}

// Enter opens the chosen certificate. Every window is transient for the window that opened it, and
// once it closes the keys go back to that window where they were: the data-entry window opened from
// the list, the settings opened with F10 from the data-entry window, and a message box, also when
// no window is active (as X leaves it without a window manager).
TEST_F(WindowsTest, EveryWindowBelongsToItsOpenerAndGivesItTheKeysBack) {
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Descripcion, IdFormulario) values "
          "('ONLY', 'el unico', 'CEO004')");
  CargarListadoInternos(false);
  Lista().Msfg_ListadoMn.SetRow(1);
  ui::FrmOstrevanListaWindow list;
  list.show();
  int reached = 0;
  QTimer::singleShot(200, [&] {
    QWidget* entry = QApplication::activeModalWidget();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->parentWidget(), &list);
    EXPECT_EQ(entry->findChild<QLineEdit*>("Txt_Descripcion")->text(), "el unico");
    auto* numero = entry->findChild<QLineEdit*>("Txt_FCNumero");
    numero->setFocus();
    QTimer::singleShot(200, [&reached, entry] {
      QWidget* config = QApplication::activeModalWidget();
      ASSERT_NE(config, nullptr);
      EXPECT_EQ(config->parentWidget(), entry);
      // A key the settings do not take is not the data-entry window's either while they are
      // open: Ctrl+PgDn there would turn its page (and F12 print).
      QTest::keyClick(config->focusWidget() ? config->focusWidget() : config, Qt::Key_PageDown,
                      Qt::ControlModifier);
      QApplication::setActiveWindow(nullptr);
      QTest::keyClick(config, Qt::Key_Escape);
      ++reached;
    });
    QTest::keyClick(numero, Qt::Key_F10);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), entry);
    EXPECT_EQ(entry->focusWidget(), numero);
    EXPECT_EQ(entry->findChild<QTabWidget*>("SSTab1")->currentIndex(), 0);
    QTest::keyClick(entry, Qt::Key_Escape);
    ++reached;
  });
  QTest::keyClick(&list, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(reached, 2);
  EXPECT_EQ(QApplication::activeWindow(), &list);

  // A message box: its parent is the window the keys went to, even with none active.
  QApplication::setActiveWindow(nullptr);
  QTimer::singleShot(100, [&list] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), &list);
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_EQ(ui::WidgetMessages().Show("Hola", vbOKOnly, QString()), vbOK);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &list);
  EXPECT_EQ(list.focusWidget(), list.Msfg_ListadoMn());
}

// No control the user works with needs the mouse: each takes the focus with Tab, or the
// window's keys label names its key.
TEST_F(WindowsTest, EveryControlIsReachableFromTheKeyboard) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('C1', 'CEO004')");
  AddItem("C1", 1, "1111.11.11", "1");
  CargarListadoInternos(false);
  Lista().Msfg_ListadoMn.SetRow(1);
  CargarDatosAPlanilla("C1");
  config::LoadConfig();
  config::LoadUnidades();
  config::LoadTemplates();
  NuevaListaNormas();
  InitNormas();
  NuevoAMArticulos().Tag = "1";
  NuevoCambiaPosicion().NcmActual = "1111.11.11";
  ConfigCod().Form_Load("CEO004");
  // The controls that take no focus, and the key that does their work instead.
  const std::map<QString, QString> keyOf = {{"Cmd_Config", "[F10]"}};
  std::unique_ptr<ui::ClassicWindow> windows[] = {
      std::make_unique<ui::FrmOstrevanListaWindow>(),
      std::make_unique<ui::FrmGuardaDatosWindow>(),
      std::make_unique<ui::FrmSeleccionCertifWindow>(),
      std::make_unique<ui::FrmCargaDatosWindow>(),
      std::make_unique<ui::FrmListaNormasOrigenWindow>(),
      std::make_unique<ui::FrmNuevaNormaWindow>(),
      std::make_unique<ui::FrmAMArticulosWindow>(),
      std::make_unique<ui::FrmCambiaPosicionWindow>(),
      std::make_unique<ui::FrmDsdHstWindow>(),
      std::make_unique<ui::FrmConfigWindow>(),
      std::make_unique<ui::FrmUnidadesWindow>(),
      std::make_unique<ui::FrmTemplatesWindow>(),
      std::make_unique<ui::FrmCalibraCeoWindow>(),
      std::make_unique<ui::FrmConfigCodWindow>()};
  for (auto& w : windows) {
    SCOPED_TRACE(w->windowTitle().toStdString() + " / " +
                 w->findChild<QLabel*>("Lbl_Seccion")->text().toStdString());
    w->show();
    for (QWidget* c : w->findChildren<QWidget*>()) {
      // The parts of a table, a tab strip, a scroll area or an editable drop-down are reached
      // through it.
      QWidget* p = c->parentWidget();
      if (!c->isVisibleTo(w.get()) || !c->isEnabled() || qobject_cast<QHeaderView*>(c) ||
          qobject_cast<QTabBar*>(p) || qobject_cast<QComboBox*>(p) ||
          qobject_cast<QAbstractItemView*>(p) ||
          (p && p->objectName().startsWith("qt_scrollarea"))) {
        continue;
      }
      auto* line = qobject_cast<QLineEdit*>(c);
      auto* area = qobject_cast<QPlainTextEdit*>(c);
      const bool works = qobject_cast<QAbstractButton*>(c) || qobject_cast<QComboBox*>(c) ||
                         qobject_cast<QAbstractItemView*>(c) || qobject_cast<QAbstractSlider*>(c) ||
                         (line && !line->isReadOnly()) || (area && !area->isReadOnly());
      if (!works || (c->focusPolicy() & Qt::TabFocus)) continue;
      const auto key = keyOf.find(c->objectName());
      EXPECT_TRUE(key != keyOf.end() && w->Lbl_Opciones()->text().contains(key->second))
          << c->metaObject()->className() << " " << c->objectName().toStdString();
    }
    w.reset();
  }
  UnloadCargaDatos();
}

using DemoWindowsTest = test::DemoTest;

// F11, F12 and F8 say on the window's status line that they saved (with the time, so a second
// F11 shows too), and F12 names the file it printed to; a save that failed says so and leaves
// neither: an earlier run's PDF is not this certificate's print.
TEST_F(DemoWindowsTest, F11AndF12SayWhatTheyDidOnlyWhenTheSaveWorked) {
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Descripcion, IdFormulario) values "
          "('W1', 'ventana', 'CEO104')");
  Execute("OSTREVAN",
          "insert into Articulos (IdCeo, NroOrden, NALADISA, DenoMerc, PesoCant, ValorFobUsd, "
          "Unidad) values ('W1', 1, '2222.22', 'Tornillos', 2, 3, 'KG')");
  // The bare certificate would stop at the checks; here only the save decides.
  Execute("CEOCFG", "insert into CeoParametros values ('CEO104', 'VERIFICAR', 'N')");
  CargarDatosAPlanilla("W1");
  ui::FrmCargaDatosWindow w;
  w.show();
  auto* line = w.findChild<QLabel*>("Lbl_Guardado");
  const struct {
    const char* name;
    Qt::Key key;
    bool saves;
  } rows[] = {{"F12 saved and printed", Qt::Key_F12, true},
              {"F11 fails", Qt::Key_F11, false},
              {"F12 fails", Qt::Key_F12, false},
              {"F11 saved", Qt::Key_F11, true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    messages->shown.clear();
    if (!r.saves) Execute("OSTREVAN", "alter table CeoMercosur rename to Otra");
    QTest::keyClick(&w, r.key);
    if (!r.saves) Execute("OSTREVAN", "alter table Otra rename to CeoMercosur");
    EXPECT_EQ(line->text().startsWith("Datos guardados ("), r.saves) << line->text();
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(!Messages().filter("El certificado se imprimio en el archivo ").isEmpty(),
              r.saves && r.key == Qt::Key_F12)
        << Messages().join("|");
    EXPECT_EQ(Messages().contains("La Información no ha sido actualizada"), !r.saves);
  }
}

// "DIALOGO": what the user chose in the platform's print dialog is where the pages go, the
// file of "Print to File (PDF)" included, not only a printer's name.
TEST_F(WindowsTest, ThePrintDialogsFileChoiceIsWhereThePagesGo) {
  QDir().mkpath(Dir() + "Cfg");
  clINI().GuardarINI("MOD_TODLL", "Destino", "DIALOGO", Dir() + "Cfg/Impresoras.ini");
  print::SetPrintDialogHook(ui::PrintDialogChoice);
  const QString pdf = Dir() + "elegido en el dialogo.pdf";
  bool driven = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    auto* printers = dialog->findChild<QComboBox*>("printers");
    auto* file = dialog->findChild<QLineEdit*>("filename");
    const int toFile = printers ? printers->findText("PDF", Qt::MatchContains) : -1;
    if (!file || toFile < 0) {
      dialog->close();  // the assertions below say what was missing
      return;
    }
    printers->setCurrentIndex(toFile);
    file->clear();
    QTest::keyClicks(file, pdf);
    QTest::keyClick(dialog, Qt::Key_Return);
    driven = true;
  });
  print::Impresora p;
  const bool chosen = p.selectandsetprinter("MOD_TODLL");
  print::SetPrintDialogHook(nullptr);
  ASSERT_TRUE(driven);
  ASSERT_TRUE(chosen) << Messages().join("|").toStdString();
  QString e;
  bool f = false;
  p.set_Agregotexto("ELEGIDO", 20, 30, "Arial", "10", e, f);
  bool flag = true;
  ASSERT_NO_THROW(p.imprimirINICFGPRog("MOD_TODLL", flag));
  EXPECT_EQ(p.LastOutput(), pdf);
  EXPECT_TRUE(QFile::exists(pdf));
}

}  // namespace
}  // namespace ostrevan
