#pragma once
// Where texts really landed in a PDF: every word of pdftotext -bbox, in mm from the page's
// top-left edge.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <vector>

namespace ostrevan::test {

struct Word {
  QString text;
  double x, y, right;
};

inline std::vector<Word> PdfWords(const QString& pdf, int page = 0) {
  QProcess tool;
  QStringList args{"-bbox"};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  tool.start("pdftotext", args << pdf << "-");
  if (!tool.waitForFinished(30000)) return {};
  const QString html = QString::fromUtf8(tool.readAllStandardOutput());
  static const QRegularExpression re(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
  std::vector<Word> words;
  for (auto it = re.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    const double ptToMm = 25.4 / 72;
    words.push_back({m.captured(4), m.captured(1).toDouble() * ptToMm,
                     m.captured(2).toDouble() * ptToMm, m.captured(3).toDouble() * ptToMm});
  }
  return words;
}

}  // namespace ostrevan::test
