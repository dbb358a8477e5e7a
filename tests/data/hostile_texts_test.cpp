// What a broker types comes back as typed, whatever it holds, on every engine: through the
// header, the origin-norm catalogue, the tariff wordings and the per-form parameters.
#include "data/certificate_fixture.h"
#include "data/item_work.h"
#include "host/sqltext.h"

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
  int n = 0;
  for (const QString& t : texts) {
    SCOPED_TRACE(t.left(40).toStdString());
    const QString id = "H" + QString::number(++n);
    Execute("OSTREVAN", "insert into CeoMercosur (IdCeo) values ('" + id + "')");
    ChooseForm("CEO104");
    for (auto& [box, column] : CargaDatos().HeaderBoxes()) box->SetText(t);
    St().sIdCeo = id;
    ASSERT_TRUE(GuardarCambios());
    CargaDatos().Txt_Importador.SetText("otro");
    CargarDatosAPlanilla(id);
    for (auto& [box, column] : CargaDatos().HeaderBoxes()) EXPECT_EQ(box->Text(), t) << column;

    NuevaNorma().txtNorma.SetText(t);
    ASSERT_TRUE(Grabar());
    EXPECT_EQ(Column("CATALOGOS",
                     "select Descripcion from DescripcionNormasOrigen where "
                     "Descripcion = '" +
                         SqlText(t) + "'"),
              QStringList{t});

    ASSERT_TRUE(UpdateNCMData("1234.56.7" + QString::number(n), t));
    EXPECT_EQ(GetNCMData("1234.56.7" + QString::number(n)), t);

    ASSERT_TRUE(SetCEOParamInfo("CEO104", "Nota", t));
    EXPECT_EQ(GetCEOParamInfo("CEO104", "Nota", false), t);
  }
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), static_cast<long>(std::size(texts)));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|");
}

}  // namespace
}  // namespace ostrevan
