#pragma once
// The digital certificate of origin (COD) of a stored certificate, end to end: the COD
// library's document built from the certificate value, the installation's settings and the
// country table; export, signature, verification and the chamber's issued COD; the findings in
// the broker's words, naming the box, the item or the configuration entry to correct.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <vector>

#include "cod/cod.h"
#include "data/certificado.h"
#include "data/controls.h"
#include "data/verificaciones.h"

namespace ostrevan {

// The COD of a certificate as the library takes it. `faltan` gets what the certificate, its
// form's agreement or the installation still lack for the form type, each where to fix it.
cod::Documento DocumentoCod(const Certificado& c, const InstalacionCod& inst,
                            const std::map<QString, QString>& paises,
                            std::vector<Hallazgo>& faltan);

// The COD findings of a certificate, as warnings, for the checks before printing: none when
// its form has no agreement. ALADI's schema is checked too when the installation has it.
std::vector<Hallazgo> HallazgosCod(const Certificado& c);

// What a COD step did: its findings (errors stop it) and, when it did it, what it wrote.
struct ResultadoCod {
  std::vector<Hallazgo> hallazgos;
  QStringList informe;
  bool ok = false;
};

// Stage 1 written to `archivo`.
ResultadoCod ExportarCod(const QString& idCeo, const QString& archivo);
// Stage 2, signed with a PKCS#12 file or a token key; the secret is used once and not kept.
// The signed file is also kept in the installation, and the certificate's state becomes
// "COD firmado".
ResultadoCod FirmarCod(const QString& idCeo, const QString& archivo, const cod::Firmante& firmante,
                       const QByteArray& secreto);
// Any COD file, against the installation's trusted authorities, or `autoridades` when given.
ResultadoCod VerificarArchivoCod(const QString& archivo, const QString& autoridades = {});
// The chamber's issued COD of the certificate: verified, stored, kept in the installation,
// and the certificate's state "COD emitido Nº …".
ResultadoCod AdjuntarCod(const QString& idCeo, const QString& archivo);

// The folder of the installation where the signed and issued COD files are kept.
QString CarpetaCodInstalacion();

// The digital certificate window, as its procedures see it.
struct FrmCod {
  std::array<TextBox, kCamposCod> campos;  // the COD fields, in CamposCod()'s order
  ComboBox Cmb_Origen;                     // "Archivo PKCS#12" or "Token PKCS#11"
  TextBox Txt_Firmante;                    // the .p12 file or the token's URI
  TextBox Txt_Secreto;                     // the password or PIN, emptied after each use
  TextBox Txt_Archivo;                     // where the COD is written
  TextBox Txt_Emitido;                     // the chamber's issued COD, to verify and attach
  Label Lbl_Hallazgos, Lbl_Resultado, Lbl_Emision;
  QString idCeo;

  FrmCod();
  FrmCod(const FrmCod&) = delete;
  FrmCod& operator=(const FrmCod&) = delete;
  // The stored COD fields of the open certificate and what is missing.
  void Form_Load(const QString& idCeo);
  // F11: the fields stored, the findings shown again.
  bool Guardar();
  void Exportar();
  void Firmar();
  void Verificar();
  void Adjuntar();

 private:
  void Mostrar(const ResultadoCod& r, const QString& hecho);
  void ActualizarHallazgos();
};
FrmCod& CodVentana();

// The findings as lines for a console or a label: "Error: …" / "Advertencia: …".
QStringList LineasHallazgos(const std::vector<Hallazgo>& hallazgos);

}  // namespace ostrevan
