#include "host/ini.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include "host/errors.h"

namespace ostrevan {
namespace {

QStringList ReadLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QString all = QString::fromUtf8(f.readAll());
  all.replace("\r\n", "\n");
  QStringList lines = all.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

bool IsSection(const QString& line, QString* name) {
  QString t = line.trimmed();
  if (t.size() < 2 || !t.startsWith('[') || !t.endsWith(']')) return false;
  *name = t.mid(1, t.size() - 2).trimmed();
  return true;
}

// Splits "key=value"; comments (";" or "#") and lines without "=" are not entries.
bool IsEntry(const QString& line, QString* key, QString* value) {
  QString t = line.trimmed();
  if (t.isEmpty() || t.startsWith(';') || t.startsWith('#')) return false;
  int eq = t.indexOf('=');
  if (eq <= 0) return false;
  *key = t.left(eq).trimmed();
  *value = t.mid(eq + 1).trimmed();
  return true;
}

}  // namespace

QString clINI::LeerINI(const QString& section, const QString& key, const QString& path) const {
  bool inSection = false;
  for (const QString& line : ReadLines(path)) {
    QString name, k, v;
    if (IsSection(line, &name)) {
      inSection = name.compare(section, Qt::CaseInsensitive) == 0;
    } else if (inSection && IsEntry(line, &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
      if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"')) v = v.mid(1, v.size() - 2);
      return v;
    }
  }
  return {};
}

void clINI::GuardarINI(const QString& section, const QString& key, const QString& value,
                       const QString& path) const {
  QStringList lines = ReadLines(path);
  int sectionAt = -1, insertAt = -1;
  bool inSection = false, done = false;
  for (int i = 0; i < lines.size() && !done; ++i) {
    QString name, k, v;
    if (IsSection(lines[i], &name)) {
      if (inSection) break;
      inSection = name.compare(section, Qt::CaseInsensitive) == 0;
      if (inSection) sectionAt = insertAt = i + 1;
    } else if (inSection) {
      if (IsEntry(lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
        lines[i] = k + "=" + value;
        done = true;
      } else if (!lines[i].trimmed().isEmpty()) {
        insertAt = i + 1;
      }
    }
  }
  if (!done) {
    if (sectionAt < 0) {
      if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
      lines << "[" + section + "]" << key + "=" + value;
    } else {
      lines.insert(insertAt, key + "=" + value);
    }
  }
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) {
    throw RuntimeError(err::kFileNotFound, "No se puede escribir el archivo " + path, "clINI");
  }
  f.write((lines.join("\r\n") + "\r\n").toUtf8());
  if (!f.commit()) {
    throw RuntimeError(err::kFileNotFound, "No se puede escribir el archivo " + path, "clINI");
  }
}

}  // namespace ostrevan
