#pragma once

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace lx::test {

/// What poppler's tools read back from a PDF file.
inline QString runTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(tool, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// The text of a PDF as pdftotext lays it out; pages are separated by form feeds.
inline QString pdfText(const QString &file)
{
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

inline QStringList pdfPageTexts(const QString &file)
{
    QStringList pages = pdfText(file).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

/// A field of pdfinfo's report ("Pages", "Title").
inline QString pdfInfo(const QString &file, const QString &field)
{
    for (const QString &line : runTool(QStringLiteral("pdfinfo"), {file}).split(QLatin1Char('\n')))
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    return {};
}

/// The colour of a page image at a point given in millimetres from the paper's corner.
inline QColor pixelAtMm(const QImage &page, double xMm, double yMm, int dpi)
{
    return page.pixelColor(int(xMm / 25.4 * dpi), int(yMm / 25.4 * dpi));
}

} // namespace lx::test
