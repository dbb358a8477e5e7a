#include "host/log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>

#include "host/sistema.h"
#include "host/state.h"

namespace ostrevan {
namespace {

// What the log keeps per component: the handle OpenLog opened (each component its own, as it
// kept its own file number; two may append to the same daily file, which is why nothing stays
// open between lines), the clock of the last line and the file names of the day.
struct Clock {
  time_t second = 0;
  QByteArray stamp;  // "dd/mm/yyyy hh:mm:ss - "
  QString day;       // yyyymmdd
};
struct LogState {
  std::unique_ptr<QFile> handle;
  Clock clock;
  QString installation, day;
  QByteArray folderName, pathName;
  int muted = 0;
};
LogState& L() { return Owned<LogState>(); }

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

// The date and time of a line, worked out once per second: pagination writes thousands of
// lines a second, and asking Qt for the date re-reads the time zone file each time.
const Clock& Now() {
  Clock& clock = L().clock;
  const time_t now = time(nullptr);
  if (now != clock.second || clock.day.isEmpty()) {
    clock.second = now;
    struct tm t;
    localtime_r(&now, &t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d - ", t.tm_mday, t.tm_mon + 1,
                  t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
    clock.stamp = buf;
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    clock.day = QString::fromLatin1(buf);
  }
  return clock;
}

}  // namespace

namespace modlog {

QString LogFolder() { return InstallationDir() + "Logs"; }

QString LogDateStamp() { return Now().day + ".Log"; }

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
    L().handle = std::make_unique<QFile>(path);
    return OpenForAppend(*L().handle);
  } catch (...) {
    return false;
  }
}

void CloseLog() {
  try {
    L().handle.reset();
  } catch (...) {
  }
}

}  // namespace modlog

namespace {

bool Append(int fd, const QByteArray& bytes) {
  return ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
}

struct Entry {
  QByteArray folder;  // created, last level only, when the day's file cannot be opened
  QByteArray path;
  QByteArray line;
};

// The same steps as OpenLog, WriteLine and CloseLog, on the bare file calls: the file is still
// opened and closed for every line, and a new day's file still starts with the separator, but
// without the stat calls and objects each step would cost.
// A new day's file must start with its separator even when another thread or workstation
// logs at the same moment: the file is made whole beside the log and linked in under its
// name, which fails when another writer got there first.
void CreateWithSeparator(const Entry& e) {
  if (::mkdir(e.folder.constData(), 0755) != 0 && errno != EEXIST) return;
  static std::atomic<unsigned> serial{0};
  const QByteArray tmp = e.path + '.' + QByteArray::number(::getpid()) + '.' +
                         QByteArray::number(serial.fetch_add(1)) + ".tmp";
  const int fd = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) return;
  const bool written = Append(fd, QByteArray(kSeparatorWidth, '-') + "\r\n");
  ::close(fd);
  const bool linked =
      written && (::link(tmp.constData(), e.path.constData()) == 0 || errno == EEXIST);
  ::unlink(tmp.constData());
  if (linked || !written) return;
  // A folder without hard links (a network share): create in place, as before.
  const int direct = ::open(e.path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL, 0644);
  if (direct < 0) return;
  Append(direct, QByteArray(kSeparatorWidth, '-') + "\r\n");
  ::close(direct);
}

void WriteEntry(const Entry& e) {
  int fd = ::open(e.path.constData(), O_WRONLY | O_APPEND);
  if (fd < 0 && errno == ENOENT) {
    CreateWithSeparator(e);
    fd = ::open(e.path.constData(), O_WRONLY | O_APPEND);
  }
  if (fd < 0) return;
  Append(fd, e.line);
  ::close(fd);
}

}  // namespace

LogMuted::LogMuted() { ++L().muted; }
LogMuted::~LogMuted() { --L().muted; }

void WriteLog(const QString& message) {
  if (L().muted > 0) return;
  try {
    // The folder and file names only change with the installation or the day; kept, they
    // are shared by every line instead of encoded for each.
    LogState& l = L();
    QString &installation = l.installation, &day = l.day;
    QByteArray &folderName = l.folderName, &pathName = l.pathName;
    const Clock& now = Now();
    const QString nowInstallation = InstallationDir();
    if (nowInstallation != installation || now.day != day) {
      installation = nowInstallation;
      day = now.day;
      const QString folder = modlog::LogFolder();
      folderName = QFile::encodeName(folder);
      pathName = QFile::encodeName(folder + PathSep() + "Ostrevan_" + modlog::LogDateStamp());
    }
    QByteArray line;
    line.reserve(now.stamp.size() + message.size() + 2);
    line += now.stamp;
    line += message.toLatin1();
    line += "\r\n";
    // Written before WriteLog returns: a line logged just before a crash is in the file.
    WriteEntry({folderName, pathName, std::move(line)});
  } catch (...) {
  }
}

}  // namespace ostrevan
