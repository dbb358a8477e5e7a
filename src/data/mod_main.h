#pragma once
// The certificate procedures: import from the host, header load and save, chamber and
// form choice, per-form parameters, the item grid and the tariff wordings.
#include <QString>

#include "data/controls.h"

namespace ostrevan {

// --- Creating a certificate from a host operation ---
QString GetPaisDestinoFromInternoNuevo();
QString PaisDataFormId(const QString& id);
QString UnidadDataFromId(const QString& id);
QString GetUnidadDestino(const QString& unidad);
bool CrearInterno();
// False when an error ended the import (it was reported). Inside a creation the creation
// owns the transaction and the wait for "Cerrar" (TerminarImportacion).
bool LoadFromQuandor(bool enCreacion = false);
// The popup's last step: the count, "Cerrar" enabled, waiting for it, then hidden.
void TerminarImportacion();
// "" when the host has the operation exactly once; else what the user must read.
QString VerificarOperacionHost(const QString& interno);
// Steps from the header insert to the completed header, all or nothing; false (reported)
// leaves no trace of the certificate.
bool CrearCertificadoDelHost();
QString GetFormatoNumero(const QString& entity, const QString& expression, const QString& mask);
QString QuitarSaltosDeLinea(const QString& text);

// --- Header, chamber and form ---
void CargarDatosAPlanilla(const QString& idCeo, bool unused = false);
bool CargarDatosADb(const QString& idCeo);
bool GuardarCambios();
QString GetIDCamaraFromName(const QString& name);
QString GetIDFormularioFromName(const QString& form, const QString& idCamara);
// The window is named by its two drop-downs.
void SetCombosFromIdFormulario(ComboBox& camara, ComboBox& formulario, const QString& formId);
void LoadCombos(ComboBox& camara, ComboBox& formulario);
void LoadComboPaises(const QString& camara, ComboBox& formulario);
void Cmb_Camara_Change(ComboBox& camara, ComboBox& formulario, Image* image);
void cbx_Pais_Change(ComboBox& camara, ComboBox& formulario, bool loaded);
QString GetCEOParamInfo(const QString& formId, const QString& property, bool invert);
bool SetCEOParamInfo(const QString& formId, const QString& property, const QString& value);
void LiberarObjetos();
// The chamber logo for a chamber name, or "" for chambers without one.
QString ChamberImage(const QString& camara);

// --- Item grid and partida texts ---
// The current certificate's goods with their tariff code as NOMENCLADOR, by code and norm:
// what the item grid shows and the certificate prints.
QString ArticulosPorNomencladorSql();
void CargarArticulosEnGrid(long keep);
void CargarArticulosEnGridDB();
// The item grid's titles, widths and alignments; the two windows title two columns apart.
void PrepararGrillaArticulos(const char* ordHeader, const char* normHeader);
void AgregarNormaALista(long grupo, const QString& id, bool reset);
QString GetDescripcionNorma(const QString& id);
void UpdateDichosDePartida(const QString& code, long nroOrden, const QString& text, bool all);
QString GetDichosDePartidaArticulo(const QString& code, long nroOrden);
QString GetDichosDePartidaCATALOGO(const QString& code, bool naladisa);
// The norms grid of the data-entry window from the origin-norm list.
void CargarGrillaNormasOrigen();
// The norms grid reduced to its titles.
void PrepararGrillaNormas();

// --- Certificate list ---
bool CargarListadoInternos(bool keepSelection);
// Prepares the list grid and the two grids of the data-entry window.
void PrepararListado();

// --- Tariff wordings (Mod_NCM_NALADISA) ---
QString GetNCMData(const QString& code);
bool UpdateNCMData(const QString& code, const QString& wording);

// Colours of the item grid (blue-green-red).
constexpr unsigned kGroupShadeA = 15596540;
constexpr unsigned kGroupShadeB = 15593438;
constexpr unsigned kGroupFirstRowFore = 8388608;

}  // namespace ostrevan
