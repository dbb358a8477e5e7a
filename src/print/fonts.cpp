#include "print/fonts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <mutex>

#include "host/value.h"

namespace ostrevan::print {

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

// Characters whose advance in a line is their advance alone: with kerning off, the Latin
// scripts of the certificates are laid out glyph after glyph. Controls and the soft hyphen
// (shown or not depending on where the line breaks) are left to the shaper.
constexpr char16_t kSimpleEnd = 0x300;  // combining diacritics start here
bool IsSimple(char16_t c) {
  return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < kSimpleEnd && c != 0xAD);
}

struct CachedFont {
  explicit CachedFont(const QFont& f)
      : metrics(f), line{metrics.ascent(), metrics.descent(), metrics.lineSpacing()} {
    for (char16_t c = 0; c < kSimpleEnd; ++c) {
      advance[c] = IsSimple(c) ? metrics.horizontalAdvance(QString(QChar(c))) : 0;
    }
  }
  QFontMetricsF metrics;
  LineMetrics line;  // reference pixels
  std::array<double, kSimpleEnd> advance{};
};

// A page of 2,000 item lines asks for the same two or three fonts thousands of times; building
// QFontMetricsF each time would dominate the run. Metrics scale linearly with the point size,
// so one entry per font serves every size. The name as asked answers without the lower-casing;
// entries are never removed, so the references stay good.
const CachedFont& Cached(const QString& fontName) {
  static std::mutex mutex;
  static std::map<QString, std::unique_ptr<CachedFont>> cache;
  static std::map<QString, const CachedFont*> asAsked;
  std::lock_guard<std::mutex> lock(mutex);
  const CachedFont*& known = asAsked[fontName];
  if (!known) {
    auto& slot = cache[FontNameOrDefault(fontName).toLower()];
    if (!slot) slot = std::make_unique<CachedFont>(ReferenceFont(fontName));
    known = slot.get();
  }
  return *known;
}

double WidestLinePx(const CachedFont& font, QStringView text) {
  // Adding up the advances is what the shaper would do for these characters, without its
  // cost: cutting 2,000 descriptions measures hundreds of thousands of prefixes.
  double widest = 0;
  double width = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == '\r' || c == '\n') {
      widest = std::max(widest, width);
      width = 0;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else if (IsSimple(c)) {
      width += font.advance[c];
    } else {
      widest = 0;
      for (const QString& line : SplitLines(text.toString())) {
        widest = std::max(widest, font.metrics.horizontalAdvance(line));
      }
      return widest;
    }
  }
  return std::max(widest, width);
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
  // The forms were laid out by a printing engine that placed glyph after glyph; kerning would
  // make proportional text narrower than the boxes were measured for.
  font.setKerning(false);
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
  return WidestLinePx(Cached(fontName), text) * MmPerReferencePixel(points);
}

QString LeadingPartThatFits(const QString& text, const QString& fontName, double points,
                            double widthMm) {
  if (text.isEmpty()) return text;
  const CachedFont& font = Cached(fontName);
  const double limitPx = widthMm / MmPerReferencePixel(points) + 1e-6;
  auto widthOf = [&](qsizetype n) { return WidestLinePx(font, QStringView(text).left(n)); };
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
