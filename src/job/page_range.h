#pragma once
// The page range asked for before a certificate's pages are composed. 0 and 0 in the
// component's iPaginaDesde and iPaginaHasta mean that the user cancelled.
#include "data/controls.h"

namespace ostrevan {

struct FrmDsdHst {
  TextBox txtDesde, txtHasta;  // each Tag keeps the bound the window was opened with
  bool vistaPrevia = false;    // the accepted range is shown before it prints
};

FrmDsdHst& DsdHst();
// Form_Load: both boxes show the component's range and keep it as their bounds.
void DsdHst_Load();
// Checks the typed range and, when valid, stores it; the first failing check is reported.
bool Validar_Guardar();
// Command2_Click
void DsdHst_Cancelar();
// Accepts the range, as Aceptar does, asking to see its pages before they print.
bool DsdHst_VistaPrevia();

}  // namespace ostrevan
