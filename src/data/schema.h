#pragma once
// The tables of the component's own entities, created and migrated on first use; the host's
// tables as the demo installation and the tests, which play the host, create them.
#include "host/dataaccess.h"

namespace ostrevan::data {

SchemaSteps SchemaFor(const QString& entity, const Dialect& dialect);
// The host's tables of INTERNOS or PERSONAL, with only the columns the component reads.
std::vector<QString> HostTables(const QString& entity, const Dialect& dialect);
// Makes every connection create its entity's tables on first use.
void InstallSchema();

}  // namespace ostrevan::data
