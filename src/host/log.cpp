#include "host/log.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "host/sistema.h"

namespace ostrevan {
namespace {

// Each thread of the host keeps its own handle, as it kept its own file number; two threads
// may append to the same daily file, which is why nothing stays open between lines.
thread_local std::unique_ptr<QFile> tLogHandle;

constexpr int kSeparatorWidth = 94;

// Unbuffered, so that each line reaches the file in a single write and lines of concurrent
// writers do not interleave.
bool OpenForAppend(QFile& file) {
  return file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

// The log is read with the tools of the ANSI code page; what it cannot hold becomes '?'.
bool WriteLine(QFile& file, const QString& text) {
  QByteArray bytes = text.toLatin1();
  bytes.append("\r\n");
  return file.write(bytes) == bytes.size();
}

}  // namespace

namespace modlog {

QString LogFolder() { return InstallationDir() + "Logs"; }

QString LogDateStamp() { return QDate::currentDate().toString("yyyyMMdd") + ".Log"; }

bool FolderExists(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

bool FileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool EnsureLogFolder() {
  const QString folder = LogFolder();
  if (FolderExists(folder)) return true;
  // Only the last level: without the installation folder there is nothing to log for.
  return QDir().mkdir(folder);
}

QString LogFilePath() {
  try {
    const QString path = LogFolder() + PathSep() + "Ostrevan_" + LogDateStamp();
    if (!FileExists(path) && !WriteSeparator(path)) return {};
    return path;
  } catch (...) {
    return {};
  }
}

bool WriteSeparator(const QString& path) {
  QFile file(path);
  if (!OpenForAppend(file)) return false;
  return WriteLine(file, QString(kSeparatorWidth, '-'));
}

bool OpenLog() {
  try {
    if (!EnsureLogFolder()) return false;
    const QString path = LogFilePath();
    if (path.isEmpty()) return false;
    tLogHandle = std::make_unique<QFile>(path);
    return OpenForAppend(*tLogHandle);
  } catch (...) {
    return false;
  }
}

void CloseLog() {
  try {
    tLogHandle.reset();
  } catch (...) {
  }
}

}  // namespace modlog

void WriteLog(const QString& message) {
  try {
    if (modlog::OpenLog() && tLogHandle) {
      // One reading of the clock, so a line written at midnight cannot mix two days.
      const QDateTime now = QDateTime::currentDateTime();
      WriteLine(*tLogHandle, now.toString("dd/MM/yyyy hh:mm:ss") + " - " + message);
    }
  } catch (...) {
  }
  modlog::CloseLog();
}

}  // namespace ostrevan
