#include "host/dialect.h"

#include <functional>
#include <vector>

namespace ostrevan {

QString Dialect::NumberFormat(int decimals) const {
  return "round(999.999, " + QString::number(decimals) + ")";
}

namespace {

bool IsIdentChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '@' || c == '#'; }

// Index just past the string literal that starts at i (a quote); '' stays inside it.
qsizetype SkipLiteral(const QString& s, qsizetype i) {
  ++i;
  while (i < s.size()) {
    if (s[i] == '\'') {
      if (i + 1 < s.size() && s[i + 1] == '\'') {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return i;
}

// The arguments of a call whose "(" is at open, split at top-level commas; end gets the
// index just past the closing ")". False when the parentheses do not close.
bool SplitCall(const QString& s, qsizetype open, QStringList* args, qsizetype* end) {
  int depth = 0;
  qsizetype start = open + 1;
  for (qsizetype i = open; i < s.size();) {
    QChar c = s[i];
    if (c == '\'') {
      i = SkipLiteral(s, i);
      continue;
    }
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (--depth == 0) {
        args->append(s.mid(start, i - start));
        *end = i + 1;
        return true;
      }
    } else if (c == ',' && depth == 1) {
      args->append(s.mid(start, i - start));
      start = i + 1;
    }
    ++i;
  }
  return false;
}

// A rewrite of one function call: its name and translated arguments give the new text.
using CallRewrite = std::function<QString(const QStringList& args)>;
struct FunctionRule {
  const char* name;  // compared without regard to case
  CallRewrite rewrite;
};

CallRewrite Rename(const char* to) {
  return [to](const QStringList& a) -> QString {
    return QString::fromLatin1(to) + "(" + a.join(",") + ")";
  };
}

const std::vector<FunctionRule>& SqliteRules() {
  static const std::vector<FunctionRule> rules = {
      {"isnull", Rename("ifnull")},
      {"len", Rename("length")},
      {"left",
       [](const QStringList& a) -> QString {
         if (a.size() != 2) return "left(" + a.join(",") + ")";
         return "substr(" + a[0] + ",1," + a[1].trimmed() + ")";
       }},
      {"right",
       [](const QStringList& a) -> QString {
         if (a.size() != 2) return "right(" + a.join(",") + ")";
         return "substr(" + a[0] + ",-(" + a[1].trimmed() + "))";
       }},
      {"getdate", [](const QStringList&) { return QStringLiteral("datetime('now','localtime')"); }},
  };
  return rules;
}

const FunctionRule* FindRule(QStringView word) {
  for (const auto& r : SqliteRules()) {
    if (word.compare(QLatin1String(r.name), Qt::CaseInsensitive) == 0) return &r;
  }
  return nullptr;
}

QString TranslateSqlite(const QString& s) {
  QString out;
  out.reserve(s.size() + 16);
  qsizetype i = 0;
  while (i < s.size()) {
    QChar c = s[i];
    if (c == '\'') {
      qsizetype e = SkipLiteral(s, i);
      out += QStringView(s).mid(i, e - i);
      i = e;
      continue;
    }
    if (c == '[') {  // [bracketed] identifiers become "quoted" ones
      qsizetype e = s.indexOf(']', i);
      if (e > i) {
        out += '"' + s.mid(i + 1, e - i - 1) + '"';
        i = e + 1;
        continue;
      }
    }
    if (IsIdentChar(c) && (i == 0 || !IsIdentChar(s[i - 1]))) {
      qsizetype e = i;
      while (e < s.size() && IsIdentChar(s[e])) ++e;
      QStringView word = QStringView(s).mid(i, e - i);
      qsizetype p = e;
      while (p < s.size() && s[p] == ' ') ++p;
      const FunctionRule* rule = (p < s.size() && s[p] == '(') ? FindRule(word) : nullptr;
      QStringList args;
      qsizetype end = 0;
      if (rule && SplitCall(s, p, &args, &end)) {
        for (QString& a : args) a = TranslateSqlite(a);
        out += rule->rewrite(args);
        i = end;
        continue;
      }
      out += word;
      i = e;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace

QString SqliteDialect::Translate(const QString& sql) const {
  // Most statements have nothing to rewrite: only scan when a rule could apply.
  static const char* triggers[] = {"isnull", "left", "right", "len", "getdate", "["};
  for (const char* t : triggers) {
    if (sql.contains(QLatin1String(t), Qt::CaseInsensitive)) return TranslateSqlite(sql);
  }
  return sql;
}

QString SqliteDialect::NumberFormat(int decimals) const {
  return "round(999.999, " + QString::number(decimals) + ")";
}

QStringList SqliteDialect::SessionSetup() const {
  return {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA busy_timeout=5000",
          "PRAGMA foreign_keys=OFF"};
}

std::unique_ptr<Dialect> DialectForDriver(const QString& qtDriver) {
  if (qtDriver.compare("QSQLITE", Qt::CaseInsensitive) == 0) {
    return std::make_unique<SqliteDialect>();
  }
  return std::make_unique<SqlServerDialect>();
}

}  // namespace ostrevan
