#pragma once
// The component's only public class: the host sets its properties and calls Main or
// IniciaProyecto; from then on the component drives its own modal windows.
#include <QString>
#include <QVariant>

namespace ostrevan {

class Cls_Main {
 public:
  Cls_Main();   // Class_Initialize
  ~Cls_Main();  // Class_Terminate
  Cls_Main(const Cls_Main&) = delete;
  Cls_Main& operator=(const Cls_Main&) = delete;

  void IniciaProyecto();
  void Main();
  void DBDIR(const QString& p_Dir);
  void FRMDIR(const QString& p_Dir);
  void CdoData(const QString& p_Data);
  void PRGPRINTER(const QString& p_Printer);
  void DBQuandor(const QString& p_Dir);
  void Coneccion(const QVariant& ExtConeccionPER, const QVariant& ExtConeccionINT);
  void Class_Terminate();
  // The value passed is not used: the caller's variable gets the installation folder.
  void Pathcfg(QString& sPath);
  QString Pathcfg() const;
  void InternoQuandor(const QString& sInterno);
  QString InternoQuandor() const;

 private:
  QVariant coneccionPer_, coneccionInt_;
  bool terminated_ = false;
};

}  // namespace ostrevan
