#pragma once
// Item work in the data-entry window: the item grid's keys and marking, the article editor,
// the origin-norm pick list with its new-norm window, and the change of tariff position.
// The windows show these models and forward their events here.
#include <QLocale>
#include <QString>
#include <QStringList>

#include "data/controls.h"

namespace ostrevan {

struct FrmListaNormasOrigen {
  Grid MsFgListaNormasDeOrigen;
  QString IdNormaOrigen;
  bool UpdateRequired = false;
};

struct FrmNuevaNorma {
  TextBox txtNorma, txtOrden;
  bool Opt_AddFinal = true;  // else Opt_Insert; neither takes part in storing
};

struct FrmAMArticulos {
  QString Tag;  // the item key the grid hands over
  QString key;
  bool edit = false;
  bool started = false;
  Label lbMensaje{"1 - AGREGAR"};
  Label Lbl_Nomenclador{"Codigo NCM"};
  TextBox txtNroOrden, txtNCM, txtDenoMerc, txtPesoCant, Txt_Unidad, txtValorFobUsd, txt_CodArt,
      txt_DescCatalogo, Txt_NCML1, Txt_NCML2, Txt_NCML3, txt_TextoPartida;
  bool chk_updDichosPartidasALL = false;
  bool chk_updateCatalogoNCM = false;
  // The layout Inicio chose: the tariff texts show only for a group's first row.
  bool textosPartida = true;
};

struct FrmCambiaPosicionArancelaria {
  // The three options, in the window's order.
  enum Modo { kTextoPosicionActual = 0, kTextoCatalogo = 1, kTextoPosicionNueva = 2 };
  QString NcmActual;
  long DBNroOrden = 0;
  QString NcmNew;
  Label Lbl_TipoPosDescripcion;
  TextBox Txt_PosAct, Txt_PosNueva, Txt_DDP_PosActual, Txt_DDP_PosNueva, Txt_DDP_Catalogo;
  int modo = kTextoPosicionActual;
};

// --- Item grid of Frm_CargaDatos ---
QString GetNcmFromIDList(const QString& sValue);
// Key codes and modifier mask as the classic grid gave them.
void MsfgParteI_KeyDown(int keyCode, int shift);
void MsfgParteI_DblClick();
void MsfgParteII_KeyDown();
void Articulo_Nuevo();
void Articulo_Modificar();
void Articulo_Eliminar();
// Column 0 of every data row emptied.
void LimpiarMarcas();
void ActualizarSelInfo();
// The items grouped under the item grid's row (that row and its continuation rows).
QStringList ItemsDelGrupo(int row);

// --- Frm_ListaNormasOrigen and frmNuevaNorma ---
// A fresh pick list (each F6 creates its own).
FrmListaNormasOrigen& ListaNormas();
FrmListaNormasOrigen& NuevaListaNormas();
void PrepareGrid();
void InitNormas();
// True when the window must close.
bool ListaNormas_KeyDown(int keyCode);
FrmNuevaNorma& NuevaNorma();
void NuevaNorma_Load();
bool Grabar();
bool NuevaNorma_KeyDown(int keyCode);

// --- frm_AMArticulos ---
FrmAMArticulos& AMArticulos();
FrmAMArticulos& NuevoAMArticulos();
void Inicio();
void CargarDatosArt();
bool GuardarArticulo();
bool AMArticulos_KeyDown(int keyCode);
void txtNCM_LostFocus();
// A number as the user typed it in the locale ("2,5" or "1.234,50" in es_AR, "1,234.50" in
// en_US; either decimal separator alone always passes), written for a statement with a
// point and no grouping. False when it is not a number.
bool NumeroEscrito(const QString& text, const QLocale& locale, QString* forSql);

// --- Frm_CambiaPosicionArancelaria ---
FrmCambiaPosicionArancelaria& CambiaPosicion();
FrmCambiaPosicionArancelaria& NuevoCambiaPosicion();
void CambiaPosicion_Load();
void Txt_PosNueva_Change();
// True when the position was accepted (the window closes).
bool Cmd_Aceptar_Click();
void Cmd_Cancelar_Click();
// Moves the items (order numbers) from one position to another, with the texts as the
// option says, all in one transaction. False (and nothing changed) on failure.
bool AplicarCambioPosicion(const QString& actual, const QString& nueva, const QStringList& items,
                           int modo);

}  // namespace ostrevan
