#pragma once
// The run-time error that every outside component raises, and the three report
// forms with which a procedure that traps it tells the user.
#include <QString>
#include <exception>

namespace ostrevan {

class RuntimeError : public std::exception {
 public:
  RuntimeError(long number, QString description, QString source = {})
      : number_(number), description_(std::move(description)), source_(std::move(source)) {
    what_ = description_.toUtf8();
  }
  long Number() const { return number_; }
  const QString& Description() const { return description_; }
  const QString& Source() const { return source_; }
  const char* what() const noexcept override { return what_.constData(); }

 private:
  long number_;
  QString description_;
  QString source_;
  QByteArray what_;
};

// Numbers used by our own components, in the ranges the classic run time used.
namespace err {
constexpr long kOverflow = 6;
constexpr long kDivisionByZero = 11;
constexpr long kTypeMismatch = 13;
constexpr long kFileNotFound = 53;
constexpr long kItemNotFound = 3265;         // recordset field or collection key not found
constexpr long kNoCurrentRecord = 3021;      // reading past EOF
constexpr long kDatabase = -2147467259;      // provider error: the statement or the database failed
constexpr long kDuplicateKey = -2147217873;  // the provider's integrity violation: a key taken
}  // namespace err

// Product settings fixed by the build.
QString ComponentTitle();
QString ComponentVersion();  // major.minor.revision
QString ComponentComment();

QString DetailedReportTitle();  // title & " - v." & version

// "Error n (description)" CR LF "in procedure P of <kind> <module> - <line>"; kind is
// "Formulario", "Módulo" or empty (then the module name stands alone).
QString DetailedReportText(const RuntimeError& e, const QString& procedure, const QString& kind,
                           const QString& module, int line = 0);
// Anything thrown that is not ours becomes a RuntimeError so that one handler serves all.
RuntimeError AsRuntimeError(const std::exception& e);

void ReportDetailed(const std::exception& e, const QString& procedure, const QString& kind,
                    const QString& module, int line = 0);
// description & separator & number & tag, critical icon, no title.
void ReportShort(const std::exception& e, const QString& separator, const QString& tag);
// "Error " & description & CR LF & tag, no icon, no title.
void ReportBracket(const std::exception& e, const QString& tag);

}  // namespace ostrevan
