#include "host/state.h"

#include <unordered_map>

namespace ostrevan {

namespace {
// The module-level state exists once per host thread, as the component's did.
thread_local ComponentState state;
thread_local std::unordered_map<std::type_index, std::shared_ptr<void>> owned;
}  // namespace

ComponentState& St() { return state; }

std::shared_ptr<void>& OwnedSlot(std::type_index type) { return owned[type]; }

void ResetState() { state = ComponentState(); }

void CrearComponentes() {
  Components& c = state.comp;
  if (!c.sistema) c.sistema = std::make_unique<clSistema>();
  c.valores = true;
  c.ini = std::make_unique<clINI>();
  c.main = std::make_unique<CBNMain>();
  c.clientes = std::make_unique<CBNMain>();
  c.internos = std::make_unique<CBNMain>();
  c.picklist = std::make_unique<CBNMain>();
  c.catalogo = std::make_unique<CBNMain>();
  for (CBNMain* m :
       {c.main.get(), c.clientes.get(), c.internos.get(), c.picklist.get(), c.catalogo.get()}) {
    m->LoadParameters();
  }
}

void LiberarComponentes() {
  Components& c = state.comp;
  c.main.reset();
  c.clientes.reset();
  c.internos.reset();
  c.picklist.reset();
  c.catalogo.reset();
  c.ini.reset();
  c.valores = false;
  c.sistema.reset();
}

namespace {
CBNMain& Ensure(std::unique_ptr<CBNMain>& m) {
  if (!m) {
    m = std::make_unique<CBNMain>();
    m->LoadParameters();
  }
  return *m;
}
}  // namespace

CBNMain& MainManager() { return Ensure(state.comp.main); }

CBNMain& ManagerFor(const QString& entity) {
  Components& c = state.comp;
  QString e = entity.toUpper();
  if (e == "PERSONAL") return Ensure(c.clientes);
  if (e == "INTERNOS") return Ensure(c.internos);
  return Ensure(c.main);
}

Connection& CatalogConn() {
  return Ensure(state.comp.catalogo).getDataConnectionByEntity("CATALOGOS");
}

Connection& Conn(const QString& entity) {
  return ManagerFor(entity).getDataConnectionByEntity(entity);
}

bool Query(const QString& entity, const QString& sql, Recordset& rs) {
  Conn(entity).SetSQL(sql);
  return Conn(entity).CrearRs(rs);
}

long Execute(const QString& entity, const QString& sql) {
  Conn(entity).SetSQL(sql);
  return Conn(entity).Ejecutar();
}

}  // namespace ostrevan
