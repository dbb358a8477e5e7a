#include "app/batch.h"

#include <QFileInfo>
#include <functional>

#include "data/dialogs.h"
#include "data/forms.h"
#include "data/mod_main.h"
#include "data/verificaciones.h"
#include "host/keys.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "job/page_range.h"
#include "job/preview.h"
#include "job/print_job.h"
#include "print/backends.h"
#include "print/draft.h"

namespace ostrevan::app {

QString FormularioName(const QString& camara, const QString& idOrName) {
  Recordset rs;
  if (Query("CEOCFG",
            "Select Formulario From CeoFormularios Where IdFormulario = '" + SqlText(idOrName) +
                "' and IdCamara = '" + SqlText(GetIDCamaraFromName(camara)) + "'",
            rs)) {
    return Txt(rs.Fields("Formulario").Value);
  }
  return idOrName;
}

int BatchWindows::ShowModal(Window w) {
  switch (w) {
    case Window::SeleccionCertif:
      ChooseForm();
      break;
    case Window::CargaDatos:
      PrintCertificate();
      break;
    case Window::OstrevanLista:
      PrintList();
      break;
    case Window::DsdHst:
      ChoosePages();
      break;
    default:
      break;
  }
  return 0;
}

namespace {
bool Select(ComboBox& combo, const QString& text) {
  for (int i = 0; i < combo.ListCount(); ++i) {
    if (combo.List(i).compare(text.trimmed(), Qt::CaseInsensitive) == 0) {
      combo.SetListIndex(i);
      return true;
    }
  }
  return false;
}
}  // namespace

void BatchWindows::ChooseForm() {
  FrmSeleccionCertif& s = D().seleccion;
  SeleccionCertif_Load();
  const bool ok = Select(s.Cmb_Camara, camara_) &&
                  Select(s.Cmb_CertificadoPais, FormularioName(camara_, formulario_));
  if (!ok || St().sIdFormulario.isEmpty()) {
    MsgBox("La camara \"" + camara_ + "\" no tiene el formulario \"" + formulario_ + "\"",
           vbExclamation);
  }
  SeleccionCertif_KeyDown(ok && !St().sIdFormulario.isEmpty() ? Key::F11 : Key::Esc);
  if (ok) {
    out_ << "Camara " << s.Cmb_Camara.Text() << ", formulario " << St().sIdFormulario << " ("
         << s.Cmb_CertificadoPais.Text() << "), nomenclador " << s.Txt_Nomenclador.Text()
         << ", pais " << s.Txt_Pais.Text() << "\n";
    out_.flush();
  }
}

void BatchWindows::PrintCertificate() {
  FrmCargaDatos& f = CargaDatos();
  out_ << "Certificado " << St().sIdCeo << ": " << f.Txt_Descripcion.Text() << " ["
       << f.Txt_Estado.Text() << "]\n";
  out_ << "  Camara " << f.Cmb_Camara.Text() << ", formulario " << St().sIdFormulario << " ("
       << f.cboPais.Text() << "), " << f.Txt_TipoNomenclador.Text() << "\n";
  QString exporter = f.Txt_ProdFinExp.Text();
  exporter.replace("\r\n", " / ");
  out_ << "  Exportador: " << exporter << "\n  Destino: " << f.Txt_PaisDest.Text() << "\n";
  out_ << "  " << f.Lbl_TotalArts.Caption() << ", normas de origen " << (f.MsfgParteII.Rows() - 1)
       << "\n";
  out_.flush();
}

namespace {
// One cell on one line: a line break in a text shows as a blank, as a tab does in the grid.
QString UnaLinea(const QString& cell) {
  QString t = cell;
  t.replace("\r\n", " ");
  for (QChar& c : t) {
    if (c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == QChar(0x85) ||
        c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
      c = ' ';
    }
  }
  return t;
}
}  // namespace

void BatchWindows::PrintList() {
  const Grid& g = Lista().Msfg_ListadoMn;
  out_ << "Listado: " << (g.Rows() - 1) << " certificados\n";
  for (int r = 1; r < g.Rows(); ++r) {
    out_ << "  " << UnaLinea(g.TextMatrix(r, 0)) << "\t" << UnaLinea(g.TextMatrix(r, 1)) << "\t"
         << UnaLinea(g.TextMatrix(r, 2)) << "\t" << UnaLinea(g.TextMatrix(r, 3)) << "\n";
  }
  out_.flush();
}

}  // namespace ostrevan::app

namespace ostrevan::app {

void BatchWindows::ChoosePages() {
  DsdHst_Load();
  FrmDsdHst& f = DsdHst();
  out_ << "Paginas disponibles: " << f.txtDesde.Text() << " a " << f.txtHasta.Text() << "\n";
  if (desde.isEmpty() && hasta.isEmpty()) return;
  if (!desde.isEmpty()) f.txtDesde.SetText(desde);
  if (!hasta.isEmpty()) f.txtHasta.SetText(hasta);
  if (!Validar_Guardar()) DsdHst_Cancelar();  // nothing printed on a bad range
}

namespace {
// Runs `run` with every print run going to one PDF file; true when this run wrote it.
bool PrintingTo(const QString& pdf, const std::function<void()>& run, bool borrador = false) {
  auto backend = std::make_shared<print::PdfBackend>(pdf);
  std::shared_ptr<print::Backend> target = backend;
  if (borrador) {
    target = std::make_shared<print::DraftBackend>(backend, FondoFormulario(St().sIdFormulario));
  }
  print::SetBackendFactory([target](const QString&) { return target; });
  run();
  print::SetBackendFactory(nullptr);
  return backend->FilesWritten() > 0;
}
}  // namespace

namespace {
// Passes every message on, and keeps the ones that are not mere information: a run that
// told the user of an error did not print what was asked, even when it wrote a file.
class ErrorsTold final : public MessageService {
 public:
  ErrorsTold() = default;
  int Show(const QString& text, int style, const QString& title) override {
    if ((style & 0x70) != vbInformation) errors << QString(text).replace("\r\n", " ").simplified();
    return previous->Show(text, style, title);
  }
  std::shared_ptr<MessageService> previous;
  QStringList errors;
};

// Why a run that told nothing printed no page: what the certificate and its form show.
QString SilentCause(const QString& idCeo) {
  Recordset rs;
  if (!Query("OSTREVAN",
             "select count(*) as n from Articulos where IdCeo = '" + SqlText(idCeo) + "'", rs) ||
      esnumero(rs.Fields("n").Value) < 1) {
    return "el certificado no tiene articulos";
  }
  const QString form = St().sIdFormulario;
  const QString top = GetCEOParamInfo(form, "CY103", false);
  const QString bottom = GetCEOParamInfo(form, "CY203", false);
  if (esnumero(bottom) <= esnumero(top)) {
    return "el area de articulos del formulario " + form +
           " no tiene lugar para ninguna linea "
           "(CY103 = " +
           top + " no esta por encima de CY203 = " + bottom + ")";
  }
  return "la impresion no produjo ninguna pagina";
}
}  // namespace

namespace {
QString Errores(int n) {
  return n == 1 ? QStringLiteral("1 error") : QString::number(n) + " errores";
}

// The checks of F12 before a batch print: every finding is listed; errors refuse the print
// unless it is forced (or only a draft), warnings never do. True when the print goes on;
// `errores` is how many errors it goes on with.
bool Verificado(const QString& idCeo, bool borrador, bool forzar, QTextStream& out, int& errores) {
  const std::vector<Hallazgo> hallazgos = VerificarParaImprimir(idCeo);
  errores = 0;
  for (const Hallazgo& h : hallazgos) {
    out << NivelTexto(h.nivel) << "\t" << h.codigo << "\t" << h.mensaje << "\n";
    if (h.nivel == Nivel::Error) ++errores;
  }
  out.flush();
  if (errores == 0) return true;
  const QString cuantos = Errores(errores);
  if (borrador) {
    out << "El borrador se imprime con " << cuantos << " de la verificacion\n";
  } else if (forzar) {
    out << "Se imprime igual por --forzar, con " << cuantos << " de la verificacion\n";
  } else {
    out << "No se imprimio el certificado " << idCeo << ": la verificacion encontro " << cuantos
        << " (corrijalos, o use --forzar para imprimirlo igual)\n";
    return false;
  }
  return true;
}
}  // namespace

int PrintToPdf(const QString& idCeo, const QString& pdf, const QString& desde, const QString& hasta,
               QTextStream& out, bool borrador, bool forzar) {
  auto windows = std::make_shared<BatchWindows>(QString(), QString(), out);
  windows->desde = desde;
  windows->hasta = hasta;
  SetWindowService(windows);
  Recordset rs;
  if (!Query("OSTREVAN", "select IdCeo from CeoMercosur where IdCeo = '" + SqlText(idCeo) + "'",
             rs)) {
    MsgBox("No existe el certificado " + idCeo, vbExclamation);
    return 1;
  }
  int errores = 0;
  if (!Verificado(idCeo, borrador, forzar, out, errores)) return 1;
  auto told = std::make_shared<ErrorsTold>();
  told->previous = SetMessageService(told);
  CargarDatosAPlanilla(idCeo);
  const bool printed = PrintingTo(
      pdf, [] { EnviaImpresion(); }, borrador);
  SetMessageService(told->previous);
  if (!printed) {
    out << "No se imprimio el certificado " << idCeo << ": "
        << (told->errors.isEmpty() ? SilentCause(idCeo) : told->errors.join(" / ")) << "\n";
    return 1;
  }
  const QString path = QFileInfo(pdf).absoluteFilePath();
  if (!told->errors.isEmpty()) {
    out << "El certificado " << idCeo << " se imprimio en " << path
        << " con errores, no esta completo: " << told->errors.join(" / ") << "\n";
    return 1;
  }
  out << "Certificado " << idCeo << " impreso en " << path;
  if (errores > 0 && !borrador) {
    out << " (con --forzar, a pesar de " << Errores(errores) << " de la verificacion)";
  }
  out << "\n";
  return 0;
}

int PrintCalibrationToPdf(const QString& pdf, QTextStream& out) {
  // The page says itself where it went.
  if (!PrintingTo(pdf, [] { ImprimirPaginaCalibracion(); })) {
    out << "No se imprimio la pagina de calibracion\n";
    return 1;
  }
  return 0;
}

}  // namespace ostrevan::app
