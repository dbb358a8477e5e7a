// The COD settings: the agreement of the form chosen in the settings window, who files and
// signs this installation's digital certificates, where ALADI's schemas and the trusted
// authorities are, and the country codes.
#include <QGridLayout>
#include <QGroupBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "data/cod_datos.h"
#include "host/keys.h"
#include "host/msgbox.h"
#include "ui/common/binding.h"
#include "ui/config/config_windows.h"
#include "ui/edit/clcntrl.h"

namespace ostrevan::ui {

FrmConfigCodWindow::FrmConfigCodWindow(QWidget* parent)
    : ClassicWindow(QString::fromUtf8("Configuración"), "Certificado de Origen Digital",
                    "[F11] Grabar    -    [ESC] Salir", parent) {
  FrmConfigCod& m = ConfigCod();
  auto* acuerdo = new QGroupBox;
  acuerdo->setObjectName("Fram_Acuerdo");
  auto* ga = new QGridLayout(acuerdo);
  auto* titulo = new QLabel;
  titulo->setObjectName("Lbl_Formulario");
  Bind(titulo, m.Lbl_Formulario);
  ga->addWidget(titulo, 0, 0, 1, 4);
  ga->addWidget(NamedLabel(QString::fromUtf8("Acrónimo (Anexo 2):"), "Lbl_Acronimo"), 1, 0);
  auto* acronimo = BoundLine(m.Txt_Acronimo, "Txt_Acronimo");
  acronimo->setMaximumWidth(70);
  ga->addWidget(acronimo, 1, 1);
  ga->addWidget(NamedLabel("Tipo de formulario del COD:", "Lbl_FormularioCod"), 1, 2);
  ga->addWidget(BoundCombo(m.Cmb_FormularioCod, "Cmb_FormularioCod"), 1, 3);
  ga->addWidget(NamedLabel("Nombre del acuerdo:", "Lbl_Acuerdo"), 2, 0);
  ga->addWidget(BoundLine(m.Txt_Acuerdo, "Txt_Acuerdo"), 2, 1, 1, 3);
  Body()->addWidget(acuerdo);

  auto* inst = new QGroupBox(QString::fromUtf8("Esta instalación"));
  inst->setObjectName("Fram_Instalacion");
  auto* gi = new QGridLayout(inst);
  const std::pair<const char*, QWidget*> filas[] = {
      {"Quién presenta el COD (EXP o REP):", BoundCombo(m.Cmb_Presentante, "Cmb_Presentante")},
      {"Nombre de quien presenta y firma:", BoundLine(m.Txt_Nombre, "Txt_Nombre")},
      {"Carpeta de los esquemas de ALADI:",
       BoundLine(m.Txt_CarpetaEsquemas, "Txt_CarpetaEsquemas")},
      {"Autoridades certificantes de confianza (PEM):",
       BoundLine(m.Txt_Autoridades, "Txt_Autoridades")},
      {"Lista de revocación (PEM):", BoundLine(m.Txt_Crl, "Txt_Crl")},
      {"Módulo PKCS#11 del token:", BoundLine(m.Txt_Modulo, "Txt_Modulo")},
  };
  int r = 0;
  for (const auto& [rotulo, w] : filas) {
    gi->addWidget(NamedLabel(QString::fromUtf8(rotulo), ""), r, 0);
    gi->addWidget(w, r++, 1);
  }
  Body()->addWidget(inst);
  Body()->addWidget(
      NamedLabel(QString::fromUtf8("Países: una línea \"País = código ISO\" por país"), "Lbl_Paises"));
  Body()->addWidget(BoundArea(m.Txt_Paises, "Txt_Paises", 8), 1);
  BindControls(this);
  resize(760, 640);
}

bool FrmConfigCodWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode == Key::Esc) {
    close();
    return true;
  }
  if (keyCode != Key::F11) return false;
  const QString error = ConfigCod().Guardar();
  if (!error.isEmpty()) {
    MsgBox(error, vbExclamation, "Certificado de Origen Digital");
    return true;
  }
  close();
  return true;
}

}  // namespace ostrevan::ui
