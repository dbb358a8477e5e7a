// The component runs inside its host's process: a print run may not retune what belongs to
// the whole process. The allocator's tuning call is caught here by defining it in the test
// program, which every library linked into it then calls instead of the C library's.
#include <malloc.h>

#include <QFileInfo>

#include "print/backends.h"
#include "job/print_job.h"
#include "print/print_fixture.h"

namespace {
int gAllocatorTunings = 0;
}  // namespace

extern "C" int mallopt(int, int) noexcept {
  ++gAllocatorTunings;
  return 1;
}

namespace ostrevan {
namespace {

using test::PrintTest;

TEST_F(PrintTest, PrintingToPdfLeavesTheAllocatorAsTheHostSetIt) {
  Certificate(40);
  const QString pdf = tmp->path() + "/cert.pdf";
  auto backend = std::make_shared<print::PdfBackend>(pdf);
  print::SetBackendFactory([backend](const QString&) { return backend; });
  EnviaImpresion();
  ASSERT_TRUE(QFileInfo(pdf).size() > 0) << Messages().join("|");
  EXPECT_EQ(gAllocatorTunings, 0);
}

}  // namespace
}  // namespace ostrevan
