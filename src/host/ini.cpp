#include "host/ini.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <iterator>

#include "host/errors.h"

namespace ostrevan {
namespace {

// Windows-1252 at 0x80-0x9F, where it differs from Latin-1 (0 for its five unused codes).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString FromCp1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    const char16_t high = (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : 0;
    out += QChar(high ? high : char16_t(b));
  }
  return out;
}

// What Windows-1252 cannot hold becomes '?', as the ANSI functions write it.
QByteArray ToCp1252(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out += static_cast<char>(u);
      continue;
    }
    const char16_t* at = std::find(std::begin(kCp1252High), std::end(kCp1252High), u);
    out +=
        at != std::end(kCp1252High) && u != 0 ? static_cast<char>(0x80 + (at - kCp1252High)) : '?';
  }
  return out;
}

// A file written by a Windows installation is in its ANSI code page: what is not valid UTF-8
// is read as Windows-1252, and written back the way it was read.
struct IniText {
  QStringList lines;
  bool ansi = false;
};

IniText ReadLines(const QString& path) {
  IniText t;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return t;
  const QByteArray bytes = f.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString all = utf8(bytes);
  if (utf8.hasError()) {
    t.ansi = true;
    all = FromCp1252(bytes);
  }
  all.replace("\r\n", "\n");
  t.lines = all.split('\n');
  if (!t.lines.isEmpty() && t.lines.last().isEmpty()) t.lines.removeLast();
  return t;
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
  for (const QString& line : ReadLines(path).lines) {
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
  const IniText read = ReadLines(path);
  QStringList lines = read.lines;
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
  const QString text = lines.join("\r\n") + "\r\n";
  f.write(read.ansi ? ToCp1252(text) : text.toUtf8());
  if (!f.commit()) {
    throw RuntimeError(err::kFileNotFound, "No se puede escribir el archivo " + path, "clINI");
  }
}

}  // namespace ostrevan
