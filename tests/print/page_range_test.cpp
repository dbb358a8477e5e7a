#include "job/page_range.h"

#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan {
namespace {

using test::InstallationTest;
using PageRangeTest = InstallationTest;

TEST_F(PageRangeTest, ChecksInOrderAndStoresAValidRange) {
  struct Row {
    const char* desde;
    const char* hasta;
    const char* message;  // "" when accepted
  } rows[] = {
      {"0", "5", "El campo DESDE no puede ser menor a 1"},
      {"1", "6", "El campo HASTA no puede ser mayor a 5"},
      {"4", "2", "El campo DESDE no puede ser mayor que HASTA"},
      {"x", "y", "El campo DESDE debe tener un valor númerico"},  // desde is told first
      {"1", "", "El campo HASTA debe tener un valor númerico"},
      {" 2 ", "3", ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.desde);
    St().iPaginaDesde = 1;
    St().iPaginaHasta = 5;
    DsdHst_Load();
    DsdHst().txtDesde.SetText(r.desde);
    DsdHst().txtHasta.SetText(r.hasta);
    messages->shown.clear();
    const bool ok = Validar_Guardar();
    EXPECT_EQ(ok, QString(r.message).isEmpty());
    if (ok) {
      EXPECT_EQ(St().iPaginaDesde, 2);
      EXPECT_EQ(St().iPaginaHasta, 3);
      EXPECT_TRUE(messages->shown.empty());
    } else {
      ASSERT_EQ(messages->shown.size(), 1u);
      EXPECT_EQ(messages->shown[0].text, r.message);
      EXPECT_EQ(messages->shown[0].style, vbExclamation);
      EXPECT_EQ(St().iPaginaDesde, 1);  // nothing stored
    }
  }
  DsdHst_Cancelar();
  EXPECT_EQ(St().iPaginaDesde, 0);
  EXPECT_EQ(St().iPaginaHasta, 0);
}

}  // namespace
}  // namespace ostrevan
