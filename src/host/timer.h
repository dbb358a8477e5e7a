#pragma once
// cGetTimer: the stopwatch behind the elapsed-time label of the progress popup.
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <functional>

namespace ostrevan {

class cGetTimer {
 public:
  cGetTimer();
  ~cGetTimer();

  // Elapsed ÷ divisor as "0.0####" in the system locale; stops the timer first when nothing
  // was measured yet. A divisor below 1 becomes 1000 (seconds) and is handed back that way.
  QString ElapsedTIME(long& divisor);
  // Throws RuntimeError(kOverflow) when the clock has run more than 2^31 ms past the start.
  void StopTimer();
  void StartTimer();
  // 1 = the multimedia millisecond clock; anything else = the system tick count.
  long TimerType() const;
  void SetTimerType(long value);
  long TotalElapsedTime() const;
  // Counts per second of the high-resolution counter; 0 when there is none.
  long TimerPerformanceFrecuency() const;
  // The high-resolution counter in whole counts; 0 when there is none.
  qint64 TimerPerformanceCounter() const;
  // Seconds since StartTimer as "1.500s", always on the millisecond clock and always with a
  // point, whatever the locale; the timer keeps running.
  QString LAP() const;

  // Replaces the millisecond clock, and the tick count too unless `ticks` is given, so tests
  // can put the clock where they want; nullptr restores the real clocks.
  static void SetClockForTests(std::function<int32_t()> ms,
                               std::function<int32_t()> ticks = nullptr);

 private:
  int32_t ReadClock() const;

  int32_t timer_type_ = 1;
  int32_t start_tick_ = 0;
  int32_t elapsed_ = 0;
  int32_t total_elapsed_ = 0;
};

}  // namespace ostrevan
