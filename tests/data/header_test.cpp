#include "data/certificate_fixture.h"
#include "host/msgbox.h"

namespace ostrevan {
namespace {

using test::CertificateTest;
using HeaderTest = CertificateTest;

TEST_F(HeaderTest, FormChoiceCarriesFormIdAndNomenclature) {
  struct Row {
    const char* form;
    bool naladisa;
    const char* shown;
  } rows[] = {{"CEO004", false, "NCM"}, {"CEO104", true, "NALADISA"}};
  for (const auto& r : rows) {
    ChooseForm(r.form);
    EXPECT_EQ(St().sIdFormulario, r.form);
    EXPECT_EQ(St().bNaladisa, r.naladisa);
    EXPECT_EQ(CargaDatos().Txt_TipoNomenclador.Text(), r.shown);
  }
  // An unknown form id changes nothing.
  ChooseForm("CEO104");
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
  EXPECT_FALSE(St().bRecargar);
  EXPECT_EQ(CargaDatos().Txt_Estado.Text(), "dos");
}

TEST_F(HeaderTest, SavingWithTheFormOnItsPromptWritesNothing) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Estado) values ('C1', 'antes')");
  FrmCargaDatos& f = CargaDatos();
  LoadCombos(f.Cmb_Camara, f.cboPais);
  f.Cmb_Camara.SetListIndex(0);  // the forms list now shows its prompt
  f.Txt_Estado.SetText("despues");
  St().sIdCeo = "C1";
  EXPECT_FALSE(GuardarCambios());
  ASSERT_EQ(messages->shown.size(), 2u);
  EXPECT_EQ(messages->shown[0].text,
            "Asegurese antes de guardar los datos, seleccionar la Camara y el Formulario acorde "
            "al Pais");
  EXPECT_EQ(messages->shown[0].style, vbExclamation);
  EXPECT_EQ(messages->shown[0].title, "Ostrevan - Grabar Datos");
  EXPECT_EQ(messages->shown[1].text, "La Información no ha sido actualizada");
  EXPECT_EQ(messages->shown[1].style, vbInformation);
  EXPECT_EQ(Column("OSTREVAN", "select Estado from CeoMercosur"), QStringList{"antes"});
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

TEST_F(HeaderTest, ParametersRouteOffsetsToTheInstallation) {
  struct Row {
    const char* property;
    bool invert;
    const char* value;
  } rows[] = {{"xoffset", false, "2,5"},
              {"XOFFSET", true, "99"},
              {"UsaFactura", false, "1"},
              {"usafactura", true, ""},
              {"Nada", false, ""}};
  for (const auto& r : rows) {
    EXPECT_EQ(GetCEOParamInfo("CEO004", r.property, r.invert), r.value) << r.property;
  }
  EXPECT_TRUE(SetCEOParamInfo("CEO004", "XOffset", "-1"));
  EXPECT_EQ(GetCEOParamInfo("CEO004", "XOFFSET", false), "-1");
  EXPECT_EQ(GetCEOParamInfo("CEO004", "XOFFSET", true), "99");
  EXPECT_FALSE(SetCEOParamInfo("CEO004", "NoExiste", "1"));  // nothing is inserted
}

TEST_F(HeaderTest, DuplicateHostRowsAreReported) {
  Run("INTERNOS", {"insert into Caratula values ('OP1','20-1','2','10')"});
  St().sInternoHost = "OP1";
  EXPECT_EQ(GetPaisDestinoFromInternoNuevo(), "");
  EXPECT_EQ(Messages(), QStringList{"Registro Duplicado"});
}

}  // namespace
}  // namespace ostrevan
