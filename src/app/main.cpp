// The stand-in host: it starts the component as the customs-operations system would, and
// offers the batch commands that need no window.
#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <cstdio>

#include "app/batch.h"
#include "app/copy_data.h"
#include "app/demo_install.h"
#include "data/forms.h"
#include "data/mod_main.h"
#include "data/schema.h"
#include "entry/cls_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/state.h"
#include "job/print_job.h"
#include "ui/common/widget_services.h"

using namespace ostrevan;

namespace {

const char* kUsage =
    "Uso: ostrevan COMANDO [argumentos]\n"
    "  demo-install [--reemplazar] [CARPETA]\n"
    "                                    crea o renueva la instalacion de demostracion bajo\n"
    "                                    CARPETA (por omision $ProgramFiles); con certificados\n"
    "                                    o bases fuera de ella, solo con --reemplazar\n"
    "  crear INTERNO CAMARA FORMULARIO   crea el certificado de una operacion del host sin\n"
    "                                    ventanas (FORMULARIO: su id, p. ej. CEO104, o nombre)\n"
    "  main INTERNO [CAMARA FORMULARIO]  ejecuta Main para una operacion, como el host\n"
    "  listar                            muestra el listado de certificados\n"
    "  demo-completar ID                 completa encabezado y normas de origen de un\n"
    "                                    certificado de demostracion\n"
    "  ventanas [INTERNO]                abre las ventanas como el host: Main para la operacion\n"
    "                                    INTERNO (si se da) y luego el listado\n"
    "  imprimir ID PDF [DESDE [HASTA]] [--borrador]\n"
    "                                    imprime un certificado guardado en un archivo PDF,\n"
    "                                    opcionalmente solo las paginas DESDE a HASTA; con\n"
    "                                    --borrador, sobre la imagen del formulario y con la\n"
    "                                    marca \"BORRADOR - SIN VALOR\" en cada pagina\n"
    "  validar ID                        verifica un certificado antes de imprimirlo; sale\n"
    "                                    con 1 si encuentra un error\n"
    "  copiar-datos [--reemplazar]       copia los datos propios de Datos/ al servidor que\n"
    "                                    Cfg/Conexiones.ini indica\n"
    "  calibracion [PDF]                 imprime la pagina de calibracion en un archivo PDF o,\n"
    "                                    sin PDF, donde Cfg/Impresoras.ini lo indique\n";

int Crear(const QStringList& args, QTextStream& out, bool formRequired) {
  if (args.isEmpty() || args[0].trimmed().isEmpty() || (formRequired && args.size() < 3)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  SetWindowService(std::make_shared<app::BatchWindows>(args.value(1), args.value(2), out));
  Cls_Main c;
  c.CdoData(args[0]);
  c.Main();
  return St().bCertificadoCargado ? 0 : 1;
}

int Listar(QTextStream& out) {
  SetWindowService(std::make_shared<app::BatchWindows>(QString(), QString(), out));
  Cls_Main c;
  c.Main();
  CargarListadoInternos(false);
  Windows().ShowModal(Window::OstrevanLista);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QTextStream out(stdout);
  SetMessageService(std::make_shared<ConsoleMessages>());
  SetStatusPopup(std::make_shared<ConsolePopup>());
  data::InstallSchema();
  if (args.isEmpty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const QString cmd = args.takeFirst();
  try {
    if (cmd == "demo-install") {
      const bool reemplazar = args.removeAll("--reemplazar") > 0;
      QString dir = args.value(0, ProgramFilesDir());
      demo::BuildDemoInstallation(dir, reemplazar);
      qputenv("ProgramFiles", dir.toUtf8());
      out << "Instalacion de demostracion en " << InstallationDir() << "\n";
      return 0;
    }
    if (cmd == "demo-completar" && !args.isEmpty()) {
      demo::CompleteCertificate(args[0]);
      out << "Certificado " << args[0] << " completado\n";
      return 0;
    }
    if (cmd == "crear" || cmd == "main") return Crear(args, out, cmd == "crear");
    if (cmd == "listar") return Listar(out);
    if (cmd == "copiar-datos") return app::CopiarDatos(args.contains("--reemplazar"), out);
    if (cmd == "ventanas") {
      ui::WidgetServices windows;
      Cls_Main c;
      if (!args.isEmpty()) c.CdoData(args[0]);
      c.IniciaProyecto();
      return 0;
    }
    if (cmd == "calibracion") {
      Cls_Main c;
      c.Main();
      if (args.isEmpty()) {
        ImprimirPaginaCalibracion();  // tells the user itself when it fails
        return 0;
      }
      return app::PrintCalibrationToPdf(args[0], out);
    }
    if (cmd == "imprimir" && args.size() >= 2) {
      const bool borrador = args.removeAll("--borrador") > 0;
      Cls_Main c;
      c.Main();
      return app::PrintToPdf(args[0], args[1], args.value(2), args.value(3), out, borrador);
    }
    if (app::EsVerboCod(cmd)) {
      Cls_Main c;
      c.Main();
      return app::VerboCod(cmd, args, out);
    }
    if (cmd == "validar" && args.size() == 1) {
      Cls_Main c;
      c.Main();
      return app::Validar(args[0], out);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", AsRuntimeError(e).Description().toUtf8().constData());
    return 1;
  }
  std::fputs(kUsage, stderr);
  std::fputs(app::kUsoCod, stderr);
  return 2;
}
