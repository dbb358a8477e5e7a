#pragma once
// The tables of the six entities, created on first use of an empty database.
#include "host/dataaccess.h"

namespace ostrevan::data {

SchemaSteps SchemaFor(const QString& entity);
// Makes every connection create its entity's tables on first use.
void InstallSchema();

}  // namespace ostrevan::data
