#include "host/windows.h"

namespace ostrevan {

QString WindowName(Window w) {
  switch (w) {
    case Window::OstrevanLista: return "Frm_OstrevanLista";
    case Window::CargaDatos: return "Frm_CargaDatos";
    case Window::SeleccionCertif: return "Frm_SeleccionCertif";
    case Window::GuardaDatos: return "Frm_GuardaDatos";
    case Window::CeoBorra: return "Frm_CeoBorra";
    case Window::Config: return "Frm_Config";
    case Window::DsdHst: return "frmDsdHst";
  }
  return {};
}

int NoWindows::ShowModal(Window w) { return w == Window::SeleccionCertif ? 1 : 0; }

namespace {
std::shared_ptr<WindowService>& Current() {
  static std::shared_ptr<WindowService> s = std::make_shared<NoWindows>();
  return s;
}
}  // namespace

std::shared_ptr<WindowService> SetWindowService(std::shared_ptr<WindowService> s) {
  auto old = Current();
  Current() = s ? std::move(s) : std::make_shared<NoWindows>();
  return old;
}

WindowService& Windows() { return *Current(); }

}  // namespace ostrevan
