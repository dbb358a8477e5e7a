#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

namespace {
// The tests of a server engine need the server that scripts/test starts. Without it they are
// skipped, or failed when the run requires the server, before any fixture reaches a database.
class ServerEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariable("OSTREVAN_TEST_ENGINE").toUpper() != "QPSQL") return;
    if (!qEnvironmentVariableIsEmpty("OSTREVAN_TEST_PG")) return;
    if (!qEnvironmentVariableIsEmpty("OSTREVAN_REQUIRE_PG")) {
      FAIL() << "no PostgreSQL server for the tests: run them through scripts/test";
    }
    // In gtest's own words, so that ctest counts the tests as skipped, not passed.
    std::printf("[  SKIPPED ] no PostgreSQL server (scripts/test starts one)\n");
    GTEST_SKIP() << "no PostgreSQL server (scripts/test starts one)";
  }
};
}  // namespace

// Qt needs an application object for fonts, images and the SQL drivers.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new ServerEnvironment);
  return RUN_ALL_TESTS();
}
