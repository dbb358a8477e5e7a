// Waiting for the user's "Cerrar" sleeps between events instead of spinning a core.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <ctime>

#include "host/progress.h"

namespace ostrevan {
namespace {

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

TEST(EsperarCerrar, SleepsUntilTheUserPressesCerrar) {
  PopupState popup;
  popup.ShowStatus();
  popup.UseBoton(true);
  popup.EnableBoton(true);
  QTimer::singleShot(400, [&popup] { popup.ClickCerrar(); });
  QElapsedTimer wall;
  wall.start();
  const double cpu0 = ThreadCpuSeconds();
  EsperarCerrar(popup);
  const double cpu = ThreadCpuSeconds() - cpu0;
  EXPECT_TRUE(popup.Cerrar());
  EXPECT_GE(wall.elapsed(), 380);
  // Spinning would use the whole wait; sleeping uses next to nothing of it.
  EXPECT_LT(cpu, 0.25 * wall.elapsed() / 1000.0);
}

}  // namespace
}  // namespace ostrevan
