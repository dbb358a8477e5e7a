// The checks before printing: every rule fires on a certificate broken for it, and none on a
// complete one.
#include "data/verificaciones.h"

#include <algorithm>

#include "data/certificate_fixture.h"

namespace ostrevan::test {
namespace {

class VerificacionesTest : public CertificateTest {
 protected:
  void SetUp() override {
    CertificateTest::SetUp();
    Execute("OSTREVAN",
            "insert into CeoMercosur (IdCeo, IdFormulario, ProdFinExp, Importador, Consignatario, "
            "PuertoEmbarque, PaisDest, MedioTransp, FactComer, FcNro, FcFecha, DeclProdFin, "
            "DeclAcuerdo, Fecha) values ('V1', 'CEO004', 'Exportadora SA\r\nCalle 1', 'Imp "
            "Ltda', 'A la orden', 'Buenos Aires', 'Brasil', 'Camion', 'Factura E', '0003-1', "
            "'01/03/2026', 'Argentina', 'ACE 18', '15/03/2026')");
    AddItem("V1", 1, "1111.11.11", "1");
    AddItem("V1", 2, "1111.11.11", "1");
    AddItem("V1", 3, "8421.23.00", "2");
    for (const char* f : {"ProdFinExp", "FcNro", "SubGlobalPag"}) {
      Execute("CEOCFG", QString("insert into CeoConfig values ('CEO004%1', '14,5', '20', "
                                "'Arial', '9', 0)")
                            .arg(f));
    }
    Param("CEO004", {{"TDHABILITADO", "0"}, {"TDName", "fondo.png"}});
    // Fonts draw everything but the private-use character; only "fondo.png" can be read.
    sonda.caracteresSinGlifo = [](const QString&, const QString& t) {
      return t.contains(QChar(0xE000)) ? QString(QChar(0xE000)) : QString();
    };
    sonda.imagenLegible = [](const QString& p) { return p == "/forms/fondo.png"; };
    sonda.carpetaImagenes = "/forms/";
  }
  // Each breaks the certificate in a transaction of its own that is then undone.
  QStringList Codes(const QString& breaking = "update CeoMercosur set Estado = Estado") {
    QStringList codes;
    for (const Hallazgo& h : FindingsAfter(breaking, "V1", sonda)) codes << h.codigo;
    return codes;
  }
  SondaImpresion sonda;
};

TEST_F(VerificacionesTest, EachRuleFiresOnTheCertificateBrokenForItAndOnlyThere) {
  EXPECT_EQ(Codes(), QStringList{}) << "a complete certificate has no findings";
  const struct {
    const char* breaking;
    QStringList codes;
  } rows[] = {
      {"update CeoMercosur set FcNro = '  '", {"CASILLA-VACIA"}},
      {"update CeoMercosur set ProdFinExp = '', MedioTransp = null",
       {"CASILLA-VACIA", "CASILLA-VACIA"}},
      {"update CeoMercosur set Consignatario = ''", {}},  // not required
      {"delete from Articulos", {"SIN-ARTICULOS"}},
      {"update Articulos set IdNormasOrigen = '' where NroOrden <= 2", {"GRUPO-SIN-NORMA"}},
      {"update Articulos set NCM = '84212300' where NroOrden = 3", {"CODIGO-ARANCELARIO"}},
      {"update Articulos set PesoCant = 0 where NroOrden = 1", {"CANTIDAD-NO-POSITIVA"}},
      {"update Articulos set ValorFobUsd = -1 where NroOrden = 2", {"FOB-NO-POSITIVO"}},
      {"update CeoMercosur set FcFecha = '16/03/2026'", {"FACTURA-POSTERIOR"}},
      {"update CeoMercosur set FcFecha = '13/01/2026'", {"FACTURA-ANTIGUA"}},
      {"update CeoMercosur set FcFecha = '14/01/2026'", {}},  // 60 days: fine
      {"update CeoMercosur set Fecha = '31/02/2026'", {"FECHA-INVALIDA"}},
      // Two-digit years are this century up to 79.
      {"update CeoMercosur set FcFecha = '1/3/26', Fecha = '15/03/26'", {}},
      {"update CeoMercosur set FcFecha = '01/12/2026', Fecha = '07/12/26'", {}},
      {"update CeoMercosur set FcFecha = '01/03/99'", {"FACTURA-ANTIGUA"}},
      {"update CeoConfig set ValorY = '' where Campo = 'CEO004FcNro'", {"LAYOUT-NO-NUMERICO"}},
      {"update CeoConfig set ValorX = '12mm' where Campo = 'CEO004ProdFinExp'",
       {"LAYOUT-NO-NUMERICO"}},
      {"insert into CeoParametros values ('CEO004', 'CY103', '50'), ('CEO004', 'CY203', '50')",
       {"AREA-DE-ARTICULOS"}},
      {"update CeoParametros set Valor = 'dos' where Propiedad = 'XOFFSET'",
       {"OFFSET-NO-NUMERICO"}},
      {"update CeoParametros set Valor = case Propiedad when 'TDHABILITADO' then '1' else "
       "'falta.png' end where Propiedad in ('TDHABILITADO', 'TDName')",
       {"PLANTILLA-ILEGIBLE"}},
      {"update CeoParametros set Valor = '1' where Propiedad = 'TDHABILITADO'", {}},
      {"update CeoMercosur set Importador = 'Imp ' || char(57344)", {"CARACTERES-SIN-GLIFO"}},
      {"update Articulos set DenoMerc = 'Tornillo ' || char(57344) where NroOrden = 3",
       {"CARACTERES-SIN-GLIFO"}},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Codes(QString::fromUtf8(r.breaking)), r.codes) << r.breaking;
  }
}

TEST_F(VerificacionesTest, FindingsSayWhereToFixThemAndHowBadTheyAre) {
  Execute("OSTREVAN", "update CeoMercosur set FcNro = '', FcFecha = '01/01/2026'");
  Execute("OSTREVAN", "update Articulos set PesoCant = 0 where NroOrden = 3");
  Execute("CEOCFG", "update CeoConfig set ValorY = 'x' where Campo = 'CEO004FcNro'");
  const std::vector<Hallazgo> h = Verificar(CargarCertificado("V1"), sonda);
  ASSERT_EQ(h.size(), 4u);
  EXPECT_TRUE(h[0].mensaje.contains("\"Secciones I - VII\"")) << h[0].mensaje;
  EXPECT_EQ(h[1].lugar, Lugar::Articulos);
  EXPECT_EQ(h[1].nroOrden, 3);
  EXPECT_EQ(h[2].codigo, "FACTURA-ANTIGUA");
  EXPECT_EQ(h[2].nivel, Nivel::Advertencia);
  EXPECT_EQ(h[3].lugar, Lugar::Formulario);
}

}  // namespace
}  // namespace ostrevan::test
