#include "data/certificate_fixture.h"

namespace ostrevan {
namespace {

using test::CertificateTest;
using HeaderTest = CertificateTest;

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
