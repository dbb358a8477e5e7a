#include "data/forms.h"

#include "data/mod_main.h"
#include "host/state.h"

namespace ostrevan {

FrmCargaDatos::FrmCargaDatos() {
  Txt_TipoNomenclador.SetText("N/A");
  Txt_Descripcion.ToolTipText = "Click para editar";
  Txt_FCFecha.Tag = "NTab";
  TimerReload.Interval = 100;
  Cmb_Camara.Click = [this] { Cmb_Camara_Change(Cmb_Camara, cboPais, nullptr); };
  cboPais.Click = [this] { cbx_Pais_Change(Cmb_Camara, cboPais, St().bCertificadoCargado); };
}

TextBox& FrmCargaDatos::Box(Casilla c) {
  // In the order of the header table.
  static constexpr TextBox FrmCargaDatos::*kBoxes[kCasillas] = {
      &FrmCargaDatos::Txt_Descripcion,   &FrmCargaDatos::Txt_Estado,
      &FrmCargaDatos::Txt_ProdFinExp,    &FrmCargaDatos::Txt_Importador,
      &FrmCargaDatos::Txt_Consignatario, &FrmCargaDatos::Txt_PuertoEmbarque,
      &FrmCargaDatos::Txt_PaisDest,      &FrmCargaDatos::Txt_MedioTransporte,
      &FrmCargaDatos::Txt_FactComerc,    &FrmCargaDatos::Txt_FCNumero,
      &FrmCargaDatos::Txt_FCFecha,       &FrmCargaDatos::Txt_Observaciones,
      &FrmCargaDatos::Txt_DeclProdFin,   &FrmCargaDatos::Txt_DeclAcuerdo,
      &FrmCargaDatos::Txt_Fecha};
  return this->*kBoxes[static_cast<size_t>(c)];
}

FrmSeleccionCertif::FrmSeleccionCertif() {
  Cmb_Camara.Click = [this] {
    Cmb_Camara_Change(Cmb_Camara, Cmb_CertificadoPais, &ImgCamara);
    Lbl_Descripcion.SetCaption(Cmb_Camara.Text());
    Lbl_CodigoFormulario.SetCaption(St().sIdFormulario);
  };
  Cmb_CertificadoPais.Click = [this] {
    cbx_Pais_Change(Cmb_Camara, Cmb_CertificadoPais, false);
    Lbl_CodigoFormulario.SetCaption(St().sIdFormulario);
    Txt_Nomenclador.SetText(CargaDatos().Txt_TipoNomenclador.Text());
  };
}

DataState& D() { return Owned<DataState>(); }

FrmCargaDatos& CargaDatos() {
  DataState& d = D();
  if (!d.cargaDatos) {
    d.cargaDatos = std::make_unique<FrmCargaDatos>();
    FrmCargaDatos& f = *d.cargaDatos;
    LoadCombos(f.Cmb_Camara, f.cboPais);
    f.rowParteI = f.rowParteII = 0;
    // A window built without a certificate loaded into it (a new one by hand) still shows
    // both grids with their titles.
    PrepararGrillaArticulos("NºOrd", "Cod.Nrms");
    PrepararGrillaNormas();
  }
  return *d.cargaDatos;
}

FrmOstrevanLista& Lista() {
  DataState& d = D();
  if (!d.lista) {
    d.lista = std::make_unique<FrmOstrevanLista>();
    PrepararListado();
  }
  return *d.lista;
}

void UnloadCargaDatos() { D().cargaDatos.reset(); }
void UnloadLista() { D().lista.reset(); }

void ResetAll() {
  ResetState();
  Forget<DataState>();
}

}  // namespace ostrevan
