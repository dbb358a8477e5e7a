#pragma once
// For the suites that link the batch windows: a certificate of a demo operation created as
// `ostrevan crear` creates it, through the host's Main.
#include <QTextStream>

#include "app/batch.h"
#include "entry/cls_main.h"
#include "host/state.h"
#include "host/windows.h"

namespace ostrevan::test {

// The batch windows choose `chamber` and `form` and write to `out`; the certificate's id, or
// an empty text when Main loaded none.
inline QString CreateDemoCertificate(QTextStream& out, const QString& chamber, const QString& form,
                                     const QString& interno = "EX-2026-0001") {
  SetWindowService(std::make_shared<app::BatchWindows>(chamber, form, out));
  Cls_Main host;
  host.CdoData(interno);
  host.Main();
  return St().bCertificadoCargado ? St().sIdCeo : QString();
}

}  // namespace ostrevan::test
