#pragma once
// The windows' contents as the certificate procedures see them, one instance of each per
// host thread (the classic forms were global too). The widgets show these models.
#include <QString>
#include <memory>
#include <vector>

#include "data/certificado.h"
#include "data/controls.h"
#include "data/item_work.h"

namespace ostrevan {

struct FrmCargaDatos {
  FrmCargaDatos();
  FrmCargaDatos(const FrmCargaDatos&) = delete;  // its handlers point at its own combos
  FrmCargaDatos& operator=(const FrmCargaDatos&) = delete;
  TextBox Txt_Descripcion, Txt_Estado, Txt_ProdFinExp, Txt_Importador, Txt_Consignatario,
      Txt_PuertoEmbarque, Txt_MedioTransporte, Txt_PaisDest, Txt_FactComerc, Txt_FCNumero,
      Txt_FCFecha, Txt_Observaciones, Txt_DeclProdFin, Txt_DeclAcuerdo, Txt_Fecha,
      Txt_TipoNomenclador, Text1;
  ComboBox Cmb_Camara, cboPais;
  Grid MsfgParteI, MsfgParteII;
  Label Lbl_TotalArts{"Total Arts:"}, LblSelInfo;
  Label Lbl_Guardado;  // the status line: when the window's keys last saved the certificate
  // The labels whose captions follow the form (found by their tags).
  Label Lbl_Cuit{"1) Productor final o exportador (Nombre, Direccion , Pais)", "ID001"};
  Label Lbl_NroRegistro{"2) Importador (Nombre, Direccion, Pais)", "ID002"};
  Label Label7{"15) Declaracion del producto final o del exportador:", "ID049"};
  Label Label10{
      "Declaramos que las mercaderias mencionadas en el presente formulario fueron producidas "
      "en ",
      "ID050"};
  Label Label13{"y estan de acuerdo con las condiciones de origen establecidas en el acuerdo ",
                "ID051"};
  Image Image1;
  Timer TimerReload;
  int rowParteI = 0, rowParteII = 0;  // remembered current rows of the two grids
  QString selPosition;                // tariff code of the first marked item
  QStringList selected;               // keys of the marked items
  // The window's box of a header box.
  TextBox& Box(Casilla c);
};

struct FrmOstrevanLista {
  Grid Msfg_ListadoMn;
};

struct FrmGuardaDatos {
  TextBox txtInterno, Txt_Descripcion, Txt_IdOperacion, Txt_Estado;
  ComboBox Cbx_Pais;
};

struct FrmSeleccionCertif {
  FrmSeleccionCertif();
  FrmSeleccionCertif(const FrmSeleccionCertif&) = delete;
  FrmSeleccionCertif& operator=(const FrmSeleccionCertif&) = delete;
  ComboBox Cmb_Camara, Cmb_CertificadoPais;
  TextBox Txt_Pais, Txt_Nomenclador;
  Label Lbl_Descripcion, Lbl_CodigoFormulario;
  Image ImgCamara;
  bool Cancel = false;
};

struct FrmCeoBorra {
  TextBox txt_IdOperacion, txt_Descripcion, txt_Estado;
};

// {IdNormasOrigen, group number, description}; entry 0 is the empty record.
struct NormaOrigen {
  QString id;
  QString grupo;
  QString descripcion;
};

// The items of a host operation as the last import read them, indexed from 1.
struct ImportedItems {
  QStringList ncm{QString()}, naladisa{QString()}, unidad{QString()}, codigo{QString()},
      descripcion{QString()};
  std::vector<double> cantidad{0}, fob{0};
  int Count() const { return static_cast<int>(ncm.size()) - 1; }
};

struct DataState {
  std::unique_ptr<FrmCargaDatos> cargaDatos;
  std::unique_ptr<FrmOstrevanLista> lista;
  FrmGuardaDatos guardaDatos;
  FrmSeleccionCertif seleccion;
  FrmCeoBorra borra;
  std::vector<NormaOrigen> normas{NormaOrigen{}};
  ImportedItems importados;
  bool usaFactura = false;
  // The item windows, created anew each time they are opened.
  std::unique_ptr<FrmListaNormasOrigen> listaNormas;
  std::unique_ptr<FrmNuevaNorma> nuevaNorma;
  std::unique_ptr<FrmAMArticulos> amArticulos;
  std::unique_ptr<FrmCambiaPosicionArancelaria> cambiaPosicion;
};

DataState& D();
// A form is loaded the first time anything of it is used, as the classic forms were: the
// data-entry window's load fills its drop-downs, the list's load prepares the grids.
FrmCargaDatos& CargaDatos();
FrmOstrevanLista& Lista();
// Closing a window unloads it: the next use starts from a freshly loaded one.
void UnloadCargaDatos();
void UnloadLista();
// Resets the component state and every form (tests, and a new run of the component).
void ResetAll();

}  // namespace ostrevan
