// What a broker types comes back as typed, whatever it holds, on every engine: through the
// header, the origin-norm catalogue, the tariff wordings, the per-form parameters, the article
// editor, the unit replacements and the field layout.
#include "data/certificate_fixture.h"
#include "data/config_forms.h"
#include "data/item_work.h"

namespace ostrevan {
namespace {

using HostileTextsTest = test::CertificateTest;

const QString& LongText() {
  static const QString t = "O'Brien " + QString(3992, QChar(0x00F1));
  return t;
}

TEST_F(HostileTextsTest, EveryPathStoresWhatWasTyped) {
  const QString texts[] = {"O'Brien", "x'); DELETE FROM CeoMercosur; --",
                           QString::fromUtf8("Cañón ÁÉÍÓÚ ü ç «»"),
                           QString::fromUtf8("中文 日本語 한국어"), LongText()};
  Execute("CEOCFG", "insert into CeoParametros values ('CEO104', 'Nota', '')");
  Execute("CEOCFG", "insert into CeoConfig values ('CEO104Nota','10','20','Arial','9',0)");
  int n = 0;
  for (const QString& t : texts) {
    SCOPED_TRACE(t.left(40).toStdString());
    const QString id = "H" + QString::number(++n);
    Execute("OSTREVAN", "insert into CeoMercosur (IdCeo) values ('" + id + "')");
    // Each box gets a text of its own, so that one saved in another's column shows.
    auto boxText = [&](const CasillaInfo& c) -> QString {
      const QString own = QString(c.columna) + " \"\r\n";
      return own + t.left(4000 - own.size());
    };
    ChooseForm("CEO104");
    for (const CasillaInfo& c : Casillas()) CargaDatos().Box(c.casilla).SetText(boxText(c));
    St().sIdCeo = id;
    ASSERT_TRUE(GuardarCambios());
    // Loaded anew, with nothing left of what was typed.
    for (const CasillaInfo& c : Casillas()) CargaDatos().Box(c.casilla).SetText({});
    St().sIdFormulario.clear();
    St().bCertificadoCargado = false;
    CargarDatosAPlanilla(id);
    for (const CasillaInfo& c : Casillas()) {
      EXPECT_EQ(CargaDatos().Box(c.casilla).Text(), boxText(c)) << c.columna;
    }

    NuevaNorma().txtNorma.SetText(t);
    ASSERT_TRUE(Grabar());
    EXPECT_TRUE(Column("CATALOGOS", "select Descripcion from DescripcionNormasOrigen").contains(t));

    ASSERT_TRUE(UpdateNCMData("1234.56.7" + QString::number(n), t));
    EXPECT_EQ(GetNCMData("1234.56.7" + QString::number(n)), t);

    ASSERT_TRUE(SetCEOParamInfo("CEO104", "Nota", t));
    EXPECT_EQ(GetCEOParamInfo("CEO104", "Nota", false), t);

    // The article editor: a new item, then its texts edited. The description takes blanks
    // for apostrophes, as the editor always did; the tariff texts keep them.
    FrmAMArticulos& a = NuevoAMArticulos();
    a.txtNCM.SetText("1111.11.11");
    a.txtDenoMerc.SetText(t);
    a.txtPesoCant.SetText("1");
    a.txtValorFobUsd.SetText("2");
    ASSERT_TRUE(GuardarArticulo());
    const QString nro =
        Column("OSTREVAN", "select max(NroOrden) from Articulos where IdCeo = '" + id + "'")
            .value(0);
    a.edit = true;
    a.key = nro;
    for (TextBox* box : {&a.Txt_NCML1, &a.Txt_NCML2, &a.Txt_NCML3, &a.txt_TextoPartida}) {
      box->SetText(t);
    }
    ASSERT_TRUE(GuardarArticulo());
    EXPECT_EQ(Column("OSTREVAN",
                     "select DenoMerc || '|' || TextoNCM1 || '|' || TextoNCM2 || "
                     "'|' || TextoNCM3 || '|' || TextoPartida from Articulos where "
                     "IdCeo = '" +
                         id + "' and NroOrden = " + nro),
              QStringList{QString(t).replace('\'', ' ') + "|" + t + "|" + t + "|" + t + "|" + t});

    // The settings: a unit's replacement, a field's font, a form's property.
    config::FrmUnidades& u = config::LoadUnidades();
    u.Cmb_Unidades.SetText(t);
    u.txt_UnidadReemplazo.SetText(t);
    u.AddUnidad();
    EXPECT_EQ(GetUnidadDestino(t), t);
    config::FrmConfigProvisorio layout;
    layout.p_FormIdConfig = "CEO104";
    ASSERT_TRUE(layout.ActualizarCamposConfig("Nota", "10", "20", t, "9", 0));
    EXPECT_EQ(Column("CEOCFG", "select FontName from CeoConfig where Campo = 'CEO104Nota'"),
              QStringList{t});
    ASSERT_TRUE(layout.ActualizarPropiedadesParametros("CEO104", "Nota", t + "!"));
    EXPECT_EQ(GetCEOParamInfo("CEO104", "Nota", false), t + "!");
  }
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), static_cast<long>(std::size(texts)));
  EXPECT_EQ(Column("OSTREVAN", "select distinct PaisCodeCEO || IdFormulario from CeoMercosur"),
            QStringList{"ChileCEO104"});
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|");
}

}  // namespace
}  // namespace ostrevan
