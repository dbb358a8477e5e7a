#include "job/page_range.h"

#include <cmath>

#include "host/msgbox.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

FrmDsdHst& DsdHst() { return Owned<FrmDsdHst>(); }

void DsdHst_Load() {
  FrmDsdHst& f = DsdHst();
  f.txtDesde.SetText(QString::number(St().iPaginaDesde));
  f.txtDesde.Tag = f.txtDesde.Text();
  f.txtHasta.SetText(QString::number(St().iPaginaHasta));
  f.txtHasta.Tag = f.txtHasta.Text();
  f.vistaPrevia = false;
}

namespace {
int ToInt16(double v) {
  double r = std::nearbyint(v);  // halves to even, as the classic conversion does
  if (r > 32767) r = 32767;
  if (r < -32768) r = -32768;
  return static_cast<int>(r);
}
}  // namespace

bool Validar_Guardar() {
  FrmDsdHst& f = DsdHst();
  if (!IsNumeric(f.txtDesde.Text())) {
    MsgBox("El campo DESDE debe tener un valor númerico", vbExclamation);
    return false;
  }
  if (!IsNumeric(f.txtHasta.Text())) {
    MsgBox("El campo HASTA debe tener un valor númerico", vbExclamation);
    return false;
  }
  const double desde = Val(f.txtDesde.Text());
  const double hasta = Val(f.txtHasta.Text());
  if (hasta < desde) {
    MsgBox("El campo DESDE no puede ser mayor que HASTA", vbExclamation);
    return false;
  }
  if (desde < Val(f.txtDesde.Tag)) {
    MsgBox("El campo DESDE no puede ser menor a " + f.txtDesde.Tag, vbExclamation);
    return false;
  }
  if (hasta > Val(f.txtHasta.Tag)) {
    MsgBox("El campo HASTA no puede ser mayor a " + f.txtHasta.Tag, vbExclamation);
    return false;
  }
  St().iPaginaDesde = ToInt16(desde);
  St().iPaginaHasta = ToInt16(hasta);
  return true;
}

bool DsdHst_VistaPrevia() {
  DsdHst().vistaPrevia = Validar_Guardar();
  return DsdHst().vistaPrevia;
}

void DsdHst_Cancelar() {
  St().iPaginaDesde = 0;
  St().iPaginaHasta = 0;
}

}  // namespace ostrevan
