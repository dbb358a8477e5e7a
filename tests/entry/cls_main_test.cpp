// Cls_Main as the host drives it. Creating the certificate of a host operation: it exists
// finished or not at all, an operation the host lacks or a cancelled choice creates nothing,
// and the host mode ends with Main, before the host's call lists the certificates.
#include "entry/cls_main.h"

#include <QDir>

#include "data/certificate_fixture.h"

namespace ostrevan {
namespace {

using test::CertificateTest;
using MainTest = CertificateTest;

class CreationTest : public CertificateTest {
 protected:
  void SetUp() override {
    CertificateTest::SetUp();
    ChooseInDialog("CAC", "Brasil", 122, [this] {
      if (whileChoosing) whileChoosing();
    });
  }
  void RunMain(const QString& interno) {
    Cls_Main c;
    c.CdoData(interno);
    c.Main();
  }
  std::function<void()> whileChoosing;
};

TEST_F(CreationTest, AFailedCreationLeavesNoTraceAndSaysWhy) {
  const struct {
    const char* name;
    const char* breakIt;  // done while the user chooses the form
    const char* reason;   // a message shown names it
    const char* repair;
  } rows[] = {
      {"items cannot be written", "alter table Articulos rename to Otra", "LoadFromQuandor",
       "alter table Otra rename to Articulos"},
      {"the form is gone when the header is completed",
       "delete from CeoFormularios where IdFormulario = 'CEO004'",
       "Asegurese antes de guardar los datos",
       "insert into CeoFormularios values ('CEO004','Brasil','01')"},
      {"the header cannot be written", "alter table CeoMercosur rename to Otra",
       "El Interno no pudo ser creado", "alter table Otra rename to CeoMercosur"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    messages->shown.clear();
    windows->shown.clear();
    whileChoosing = [&] { Execute("OSTREVAN", r.breakIt); };
    RunMain("OP1");
    Execute("OSTREVAN", r.repair);
    EXPECT_FALSE(Messages().filter(r.reason).isEmpty()) << Messages().join("|");
    EXPECT_FALSE(St().bCertificadoCargado);
    EXPECT_FALSE(windows->Showed(Window::CargaDatos));
    EXPECT_FALSE(popup->Visible());
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
    EXPECT_EQ(Count("OSTREVAN", "Articulos"), 0);
  }
}

TEST_F(CreationTest, AnOperationThatCannotBeUsedCreatesNothing) {
  RunMain("OP1");  // an earlier operation's exporter and id are in the state
  ASSERT_EQ(Count("OSTREVAN", "CeoMercosur"), 1);
  const struct {
    const char* interno;
    const char* message;            // "": an embedder without windows, told nothing
    std::vector<const char*> host;  // done to the host's database first
  } rows[] = {
      {"NOPE-1", "No se encontro la operacion NOPE-1", {}},
      {"OP7",
       "la operacion OP7 figura mas de una vez",
       {"insert into Caratula values ('OP7','20-1','2','10'), ('OP7','20-1','2','10')"}},
      {"OP8", "No se pudo leer la operacion OP8", {"alter table Caratula rename to Caratula2"}},
      {"OP1X",
       "",
       {"alter table Caratula2 rename to Caratula",
        "insert into Caratula values ('OP1X','20-1','2','10')"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.interno);
    messages->shown.clear();
    windows->shown.clear();
    for (const char* st : r.host) Run("INTERNOS", {st});
    std::shared_ptr<WindowService> old;
    if (!*r.message) old = SetWindowService(nullptr);
    RunMain(r.interno);
    if (old) SetWindowService(old);
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 1);
    EXPECT_EQ(Count("OSTREVAN", "Articulos", "IdCeo <> 'OP1'"), 0);
    EXPECT_FALSE(windows->Showed(Window::SeleccionCertif));
    if (*r.message) {
      EXPECT_FALSE(Messages().filter(r.message).isEmpty()) << Messages().join("|");
    }
  }
}

// Another workstation creates the same operation while this one chooses the form: this one is
// told in the system's words and leaves the other's certificate alone. A number the host
// passes with a blank after it is the operation's number.
TEST_F(CreationTest, TheSameOperationCreatedElsewhereMeanwhileIsADuplicate) {
  whileChoosing = [&] {
    Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Descripcion) values ('OP1', 'la otra')");
  };
  RunMain("OP1 ");
  EXPECT_FALSE(St().bCertificadoCargado);
  EXPECT_FALSE(Messages().filter("Registro Duplicado: el certificado OP1 ya existe").isEmpty())
      << Messages().join("|");
  for (const char* raw : {"UNIQUE", "duplicate key"}) {
    EXPECT_TRUE(Messages().filter(raw).isEmpty()) << Messages().join("|");
  }
  EXPECT_EQ(Column("OSTREVAN", "select Descripcion from CeoMercosur"), QStringList{"la otra"});
  EXPECT_EQ(Count("OSTREVAN", "Articulos"), 0);
}

TEST_F(CreationTest, TheHostModeEndsWithMainAndTheHostsCallThenListsEveryCertificate) {
  Run("INTERNOS", {"insert into Caratula values ('OP2','20-1','2','10')"});
  using W = Window;
  const struct {
    const char* name;
    const char* interno;
    int key;  // in the form choice
    std::vector<Window> shown;
  } rows[] = {
      {"a new certificate", "OP1", 122, {W::SeleccionCertif, W::CargaDatos, W::OstrevanLista}},
      {"an existing certificate", "OP1", 122, {W::CargaDatos, W::OstrevanLista}},  // no choice
      {"the form choice cancelled", "OP2", 27, {W::SeleccionCertif, W::OstrevanLista}},
  };
  // The list the host's call shows after Main: on the host's certificate, once it exists.
  int listedOn = -1;
  windows->actions[Window::OstrevanLista] = [&] { listedOn = Lista().Msfg_ListadoMn.Row(); };
  int n = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    windows->shown.clear();
    messages->shown.clear();
    ChooseInDialog("CAC", "Brasil", r.key);
    Cls_Main c;
    c.CdoData(r.interno);
    c.IniciaProyecto();
    EXPECT_FALSE(St().bDesdeHost);
    EXPECT_EQ(windows->shown, r.shown);
    const bool chosen = r.key == 122;  // a cancelled choice creates and opens nothing
    EXPECT_EQ(listedOn, chosen ? 1 : 0);
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur", "IdCeo = '" + QString(r.interno) + "'"),
              chosen ? 1 : 0);
    if (chosen) {
      EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|");
      EXPECT_EQ(Column("OSTREVAN",
                       "select IdFormulario || ': ' || ProdFinExp from CeoMercosur "
                       "where IdCeo = 'OP1'"),
                QStringList{"CEO004: O'Neil S.A.\r\nCalle 1\r\nRosario"});
      EXPECT_EQ(CargaDatos().Txt_Descripcion.Text(), "[ OP1 ] - [ Quandor ]");
      EXPECT_EQ(CargaDatos().MsfgParteI.Rows(), 4);  // the host's three items
    }
    // The user then creates a certificate by hand from the list: an apostrophe in its number
    // becomes a blank, and a blank after it goes.
    const QString id = "O Neil " + QString::number(++n);
    D().guardaDatos.txtInterno.SetText("O'Neil " + QString::number(n) + " ");
    D().guardaDatos.Txt_Descripcion.SetText("Exportación d'Alba");
    EXPECT_TRUE(GuardaDatos_Aceptar());
    EXPECT_EQ(Column("OSTREVAN", "select Descripcion from CeoMercosur where IdCeo = '" + id + "'"),
              QStringList{"Exportación d'Alba"});
    EXPECT_EQ(Column("OSTREVAN", "select Descripcion from CeoMercosur where IdCeo = 'OP1'"),
              QStringList{"[ OP1 ] - [ Quandor ]"});
  }
  EXPECT_EQ(Count("OSTREVAN", "Articulos", "IdCeo = 'OP2'"), 0);
}

TEST_F(MainTest, WithoutAnOperationOnlyTheComponentsAreCreated) {
  QDir(Dir() + "Datos").removeRecursively();
  ResetAll();
  Cls_Main c;
  c.Main();
  EXPECT_TRUE(St().comp.main && St().comp.internos && St().comp.ini);
  EXPECT_TRUE(windows->shown.empty());
  EXPECT_FALSE(St().bDesdeHost);
  EXPECT_FALSE(QDir(Dir() + "Datos").exists());  // no database was even opened
}

TEST_F(MainTest, PropertiesOfTheHost) {
  Cls_Main c;
  c.InternoQuandor("A");
  c.InternoQuandor("B");
  EXPECT_EQ(c.InternoQuandor(), "A");
  c.CdoData("C");
  EXPECT_EQ(c.InternoQuandor(), "C");
  c.CdoData("");
  EXPECT_EQ(c.InternoQuandor(), "C");
  QString mine = "/somewhere/else";
  c.Pathcfg(mine);
  EXPECT_EQ(mine, InstallationDir());
  EXPECT_EQ(c.Pathcfg(), InstallationDir());
  c.PRGPRINTER("Laser");
  c.PRGPRINTER("");
  EXPECT_EQ(St().sPrinter, "Laser");
}

// The host's own operation is where the list stands: checked with the host mode's end.
TEST_F(MainTest, IniciaProyectoWithoutAnOperationListsEveryCertificate) {
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Descripcion) values ('A1', 'uno'), ('B2', 'dos')");
  QStringList seen;
  windows->actions[Window::OstrevanLista] = [&] {
    const Grid& g = Lista().Msfg_ListadoMn;
    for (int row = 1; row < g.Rows(); ++row) seen << g.TextMatrix(row, 0);
  };
  Cls_Main().IniciaProyecto();
  EXPECT_EQ(seen, QStringList({"B2", "A1"}));
}

// The host's call ends normally whatever stops the list: the user is told, the host goes on.
TEST_F(MainTest, IniciaProyectoNeverEndsInAnErrorOfItsOwn) {
  MapToNoServer("OSTREVAN");
  ResetAll();
  Cls_Main c;
  EXPECT_NO_THROW(c.IniciaProyecto());
  EXPECT_FALSE(Messages().filter("entidad OSTREVAN").isEmpty())
      << Messages().join("|").toStdString();
}

}  // namespace
}  // namespace ostrevan
