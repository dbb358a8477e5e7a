#pragma once
// Mod_Log: the trace log, one plain-text file per calendar day under the installation's
// Logs folder. The pagination writes its progress here; nothing in it ever bothers the user.
#include <QString>

namespace ostrevan {

// Appends "date time - message" to today's file. Never shows a message and never throws:
// a log that cannot be written simply stays unwritten.
// The file is opened, the line appended and the file closed before it returns.
void WriteLog(const QString& message);

// While one lives, WriteLog writes nothing: a run that only measures the pages (the checks
// before a print) is not a print, and the day's trace shows each print once.
class LogMuted {
 public:
  LogMuted();
  ~LogMuted();
  LogMuted(const LogMuted&) = delete;
  LogMuted& operator=(const LogMuted&) = delete;
};

// The module's own procedures, public only so that tests can reach them.
namespace modlog {

QString LogFolder();                     // <installation>Logs, no trailing separator
QString LogDateStamp();                  // yyyymmdd.Log
bool FolderExists(const QString& path);  // any entry, directory or file
bool FileExists(const QString& path);    // a plain file
bool EnsureLogFolder();                  // creates the last level only
QString LogFilePath();                   // "" when the day's file could not be started
bool WriteSeparator(const QString& path);
bool OpenLog();
void CloseLog();

}  // namespace modlog
}  // namespace ostrevan
