#include "host/dialect.h"

namespace ostrevan {

QString Dialect::NumberFormat(int decimals) const {
  return "round(999.999, " + QString::number(decimals) + ")";
}

QString Dialect::TableExistsQuery(const QString& table) const {
  return "SELECT 1 FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_NAME = '" + table + "'";
}

bool Dialect::IsDuplicateKey(const QString& nativeCode, const QString& text) const {
  // SQLite's extended codes for a primary key or unique index (1555, 2067); SQL Server's
  // 2627 and 2601.
  static const QStringList codes = {"1555", "2067", "2627", "2601"};
  return codes.contains(nativeCode) || text.contains("UNIQUE constraint failed") ||
         text.contains("PRIMARY KEY", Qt::CaseInsensitive);
}

bool PostgresDialect::IsDuplicateKey(const QString& nativeCode, const QString& text) const {
  return nativeCode == "23505" || text.contains("duplicate key");
}

Dialect::Trouble Dialect::TroubleOf(const QString&, const QString&) const { return Trouble::None; }

Dialect::Trouble SqliteDialect::TroubleOf(const QString& nativeCode, const QString&) const {
  // The primary result code is the low byte of the extended one.
  switch (nativeCode.toInt() & 0xff) {
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
      return Trouble::Damaged;
    case 13:  // SQLITE_FULL
      return Trouble::DiskFull;
    case 10:  // SQLITE_IOERR
      return Trouble::DiskError;
    default:
      return Trouble::None;
  }
}

Dialect::Trouble PostgresDialect::TroubleOf(const QString& nativeCode, const QString& text) const {
  if (nativeCode == "57014") return Trouble::Timeout;  // the statement bound cancelled it
  if (nativeCode == "53100") return Trouble::DiskFull;
  if (nativeCode == "XX001" || nativeCode == "XX002") return Trouble::Damaged;
  // Lost connections carry a class 08 or shutdown code, or, from the client library, no code.
  if (nativeCode.startsWith("08") || nativeCode.startsWith("57P")) return Trouble::ConnectionLost;
  static const char* lost[] = {"server closed the connection",
                               "no connection to the server",
                               "could not receive data",
                               "could not send data",
                               "timeout expired",
                               "Connection timed out"};
  if (nativeCode.isEmpty()) {
    for (const char* l : lost) {
      if (text.contains(QLatin1String(l), Qt::CaseInsensitive)) return Trouble::ConnectionLost;
    }
  }
  return Trouble::None;
}

// A server that accepts the connection and then says nothing, or a network that drops it
// without a word, must end in a message, not a wait without end.
QStringList PostgresDialect::ConnectDefaults() const {
  return {"connect_timeout=10", "keepalives=1", "keepalives_idle=30", "keepalives_interval=10",
          "keepalives_count=3"};
}

QString PostgresDialect::StatementTimeout(int seconds) const {
  return "SET statement_timeout = " + QString::number(seconds * 1000);
}

const std::vector<Dialect::FunctionRule>& Dialect::Rules() const {
  static const std::vector<FunctionRule> none;
  return none;
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

Dialect::CallRewrite Rename(const char* to) {
  return [to](const QStringList& a) -> QString {
    return QString::fromLatin1(to) + "(" + a.join(",") + ")";
  };
}

QChar PrevNonBlank(const QString& s, qsizetype i) {
  while (--i >= 0) {
    if (!s[i].isSpace()) return s[i];
  }
  return {};
}

QChar NextNonBlank(const QString& s, qsizetype i) {
  while (++i < s.size()) {
    if (!s[i].isSpace()) return s[i];
  }
  return {};
}

// "expr as type" of a cast, split at its last top-level "as".
bool SplitCast(const QString& arg, QString* expr, QString* type) {
  int depth = 0;
  qsizetype at = -1;
  for (qsizetype i = 0; i < arg.size();) {
    QChar c = arg[i];
    if (c == '\'') {
      i = SkipLiteral(arg, i);
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (depth == 0 && i > 0 && arg[i - 1].isSpace() && i + 2 < arg.size() &&
        arg.mid(i, 2).compare(QLatin1String("as"), Qt::CaseInsensitive) == 0 &&
        arg[i + 2].isSpace()) {
      at = i;
    }
    ++i;
  }
  if (at < 0) return false;
  *expr = arg.left(at).trimmed();
  *type = arg.mid(at + 2).trimmed();
  return true;
}

}  // namespace

QString Dialect::Rewrite(const QString& s) const {
  QString out;
  out.reserve(s.size() + 16);
  const auto& rules = Rules();
  qsizetype i = 0;
  while (i < s.size()) {
    QChar c = s[i];
    if (c == '\'') {
      qsizetype e = SkipLiteral(s, i);
      out += QStringView(s).mid(i, e - i);
      i = e;
      continue;
    }
    if (c == '[') {
      qsizetype e = s.indexOf(']', i);
      if (e > i) {
        out += Bracketed(s.mid(i + 1, e - i - 1));
        i = e + 1;
        continue;
      }
    }
    if (c == '+' && JoinsTextsWithPipes() &&
        (PrevNonBlank(s, i) == '\'' || NextNonBlank(s, i) == '\'')) {
      out += "||";
      ++i;
      continue;
    }
    if (IsIdentChar(c) && (i == 0 || !IsIdentChar(s[i - 1]))) {
      qsizetype e = i;
      while (e < s.size() && IsIdentChar(s[e])) ++e;
      QStringView word = QStringView(s).mid(i, e - i);
      qsizetype p = e;
      while (p < s.size() && s[p] == ' ') ++p;
      const FunctionRule* rule = nullptr;
      if (p < s.size() && s[p] == '(') {
        for (const auto& r : rules) {
          if (word.compare(QLatin1String(r.name), Qt::CaseInsensitive) == 0) rule = &r;
        }
      }
      QStringList args;
      qsizetype end = 0;
      if (rule && SplitCall(s, p, &args, &end)) {
        for (QString& a : args) a = Rewrite(a);
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

// Most statements have nothing to rewrite. One pass outside the literals tells: a statement
// that carries long typed texts is read once, not once per rule.
QString Dialect::Translate(const QString& sql) const {
  const auto& rules = Rules();
  const qsizetype n = sql.size();
  for (qsizetype i = 0; i < n;) {
    const QChar c = sql[i];
    if (c == '\'') {
      i = SkipLiteral(sql, i);
      continue;
    }
    if (c == '[' || (c == '+' && JoinsTextsWithPipes())) return Rewrite(sql);
    if (!IsIdentChar(c)) {
      ++i;
      continue;
    }
    qsizetype e = i;
    while (e < n && IsIdentChar(sql[e])) ++e;
    qsizetype p = e;
    while (p < n && sql[p] == ' ') ++p;
    if (p < n && sql[p] == '(') {
      const QStringView word = QStringView(sql).mid(i, e - i);
      for (const auto& r : rules) {
        if (word.compare(QLatin1String(r.name), Qt::CaseInsensitive) == 0) return Rewrite(sql);
      }
    }
    i = e;
  }
  return sql;
}

// ---------------------------------------------------------------------------------------
// SQLite

const std::vector<Dialect::FunctionRule>& SqliteDialect::Rules() const {
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

QStringList SqliteDialect::SessionSetup() const {
  // A workstation waits for another's write for up to a minute before it reports the lock.
  return {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA busy_timeout=60000",
          "PRAGMA foreign_keys=OFF"};
}

QString SqliteDialect::TableExistsQuery(const QString& table) const {
  return "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = '" + table +
         "' COLLATE NOCASE";
}

// ---------------------------------------------------------------------------------------
// PostgreSQL

const std::vector<Dialect::FunctionRule>& PostgresDialect::Rules() const {
  static const std::vector<FunctionRule> rules = {
      {"isnull", Rename("coalesce")},
      {"len", Rename("length")},
      {"char", Rename("chr")},
      {"getdate",
       [](const QStringList&) {
         return QStringLiteral("to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS')");
       }},
      // SQL Server reads an empty text as 0 where PostgreSQL refuses it.
      {"cast",
       [](const QStringList& a) -> QString {
         QString expr, type;
         if (a.size() != 1 || !SplitCast(a[0], &expr, &type)) return "cast(" + a.join(",") + ")";
         const QString t = type.toLower();
         if (t != "int" && t != "integer" && t != "bigint" && t != "smallint") {
           return "cast(" + expr + " as " + type + ")";
         }
         return "(case when trim(cast(" + expr + " as text)) = '' then 0 else cast(trim(cast(" +
                expr + " as text)) as " + t + ") end)";
       }},
  };
  return rules;
}

QString PostgresDialect::NumberFormat(int decimals) const {
  return "round(cast(999.999 as numeric), " + QString::number(decimals) + ")";
}

QStringList PostgresDialect::SessionSetup() const {
  // Texts travel as UTF-8 whatever the server's default; dates as the system writes them.
  // The server's notices ("already exists, skipping") are not the user's business.
  return {"SET client_encoding TO 'UTF8'", "SET DateStyle TO 'ISO, YMD'",
          "SET client_min_messages TO WARNING"};
}

QString PostgresDialect::TableExistsQuery(const QString& table) const {
  return "SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() AND "
         "table_name = '" +
         table.toLower() + "'";
}

QString PostgresDialect::Bracketed(const QString& name) const {
  // Unquoted names fold to lower case on this engine; a quoted one must match that.
  bool plain = !name.isEmpty() && !name[0].isDigit();
  for (QChar c : name) plain = plain && (c.isLetterOrNumber() || c == '_');
  return plain ? name : '"' + name.toLower() + '"';
}

std::unique_ptr<Dialect> DialectForDriver(const QString& qtDriver) {
  if (qtDriver.compare("QSQLITE", Qt::CaseInsensitive) == 0) {
    return std::make_unique<SqliteDialect>();
  }
  if (qtDriver.compare("QPSQL", Qt::CaseInsensitive) == 0) {
    return std::make_unique<PostgresDialect>();
  }
  return std::make_unique<SqlServerDialect>();
}

}  // namespace ostrevan
