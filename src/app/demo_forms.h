#pragma once
// The blank paper of every demo form, drawn by the project: the boxes 1 to 16 of the
// MERCOSUR/ALADI certificate of origin at the millimetres the demo layouts print into.
#include <QString>

namespace ostrevan::demo {

// Resolution of the form images: 8 pixels to a millimetre (203 dpi).
constexpr double kFormPxPerMm = 8.0;

// Draws "<IdFormulario>.png" in the forms folder for every form of the installation.
void DrawFormImages(const QString& formsDir);

}  // namespace ostrevan::demo
