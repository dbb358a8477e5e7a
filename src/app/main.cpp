// The stand-in host: it starts the component as the customs-operations system would, and
// offers the batch commands that need no window.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "app/batch.h"
#include "app/copy_data.h"
#include "app/demo_completion.h"
#include "app/demo_install.h"
#include "app/first_start.h"
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
    "     ostrevan --help | --version\n"
    "Certificados de origen de las operaciones de exportacion: los crea desde la base del\n"
    "host, los completa y los imprime en el formulario preimpreso de la camara.\n"
    "\n"
    "Comandos:\n"
    "  demo-install [--reemplazar] [CARPETA]\n"
    "                                    crea o renueva la instalacion de demostracion bajo\n"
    "                                    CARPETA (por omision $ProgramFiles); con certificados\n"
    "                                    o bases fuera de ella, solo con --reemplazar\n"
    "  instalar-vacia [CARPETA]          crea una instalacion vacia bajo CARPETA (por omision\n"
    "                                    $ProgramFiles): sus tablas y su configuracion, sin\n"
    "                                    camaras, formularios ni certificados\n"
    "  crear INTERNO CAMARA FORMULARIO   crea el certificado de una operacion del host sin\n"
    "                                    ventanas (FORMULARIO: su id, p. ej. CEO104, o nombre)\n"
    "  main INTERNO [CAMARA FORMULARIO]  ejecuta Main para una operacion, como el host\n"
    "  listar                            muestra el listado de certificados\n"
    "  demo-completar ID                 completa encabezado y normas de origen de un\n"
    "                                    certificado de demostracion\n"
    "  ventanas [INTERNO]                abre las ventanas como el host: Main para la operacion\n"
    "                                    INTERNO (si se da) y luego el listado\n"
    "  imprimir ID PDF [DESDE [HASTA]] [--borrador] [--forzar]\n"
    "                                    imprime un certificado guardado en un archivo PDF,\n"
    "                                    opcionalmente solo las paginas DESDE a HASTA. Antes\n"
    "                                    lo verifica como F12 y lista lo que encuentra: un\n"
    "                                    error no lo deja imprimir (sale con 1), salvo con\n"
    "                                    --forzar, que lo imprime igual y lo dice; una\n"
    "                                    advertencia no lo detiene. Con --borrador, sobre la\n"
    "                                    imagen del formulario y con la marca\n"
    "                                    \"BORRADOR - SIN VALOR\" en cada pagina, aun con\n"
    "                                    errores\n"
    "  validar ID                        verifica un certificado antes de imprimirlo; sale\n"
    "                                    con 1 si encuentra un error\n"
    "  copiar-datos [--reemplazar]       copia los datos propios de Datos/ al servidor que\n"
    "                                    Cfg/Conexiones.ini indica\n"
    "  calibracion [PDF]                 imprime la pagina de calibracion en un archivo PDF o,\n"
    "                                    sin PDF, donde Cfg/Impresoras.ini lo indique; sale\n"
    "                                    con 1 y el motivo si no se pudo imprimir\n";
// After the digital certificate's commands, which their own usage lists.
const char* kUsageEnd =
    "  --help                            muestra esta ayuda\n"
    "  --version                         muestra la version\n"
    "\n"
    "La instalacion esta en $ProgramFiles/Velmora/Formularios o, sin ProgramFiles, en\n"
    "~/.local/share/Velmora/Formularios. Donde no hay ninguna, los comandos lo dicen y no\n"
    "crean nada; \"ventanas\" ofrece crear alli la de demostracion o una vacia.\n";

void PrintUsage(FILE* to) {
  std::fputs(kUsage, to);
  std::fputs(app::kUsoCod, to);
  std::fputs(kUsageEnd, to);
}

// The commands that work on an installation: where there is none they would create empty
// databases and show empty lists without a word.
const char* kInstallationCommands[] = {"crear",       "main",     "listar",      "demo-completar",
                                       "ventanas",    "imprimir", "validar",     "copiar-datos",
                                       "calibracion", "cod",      "cod-adjuntar"};

bool NeedsInstallation(const QString& cmd) {
  for (const char* c : kInstallationCommands) {
    if (cmd == QLatin1String(c)) return true;
  }
  return false;
}

// Qt warns on every start when the session names no runtime folder (a console, a service
// account). This program owns its process: it takes the folder Qt would fall back to, made
// private to the user as Qt wants it, and Qt stays silent.
void SetRuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QByteArray dir = QFile::encodeName(QDir::tempPath()) + "/runtime-" +
                         QByteArray::number(static_cast<qulonglong>(geteuid()));
  ::mkdir(dir.constData(), 0700);
  struct stat st {};
  if (::lstat(dir.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) {
    return;  // someone else's: Qt says what it makes of it
  }
  if ((st.st_mode & 0777) != 0700 && ::chmod(dir.constData(), 0700) != 0) return;
  qputenv("XDG_RUNTIME_DIR", dir);
}

int Crear(const QStringList& args, QTextStream& out, bool formRequired) {
  if (args.isEmpty() || args[0].trimmed().isEmpty() || (formRequired && args.size() < 3)) {
    PrintUsage(stderr);
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
  // Help and version need no display, no installation and no Qt application.
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    PrintUsage(stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("ostrevan %s\n", OSTREVAN_VERSION);
    return 0;
  }
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  SetRuntimeFolder();
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  // This program plays the host: it owns the process, so it installs Qt's translations.
  app::InstalarTraduccionesDeQt(&app);
  QStringList args = app.arguments().mid(1);
  QTextStream out(stdout);
  SetMessageService(std::make_shared<ConsoleMessages>());
  SetStatusPopup(std::make_shared<ConsolePopup>());
  data::InstallSchema();
  const QString cmd = args.takeFirst();
  if (NeedsInstallation(cmd) && cmd != "ventanas" && !demo::HasInstallation(InstallationDir())) {
    std::fprintf(stderr,
                 "%s: cree la de demostracion con \"ostrevan demo-install\" o una vacia con "
                 "\"ostrevan instalar-vacia\"\n",
                 app::NoInstallationText().toUtf8().constData());
    return 1;
  }
  try {
    if (cmd == "demo-install") {
      const bool reemplazar = args.removeAll("--reemplazar") > 0;
      QString dir = args.value(0, ProgramFilesDir());
      demo::BuildDemoInstallation(dir, reemplazar);
      qputenv("ProgramFiles", dir.toUtf8());
      out << "Instalacion de demostracion en " << InstallationDir() << "\n";
      return 0;
    }
    if (cmd == "instalar-vacia") {
      QString dir = args.value(0, ProgramFilesDir());
      demo::BuildEmptyInstallation(dir);
      qputenv("ProgramFiles", dir.toUtf8());
      out << "Instalacion vacia en " << InstallationDir() << "\n";
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
      if (!demo::HasInstallation(InstallationDir())) {
        if (const std::optional<int> status = app::OfferInstallation()) return *status;
      }
      Cls_Main c;
      if (!args.isEmpty()) c.CdoData(args[0]);
      c.IniciaProyecto();
      return 0;
    }
    if (cmd == "calibracion") {
      Cls_Main c;
      c.Main();
      if (args.isEmpty()) {
        // It tells the user itself where the page went, or why it did not print.
        return ImprimirPaginaCalibracion().isEmpty() ? 1 : 0;
      }
      return app::PrintCalibrationToPdf(args[0], out);
    }
    if (cmd == "imprimir" && args.size() >= 2) {
      const bool borrador = args.removeAll("--borrador") > 0;
      const bool forzar = args.removeAll("--forzar") > 0;
      if (args.size() < 2) {
        std::fputs(kUsage, stderr);
        return 2;
      }
      Cls_Main c;
      c.Main();
      return app::PrintToPdf(args[0], args[1], args.value(2), args.value(3), out, borrador, forzar);
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
  PrintUsage(stderr);
  return 2;
}
