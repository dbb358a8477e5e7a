// The digital certificate of origin from the command line: export, sign, verify, attach.
// The password or PIN comes from standard input or a file, never from the command line,
// where any user of the machine could read it.
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <cstdio>

#include "app/batch.h"
#include "job/cod_job.h"

namespace ostrevan::app {

namespace {
// The option's value, taken out of `args`; `falta` set when the option has none.
QString Opcion(QStringList& args, const QString& nombre, bool& falta) {
  const int i = args.indexOf(nombre);
  if (i < 0) return {};
  if (i + 1 >= args.size()) {
    falta = true;
    args.removeAt(i);
    return {};
  }
  const QString v = args.at(i + 1);
  args.remove(i, 2);
  return v;
}

QByteArray SinFinDeLinea(QByteArray s) {
  while (s.endsWith('\n') || s.endsWith('\r')) s.chop(1);
  return s;
}

// One line of standard input; typed at a terminal, without echo.
QByteArray SecretoDeEntrada() {
  const bool terminal = isatty(STDIN_FILENO) != 0;
  termios antes{};
  if (terminal && tcgetattr(STDIN_FILENO, &antes) == 0) {
    std::fputs("Contraseña o PIN: ", stderr);
    termios sinEco = antes;
    sinEco.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &sinEco);
  }
  QFile in;
  QByteArray s;
  if (in.open(stdin, QIODevice::ReadOnly)) s = in.readLine();
  if (terminal) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &antes);
    std::fputs("\n", stderr);
  }
  return SinFinDeLinea(s);
}

int Informar(const ResultadoCod& r, QTextStream& out) {
  for (const QString& l : r.informe) out << l << "\n";
  for (const QString& l : LineasHallazgos(r.hallazgos)) out << l << "\n";
  out.flush();
  return r.ok ? 0 : 1;
}

int Uso(QTextStream& out) {
  out.flush();
  std::fputs(kUsoCod, stderr);
  return 2;
}
}  // namespace

bool EsVerboCod(const QString& cmd) {
  return cmd == "cod" || cmd == "cod-verificar" || cmd == "cod-adjuntar";
}

int VerboCod(const QString& cmd, QStringList args, QTextStream& out) {
  bool falta = false;
  if (cmd == "cod-verificar") {
    const QString ca = Opcion(args, "--ca", falta);
    if (falta || args.size() != 1) return Uso(out);
    return Informar(VerificarArchivoCod(args[0], ca), out);
  }
  if (cmd == "cod-adjuntar") {
    if (args.size() != 2) return Uso(out);
    return Informar(AdjuntarCod(args[0], args[1]), out);
  }
  const QString p12 = Opcion(args, "--p12", falta);
  const QString token = Opcion(args, "--token", falta);
  const QString secretoArchivo = Opcion(args, "--secreto-archivo", falta);
  const QString modulo = Opcion(args, "--modulo", falta);
  if (falta || args.size() != 2 || (!p12.isEmpty() && !token.isEmpty())) return Uso(out);
  if (p12.isEmpty() && token.isEmpty()) return Informar(ExportarCod(args[0], args[1]), out);
  cod::Firmante f;
  f.origen = token.isEmpty() ? cod::Firmante::Origen::Archivo : cod::Firmante::Origen::Token;
  f.ruta = token.isEmpty() ? p12 : token;
  f.modulo = modulo;
  QByteArray secreto;
  if (secretoArchivo.isEmpty()) {
    secreto = SecretoDeEntrada();
  } else {
    QFile s(secretoArchivo);
    if (!s.open(QIODevice::ReadOnly)) {
      out << "Error: No se pudo leer el archivo de la contraseña o PIN " << secretoArchivo
          << ": " << s.errorString() << "\n";
      return 1;
    }
    secreto = SinFinDeLinea(s.readAll());
  }
  const int rc = Informar(FirmarCod(args[0], args[1], f, secreto), out);
  secreto.fill('\0');
  return rc;
}

}  // namespace ostrevan::app
