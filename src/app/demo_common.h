#pragma once
// What the files that build an installation share: their error form, quoting, transactions
// and the files embedded in the program.
#include <QByteArray>
#include <QString>
#include <functional>

#include "host/errors.h"

namespace ostrevan::demo {

constexpr long kPathAccess = 75;      // the classic "Path/File access error"
constexpr long kInvalidArgument = 5;  // "Invalid procedure call or argument"

RuntimeError Failure(const QString& text, long number = kPathAccess);

// A text as an SQL literal, through the one quoting helper.
QString Quoted(const QString& text);

// Runs body inside one transaction of the entity: a seed of hundreds of rows is one disk
// sync instead of hundreds, and a failure leaves nothing half-written.
void InTransaction(const QString& entity, const std::function<void()>& body);

// A file embedded in the program (":/seed/...", ":/Cfg/...").
QByteArray ReadResource(const QString& path);
// Writes a whole file or nothing.
void WriteFile(const QString& path, const QByteArray& bytes);

}  // namespace ostrevan::demo
