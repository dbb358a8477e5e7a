#pragma once
// A form with a complete layout, printed on a recording backend.
#include "data/certificate_fixture.h"
#include "job/print_job.h"
#include "print/print_settings.h"
#include "print/printlib.h"

namespace ostrevan::test {

class PrintTest : public CertificateTest {
 protected:
  void SetUp() override {
    CertificateTest::SetUp();
    int y = 10;
    for (const QString& k : kLayoutFields) {
      Execute("CEOCFG", QString("insert into CeoConfig values ('CEO004%1', '%2', '%3', 'Arial', "
                                "'9', 0)")
                            .arg(k)
                            .arg(k == QString("Consignatario") ? "12,5" : "20")
                            .arg(y += 5));
    }
    Param("CEO004", {{"CY103", "100"},      {"CY203", "150"}, {"CX103", "40"},  {"CX203", "120"},
                     {"TDHABILITADO", "0"}, {"CX101", "10"},  {"CX201", "20"},  {"CY101", "100"},
                     {"CX102", "22"},       {"CX202", "38"},  {"CY102", "100"}, {"CX104", "125"},
                     {"CX204", "150"},      {"CY104", "100"}, {"CX105", "155"}, {"CX205", "185"},
                     {"CY105", "100"},      {"CAL01", "2"},   {"CAL02", "1"},   {"CAL04", "1"},
                     {"CAL05", "0"},        {"COL04", "10"},  {"COL05", "18"},  {"NX101", "10"},
                     {"NX201", "30"}});
    Execute("OSTREVAN_CLI", "update CeoParametros set Valor = '1,5' where Propiedad = 'XOFFSET'");
    Execute("OSTREVAN_CLI", "insert into CeoParametros values ('CEO004','YOFFSET','-2')");
    recorder = std::make_shared<print::RecordingBackend>();
    print::SetBackendFactory([this](const QString&) { return recorder; });
  }
  void TearDown() override {
    print::SetBackendFactory(nullptr);
    CertificateTest::TearDown();
  }
  // A certificate of the form with header texts and items, loaded as the window loads it.
  void Certificate(int items) {
    Execute("OSTREVAN",
            "insert into CeoMercosur (IdCeo, IdFormulario, ProdFinExp, Importador, Consignatario, "
            "FcNro, Fecha) values ('P1', 'CEO004', 'Razon SA\r\nCalle 1\r\n01/02/2026\r\nextra', "
            "'Imp SA\r\nAv 2', 'CONSIGNA', 'FC-1', '05/03/2024')");
    for (int i = 1; i <= items; ++i) {
      AddItem("P1", i, QString("%1").arg(1000 + i / 3), "1");
    }
    CargarDatosAPlanilla("P1");
  }
  // The run of the test certificate as a print would read it now.
  print::PrintRun Run() {
    print::PrintRun run = PrintRunFor("P1");
    EXPECT_TRUE(print::TraerConfig(run)) << Messages().join("|").toStdString();
    return run;
  }
  // Every placed text of every page of the last job.
  std::vector<print::PlacedText> Texts(size_t page = 0) {
    if (recorder->jobs.empty() || page >= recorder->jobs.back().size()) return {};
    return recorder->jobs.back()[page].texts;
  }
  std::shared_ptr<print::RecordingBackend> recorder;
};

}  // namespace ostrevan::test
