#include "data/certificate_fixture.h"

namespace ostrevan {
namespace {

using test::CertificateTest;
using ItemGridTest = CertificateTest;

TEST_F(ItemGridTest, GroupsNumbersShadingAndNorms) {
  AddItem("X", 1, "A", "1", "dichos A");
  AddItem("X", 2, "A", "1", "se borra");
  AddItem("X", 3, "A", "2", "dichos A2");
  AddItem("X", 4, "B", "", "dichos B");
  AddItem("X", 5, "C", "1");
  St().sIdCeo = "X";
  CargarArticulosEnGrid(0);
  const Grid& g = CargaDatos().MsfgParteI;
  ASSERT_EQ(g.Rows(), 6);
  struct Row {
    const char* group;
    const char* code;
    unsigned back;
    unsigned fore;
  } want[] = {{"1", "A", kGroupShadeA, kGroupFirstRowFore},
              {"", "", kGroupShadeA, Grid::kDefaultFore},
              {"2", "A", kGroupShadeB, kGroupFirstRowFore},
              {"3", "B", kGroupShadeA, kGroupFirstRowFore},
              {"4", "C", kGroupShadeB, kGroupFirstRowFore}};
  for (int r = 1; r <= 5; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(g.TextMatrix(r, 1), QString::number(r));
    EXPECT_EQ(g.TextMatrix(r, 2), want[r - 1].group);
    EXPECT_EQ(g.TextMatrix(r, 3), want[r - 1].code);
    EXPECT_EQ(g.RowBackColor(r), want[r - 1].back);
    EXPECT_EQ(g.RowForeColor(r), want[r - 1].fore);
  }
  EXPECT_EQ(g.TextMatrix(1, 7), "2.00 KG");
  EXPECT_EQ(g.TextMatrix(1, 8), "3.46");
  // Only the continuation row loses its wording.
  EXPECT_EQ(Column("OSTREVAN", "select TextoPartida from Articulos order by NroOrden"),
            QStringList({"dichos A", "", "dichos A2", "dichos B", ""}));
  // The norm-less group adds nothing to the norm list.
  const Grid& normas = CargaDatos().MsfgParteII;
  ASSERT_EQ(normas.Rows(), 4);
  EXPECT_EQ(normas.TextMatrix(2, 2), "Norma dos");
  EXPECT_EQ(normas.TextMatrix(3, 1), "4");
  EXPECT_FALSE(popup->Visible());
}

TEST_F(ItemGridTest, KeptRowBecomesTopRowAndEmptyOrNewFormsKeepTheTitles) {
  for (int i = 1; i <= 6; ++i) AddItem("X", i, QString("N%1").arg(i), "1");
  St().sIdCeo = "X";
  CargarArticulosEnGrid(5);
  EXPECT_EQ(CargaDatos().MsfgParteI.TopRow(), 5);
  CargarArticulosEnGrid(0);
  EXPECT_EQ(CargaDatos().MsfgParteI.TopRow(), 1);
  St().sIdCeo = "NONE";
  CargarArticulosEnGrid(0);
  EXPECT_EQ(CargaDatos().MsfgParteI.Rows(), 1);
  // A window built anew without a certificate loaded into it, as for a new one made by hand.
  UnloadCargaDatos();
  EXPECT_EQ(CargaDatos().MsfgParteI.Cols(), 9);
  EXPECT_EQ(CargaDatos().MsfgParteII.Cols(), 3);
}

TEST_F(ItemGridTest, PartidaTextsAndTariffWordings) {
  AddItem("X", 1, "A", "1", "uno");
  AddItem("X", 2, "A", "1", "dos");
  St().sIdCeo = "X";
  // All of a position's items take a wording through the article editor's test.
  UpdateDichosDePartida("A", 1, "solo O'Hara", false);
  EXPECT_EQ(GetDichosDePartidaArticulo("A", 1), "solo O'Hara");
  EXPECT_EQ(GetDichosDePartidaArticulo("A", 2), "dos");

  // A wording saved twice is inserted once and then updated; the nomenclatures stay apart.
  EXPECT_TRUE(UpdateNCMData("9999", "primera"));
  EXPECT_TRUE(UpdateNCMData("9999", "segunda d'or"));
  EXPECT_EQ(GetNCMData("9999"), "segunda d'or");
  EXPECT_EQ(Count("CATALOGOS", "NCMCEO", "NCM = '9999'"), 1);
  St().bNaladisa = true;
  EXPECT_EQ(GetNCMData("9999"), "");
  EXPECT_TRUE(UpdateNCMData("9999", "naladisa"));
  EXPECT_EQ(GetNCMData("9999"), "naladisa");
  St().bNaladisa = false;
  EXPECT_EQ(GetNCMData("9999"), "segunda d'or");
}

}  // namespace
}  // namespace ostrevan
