#include <QDate>

#include "data/certificate_fixture.h"

namespace ostrevan {
namespace {

using test::CertificateTest;

class ImportTest : public CertificateTest {
 protected:
  // What Main does before the import: the chosen form, the country and the header row.
  void Prepare(const QString& formId) {
    ChooseForm(formId);
    St().sInternoHost = "OP1";
    ASSERT_EQ(GetPaisDestinoFromInternoNuevo(), "Brasil");
    ASSERT_TRUE(CrearInterno());
  }
  QStringList Items(const QString& column) {
    return Column("OSTREVAN", "select " + column + " from Articulos order by NroOrden");
  }
};

TEST_F(ImportTest, InvoiceItemsWithCatalogueUnitsAndWording) {
  Prepare("CEO004");  // UsaFactura 1: the invoice items
  LoadFromQuandor();
  // The quantity from the host's comma, the FOB value times the factor.
  EXPECT_EQ(
      Items("NroOrden || '|' || NCM || '|' || PesoCant || '|' || ValorFobUsd || '|' || Unidad"),
      QStringList(
          {"1|1111.11.11|1.5|20|Kilogramos", "2|1111.11.11|3|10|UN", "3|3333.33.33|1|2|UN"}));
  EXPECT_EQ(Items("DenoMerc"),
            QStringList({"Tornillo de acero", "descripcion del articulo A2 no encontrado",
                         "articulo ZZ no encontrado"}));
  EXPECT_EQ(Items("TextoPartida"), QStringList({"Dichos NCM", "Dichos NCM", ""}));
  EXPECT_EQ(Column("OSTREVAN", "select Descripcion from CeoMercosur"),
            QStringList{"[OP1]-[Quandor]"});
  EXPECT_TRUE(
      popup->messages.contains("3 Articulos procesados, haga click en cerrar para continuar."));
  EXPECT_FALSE(popup->Visible());
}

TEST_F(ImportTest, GroupedItemsAndTheCeo104ExporterLines) {
  Prepare("CEO104");  // no UsaFactura: the host's grouped items; NALADISA
  LoadFromQuandor();
  EXPECT_EQ(Items("PesoCant || '|' || TextoPartida"), QStringList({"4.5|Dichos NALADISA"}));
  EXPECT_EQ(St().sDomicilioCliente, "Calle 1 Rosario");
  EXPECT_EQ(St().sLocalidadCliente, QDate::currentDate().toString("dd/MM/yyyy"));
  EXPECT_EQ(St().sIdFormulario, "CEO104");
}

TEST_F(ImportTest, AnOperationWithoutItemsLeavesOnlyTheHeaderAndNoPopup) {
  Run("INTERNOS", {"insert into Caratula values ('OP2','20-1','1','99')"});
  ChooseForm("CEO004");
  St().sInternoHost = "OP2";
  EXPECT_EQ(GetPaisDestinoFromInternoNuevo(), "");  // a country the host does not list
  ASSERT_TRUE(CrearInterno());
  LoadFromQuandor();
  EXPECT_EQ(Count("OSTREVAN", "Articulos"), 0);
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 1);
  EXPECT_FALSE(popup->Visible());
  EXPECT_TRUE(Messages().isEmpty());
}

// A Null from the host is the number 0 where a number is expected, not an empty text.
TEST_F(ImportTest, NullQuantitiesAndValuesAreStoredAsZero) {
  Run("INTERNOS", {"delete from SubItems",
                   "insert into SubItems values ('OP1','1111.11.11','',NULL,'A1','C','',1,NULL)",
                   "insert into SubItems values ('OP1','1111.11.11','','2','A1','C','',1,NULL)",
                   "insert into SubItems values ('OP1','1111.11.11','',NULL,'A1','C','',1,3)"});
  Prepare("CEO004");
  LoadFromQuandor();
  EXPECT_EQ(Items("PesoCant"), QStringList({"0", "2", "0"}));
  EXPECT_EQ(Items("ValorFobUsd"), QStringList({"0", "0", "6"}));  // times the factor
}

}  // namespace
}  // namespace ostrevan
