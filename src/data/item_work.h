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
// Whether the item is still in the open certificate; when it is not (another workstation
// deleted it since the grid was loaded) the user is told so.
bool ArticuloSigue(const QString& nroOrden);
bool AMArticulos_KeyDown(int keyCode);
void txtNCM_LostFocus();
// The number boxes show the value as it will be stored once they are left.
void txtPesoCant_LostFocus();
void txtValorFobUsd_LostFocus();
// A number as the user's locale reads it ("2,5" or "1.234,50" in es_AR, "1,234.50" in
// en_US; "1.250" is 1250 in es_AR and 1.25 in en_US), written for a statement with a point
// and no grouping, and as the locale writes that stored value back (no grouping). False when
// the locale does not read it as a number, or it is too large for any certificate.
bool NumeroEscrito(const QString& text, const QLocale& locale, QString* forSql,
                   QString* shown = nullptr);
// Why `text` is not a number in `locale`, with an example of one, or why it is too large; ""
// for an empty text.
QString NoEsNumero(const QString& text, const QLocale& locale);

// --- Frm_CambiaPosicionArancelaria ---
FrmCambiaPosicionArancelaria& CambiaPosicion();
FrmCambiaPosicionArancelaria& NuevoCambiaPosicion();
void CambiaPosicion_Load();
void Txt_PosNueva_Change();
// True when the position was accepted (the window closes).
bool Cmd_Aceptar_Click();
void Cmd_Cancelar_Click();
// A tariff position as NCM and NALADISA codes are stored: 9999.99.99.
bool FormaDePosicion(const QString& code);
// What AplicarCambioPosicion did.
enum class CambioPosicion {
  kHecho,
  kFallido,        // a statement failed; the user read why
  kGrupoCambiado,  // an item was no longer under the position (another workstation)
};
// Moves the items (order numbers) from one position to another, with the texts as the
// option says, all in one transaction; nothing changes unless every item moves. The catalogue
// option keeps the wordings (and says so) when the catalogue has none for the new position.
CambioPosicion AplicarCambioPosicion(const QString& actual, const QString& nueva,
                                     const QStringList& items, int modo);

}  // namespace ostrevan
