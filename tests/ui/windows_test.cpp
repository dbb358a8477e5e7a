#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
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
#include "support/pdf_words.h"
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

TEST_F(WindowsTest, DelRemovesTheSelectedCertificateAndItsItems) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('ONLY', 'CEO004')");
  AddItem("ONLY", 1, "1111.11.11", "1");
  St().sInternoHost = "ONLY";
  CargarListadoInternos(false);
  ui::FrmOstrevanListaWindow list;
  list.show();
  QString title;
  QTimer::singleShot(200, [&title] {
    QWidget* confirm = QApplication::activeModalWidget();
    ASSERT_NE(confirm, nullptr);
    title = confirm->windowTitle();
    QTest::keyClick(confirm, Qt::Key_Return);
  });
  QTest::keyClick(&list, Qt::Key_Delete);
  EXPECT_EQ(title, "Confirmar acción de usuario");
  EXPECT_EQ(list.Msfg_ListadoMn()->model()->rowCount(), 0);
  EXPECT_EQ(Count("OSTREVAN", "Articulos"), 0);
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
}

// Whichever way the data-entry window was opened, a change of form brings it back on the same
// certificate, built for the new form, and the flag that asked for it is spent.
TEST_F(WindowsTest, AChangeOfFormReopensTheWindowWhereverItWasOpenedFrom) {
  const struct {
    const char* name;
    bool exists;    // the certificate is there before it is opened
    bool fromList;  // Enter in the list rather than the host's Main
  } rows[] = {{"the list", true, true},
              {"an existing certificate", true, false},
              {"the host's new certificate", false, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Execute("OSTREVAN", "delete from Articulos");
    Execute("OSTREVAN", "delete from CeoMercosur");
    if (r.exists)
      Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('OP1', 'CEO004')");
    int opened = 0;
    QString reopenedWith;
    std::function<void()> act = [&] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w) return QTimer::singleShot(20, act);
      if (w->windowTitle() == "Seleccionar Certificado / Pais") {
        auto* camara = w->findChild<QComboBox*>("Cmb_Camara");
        camara->activated(camara->findText("CAC"));
        auto* form = w->findChild<QComboBox*>("Cmb_CertificadoPais");
        form->activated(form->findText("Brasil"));
        QTest::keyClick(w, Qt::Key_F11);
        return QTimer::singleShot(50, act);
      }
      ++opened;
      auto* pais = w->findChild<QComboBox*>("cboPais");
      if (opened == 1) {
        QTest::qWait(20);
        pais->activated(pais->findText("Chile"));
        return QTimer::singleShot(400, act);
      }
      reopenedWith = pais->currentText();
      QTest::keyClick(w, Qt::Key_Escape);
    };
    QTimer::singleShot(50, act);
    if (r.fromList) {
      CargarListadoInternos(false);
      Lista().Msfg_ListadoMn.SetRow(1);
      IngresarRegistro();
    } else {
      Cls_Main c;
      c.CdoData("OP1");
      c.Main();
    }
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(reopenedWith, "Chile");
    EXPECT_FALSE(St().bRecargar);
    EXPECT_EQ(Column("OSTREVAN", "select IdFormulario from CeoMercosur where IdCeo = 'OP1'"),
              QStringList{"CEO104"});
  }
}

// A certificate made by hand starts without a form: the window shows no other certificate's
// captions, and choosing the form saves what was typed and builds the window for that form.
TEST_F(WindowsTest, AHandMadeCertificateTakesTheCaptionsOfTheFormChosenForIt) {
  St().sIdFormulario = "CEO104";  // the certificate opened before
  CargarListadoInternos(false);
  ui::FrmOstrevanListaWindow list;
  list.show();
  QStringList captions;
  int opened = 0;
  QPointer<QWidget> first;
  bool rebuilt = false;
  std::function<void()> act = [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return QTimer::singleShot(20, act);
    if (w->windowTitle() == "Crear Nuevo") {
      QTest::keyClicks(w->findChild<QLineEdit*>("txtInterno"), "M-1");
      QTest::keyClick(w->findChild<QLineEdit*>("txtInterno"), Qt::Key_Return);
      QTest::keyClicks(w->findChild<QLineEdit*>("Txt_Descripcion"), "D'Angelo");
      QTest::keyClick(w->findChild<QLineEdit*>("Txt_Descripcion"), Qt::Key_Return);
      return QTimer::singleShot(50, act);
    }
    ++opened;
    for (auto* l : w->findChildren<QLabel*>())
      if (l->text().startsWith("2) ")) captions << l->text();
    if (opened == 1) {
      first = w;
      auto* camara = w->findChild<QComboBox*>("Cmb_Camara");
      camara->activated(camara->findText("CAC"));
      auto* pais = w->findChild<QComboBox*>("cboPais");
      pais->activated(pais->findText("Brasil"));
      return QTimer::singleShot(400, act);
    }
    rebuilt = first.isNull();
    QTest::keyClick(w, Qt::Key_Escape);
  };
  QTimer::singleShot(50, act);
  QTest::keyClick(&list, Qt::Key_Insert);
  EXPECT_TRUE(rebuilt);
  EXPECT_EQ(captions, QStringList(2, "2) Importador (Nombre, Dirección, Pais)"));
  EXPECT_EQ(Column("OSTREVAN",
                   "select IdCeo || '|' || Descripcion || '|' || IdFormulario from "
                   "CeoMercosur"),
            QStringList{"M-1|D'Angelo|CEO004"});
}

// Crear Nuevo refuses a number already taken or a missing name in words the broker can act on;
// the window stays open with what was typed, nothing is written, and Esc closes the list.
TEST_F(WindowsTest, CrearNuevoRefusesATakenNumberOrAMissingName) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Descripcion) values ('E-1', 'primero')");
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
    QString left;
    bool open = false;
    QTimer::singleShot(100, [&] {
      QWidget* nuevo = QApplication::activeModalWidget();
      ASSERT_NE(nuevo, nullptr);
      auto* interno = nuevo->findChild<QLineEdit*>("txtInterno");
      auto* nombre = nuevo->findChild<QLineEdit*>("Txt_Descripcion");
      QTest::keyClicks(interno, r.numero);
      QTest::keyClick(interno, Qt::Key_Return);  // on to the name, nothing created yet
      QTest::keyClicks(nombre, r.nombre);
      QTest::keyClick(nombre, Qt::Key_Return);
      open = QApplication::activeModalWidget() == nuevo;
      left = nombre->text();
      QTest::keyClick(nombre, Qt::Key_Escape);
    });
    QTest::keyClick(&list, Qt::Key_Insert);
    EXPECT_TRUE(open);
    EXPECT_EQ(left, r.nombre);
    ASSERT_EQ(Messages().size(), 1);
    const QString message = QString::fromUtf8(r.message);
    EXPECT_EQ(r.whole ? Messages()[0] : Messages()[0].left(message.size()), message);
    EXPECT_EQ(Column("OSTREVAN", "select Descripcion from CeoMercosur"), QStringList{"primero"});
  }
  QTest::keyClick(&list, Qt::Key_Escape);
  EXPECT_FALSE(list.isVisible());
}

// F11 before a form is chosen keeps the choice window open with the reason, instead of reading
// the goods for a creation that cannot be saved.
TEST_F(WindowsTest, F11WithoutAFormSaysSoAndKeepsTheChoiceOpen) {
  int f11 = 0;
  bool stayed = false;
  QString opened;
  std::function<void()> act = [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return QTimer::singleShot(20, act);
    if (w->windowTitle() == "Seleccionar Certificado / Pais") {
      if (f11++ == 0) {
        // Nothing chosen; the key goes where the keyboard is, and is answered once.
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F11);
        stayed = QApplication::activeModalWidget() == w && w->isVisible();
        auto* camara = w->findChild<QComboBox*>("Cmb_Camara");
        camara->activated(camara->findText("CAC"));
        QTest::keyClick(w, Qt::Key_F11);  // a chamber but no form yet
        stayed = stayed && w->isVisible();
        auto* form = w->findChild<QComboBox*>("Cmb_CertificadoPais");
        form->activated(form->findText("Brasil"));
      }
      QTest::keyClick(w, Qt::Key_F11);
      return QTimer::singleShot(50, act);
    }
    opened = w->findChild<QComboBox*>("Cmb_Camara")->currentText();
    QTest::keyClick(w, Qt::Key_Escape);
  };
  QTimer::singleShot(50, act);
  Cls_Main c;
  c.CdoData("OP1");
  c.Main();
  EXPECT_TRUE(stayed);
  EXPECT_EQ(Messages(), QStringList(2,
                                    "Asegurese antes de guardar los datos, seleccionar la "
                                    "Camara y el Formulario acorde al Pais"));
  EXPECT_EQ(opened, "CAC");
  EXPECT_EQ(Column("OSTREVAN", "select IdFormulario from CeoMercosur"), QStringList{"CEO004"});
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
  QWidget* entryParent = nullptr;
  QWidget* configParent = nullptr;
  QWidget* entryOpened = nullptr;
  QString seen, focusAfterConfig;
  bool entryActiveAgain = false;
  int tabAfterConfig = -1;
  QTimer::singleShot(200, [&] {
    QWidget* entry = QApplication::activeModalWidget();
    ASSERT_NE(entry, nullptr);
    entryOpened = entry;
    entryParent = entry->parentWidget();
    seen = entry->findChild<QLineEdit*>("Txt_Descripcion")->text();
    auto* numero = entry->findChild<QLineEdit*>("Txt_FCNumero");
    numero->setFocus();
    QTimer::singleShot(200, [&] {
      QWidget* config = QApplication::activeModalWidget();
      ASSERT_NE(config, nullptr);
      configParent = config->parentWidget();
      // A key the settings do not take is not the data-entry window's either while they are
      // open: Ctrl+PgDn there would turn its page (and F12 print).
      QTest::keyClick(config->focusWidget() ? config->focusWidget() : config, Qt::Key_PageDown,
                      Qt::ControlModifier);
      QApplication::setActiveWindow(nullptr);
      QTest::keyClick(config, Qt::Key_Escape);
    });
    QTest::keyClick(numero, Qt::Key_F10);
    QApplication::processEvents();
    entryActiveAgain = QApplication::activeWindow() == entry;
    focusAfterConfig = entry->focusWidget() ? entry->focusWidget()->objectName() : QString();
    tabAfterConfig = entry->findChild<QTabWidget*>("SSTab1")->currentIndex();
    QTest::keyClick(entry, Qt::Key_Escape);
  });
  QTest::keyClick(&list, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(entryParent, &list);
  EXPECT_EQ(seen, "el unico");
  EXPECT_EQ(configParent, entryOpened);
  EXPECT_TRUE(entryActiveAgain);
  EXPECT_EQ(focusAfterConfig, "Txt_FCNumero");
  EXPECT_EQ(tabAfterConfig, 0);
  EXPECT_EQ(QApplication::activeWindow(), &list);

  // A message box: its parent is the window the keys went to, even with none active.
  QApplication::setActiveWindow(nullptr);
  QWidget* boxParent = nullptr;
  QTimer::singleShot(100, [&boxParent] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    boxParent = box->parentWidget();
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_EQ(ui::WidgetMessages().Show("Hola", vbOKOnly, QString()), vbOK);
  QApplication::processEvents();
  EXPECT_EQ(boxParent, &list);
  EXPECT_EQ(QApplication::activeWindow(), &list);
  EXPECT_EQ(list.focusWidget(), list.Msfg_ListadoMn());
}

// F11 says that it saved, on the window's status line (with the time, so a second F11 shows
// too); a save that failed says so in its message and leaves no such line.
TEST_F(WindowsTest, F11SaysOnTheStatusLineThatTheCertificateWasSaved) {
  const struct {
    const char* name;
    const char* form;  // none: the save fails
    bool saved;
  } rows[] = {{"saved", "'CEO004'", true}, {"the save fails", "null", false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    messages->shown.clear();
    Execute("OSTREVAN", "delete from CeoMercosur");
    Execute("OSTREVAN",
            QString("insert into CeoMercosur (IdCeo, IdFormulario) values ('C1', ") + r.form + ")");
    CargarDatosAPlanilla("C1");
    auto window = std::make_unique<ui::FrmCargaDatosWindow>();
    ui::FrmCargaDatosWindow& w = *window;
    w.show();
    auto* line = w.findChild<QLabel*>("Lbl_Guardado");
    QTest::keyClick(&w, Qt::Key_F11);
    EXPECT_EQ(line->text().startsWith("Datos guardados ("), r.saved) << line->text();
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(Messages().contains("La Información no ha sido actualizada"), !r.saved);
    window.reset();  // before its model
    UnloadCargaDatos();
  }
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
  std::vector<std::unique_ptr<ui::ClassicWindow>> windows;
  windows.push_back(std::make_unique<ui::FrmOstrevanListaWindow>());
  windows.push_back(std::make_unique<ui::FrmGuardaDatosWindow>());
  windows.push_back(std::make_unique<ui::FrmSeleccionCertifWindow>());
  windows.push_back(std::make_unique<ui::FrmCargaDatosWindow>());
  windows.push_back(std::make_unique<ui::FrmListaNormasOrigenWindow>());
  windows.push_back(std::make_unique<ui::FrmNuevaNormaWindow>());
  windows.push_back(std::make_unique<ui::FrmAMArticulosWindow>());
  windows.push_back(std::make_unique<ui::FrmCambiaPosicionWindow>());
  windows.push_back(std::make_unique<ui::FrmDsdHstWindow>());
  windows.push_back(std::make_unique<ui::FrmConfigWindow>());
  windows.push_back(std::make_unique<ui::FrmUnidadesWindow>());
  windows.push_back(std::make_unique<ui::FrmTemplatesWindow>());
  windows.push_back(std::make_unique<ui::FrmCalibraCeoWindow>());
  windows.push_back(std::make_unique<ui::FrmConfigCodWindow>());
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

// F12 names the file of its own run only: after a save that failed, an earlier run's PDF is
// not this certificate's print.
TEST_F(DemoWindowsTest, F12SaysWhereItPrintedOnlyWhenThisRunPrinted) {
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
  const struct {
    const char* name;
    bool saves;
    bool saysPrinted;
  } rows[] = {{"saved and printed", true, true}, {"the save fails", false, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    messages->shown.clear();
    if (!r.saves) Execute("OSTREVAN", "alter table CeoMercosur rename to Otra");
    QTest::keyClick(&w, Qt::Key_F12);
    EXPECT_EQ(!Messages().filter("El certificado se imprimio en el archivo ").isEmpty(),
              r.saysPrinted)
        << Messages().join("|");
    EXPECT_EQ(Messages().contains("La Información no ha sido actualizada"), !r.saves);
  }
}

// "DIALOGO": what the user chose in the platform's print dialog is where the pages go, the
// file of "Print to File (PDF)" included, not only a printer's name.
TEST_F(WindowsTest, ThePrintDialogsFileChoiceIsWhereThePagesGo) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
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
  const std::vector<test::Word> words = test::PdfWords(pdf);
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].text, "ELEGIDO");
  EXPECT_NEAR(words[0].x, 20 + print::kAreaLeftMm, 0.5);  // drawn by the library: at its mm
}

}  // namespace
}  // namespace ostrevan
