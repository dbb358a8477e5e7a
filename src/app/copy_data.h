#pragma once
// Moving an installation's own data from the embedded files to the office's server.
#include <QTextStream>

namespace ostrevan::app {

// Copies OSTREVAN, OSTREVAN_CLI, CEOCFG and CATALOGOS from their SQLite files under Datos/
// into the databases Cfg/Conexiones.ini names for them: each entity in one transaction, its
// row counts checked before the commit. A target that already holds rows is refused unless
// `replace`; the files are only read. Returns the exit status; tells on out what it did.
int CopiarDatos(bool replace, QTextStream& out);

}  // namespace ostrevan::app
