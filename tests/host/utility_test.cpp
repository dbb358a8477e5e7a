#include <gtest/gtest.h>

#include "host/sistema.h"
#include "host/value.h"

namespace ostrevan {
namespace {

TEST(Values, EsnullEsnumeroValAndFixed) {
  EXPECT_EQ(esnull(QVariant()).toString(), "");
  EXPECT_EQ(esnumero(esnull(QVariant())), 0);
  EXPECT_EQ(esnull(QVariant("x")).toString(), "x");
  // The full-width digits would make clang-format spread the table one row a line.
  // clang-format off
  struct Row {
    QVariant in;
    double out;
  } rows[] = {{QVariant(12), 12},   {QVariant("12.5"), 12.5}, {QVariant("12,5"), 12.5},
              {QVariant(" 7 "), 7}, {QVariant("12a"), 0},     {QVariant(""), 0},
              {QVariant("-3"), -3}, {QVariant("1.2.3"), 0},   {QVariant(2.25), 2.25},
              {QVariant(), 0},      {QVariant(QString::fromUtf8("１４")), 0},
              {QVariant(QString::fromUtf8("٤٠")), 0}};
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(esnumero(r.in), r.out) << r.in.toString().toStdString();
  // Val reads the leading number.
  EXPECT_EQ(Val("12,5"), 12.5);
  EXPECT_EQ(Val("12.5mm"), 12.5);
  EXPECT_EQ(Val("-2"), -2);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Fixed(1.005 * 100, 2), "100.50");
  EXPECT_EQ(Fixed(-0.001, 2), "0.00");
}

// Under ProgramFiles every fixture's installation is found; without it, the user's data folder.
TEST(Paths, WithoutProgramFilesTheInstallationIsInTheUsersDataFolder) {
  QByteArray old = qgetenv("ProgramFiles");
  qunsetenv("ProgramFiles");
  EXPECT_TRUE(InstallationDir().endsWith("/Velmora/Formularios/"));
  EXPECT_FALSE(InstallationDir().startsWith("/Velmora"));
  if (!old.isEmpty()) qputenv("ProgramFiles", old);
}

}  // namespace
}  // namespace ostrevan
