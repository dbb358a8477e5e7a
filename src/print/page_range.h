#pragma once
// The page range asked for before a certificate's pages are composed. 0 and 0 in the
// component's iPaginaDesde and iPaginaHasta mean that the user cancelled.
#include "data/controls.h"

namespace ostrevan::print {

struct FrmDsdHst {
  TextBox txtDesde, txtHasta;  // each Tag keeps the bound the window was opened with
};

FrmDsdHst& DsdHst();
// Form_Load: both boxes show the component's range and keep it as their bounds.
void DsdHst_Load();
// Checks the typed range and, when valid, stores it; the first failing check is reported.
bool Validar_Guardar();
// Command2_Click
void DsdHst_Cancelar();

}  // namespace ostrevan::print
