#pragma once
// The component's module-level state: one struct per host thread, reached through St().
// Tests reset it with ResetState().
#include <QString>
#include <memory>
#include <typeindex>

#include "host/dataaccess.h"
#include "host/ini.h"
#include "host/sistema.h"

namespace ostrevan {

// The outside components, created by Main and released together by LiberarObjetos.
struct Components {
  std::unique_ptr<clSistema> sistema;  // created with Cls_Main
  std::unique_ptr<clINI> ini;
  std::unique_ptr<CBNMain> main;      // OSTREVAN, OSTREVAN_CLI, CEOCFG, CATALOGOS
  std::unique_ptr<CBNMain> clientes;  // PERSONAL
  std::unique_ptr<CBNMain> internos;  // INTERNOS
  std::unique_ptr<CBNMain> picklist;  // prepared, not used
  std::unique_ptr<CBNMain> catalogo;  // CATALOGOS (tariff wordings)
  bool valores = false;               // the value component is stateless: only its lifetime
};

struct ComponentState {
  QString sInternoHost;
  QString sIdCeo;
  QString sIdFormulario;
  QString sPaisDestino;
  bool bNaladisa = false;
  bool bDesdeHost = false;
  bool bCertificadoCargado = false;
  bool bRecargar = false;
  bool bGuardado = false;
  QString sCuitCliente, sNombreCliente, sDomicilioCliente, sLocalidadCliente;
  QString sPathCfg;
  QString sFrmDir;
  QString sPrinter;
  QString sDbDir, sDbQuandor;
  int iPaginaDesde = 0;
  int iPaginaHasta = 0;
  Components comp;
};

ComponentState& St();
void ResetState();

// The objects the component instance owns besides its state (window models, the open
// databases, the log file): one of each type per component, created on first use and gone
// with the component. They live here rather than in statics of their own so that the
// component's whole state is in one place.
std::shared_ptr<void>& OwnedSlot(std::type_index type);
template <class T>
T& Owned() {
  std::shared_ptr<void>& slot = OwnedSlot(std::type_index(typeid(T)));
  if (!slot) slot = std::make_shared<T>();
  return *static_cast<T*>(slot.get());
}
// Drops one of them: the next use starts from a new one.
template <class T>
void Forget() {
  OwnedSlot(std::type_index(typeid(T))).reset();
}

// Creates the outside components as Main does and prepares each manager.
void CrearComponentes();
// Releases them in the order of LiberarObjetos; the file component is released too.
void LiberarComponentes();

// The manager that serves an entity, created on demand so that procedures run before
// Main (tests, batch commands) still reach their data.
CBNMain& ManagerFor(const QString& entity);
// getDataConnectionByEntity on the manager that serves the entity.
Connection& Conn(const QString& entity);
CBNMain& MainManager();
// The catalogue manager's connection, which serves the tariff wordings.
Connection& CatalogConn();

// Runs a query on an entity: the two-call pattern of every statement of the component.
bool Query(const QString& entity, const QString& sql, Recordset& rs);
long Execute(const QString& entity, const QString& sql);

}  // namespace ostrevan
