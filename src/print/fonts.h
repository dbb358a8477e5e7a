#pragma once
// Fonts of the print library: which installed family draws a layout's font name, and the
// metrics in millimetres that both the layout code and the page renderer rely on.
#include <QFont>
#include <QString>
#include <QStringList>

namespace ostrevan::print {

// Text is measured and drawn with the font at this pixel size and scaled to its point size.
// Qt rounds a font's pixel size to whole pixels: even at 1200 dpi that makes 8 pt text 0.25 %
// narrower than its design (and 5 pt 0.4 %), and differently so on a 600 dpi printer. Unhinted
// at 64 px, FreeType's 1/64 px advances are finer than a 2048-unit em, so widths are the
// design's and scale exactly on every device; 64 px is also the largest size whose glyph
// metrics Qt caches, which makes measuring four times faster than at a large size.
constexpr int kReferencePixels = 64;
constexpr double kDefaultFontSize = 10;  // points, when the layout gives none or 0
inline constexpr char kDefaultFontName[] = "Arial";

QString FontNameOrDefault(const QString& fontName);
double FontSizeOrDefault(double points);
// Val of the text, 0 or empty giving the default size.
double FontSizeFromText(const QString& points);

// The family installed for a layout's font name. The layouts were measured with the Windows
// core fonts; Liberation is metric-compatible with them, so those names are mapped directly
// instead of trusting whatever the font configuration of the machine would pick.
QString ResolveFamily(const QString& fontName);
// The font a layout's text is drawn with, at kReferencePixels.
QFont ReferenceFont(const QString& fontName);
// Millimetres per pixel of the reference font when the text is `points` large.
double MmPerReferencePixel(double points);

// Lines of a text as the renderer draws them: CR LF, CR and LF all break a line.
QStringList SplitLines(const QString& text);

struct LineMetrics {
  double ascent = 0;       // line box top to baseline
  double descent = 0;      // baseline to line box bottom
  double lineSpacing = 0;  // one line to the next: ascent + descent + the font's leading
};
// In mm for a text `points` large.
LineMetrics LineMetricsMm(const QString& fontName, double points);
// In pixels of the reference font.
LineMetrics ReferenceLineMetrics(const QString& fontName);

// Advance width of the widest line, in mm.
double TextWidthMm(const QString& text, const QString& fontName, double points);
// The longest leading part of the text whose width fits in widthMm; the whole text when it
// fits, and never less than one character of a non-empty text, so that a caller cutting a
// text in a loop always progresses.
QString LeadingPartThatFits(const QString& text, const QString& fontName, double points,
                            double widthMm);

}  // namespace ostrevan::print
