// The digital certificate of origin from the certificates a broker makes, through the batch
// verbs and through the windows.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/batch.h"
#include "app/demo_completion.h"
#include "app/demo_install.h"
#include "data/cod_datos.h"
#include "data/dialogs.h"
#include "data/forms.h"
#include "data/mod_main.h"
#include "host/state.h"
#include "job/cod_job.h"
#include "support/cod/pki.h"
#include "support/demo_certificate.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

using namespace ostrevan::cod::pruebas;

const char* kClave = "clave-de-prueba-7731";

class CodVerbs : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InstalacionCod i = LeerInstalacionCod();
    i.carpetaEsquemas = CarpetaEsquemas();
    GuardarInstalacionCod(i);
  }
  QString Crear(const QString& camara, const QString& form, const QString& interno) {
    QTextStream out(&console);
    return CreateDemoCertificate(out, camara, form, interno);
  }
  // The program itself, as a script runs it, with `entrada` on its standard input.
  static Outcome Ostrevan(const QStringList& args, const QByteArray& entrada = {}) {
    return Finish(StartProgram(OSTREVAN_EXE, args), entrada);
  }
  QString console;
};

TEST_F(CodVerbs, EveryDemoFormPrintsAndExportsACodTheSchemaAccepts) {
  const struct {
    const char *camara, *form, *interno, *acronimo;
  } forms[] = {
      {"CAC", "CEO004", "EX-2026-0001", "A18"},     {"CAC", "CEO005", "EX-2026-0002", "A35"},
      {"CAC", "CEO006", "EX-2026-0005", "A36"},     {"CACIPRA", "CEO104", "EX-2026-0004", "A18"},
      {"CACIPRA", "CEO106", "EX-2026-0005", "A06"}, {"CERA", "CEO204", "EX-2026-0004", "A18"},
      {"CERA", "CEO205", "EX-2026-0002", "A35"},    {"CERA", "CEO206", "EX-2026-0001", "A18"},
  };
  for (const auto& f : forms) {
    SCOPED_TRACE(f.form);
    const QString id = Crear(f.camara, f.form, f.interno);
    ASSERT_FALSE(id.isEmpty()) << Messages().join("|").toStdString();
    // Before completing, the checks name what the COD lacks, as warnings only.
    const std::vector<Hallazgo> antes = HallazgosCod(CargarCertificado(id));
    EXPECT_FALSE(antes.empty());
    EXPECT_FALSE(HayErrores(antes));
    // Box 1 of some forms ends with the exporter's date, which is no country; "de el" is
    // written "del".
    for (const Hallazgo& h : antes) {
      EXPECT_FALSE(h.codigo == "COD-PAIS" && h.mensaje.contains('/')) << h.mensaje;
      EXPECT_FALSE(h.mensaje.contains(" de el ")) << h.mensaje;
    }
    demo::CompleteCertificate(id);
    EXPECT_EQ(LineasHallazgos(HallazgosCod(CargarCertificado(id))), QStringList());
    const QString xml = tmp->filePath(QString(f.form) + ".xml");
    QString salida;
    QTextStream out(&salida);
    // Every demo form prints, its layout and parameters passing every check of F12.
    ASSERT_EQ(app::PrintToPdf(id, xml + ".pdf", "", "", out), 0) << salida.toStdString();
    out.flush();
    EXPECT_FALSE(salida.contains('\t')) << salida.toStdString();
    ASSERT_EQ(app::VerboCod("cod", {id, xml}, out), 0) << salida.toStdString();
    EXPECT_EQ(ErroresDeEsquema(xml, "cod_ver_4.1.1_exporter_unsigned.xsd"), "");
    QFile file(xml);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(TextoDe(file.readAll(), "AgreementAcronym"), QString(f.acronimo));
    // One certificate per operation: the next form starts from a new one.
    ASSERT_TRUE(BorrarRegistro(id));
    EXPECT_EQ(Count("OSTREVAN", "CeoCod", "IdCeo = '" + id + "'"), 0);
  }
  const QString vacio = Crear("CAC", "CEO004", "EX-2026-0003");
  demo::CompleteCertificate(vacio);
  EXPECT_TRUE(LineasHallazgos(HallazgosCod(CargarCertificado(vacio)))
                  .contains(QString::fromUtf8("Advertencia: El certificado no tiene artículos "
                                              "(COD). Corríjalo en la pestaña \"Secciones VIII - "
                                              "XIII\".")));
  // ACE 59 has a form type of its own: the broker is told, nothing is written.
  const QString id = Crear("CACIPRA", "CEO105", "EX-2026-0005");
  demo::CompleteCertificate(id);
  QString salida;
  QTextStream out(&salida);
  EXPECT_EQ(app::PrintToPdf(id, tmp->filePath("a59.pdf"), "", "", out), 0) << salida.toStdString();
  EXPECT_EQ(app::VerboCod("cod", {id, tmp->filePath("a59.xml")}, out), 1);
  EXPECT_TRUE(salida.contains("A59")) << salida.toStdString();
  EXPECT_FALSE(QFile::exists(tmp->filePath("a59.xml")));
}

TEST_F(CodVerbs, SignVerifyAndAttachTheIssuedCodThroughTheVerbs) {
  QTemporaryDir pki;
  const Identidad ca = Autoridad("Autoridad de prueba");
  GuardarPem({ca}, pki.filePath("ca.pem"));
  const Identidad exportador = Emitir(ca, "Exportadora de prueba");
  GuardarP12(exportador, pki.filePath("exportador.p12"), kClave);
  QString errorToken;
  const QString token = PrepararToken(pki.filePath("token"), exportador, "4711", errorToken);
  ASSERT_FALSE(token.isEmpty()) << errorToken;
  GuardarP12(Emitir(ca, "Funcionario habilitado"), pki.filePath("oficial.p12"), kClave);
  InstalacionCod inst = LeerInstalacionCod();
  inst.autoridades = pki.filePath("ca.pem");
  GuardarInstalacionCod(inst);
  const QString id = Crear("CACIPRA", "CEO104", "EX-2026-0001");
  ASSERT_FALSE(id.isEmpty());
  demo::CompleteCertificate(id);
  // Signed on the day of the declaration, while the signer's certificate is valid.
  Execute("OSTREVAN", "update CeoMercosur set Fecha = '" +
                          QDate::currentDate().toString("dd/MM/yyyy") + "' where IdCeo = '" + id +
                          "'");
  const QString firmado = tmp->filePath("firmado.xml");

  // A wrong password (here from a file; the right one comes on standard input below): exit 1,
  // and never in the output (a wrong PIN is the library's own case).
  QFile secreto(pki.filePath("secreto"));
  ASSERT_TRUE(secreto.open(QIODevice::WriteOnly));
  secreto.write("no-es-la-clave-5519\n");
  secreto.close();
  Outcome s = Ostrevan({"cod", id, firmado, "--p12", pki.filePath("exportador.p12"),
                        "--secreto-archivo", secreto.fileName()});
  EXPECT_EQ(s.rc, 1) << s.output.toStdString();
  EXPECT_FALSE(s.output.contains("no-es-la-clave")) << s.output.toStdString();
  EXPECT_FALSE(s.output.trimmed().isEmpty());
  EXPECT_FALSE(QFile::exists(firmado));

  // Signed with the token, then with the file, whose document goes on to the chamber.
  s = Ostrevan(
      {"cod", id, tmp->filePath("con-token.xml"), "--token", token, "--modulo", kModuloSoftHsm},
      "4711\n");
  ASSERT_EQ(s.rc, 0) << s.output.toStdString();
  EXPECT_FALSE(s.output.contains("4711")) << s.output.toStdString();
  s = Ostrevan({"cod", id, firmado, "--p12", pki.filePath("exportador.p12")},
               QByteArray(kClave) + "\n");
  ASSERT_EQ(s.rc, 0) << s.output.toStdString();
  EXPECT_FALSE(s.output.contains(kClave));
  EXPECT_EQ(ErroresDeEsquema(firmado, "cod_ver_4.1.1_exporter_signed.xsd"), "");
  ResetAll();
  EXPECT_EQ(Column("OSTREVAN", "select Estado from CeoMercosur where IdCeo = '" + id + "'"),
            QStringList{"COD firmado"});

  s = Ostrevan({"cod-verificar", firmado, "--ca", pki.filePath("ca.pem")});
  EXPECT_EQ(s.rc, 0) << s.output.toStdString();
  EXPECT_TRUE(s.output.contains("Exportadora de prueba")) << s.output.toStdString();

  // In this process too (which also readies xmlsec for the test chamber below).
  EXPECT_TRUE(VerificarArchivoCod(firmado, pki.filePath("ca.pem")).ok);

  // The chamber's issued COD attaches; one whose COD changed after signing does not.
  QFile f(firmado);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray emitido = EmitirComoCamara(f.readAll(), pki.filePath("oficial.p12"), kClave,
                                              QDateTime::currentDateTimeUtc());
  ASSERT_FALSE(emitido.isEmpty());
  QByteArray alterado = emitido;
  alterado.replace("Paso de los Libres", "Paso de los Libros");
  for (const auto& [nombre, bytes, rc] :
       {std::tuple{"alterado.xml", alterado, 1}, std::tuple{"emitido.xml", emitido, 0}}) {
    QFile e(tmp->filePath(nombre));
    ASSERT_TRUE(e.open(QIODevice::WriteOnly));
    e.write(bytes);
    e.close();
    s = Ostrevan({"cod-adjuntar", id, e.fileName()});
    EXPECT_EQ(s.rc, rc) << nombre << ": " << s.output.toStdString();
  }
  ResetAll();
  const QString numero = TextoDe(emitido, "CertificateID");
  EXPECT_EQ(Column("OSTREVAN", "select Estado from CeoMercosur where IdCeo = '" + id + "'"),
            QStringList{"COD emitido Nº " + numero});
  const DatosCod d = LeerDatosCod(id);
  EXPECT_EQ(d.emision.ehNombre, QString::fromUtf8("Cámara de Comercio de Prueba"));
  EXPECT_EQ(d.emision.control, "K7Q2");
  EXPECT_TRUE(QFile::exists(d.emision.archivo)) << d.emision.archivo.toStdString();
}

// What a broker types in the data-entry window and the digital certificate window, without
// demo-completar: the window names what is missing until the COD validates.
TEST_F(CodVerbs, ACertificateCompletedThroughTheWindowsExportsAValidCod) {
  const QString id = Crear("CAC", "CEO004", "EX-2026-0001");
  ASSERT_FALSE(id.isEmpty());
  CargarDatosAPlanilla(id);
  FrmCargaDatos& carga = CargaDatos();
  carga.Txt_Importador.SetText("Autopecas Paulista Ltda.\r\nRua Vergueiro 3185\r\nBrasil");
  carga.Txt_PuertoEmbarque.SetText("Paso de los Libres");
  carga.Txt_MedioTransporte.SetText("Camion");
  carga.Txt_FCNumero.SetText("0003-00000001");
  carga.Txt_FCFecha.SetText("02/12/2026");
  carga.Txt_DeclProdFin.SetText("Argentina");
  carga.Txt_Fecha.SetText("04/12/2026");
  ASSERT_TRUE(GuardarCambios()) << Messages().join("|").toStdString();

  FrmCod& w = CodVentana();
  w.Form_Load(id);
  // The file is proposed in the installation's output folder, named for the certificate.
  EXPECT_EQ(w.Txt_Archivo.Text(), QDir::toNativeSeparators(Dir() + "Salida/" + id + ".xml"));
  for (const char* falta : {"Ciudad del exportador", "Teléfono del exportador",
                            "declaración de exportación", "norma de origen"}) {
    EXPECT_TRUE(w.Lbl_Hallazgos.Caption().contains(QString::fromUtf8(falta), Qt::CaseInsensitive))
        << falta << "\n"
        << w.Lbl_Hallazgos.Caption().toStdString();
  }
  const std::pair<CampoCod, const char*> campos[] = {
      {CampoCod::ExpCiudad, "Ciudadela"},
      {CampoCod::ExpTelefono, "011 4488-1200"},
      {CampoCod::ExpEmail, "comex@ejemplo.com.ar"},
      {CampoCod::ImpCiudad, "Sao Paulo"},
      {CampoCod::DeclExportacion, "26001EC01000777Z"},
      {CampoCod::DeclJuradaFecha, "1/12/26"},
  };
  for (const auto& [campo, texto] : campos) w.campos[static_cast<size_t>(campo)].SetText(texto);
  w.Guardar();
  // The origin norms are the one thing left, typed in the item grid.
  Execute("OSTREVAN", "update Articulos set IdNormasOrigen = '1' where IdCeo = '" + id + "'");
  w.Form_Load(id);
  EXPECT_TRUE(w.Lbl_Hallazgos.Caption().startsWith("El COD está completo"))
      << w.Lbl_Hallazgos.Caption().toStdString();
  // A third operator's impossible date, without the operator's name: both are said, not dropped.
  w.campos[static_cast<size_t>(CampoCod::TerceroFacturaFecha)].SetText("31/02/2026");
  w.Guardar();
  w.Form_Load(id);
  for (const char* dicho :
       {"\"31/02/2026\" no es una fecha", "Falta el nombre del tercer operador"}) {
    EXPECT_TRUE(w.Lbl_Hallazgos.Caption().contains(QString::fromUtf8(dicho)))
        << w.Lbl_Hallazgos.Caption().toStdString();
  }
  w.campos[static_cast<size_t>(CampoCod::TerceroFacturaFecha)].SetText("");
  w.Guardar();
  w.Txt_Archivo.SetText(tmp->filePath("ventanas.xml"));
  w.Exportar();
  EXPECT_EQ(ErroresDeEsquema(tmp->filePath("ventanas.xml"), "cod_ver_4.1.1_exporter_unsigned.xsd"),
            "")
      << w.Lbl_Resultado.Caption().toStdString();
  // With no issued COD named, F7 checks the broker's own file, which the same certificate's
  // window keeps.
  w.Form_Load(id);
  w.Verificar();
  EXPECT_TRUE(w.Lbl_Resultado.Caption().contains("ventanas.xml"))
      << w.Lbl_Resultado.Caption().toStdString();
}

}  // namespace
}  // namespace ostrevan::test
