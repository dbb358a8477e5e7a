#pragma once
// A small installation with exactly the rows each test needs to reason about.
#include "data/dialogs.h"
#include "data/forms.h"
#include "data/mod_main.h"
#include "data/schema.h"
#include "data/verificaciones.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {

class CertificateTest : public InstallationTest {
 protected:
  void SetUp() override {
    InstallationTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Run("CEOCFG", {"insert into CeoCamaras values ('01','CAC')",
                   "insert into CeoCamaras values ('02','CERA')",
                   "insert into CeoFormularios values ('CEO004','Brasil','01')",
                   "insert into CeoFormularios values ('CEO104','Chile','01')",
                   "insert into CeoPaises values ('CEO004','NCM')",
                   "insert into CeoPaises values ('CEO104','Naladisa')",
                   "insert into CeoParametros values ('CEO004','UsaFactura','1')",
                   "insert into CeoParametros values ('CEO004','XOFFSET','99')"});
    Run("OSTREVAN_CLI", {"insert into CeoParametros values ('CEO004','XOFFSET','2,5')"});
    Run("CATALOGOS", {"insert into DescripcionNormasOrigen values ('1','Norma uno','')",
                      "insert into DescripcionNormasOrigen values ('2','Norma dos','')",
                      "insert into NCMCEO values ('1111.11.11','Dichos NCM')",
                      "insert into NaladisaCEO values ('2222.22','Dichos NALADISA')"});
    Run("INTERNOS",
        {"insert into Caratula values ('OP1','20-1','2','10')",
         "insert into pais values (10,'Brasil')", "insert into unidades values (1,'KG')",
         "insert into unidades values (2,'UN')",
         "insert into catarticulos values ('C','A1','Tornillo\r\nde acero','1111.11.11','2222.22')",
         "insert into catarticulos values ('C','A2','','1111.11.11','')",
         // The invoice items and the host's grouped items differ, so the source is visible.
         "insert into SubItems values ('OP1','1111.11.11999','2222.22','1,5','A1','C','',1,10)",
         "insert into SubItems values ('OP1','1111.11.11','','3','A2','C','',2,5)",
         "insert into SubItems values ('OP1','3333.33.33','','1','ZZ','C','',2,1)",
         "insert into groupSubItems values ('OP1','1111.11.11','2222.22','4.5','A1','C','',1,15)"});
    Run("OSTREVAN", {"insert into Unidad_OrigenDestino values ('KG','Kilogramos')"});
    Run("PERSONAL", {"insert into Clientes values ('20-1','O''Neil S.A.','Calle 1','Rosario')"});
  }

  // A host on a server keeps its quantities in number columns, which hold no decimal comma:
  // there the host's "1,5" is the number 1.5.
  void Run(const QString& entity, std::initializer_list<const char*> statements) {
    HostRole host;  // the fixture plays the host too
    for (const char* s : statements) {
      QString st = QString::fromUtf8(s);
      if (test::Engine() != "QSQLITE") st.replace("'1,5'", "'1.5'");
      Execute(entity, st);
    }
  }

  // Opens the data-entry model on a form as the windows do.
  void ChooseForm(const QString& formId) {
    FrmCargaDatos& f = CargaDatos();
    LoadCombos(f.Cmb_Camara, f.cboPais);
    SetCombosFromIdFormulario(f.Cmb_Camara, f.cboPais, formId);
  }

  // The user picks a chamber and form in the choice dialog and presses F11 (or Esc); `then`
  // runs while the dialog is still open.
  void ChooseInDialog(const QString& camara, const QString& form, int key = 122,
                      std::function<void()> then = {}) {
    windows->actions[Window::SeleccionCertif] = [=] {
      SeleccionCertif_Load();
      FrmSeleccionCertif& s = D().seleccion;
      s.Cmb_Camara.SetListIndex(s.Cmb_Camara.Items().indexOf(camara));
      s.Cmb_CertificadoPais.SetListIndex(s.Cmb_CertificadoPais.Items().indexOf(form));
      SeleccionCertif_KeyDown(key);
      if (then) then();
    };
  }

  // The form's properties in the shared configuration, each replacing any it had.
  void Param(const QString& form, std::initializer_list<std::pair<const char*, const char*>> p) {
    for (const auto& [k, v] : p) {
      Execute("CEOCFG", QString("delete from CeoParametros where IdFormulario = '%1' and "
                                "Propiedad = '%2'")
                            .arg(form, k));
      Execute("CEOCFG",
              QString("insert into CeoParametros values ('%1','%2','%3')").arg(form, k, v));
    }
  }

  // The findings on certificate `id` after `statement`, which is then undone. It runs where its
  // table is: the offsets on this installation's database, the layout on the shared one.
  std::vector<Hallazgo> FindingsAfter(const QString& statement, const QString& id,
                                      const SondaImpresion& sonda) {
    const char* entity = "OSTREVAN";
    if (statement.contains("CeoConfig") || statement.contains("CeoParametros")) entity = "CEOCFG";
    if (statement.contains("XOFFSET")) entity = "OSTREVAN_CLI";
    for (const char* e : {"OSTREVAN", "CEOCFG", "OSTREVAN_CLI"}) Conn(e).BeginTrans();
    Execute(entity, statement);
    std::vector<Hallazgo> found = Verificar(CargarCertificado(id), sonda);
    for (const char* e : {"OSTREVAN", "CEOCFG", "OSTREVAN_CLI"}) Conn(e).RollbackTrans();
    return found;
  }

  void AddItem(const QString& id, int nro, const QString& ncm, const QString& norm,
               const QString& partida = {}) {
    Execute("OSTREVAN", QString("insert into Articulos (IdCeo, NroOrden, NCM, IdNormasOrigen, "
                                "TextoPartida, PesoCant, ValorFobUsd, Unidad) values "
                                "('%1', %2, '%3', '%4', '%5', 2, 3.456, 'KG')")
                            .arg(id)
                            .arg(nro)
                            .arg(ncm, norm, partida));
  }
};

}  // namespace ostrevan::test
