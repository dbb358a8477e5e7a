#include "host/dialect.h"

#include <gtest/gtest.h>

namespace ostrevan {
namespace {

struct Case {
  const char* name;
  const char* sqlserver;
  const char* sqlite;
  const char* postgres;
};

// Every statement shape the component builds, as SQL Server text and as each engine must run it.
const Case kCases[] = {
    {"left in select list and order",
     "Select Interno,left(Ncm,10) as ncmex,Naladisa From SubItems Where Interno ='1' Order by "
     "left(Ncm,10)",
     "Select Interno,substr(Ncm,1,10) as ncmex,Naladisa From SubItems Where Interno ='1' Order "
     "by substr(Ncm,1,10)",
     "Select Interno,left(Ncm,10) as ncmex,Naladisa From SubItems Where Interno ='1' Order by "
     "left(Ncm,10)"},
    {"LEFT upper case with blank before paren", "SELECT LEFT (NCM, 10) FROM x",
     "SELECT substr(NCM,1,10) FROM x", "SELECT LEFT (NCM, 10) FROM x"},
    {"left join keyword is not a call", "select * from a left join b on a.x = b.x",
     "select * from a left join b on a.x = b.x", "select * from a left join b on a.x = b.x"},
    {"isnull with nested cast and max",
     "Insert into DescripcionNormasOrigen (idNormasOrigen,Descripcion) select "
     "isnull(Max(CAST(idnormasorigen as int)),0) + 1 ,'Norma' from DescripcionNormasOrigen",
     "Insert into DescripcionNormasOrigen (idNormasOrigen,Descripcion) select "
     "ifnull(Max(CAST(idnormasorigen as int)),0) + 1 ,'Norma' from DescripcionNormasOrigen",
     "Insert into DescripcionNormasOrigen (idNormasOrigen,Descripcion) select "
     "coalesce(Max((case when trim(cast(idnormasorigen as text)) = '' then 0 else "
     "cast(trim(cast(idnormasorigen as text)) as int) end)),0) + 1 ,'Norma' from "
     "DescripcionNormasOrigen"},
    {"cast as integer and like glued to order by",
     "Select Propiedad , cast(Valor as Integer) as Valor From CeoParametros Where IdFormulario = "
     "'CEO004' AND Propiedad like 'ORD_%'ORDER BY Valor ASC",
     "Select Propiedad , cast(Valor as Integer) as Valor From CeoParametros Where IdFormulario = "
     "'CEO004' AND Propiedad like 'ORD_%'ORDER BY Valor ASC",
     "Select Propiedad , (case when trim(cast(Valor as text)) = '' then 0 else "
     "cast(trim(cast(Valor as text)) as integer) end) as Valor From CeoParametros Where "
     "IdFormulario = 'CEO004' AND Propiedad like 'ORD_%'ORDER BY Valor ASC"},
    {"cast to a text type kept", "select cast(NroOrden as varchar(10)) from x",
     "select cast(NroOrden as varchar(10)) from x", "select cast(NroOrden as varchar(10)) from x"},
    {"function names inside literals stay text",
     "Insert into Articulos (DenoMerc) Values ('isnull(left(x,2)) it''s [raw] a'' + ''b')",
     "Insert into Articulos (DenoMerc) Values ('isnull(left(x,2)) it''s [raw] a'' + ''b')",
     "Insert into Articulos (DenoMerc) Values ('isnull(left(x,2)) it''s [raw] a'' + ''b')"},
    {"nested left inside isnull", "select isnull(left(Ncm,4),'') from x",
     "select ifnull(substr(Ncm,1,4),'') from x", "select coalesce(left(Ncm,4),'') from x"},
    {"len and bracketed names", "select len([Desc]) from [Tabla X]",
     "select length(\"Desc\") from \"Tabla X\"", "select length(Desc) from \"tabla x\""},
    {"texts joined with plus", "select '[' + IdCeo + ']-' + Estado, NroOrden + 1 from x",
     "select '[' || IdCeo || ']-' || Estado, NroOrden + 1 from x",
     "select '[' || IdCeo || ']-' || Estado, NroOrden + 1 from x"},
    {"getdate", "select getdate()", "select datetime('now','localtime')",
     "select to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS')"},
    {"character by code", "select 'a' + char(9) + 'b'", "select 'a' || char(9) || 'b'",
     "select 'a' || chr(9) || 'b'"},
    {"unbalanced call left as it stands", "select left(Ncm,10 from x", "select left(Ncm,10 from x",
     "select left(Ncm,10 from x"},
};

TEST(Dialect, TranslatesForEachEngine) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SqliteDialect().Translate(c.sqlserver), c.sqlite);
    EXPECT_EQ(PostgresDialect().Translate(c.sqlserver), c.postgres);
    EXPECT_EQ(SqlServerDialect().Translate(c.sqlserver), c.sqlserver);
  }
}

}  // namespace
}  // namespace ostrevan
