// A tab typed in a text must not shift a grid row's columns: it shows as a blank, and the
// stored text keeps it.
#include "data/certificate_fixture.h"

namespace ostrevan {
namespace {

using test::CertificateTest;

TEST_F(CertificateTest, TabsInTextsShowAsBlanksInTheirOwnColumn) {
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Descripcion, PaisDest, Estado, IdFormulario) values "
          "('T1', 'con' || char(9) || 'tab', 'Bra' || char(9) || 'sil', 'Creando', 'CEO004')");
  AddItem("T1", 1, "1111.11.11", "1");
  Execute("OSTREVAN",
          "update Articulos set DenoMerc = 'tor' || char(9) || 'nillo', "
          "CodArticulo = 'A' || char(9) || '1'");
  St().sInternoHost = "T1";
  ASSERT_TRUE(CargarListadoInternos(false));
  CargarDatosAPlanilla("T1");
  const Grid& lista = Lista().Msfg_ListadoMn;
  const Grid& items = CargaDatos().MsfgParteI;
  const struct {
    const char* name;
    const Grid& grid;
    int col;
    const char* shown;
  } rows[] = {
      {"list description", lista, 1, "con tab"},      {"list country", lista, 2, "Bra sil"},
      {"list state after them", lista, 3, "Creando"}, {"item article code", items, 5, "A 1"},
      {"item description", items, 6, "tor nillo"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    ASSERT_GE(r.grid.Rows(), 2);
    EXPECT_EQ(r.grid.TextMatrix(1, r.col), r.shown);
  }
  EXPECT_EQ(Column("OSTREVAN", "select Descripcion from CeoMercosur"), QStringList{"con\ttab"});
}

}  // namespace
}  // namespace ostrevan
