#pragma once
// The component without windows: what a window would ask the user is given on the command
// line, and what it would show is printed.
#include <QString>
#include <QTextStream>

#include "host/windows.h"

namespace ostrevan::app {

class BatchWindows final : public WindowService {
 public:
  BatchWindows(QString camara, QString formulario, QTextStream& out)
      : camara_(std::move(camara)), formulario_(std::move(formulario)), out_(out) {}
  int ShowModal(Window w) override;

 private:
  void ChooseForm();
  void PrintCertificate();
  void PrintList();

  QString camara_, formulario_;
  QTextStream& out_;
};

// The form's name in the drop-down for a form id or name given on the command line.
QString FormularioName(const QString& camara, const QString& idOrName);

}  // namespace ostrevan::app
