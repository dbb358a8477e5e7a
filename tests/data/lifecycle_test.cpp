// A certificate's life in the list and data-entry models: listed, made by hand, loaded, saved.
#include "data/certificate_fixture.h"
#include "data/dialogs.h"

namespace ostrevan {
namespace {

using test::CertificateTest;
using LifecycleTest = CertificateTest;
using HeaderTest = CertificateTest;

TEST_F(LifecycleTest, ListReselectsIgnoringCaseAndBlanks) {
  for (const char* id : {"A-1", "B-2", "C-3"}) {
    Execute("OSTREVAN", QString("insert into CeoMercosur (IdCeo, Descripcion, PaisDest, Estado) "
                                "values ('%1', 'd %1', 'Chile', 'Creando')")
                            .arg(id));
  }
  St().sInternoHost = " b-2 ";
  ASSERT_TRUE(CargarListadoInternos(false));
  const Grid& g = Lista().Msfg_ListadoMn;
  ASSERT_EQ(g.Rows(), 4);
  EXPECT_EQ(g.TextMatrix(1, 0), "C-3");  // newest id first
  EXPECT_EQ(g.Row(), 2);
  St().sInternoHost = "none";
  ASSERT_TRUE(CargarListadoInternos(true));  // keeps the row it had
  EXPECT_EQ(g.Row(), 2);
  ASSERT_TRUE(CargarListadoInternos(false));
  EXPECT_EQ(g.Row(), 0);  // no match: Enter and Delete do nothing
}

// A number typed by hand is checked with the host mode's end, in the creation tests.
TEST_F(LifecycleTest, ANewCertificateWithoutANumberGetsOneToldBeforeTheNameIsChecked) {
  D().guardaDatos.txtInterno.SetText("  ");
  EXPECT_FALSE(GuardaDatos_Aceptar());
  ASSERT_EQ(messages->shown.size(), 2u);
  EXPECT_TRUE(messages->shown[0].text.startsWith("Se genero automáticamente el interno número "));
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
  EXPECT_EQ(NumeroGenerado(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 9))), "240315-140509");
}

// A tab typed in an item's text must not shift the grid row's columns: it shows as a blank, and
// the stored text keeps it. The list of certificates is checked through "listar".
TEST_F(LifecycleTest, TabsInItemTextsShowAsBlanksInTheirOwnColumn) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('T1', 'CEO004')");
  AddItem("T1", 1, "1111.11.11", "1");
  Execute("OSTREVAN",
          "update Articulos set DenoMerc = 'tor' || char(9) || 'nillo', "
          "CodArticulo = 'A' || char(9) || '1'");
  CargarDatosAPlanilla("T1");
  const Grid& items = CargaDatos().MsfgParteI;
  ASSERT_EQ(items.Rows(), 2);
  EXPECT_EQ(items.TextMatrix(1, 5) + "|" + items.TextMatrix(1, 6), "A 1|tor nillo");
  EXPECT_EQ(Column("OSTREVAN", "select DenoMerc from Articulos"), QStringList{"tor\tnillo"});
}

// The form chosen through the windows, and the nomenclature it reads, are checked where the
// windows and the import use them.
TEST_F(HeaderTest, AnUnknownFormOrAChamberWithoutFormsKeepsNoOtherForm) {
  ChooseForm("CEO104");
  EXPECT_EQ(CargaDatos().Txt_TipoNomenclador.Text(), "NALADISA");
  // An unknown form id changes nothing.
  SetCombosFromIdFormulario(CargaDatos().Cmb_Camara, CargaDatos().cboPais, "GONE");
  EXPECT_EQ(St().sIdFormulario, "CEO104");
  // A chamber without forms keeps the previous entries and clears the form id.
  FrmCargaDatos& f = CargaDatos();
  f.Cmb_Camara.SetListIndex(1);  // CERA
  EXPECT_EQ(f.cboPais.ListCount(), 3);
  EXPECT_EQ(St().sIdFormulario, "");
}

// Loading one certificate after another must not take the second's form for a change the
// user made to the first: that saved the half-loaded texts over the first certificate.
TEST_F(HeaderTest, LoadingAnotherCertificateSavesNothing) {
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Estado, IdFormulario) values ('C1', 'uno', 'CEO104')");
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Estado, IdFormulario) values ('C2', 'dos', 'CEO004')");
  LoadCombos(CargaDatos().Cmb_Camara, CargaDatos().cboPais);
  CargarDatosAPlanilla("C1");
  CargarDatosAPlanilla("C2");
  EXPECT_EQ(Column("OSTREVAN", "select Estado || IdFormulario from CeoMercosur order by IdCeo"),
            (QStringList{"unoCEO104", "dosCEO004"}));
  EXPECT_EQ(CargaDatos().Txt_Estado.Text(), "dos");
}

// A settings database that cannot be reached is told once; the user's choice of chamber and
// form is not blamed, and what was typed stays in the boxes for the next try.
TEST_F(HeaderTest, SavingWithTheSettingsUnreachableSaysSoOnce) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Estado) values ('C1', 'antes')");
  ChooseForm("CEO004");
  CargaDatos().Txt_Estado.SetText("despues");
  St().sIdCeo = "C1";
  MapToNoServer("CEOCFG");
  ResetState();
  messages->shown.clear();
  EXPECT_FALSE(GuardarCambios());
  ASSERT_EQ(messages->shown.size(), 2u) << Messages().join("|").toStdString();
  EXPECT_TRUE(messages->shown[0].text.contains("entidad CEOCFG")) << Messages()[0].toStdString();
  EXPECT_EQ(messages->shown[1].text, "La Información no ha sido actualizada");
  EXPECT_EQ(CargaDatos().Txt_Estado.Text(), "despues");
}

}  // namespace
}  // namespace ostrevan
