#include "print/fonts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "host/value.h"

namespace ostrevan::print {

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

struct CachedFont {
  explicit CachedFont(const QFont& f)
      : metrics(f), line{metrics.ascent(), metrics.descent(), metrics.lineSpacing()} {}
  QFontMetricsF metrics;
  LineMetrics line;  // reference pixels
};

// A page of 2,000 item lines asks for the same two or three fonts thousands of times; building
// QFontMetricsF each time would dominate the run. Metrics scale linearly with the point size,
// so one entry per font serves every size.
const CachedFont& Cached(const QString& fontName) {
  static std::mutex mutex;
  static std::map<QString, std::unique_ptr<CachedFont>> cache;
  const QString key = FontNameOrDefault(fontName).toLower();
  std::lock_guard<std::mutex> lock(mutex);
  auto& slot = cache[key];
  if (!slot) slot = std::make_unique<CachedFont>(ReferenceFont(fontName));
  return *slot;
}

double WidestLinePx(const QFontMetricsF& metrics, const QString& text) {
  double widest = 0;
  for (const QString& line : SplitLines(text)) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
  }
  return widest;
}

}  // namespace

QString FontNameOrDefault(const QString& fontName) {
  const QString name = fontName.trimmed();
  return name.isEmpty() ? QString(kDefaultFontName) : name;
}

double FontSizeOrDefault(double points) { return points > 0 ? points : kDefaultFontSize; }

double FontSizeFromText(const QString& points) { return FontSizeOrDefault(Val(points)); }

QString ResolveFamily(const QString& fontName) {
  static const std::pair<const char*, const char*> kMetricTwins[] = {
      {"courier new", "Liberation Mono"},   {"courier", "Liberation Mono"},
      {"arial", "Liberation Sans"},         {"helvetica", "Liberation Sans"},
      {"ms sans serif", "Liberation Sans"}, {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},
  };
  const QString name = FontNameOrDefault(fontName);
  const QString key = name.toLower();
  for (const auto& [layoutName, family] : kMetricTwins) {
    if (key == QLatin1String(layoutName)) return family;
  }
  return name;
}

QFont ReferenceFont(const QString& fontName) {
  QFont font(ResolveFamily(fontName));
  font.setPixelSize(kReferencePixels);
  // Unhinted outlines: advances are the design's, not snapped to a pixel grid.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::ForceOutline);
  return font;
}

double MmPerReferencePixel(double points) {
  return FontSizeOrDefault(points) * kMmPerPoint / kReferencePixels;
}

QStringList SplitLines(const QString& text) {
  static const QRegularExpression kBreak(QStringLiteral("\r\n|\r|\n"));
  return text.split(kBreak);
}

LineMetrics ReferenceLineMetrics(const QString& fontName) { return Cached(fontName).line; }

LineMetrics LineMetricsMm(const QString& fontName, double points) {
  const LineMetrics px = ReferenceLineMetrics(fontName);
  const double k = MmPerReferencePixel(points);
  return {px.ascent * k, px.descent * k, px.lineSpacing * k};
}

double TextWidthMm(const QString& text, const QString& fontName, double points) {
  return WidestLinePx(Cached(fontName).metrics, text) * MmPerReferencePixel(points);
}

QString LeadingPartThatFits(const QString& text, const QString& fontName, double points,
                            double widthMm) {
  if (text.isEmpty()) return text;
  const QFontMetricsF& metrics = Cached(fontName).metrics;
  const double limitPx = widthMm / MmPerReferencePixel(points) + 1e-6;
  auto widthOf = [&](qsizetype n) { return WidestLinePx(metrics, text.left(n)); };
  const double whole = widthOf(text.size());
  if (whole <= limitPx) return text;
  // Start where the average character width says the cut is (exact for the monospaced fonts
  // most layouts use) and walk to the last prefix that fits: two or three measurements for a
  // cut instead of a search over the whole text, which matters with thousands of item lines.
  qsizetype lo = std::clamp<qsizetype>(static_cast<qsizetype>(text.size() * (limitPx / whole)), 0,
                                       text.size() - 1);
  while (lo > 0 && widthOf(lo) > limitPx) --lo;
  while (lo + 1 < text.size() && widthOf(lo + 1) <= limitPx) ++lo;
  qsizetype n = lo;
  // Never split a surrogate pair: back off one, or take the whole pair when it is all we have.
  if (n > 0 && text[n - 1].isHighSurrogate()) n = n > 1 ? n - 1 : n + 1;
  if (n == 0) n = text[0].isHighSurrogate() && text.size() > 1 ? 2 : 1;
  return text.left(n);
}

}  // namespace ostrevan::print
