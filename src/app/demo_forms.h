#pragma once
// The images of the demo installation's forms folder, drawn by the project: the chambers'
// logos, the templates the layouts name, and the blank paper of every form with the boxes
// 1 to 16 of the MERCOSUR/ALADI certificate of origin at the millimetres its layout prints into.
#include <QString>

namespace ostrevan::demo {

// Resolution of the form images: 8 pixels to a millimetre (203 dpi).
constexpr double kFormPxPerMm = 8.0;

// Draws every image of the installation's forms folder.
void DrawDemoImages();

// Draws "<IdFormulario>.png" in the forms folder for every form of the installation.
void DrawFormImages(const QString& formsDir);

}  // namespace ostrevan::demo
