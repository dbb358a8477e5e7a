#include "host/timer.h"

#include <QLocale>
#include <ctime>
#include <limits>

#include "host/errors.h"

namespace ostrevan {
namespace {

std::function<int32_t()>& MsHook() {
  static std::function<int32_t()> hook;
  return hook;
}

std::function<int32_t()>& TicksHook() {
  static std::function<int32_t()> hook;
  return hook;
}

// Both Windows clocks are unsigned milliseconds since boot that the declarations read as a
// signed Long, so they wrap to negative after 24.8 days; keeping the low 32 bits does the same.
int32_t Milliseconds32(clockid_t clock) {
  timespec ts{};
  if (clock_gettime(clock, &ts) != 0) return 0;
  const int64_t ms = int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
  return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

int32_t timeGetTime() {
  if (MsHook()) return MsHook()();
  return Milliseconds32(CLOCK_MONOTONIC);
}

// A coarser clock, as GetTickCount is coarser than the multimedia clock.
int32_t GetTickCount() {
  if (TicksHook()) return TicksHook()();
  if (MsHook()) return MsHook()();
  return Milliseconds32(CLOCK_MONOTONIC_COARSE);
}

[[noreturn]] void RaiseOverflow() { throw RuntimeError(err::kOverflow, "Overflow", "cGetTimer"); }

// Long arithmetic: a result that does not fit 32 bits is the run time's overflow, not a wrap.
int32_t Subtract32(int32_t reading, int32_t start) {
  const int64_t diff = int64_t{reading} - int64_t{start};
  if (diff < std::numeric_limits<int32_t>::min() || diff > std::numeric_limits<int32_t>::max())
    RaiseOverflow();
  return static_cast<int32_t>(diff);
}

// Format(value, "0.000##")-style: `minDecimals` always shown, up to `maxDecimals` when needed.
QString FormatDecimals(double value, int minDecimals, int maxDecimals, const QString& point) {
  QString text = QString::number(value, 'f', maxDecimals);
  const qsizetype dot = text.indexOf('.');
  qsizetype end = text.size();
  while (end > dot + 1 + minDecimals && text.at(end - 1) == '0') --end;
  text.truncate(end);
  return text.replace(dot, 1, point);
}

}  // namespace

cGetTimer::cGetTimer() = default;  // timer type 1, the multimedia clock

cGetTimer::~cGetTimer() {
  // A clock that wrapped must not turn the end of a print run into a crash.
  try {
    StopTimer();
  } catch (...) {
  }
}

QString cGetTimer::ElapsedTIME(long& divisor) {
  if (elapsed_ == 0) StopTimer();
  if (divisor < 1) divisor = 1000;
  return FormatDecimals(double(elapsed_) / double(divisor), 1, 5, QLocale::system().decimalPoint());
}

void cGetTimer::StopTimer() {
  elapsed_ = Subtract32(ReadClock(), start_tick_);
  total_elapsed_ = elapsed_;
}

void cGetTimer::StartTimer() {
  elapsed_ = 0;
  start_tick_ = ReadClock();
}

long cGetTimer::TimerType() const { return timer_type_; }

void cGetTimer::SetTimerType(long value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    RaiseOverflow();
  timer_type_ = static_cast<int32_t>(value);
}

long cGetTimer::TotalElapsedTime() const { return total_elapsed_; }

long cGetTimer::TimerPerformanceFrecuency() const {
  timespec res{};
  if (clock_getres(CLOCK_MONOTONIC, &res) != 0) return 0;
  return 1000000000L;  // the counter below counts nanoseconds
}

qint64 cGetTimer::TimerPerformanceCounter() const {
  timespec ts{};
  if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return 0;
  return qint64{ts.tv_sec} * 1000000000 + ts.tv_nsec;
}

QString cGetTimer::LAP() const {
  const double seconds = double(Subtract32(timeGetTime(), start_tick_)) / 1000.0;
  // The popup label is read the same way on every machine, so the point is forced. The
  // system's decimal point is asked once: a long print run shows a lap for every line.
  static const QString point = QLocale::system().decimalPoint();
  return FormatDecimals(seconds, 3, 5, point).replace(',', '.') + "s";
}

void cGetTimer::SetClockForTests(std::function<int32_t()> ms, std::function<int32_t()> ticks) {
  MsHook() = std::move(ms);
  TicksHook() = std::move(ticks);
}

int32_t cGetTimer::ReadClock() const { return timer_type_ == 1 ? timeGetTime() : GetTickCount(); }

}  // namespace ostrevan
