#include <QFile>
#include <mutex>
#include <thread>

#include "data/forms.h"
#include "host/errors.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan {
namespace {

using test::InstallationTest;
using DataAccessTest = InstallationTest;

// Two workstations (each thread has its own connections) take "the next number" at once.
TEST_F(DataAccessTest, NextNumberInsertsAtOnceLoseNothingAndStoreNoDuplicate) {
  constexpr int kEach = 60;
  std::mutex m;
  QStringList errors;
  auto workstation = [&](const QString& who) {
    try {
      for (int i = 0; i < kEach; ++i) {
        Connection& c = Conn("CATALOGOS");
        c.SetSQL(
            "Insert into DescripcionNormasOrigen (idNormasOrigen,Descripcion) select "
            "isnull(Max(CAST(idnormasorigen as int)),0) + 1 ,'" +
            who + QString::number(i) + "' from DescripcionNormasOrigen");
        if (c.EjecutarSiguienteNumero() != 1) throw RuntimeError(0, "no row", who);
      }
    } catch (const RuntimeError& e) {
      std::lock_guard<std::mutex> lock(m);
      errors << e.Description();
    }
    ResetState();  // closes this thread's connections
  };
  std::thread a(workstation, "A"), b(workstation, "B");
  a.join();
  b.join();
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n");
  EXPECT_EQ(Column("CATALOGOS",
                   "select count(*) || ' ' || count(distinct idNormasOrigen) from "
                   "DescripcionNormasOrigen"),
            QStringList{QString("%1 %1").arg(2 * kEach)});
}

// Rows read the classic way; text compares without regard to case, as on the original engine.
TEST_F(DataAccessTest, RecordsetReadsTheClassicWayAndStatementsSayHowTheyWent) {
  Execute("OSTREVAN",
          "Insert into Articulos (IdCeo, NroOrden, NCM, DenoMerc) Values ('A', 1, "
          "NULL, '')");
  Execute("OSTREVAN", "Insert into Articulos (IdCeo, NroOrden, NCM) Values ('A', 2, '1234')");
  Recordset rs;
  ASSERT_TRUE(Query("OSTREVAN", "select * from articulos where idceo = 'a' order by NroOrden", rs));
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_TRUE(rs.Fields("ncm").Value.isNull());        // Null stays Null
  EXPECT_FALSE(rs.Fields("DenoMerc").Value.isNull());  // "" is not Null
  EXPECT_EQ(rs.Fields("nroORDEN").Value.toInt(), 1);
  EXPECT_THROW(rs.Fields("NoSuchField"), RuntimeError);
  rs.MoveNext();
  EXPECT_EQ(rs.Fields("NCM").Value.toString(), "1234");
  rs.MoveNext();
  EXPECT_TRUE(rs.Eof());
  EXPECT_THROW(rs.Fields("NCM"), RuntimeError);
  EXPECT_TRUE(Query("OSTREVAN", "select IdCeo from Articulos where IdCeo like 'a%'", rs));
  EXPECT_FALSE(Query("OSTREVAN", "select * from CeoMercosur where IdCeo = 'none'", rs));
  EXPECT_THROW(Query("OSTREVAN", "select * from NoSuchTable", rs), RuntimeError);
  EXPECT_EQ(Execute("OSTREVAN", "update CeoMercosur set Estado = 'x' where IdCeo = 'none'"), 0);
}

// A database that cannot be read or written is an error in the engine's words, with the entity
// and its file, never a query that found no rows; nothing is written to find that out.
TEST_F(DataAccessTest, ADamagedOrFullDatabaseIsCalledSo) {
  if (test::Engine() != "QSQLITE") GTEST_SKIP() << "the files of the embedded engine";
  Execute("OSTREVAN", "Insert into Articulos (IdCeo, NroOrden) Values ('A', 1)");
  Recordset rs;
  ASSERT_TRUE(Query("OSTREVAN_CLI", "PRAGMA page_count", rs));
  const QString pages = rs.Fields("page_count").Value.toString();
  const struct {
    const char* name;
    std::function<void()> breakIt;
    QString entity, statement;
    QStringList says;
  } rows[] = {
      {"no database at all",
       [this] {
         ResetAll();
         QFile f(Dir() + "Datos/CATALOGOS.db");
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         f.write(QByteArray(8192, 'x'));
       },
       "CATALOGOS",
       "select * from NCMCEO",
       {"CATALOGOS.db) esta dañada", "not a database"}},
      {"a full disk",
       [&] { Execute("OSTREVAN_CLI", "PRAGMA max_page_count = " + pages); },
       "OSTREVAN_CLI",
       "insert into CeoParametros (IdFormulario, Propiedad, Valor) values ('F', 'P', '" +
           QString(200000, 'v') + "')",
       {"El disco esta lleno", "OSTREVAN_CLI (", "database or disk is full"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    r.breakIt();
    try {
      r.statement.startsWith("select") ? Query(r.entity, r.statement, rs)
                                       : (Execute(r.entity, r.statement), false);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
      for (const QString& w : r.says) EXPECT_TRUE(e.Description().contains(w)) << e.Description();
      EXPECT_FALSE(e.Description().contains("esquema")) << e.Description();
    }
  }
}

// A failed statement undoes what its transaction says, the same on every engine: only itself
// where the transaction keeps what was done, everything where it is all or nothing. A query's
// rows are all read before a server's savepoint goes.
TEST_F(DataAccessTest, AFailedStatementUndoesWhatItsTransactionSays) {
  for (int i = 1; i <= 300; ++i) {
    Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('T" + QString::number(i) + "')");
  }
  const struct {
    OnFailure mode;
    bool innerRolledBack;
    long stored;
  } cases[] = {{OnFailure::UndoStatement, false, 302},
               {OnFailure::UndoAll, false, 300},
               {OnFailure::UndoStatement, true, 300}};
  Connection& c = Conn("OSTREVAN");
  for (const auto& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.mode) * 10 + k.innerRolledBack);
    Execute("OSTREVAN", "delete from CeoMercosur where IdCeo in ('T301', 'T302')");
    const bool keeps = k.mode == OnFailure::UndoStatement && !k.innerRolledBack;
    c.BeginTrans(k.mode);
    Recordset rs;
    ASSERT_TRUE(Query("OSTREVAN", "select IdCeo from CeoMercosur", rs));
    EXPECT_EQ(rs.RecordCount(), 300);
    Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('T301')");
    if (k.innerRolledBack) {
      c.BeginTrans();
      c.RollbackTrans();
    } else {
      EXPECT_THROW(Execute("OSTREVAN", "update NoSuchTable set x = 1"), RuntimeError);
    }
    if (keeps) {
      Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('T302')");
      c.CommitTrans();
    } else {
      EXPECT_THROW(Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('T302')"),
                   RuntimeError);
      EXPECT_THROW(c.CommitTrans(), RuntimeError);
    }
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), k.stored);
  }
  // A statement that carries "the next number" another workstation took first is expected to
  // fail, and is written anew without undoing the all-or-nothing transaction around it.
  Connection& cat = Conn("CATALOGOS");
  Execute("CATALOGOS",
          "Insert into DescripcionNormasOrigen (idNormasOrigen, Descripcion) "
          "Values (1, 'la otra estacion')");
  AllOrNothing tx(cat);
  Execute("CATALOGOS",
          "Insert into DescripcionNormasOrigen (idNormasOrigen, Descripcion) "
          "Values (2, 'antes')");
  int attempt = 0, taken = 3;
  const auto insert = [&]() -> QString {
    return "Insert into DescripcionNormasOrigen (idNormasOrigen, Descripcion) Values (" +
           QString::number(++attempt == 1 ? 1 : taken) + ", 'mia')";
  };
  EXPECT_EQ(cat.EjecutarConNumeroNuevo(insert), 1);
  tx.Commit();
  EXPECT_EQ(Column("CATALOGOS", "select Descripcion from DescripcionNormasOrigen order by 1"),
            (QStringList{"antes", "la otra estacion", "mia"}));
  // A number that stays taken ends in an error after the attempts allowed.
  attempt = 0;
  taken = 1;
  EXPECT_THROW(cat.EjecutarConNumeroNuevo(insert, 3), RuntimeError);
}

// The host's entities are read, never written: the engine itself refuses a write from the
// component, while the host (here the fixture, in a HostRole) writes them as it always did.
TEST_F(DataAccessTest, TheHostsEntitiesAreReadOnlyToTheComponent) {
  const struct {
    QString entity, table, values;
  } rows[] = {
      {"INTERNOS", "Caratula", "('H1','20-1','1','10')"},
      {"PERSONAL", "Clientes", "('20-1','O''Neil','Calle 1','Rosario')"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.entity.toStdString());
    const QString insert = "insert into " + r.table + " values " + r.values;
    EXPECT_THROW(Execute(r.entity, insert), RuntimeError);
    EXPECT_THROW(Execute(r.entity, "delete from " + r.table), RuntimeError);
    {
      HostRole host;
      EXPECT_EQ(Execute(r.entity, insert), 1);
    }
    EXPECT_EQ(Count(r.entity, r.table), 1);
    EXPECT_THROW(Execute(r.entity, insert), RuntimeError);
  }
  // A host database that is not there is named, not created empty.
  if (test::Engine() == "QSQLITE") {
    ResetState();  // closes the databases
    QFile::remove(Dir() + "Datos/INTERNOS.db");
    try {
      Execute("INTERNOS", "select 1");
      ADD_FAILURE() << "a missing host database must be reported";
    } catch (const RuntimeError& e) {
      EXPECT_TRUE(e.Description().contains("No existe la base de datos de la entidad INTERNOS"))
          << e.Description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(Dir() + "Datos/INTERNOS.db"));
  }
}

// A database that cannot be reached, or a driver that is not installed, is named with its
// entity and where it was looked for, never with the password.
TEST_F(DataAccessTest, UnreachableDatabaseRaisesAClearErrorWithoutThePassword) {
  const struct {
    const char *driver, *database, *host;
    QStringList says;
  } rows[] = {
      {"QSQLITE", "/proc/no/such/place.db", "", {}},
      {"QPSQL", "internos", "/nonexistent/socket/folder", {"/nonexistent/socket/folder"}},
      {"QFOOSQL", "internos", "", {"QFOOSQL", "instalados: ", "QSQLITE"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.driver);
    MapEntity("INTERNOS", {{"Driver", r.driver},
                           {"Database", r.database},
                           {"Host", r.host},
                           {"Port", "5999"},
                           {"Password", "Secreto-123"}});
    ResetState();
    Recordset rs;
    try {
      Query("INTERNOS", "select * from Caratula", rs);
      ADD_FAILURE() << "an unreachable database must raise";
    } catch (const RuntimeError& e) {
      for (const QString& w : r.says + QStringList{"INTERNOS"}) {
        EXPECT_TRUE(e.Description().contains(w)) << e.Description();
      }
      EXPECT_FALSE(e.Description().contains("Secreto")) << e.Description();
    }
    // The other entities keep working.
    EXPECT_FALSE(Query("OSTREVAN", "select * from CeoMercosur", rs));
  }
}

}  // namespace
}  // namespace ostrevan
