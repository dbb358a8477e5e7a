#include "entry/cls_main.h"

#include <QCoreApplication>

#include "data/dialogs.h"
#include "data/forms.h"
#include "data/mod_main.h"
#include "data/schema.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/windows.h"

namespace ostrevan {

namespace {
// The report of the property members: number, description, member, module and line.
void ReportMember(const std::exception& ex, const char* member) {
  RuntimeError e = AsRuntimeError(ex);
  MsgBox("Error " + QString::number(e.Number()) + " (" + e.Description() + ")," + "\r\n" + "en " +
             member + "," + "\r\n" + "de Módulo de clase Cls_Main," + "\r\n" + "Linea:" + "0",
         vbExclamation);
}
}  // namespace

Cls_Main::Cls_Main() {
  try {
    St().comp.sistema = std::make_unique<clSistema>();
    St().sInternoHost.clear();
  } catch (const std::exception& e) {
    ReportMember(e, "Class_Initialize");
  }
}

Cls_Main::~Cls_Main() { Class_Terminate(); }

void Cls_Main::Class_Terminate() {
  if (terminated_) return;
  terminated_ = true;
  LiberarObjetos();
  St().comp.sistema.reset();
}

void Cls_Main::IniciaProyecto() {
  Main();
  // The host's call never ends in an error of ours: what stops the list is said here.
  try {
    // The list shows every certificate, also when Main had no operation to work on.
    CargarListadoInternos(false);
    Windows().ShowModal(Window::OstrevanLista);
  } catch (const std::exception& ex) {
    ReportBracket(ex, " Cls_Main [IniciaProyecto] ");
  }
}

void Cls_Main::Main() {
  // bDesdeHost says that Main is working for the host's operation: once Main ends, a
  // certificate created by hand from the list must not be taken for the host's.
  struct EndOfMain {
    ~EndOfMain() { St().bDesdeHost = false; }
  } endOfMain;
  try {
    ComponentState& st = St();
    st.sPathCfg = InstallationDir();
    st.sFrmDir = FormsDir();
    data::InstallSchema();
    CrearComponentes();
    st.bDesdeHost = false;
    if (st.sInternoHost.isEmpty()) return;
    st.bDesdeHost = true;
    Recordset rs;
    if (Query("OSTREVAN",
              "select IdCeO from CeoMercosur where IdCeO = '" + SqlText(st.sInternoHost) + "'",
              rs)) {
      CargarListadoInternos(false);
      CargarDatosAPlanilla(st.sInternoHost, false);
      MostrarCargaDatos();
      return;
    }
    // An operation the host does not have (or has twice) has no data to create from.
    const QString sinOperacion = VerificarOperacionHost(st.sInternoHost);
    if (!sinOperacion.isEmpty()) {
      MsgBox(sinOperacion, vbExclamation);
      return;
    }
    D().seleccion.Cancel = false;
    // A service without windows answers 1: nobody chose a form, which is a cancel.
    if (Windows().ShowModal(Window::SeleccionCertif) == 1 || D().seleccion.Cancel) return;
    st.sIdCeo = st.sInternoHost;
    if (!CrearCertificadoDelHost()) return;
    CargarArticulosEnGrid(0);
    st.bCertificadoCargado = true;
    MostrarCargaDatos();
  } catch (const std::exception& ex) {
    MsgBox("Error " + AsRuntimeError(ex).Description() + "\r\n" + " Cls_Main [Sub Main] " + "\r\n" +
           "0");
  }
}

void Cls_Main::DBDIR(const QString& p_Dir) {
  try {
    if (!p_Dir.isEmpty()) St().sDbDir = clSistema().PonerBarra(p_Dir);
  } catch (const std::exception& e) {
    ReportMember(e, "DBDIR");
  }
}

void Cls_Main::FRMDIR(const QString&) { St().sFrmDir = FormsDir(); }

void Cls_Main::CdoData(const QString& p_Data) {
  try {
    // The number as the host's lookups find it: a blank typed after it is not part of it.
    if (!p_Data.trimmed().isEmpty()) St().sInternoHost = p_Data.trimmed();
  } catch (const std::exception& e) {
    ReportMember(e, "CdoData");
  }
}

void Cls_Main::PRGPRINTER(const QString& p_Printer) {
  if (!p_Printer.isEmpty()) St().sPrinter = p_Printer;
}

void Cls_Main::DBQuandor(const QString& p_Dir) {
  try {
    clSistema s;
    St().sDbQuandor =
        s.PonerBarra(p_Dir.isEmpty() ? QCoreApplication::applicationDirPath() : p_Dir);
  } catch (const std::exception& e) {
    ReportMember(e, "DBQuandor");
  }
}

void Cls_Main::Coneccion(const QVariant& per, const QVariant& inter) {
  coneccionPer_ = per;
  coneccionInt_ = inter;
}

void Cls_Main::Pathcfg(QString& sPath) {
  sPath = InstallationDir();
  St().sPathCfg = sPath;
}

QString Cls_Main::Pathcfg() const { return St().sPathCfg; }

void Cls_Main::InternoQuandor(const QString& sInterno) {
  if (St().sInternoHost.isEmpty()) St().sInternoHost = sInterno.trimmed();
}

QString Cls_Main::InternoQuandor() const { return St().sInternoHost; }

}  // namespace ostrevan
