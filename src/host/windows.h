#pragma once
// Presenters ask this service to show a modal window and read its result; the widgets
// layer implements it, tests replace it with a script. exec() happens in one place.
#include <QString>
#include <memory>

namespace ostrevan {

enum class Window {
  OstrevanLista,    // certificate list
  CargaDatos,       // data-entry window
  SeleccionCertif,  // chamber and form choice; result 1 = cancelled
  GuardaDatos,      // new certificate by hand
  CeoBorra,         // delete confirmation
  Config,           // settings
  // Opened from the settings: the field layout editor and its two row editors, units, the
  // templates and their switch, the calibration page.
  ConfigProvisorio,
  UpdateCampos,
  UpdatePropiedades,
  Unidades,
  Templates,
  TemplateActivation,
  CalibraCeo,
  DsdHst,  // page range
  // The item windows: origin-norm pick list, new norm, article editor, tariff change.
  ListaNormasOrigen,
  NuevaNorma,
  AMArticulos,
  CambiaPosicion,
  // Before printing: the certificate on its form, the checks' findings.
  VistaPrevia,
  Hallazgos,
  // The digital certificate of origin of the open certificate, and its settings.
  Cod,
  ConfigCod,
};

QString WindowName(Window w);

class WindowService {
 public:
  virtual ~WindowService() = default;
  // Shows the window modally and returns its result (0 when it has none).
  virtual int ShowModal(Window w) = 0;
};

// Without windows (batch runs) nothing is shown: every window answers as if cancelled.
class NoWindows final : public WindowService {
 public:
  int ShowModal(Window w) override;
};

std::shared_ptr<WindowService> SetWindowService(std::shared_ptr<WindowService> s);
WindowService& Windows();

}  // namespace ostrevan
