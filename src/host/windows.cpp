#include "host/windows.h"

#include "host/service.h"

namespace ostrevan {

QString WindowName(Window w) {
  switch (w) {
    case Window::OstrevanLista:
      return "Frm_OstrevanLista";
    case Window::CargaDatos:
      return "Frm_CargaDatos";
    case Window::SeleccionCertif:
      return "Frm_SeleccionCertif";
    case Window::GuardaDatos:
      return "Frm_GuardaDatos";
    case Window::CeoBorra:
      return "Frm_CeoBorra";
    case Window::Config:
      return "Frm_Config";
    case Window::ConfigProvisorio:
      return "Frm_ConfigProvisorio";
    case Window::UpdateCampos:
      return "FrmUpdateCampos";
    case Window::UpdatePropiedades:
      return "FrmUpdatePropiedades";
    case Window::Unidades:
      return "Frm_Unidades";
    case Window::Templates:
      return "Frm_Templates";
    case Window::TemplateActivation:
      return "Frm_TemplateActivation";
    case Window::CalibraCeo:
      return "Frm_CalibraCeo";
    case Window::DsdHst:
      return "frmDsdHst";
    case Window::ListaNormasOrigen:
      return "Frm_ListaNormasOrigen";
    case Window::NuevaNorma:
      return "frmNuevaNorma";
    case Window::AMArticulos:
      return "frm_AMArticulos";
    case Window::CambiaPosicion:
      return "Frm_CambiaPosicionArancelaria";
    case Window::VistaPrevia:
      return "Frm_VistaPrevia";
    case Window::Hallazgos:
      return "Frm_Hallazgos";
    case Window::Cod:
      return "Frm_Cod";
    case Window::ConfigCod:
      return "Frm_ConfigCod";
  }
  return {};
}

int NoWindows::ShowModal(Window w) { return w == Window::SeleccionCertif ? 1 : 0; }

namespace {
using Slot = ServiceSlot<WindowService, NoWindows>;
}  // namespace

std::shared_ptr<WindowService> SetWindowService(std::shared_ptr<WindowService> s) {
  return Slot::Set(std::move(s));
}

WindowService& Windows() { return Slot::Get(); }

}  // namespace ostrevan
