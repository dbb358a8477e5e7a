#include "data/item_work.h"

#include "data/certificate_fixture.h"
#include "host/msgbox.h"

namespace ostrevan {
namespace {

using test::CertificateTest;
using ItemWorkTest = CertificateTest;
using ItemGridTest = CertificateTest;

TEST_F(ItemWorkTest, NormsGridRangesFollowTheFormParameter) {
  St().sIdFormulario = "CEO004";
  const struct {
    const char* agrupar;
    QStringList codes, groups;
  } rows[] = {
      {" s ", {"A", "A", "A"}, {"3 al 5", "6", "8"}},  // the switch read trimmed
      {"N", {"N1", "N1", "N1", "N2", "N1"}, {"3", "4", "5", "6", "8"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.agrupar);
    Param("CEO004", {{"AGRUPARNORMASORIGEN", r.agrupar}, {"TEXTOSEPARADORRANGO", " al "}});
    D().normas = {{},
                  {"N1", "3", "uno"},
                  {"N1", "4", "uno"},
                  {"N1", "5", "uno"},
                  {"N2", "6", "dos"},
                  {"N1", "8", "uno"}};
    CargarGrillaNormasOrigen();
    const Grid& g = CargaDatos().MsfgParteII;
    QStringList codes, groups;
    for (int i = 1; i < g.Rows(); ++i) {
      codes << g.TextMatrix(i, 0);
      groups << g.TextMatrix(i, 1);
    }
    EXPECT_EQ(codes, r.codes);
    EXPECT_EQ(groups, r.groups);
  }
}

// The user's locale is es_AR (the process's default; the program never sets it).
class ArticleEditorTest : public CertificateTest {
 protected:
  void SetUp() override {
    CertificateTest::SetUp();
    QLocale::setDefault(QLocale("es_AR"));
    St().sIdCeo = "C1";
  }
  void TearDown() override {
    QLocale::setDefault(before);
    CertificateTest::TearDown();
  }
  const QLocale before;
  FrmAMArticulos& Nuevo(const QString& ncm, const QString& deno, const QString& peso,
                        const QString& fob, const QString& unidad = {}) {
    FrmAMArticulos& w = NuevoAMArticulos();
    Inicio();
    w.txtNCM.SetText(ncm);
    w.txtDenoMerc.SetText(deno);
    w.txtPesoCant.SetText(peso);
    w.txtValorFobUsd.SetText(fob);
    w.Txt_Unidad.SetText(unidad);
    return w;
  }
};

TEST_F(ArticleEditorTest, ChecksFireInOrderAndNothingIsStored) {
  const struct {
    const char *ncm, *deno, *peso, *fob, *message;
  } rows[] = {
      {"", "", "x", "x", "El campo Codigo NCM/Naladisa no puede estar vacio"},
      {"1111.11.11", "", "x", "x", "El campo Denominacion de Mercaderias no puede estar vacio"},
      {"1111.11.11", "Tornillo", "", "x",
       "El campo Peso Liquido o Cantidad debe ser un valor númerico"},
      // A text the locale reads as a number but no amount is: infinity.
      {"1111.11.11", "Tornillo", "inf", "x",
       "El campo Peso Liquido o Cantidad debe ser un valor númerico\r\n\"inf\" no es un número "
       "en la configuración regional es_AR; escriba, por ejemplo, 1234,5 o 1.234,5"},
      // A number no certificate has, which the store could not keep exactly.
      {"1111.11.11", "Tornillo", "1", "2000000000000",
       "El campo FOB debe ser un valor númerico\r\n\"2000000000000\" es demasiado grande: debe "
       "ser menor que 1000000000000"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.message);
    messages->shown.clear();
    Nuevo(r.ncm, r.deno, r.peso, r.fob);
    EXPECT_FALSE(AMArticulos_KeyDown(122));
    EXPECT_FALSE(St().bGuardado);
    ASSERT_EQ(Messages(), QStringList{QString::fromUtf8(r.message)});
    EXPECT_EQ(messages->shown[0].style, vbExclamation);
  }
  EXPECT_EQ(Count("OSTREVAN", "Articulos"), 0);
}

// Typing a new item (codes, apostrophes, decimals) is covered from the items grid's Insert.
TEST_F(ArticleEditorTest, ANewItemTakesTheNextOrderNumberAndAnEditTheCatalogueOptions) {
  AddItem("OTRO", 41, "9", "");
  AddItem("C1", 5, "1111.11.11", "1", "viejo");
  AddItem("C1", 6, "1111.11.11", "2", "otro");
  Execute("OSTREVAN", "update Articulos set DenoMerc = 'Perno'");
  Nuevo("2222.22.22", "Perno", " 7 ", "1", "caja d'10");
  EXPECT_TRUE(AMArticulos_KeyDown(122));
  EXPECT_TRUE(St().bGuardado);
  EXPECT_EQ(Column("OSTREVAN",
                   "select NroOrden || '|' || Unidad || '|' || PesoCant from Articulos where "
                   "NCM = '2222.22.22'"),
            QStringList{"42|caja d'10|7"});  // the table's next number, not the certificate's

  FrmAMArticulos& w = NuevoAMArticulos();
  w.Tag = "5";
  Inicio();
  EXPECT_EQ(w.txt_TextoPartida.Text(), "viejo");
  w.txt_TextoPartida.SetText("nuevo d'o");
  w.chk_updDichosPartidasALL = true;
  w.chk_updateCatalogoNCM = true;
  EXPECT_TRUE(GuardarArticulo()) << Messages().join("|");
  EXPECT_EQ(Column("OSTREVAN", "select TextoPartida from Articulos where NCM = '1111.11.11'"),
            QStringList({"nuevo d'o", "nuevo d'o"}));
  EXPECT_EQ(GetNCMData("1111.11.11"), "nuevo d'o");
  // Another workstation deletes the item being edited: F11 says so and the editor closes.
  Execute("OSTREVAN", "delete from Articulos where NroOrden = 5");
  messages->shown.clear();
  EXPECT_TRUE(AMArticulos_KeyDown(122));
  EXPECT_EQ(Messages(), QStringList{"El articulo 5 ya no esta en el certificado: otra estacion "
                                    "de trabajo lo elimino mientras tanto. La grilla muestra "
                                    "ahora los articulos como estan."});
  EXPECT_EQ(Count("OSTREVAN", "Articulos", "NroOrden = 5"), 0);
}

TEST_F(ItemWorkTest, NormsListHidesANormOnlyWhenConfirmedAndNumbersTheFirstOneOne) {
  NuevaListaNormas();
  InitNormas();
  Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
  ASSERT_EQ(g.Rows(), 4);
  EXPECT_EQ(g.TextMatrix(3, 1), "Norma uno");  // by description
  // Delete: No cancels, Yes hides the norm but keeps it in the table.
  g.SetRow(3);
  messages->answers = {vbNo};
  EXPECT_FALSE(ListaNormas_KeyDown(46));
  EXPECT_EQ(messages->shown.back().text, "Accion Cancelada");
  messages->answers = {vbYes};
  EXPECT_FALSE(ListaNormas_KeyDown(46));
  EXPECT_EQ(messages->shown.back().text,
            "Confirma quitar la norma de origen seleccionada?:\r\nNorma uno");
  EXPECT_EQ(g.Rows(), 3);
  EXPECT_EQ(Count("CATALOGOS", "DescripcionNormasOrigen", "Oculto = 'S'"), 1);

  Execute("CATALOGOS", "delete from DescripcionNormasOrigen");
  InitNormas();
  EXPECT_EQ(g.Rows(), 1);  // not even "Ninguna"
  NuevaNorma().txtNorma.SetText("primera");
  EXPECT_TRUE(Grabar());
  EXPECT_EQ(Column("CATALOGOS", "select IDNormasOrigen from DescripcionNormasOrigen"),
            QStringList{"1"});
}

// An NCM position typed with commas and accepted: from the items grid's F7.
TEST_F(ItemWorkTest, TariffWindowChecksTheNewPositionLiveAndOnAcceptance) {
  const QString wrong =
      "La posicion ingresada no es correcta:\r\n     * Debe tener la forma de una posicion "
      "%1: 9999.99.99\r\n     * Debe ser distinta al de la posicion actual";
  const struct {
    bool naladisa;
    const char* typed;
    const char* catalogue;
    bool accepted;
  } rows[] = {
      {false, "8708.29.9", "", false},
      {false, "8708.29.99x", "", false},
      {false, "1111.11.11", "Dichos NCM", false},
      {false, "8708.29-99", "", false},
      {false, "８７０８.29.99", "", false},
      {true, "8708,29,00", "Partes y accesorios de carrocerias", true},
      {true, "87082900", "", false},
  };
  Execute("CATALOGOS",
          "insert into NaladisaCEO values ('8708.29.00','Partes y accesorios de carrocerias')");
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed);
    St().bNaladisa = r.naladisa;
    FrmCambiaPosicionArancelaria& w = NuevoCambiaPosicion();
    w.NcmActual = "1111.11.11";
    CambiaPosicion_Load();
    messages->shown.clear();
    w.Txt_PosNueva.SetText(QString::fromUtf8(r.typed));
    Txt_PosNueva_Change();
    EXPECT_EQ(w.Txt_DDP_Catalogo.Text(), r.catalogue);
    EXPECT_EQ(Cmd_Aceptar_Click(), r.accepted);
    EXPECT_EQ(w.NcmNew, r.accepted ? QString("8708.29.00") : QString());  // commas as dots
    ASSERT_EQ(messages->shown.size(), r.accepted ? 0u : 1u);
    if (!r.accepted) {
      EXPECT_EQ(messages->shown[0].text, wrong.arg(r.naladisa ? "NALADISA" : "NCM"));
    }
  }
}

TEST_F(ItemWorkTest, TariffChangeOptionsDecideTheTextsUnderTheNewPosition) {
  Execute("CATALOGOS", "insert into NCMCEO values ('B','del catalogo')");
  using F = FrmCambiaPosicionArancelaria;
  const char* changed =
      "El grupo cambio mientras tanto (otro usuario modifico o elimino alguno de sus articulos): "
      "no se cambio ninguna posicion. La grilla muestra ahora los articulos como estan; vuelva a "
      "intentarlo.";
  const struct {
    const char* name;
    int modo;
    const char* nueva;
    const char* items;  // the group as the grid showed it
    CambioPosicion result;
    const char *codes, *texts;  // items 1 to 4; 1 and 2 moved, 3 already under B
    const char* message;        // "" for none
  } rows[] = {
      {"current", F::kTextoPosicionActual, "B", "1 2", CambioPosicion::kHecho, "B B B A",
       "de A|de A|de A|queda", ""},
      {"catalogue", F::kTextoCatalogo, "B", "1 2", CambioPosicion::kHecho, "B B B A",
       "del catalogo|del catalogo|del catalogo|queda", ""},
      {"new", F::kTextoPosicionNueva, "B", "1 2", CambioPosicion::kHecho, "B B B A",
       "de B|de B|de B|queda", ""},
      // The catalogue has no wording for C: the wordings are kept, and the user is told.
      {"catalogue without wording", F::kTextoCatalogo, "C", "1 2", CambioPosicion::kHecho,
       "C C B A", "de A||de B|queda",
       "La posicion C no tiene texto / dichos de partida en el CATALOGO: los articulos "
       "conservan los textos que tenian."},
      // Another workstation deleted item 9 since the grid was loaded.
      {"an item deleted meanwhile", F::kTextoCatalogo, "B", "1 9", CambioPosicion::kGrupoCambiado,
       "A A B A", "de A||de B|queda", changed},
      // ... or added item 2 to the group: it would stay behind under A.
      {"an item added meanwhile", F::kTextoCatalogo, "B", "1", CambioPosicion::kGrupoCambiado,
       "A A B A", "de A||de B|queda", changed},
  };
  St().sIdCeo = "X";
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Execute("OSTREVAN", "delete from Articulos");
    AddItem("X", 1, "A", "1", "de A");
    AddItem("X", 2, "A", "1");
    AddItem("X", 3, "B", "2", "de B");
    AddItem("X", 4, "A", "2", "queda");
    messages->shown.clear();
    EXPECT_EQ(AplicarCambioPosicion("A", r.nueva, QString(r.items).split(' '), r.modo), r.result);
    EXPECT_EQ(Column("OSTREVAN", "select NCM from Articulos order by NroOrden").join(' '), r.codes);
    EXPECT_EQ(Column("OSTREVAN", "select TextoPartida from Articulos order by NroOrden").join('|'),
              r.texts);
    EXPECT_EQ(Messages(), *r.message ? QStringList{r.message} : QStringList{});
  }
}

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
