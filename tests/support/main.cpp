#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

// Qt needs an application object for fonts, images and the SQL drivers.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
