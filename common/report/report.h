#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;

namespace lx {
class QueryResult;
}

namespace lx::report {

/// A text printed in a band: a fixed label, or the value of a result column of the current
/// row. Positions and sizes are in millimetres from the band's top-left corner.
struct Item
{
    enum Kind { Label, Field };
    Kind kind = Label;
    QString name;  ///< the object name a handler finds it by ("QRPeriodo", "QRDBText1")
    QString text;  ///< label: the text printed; field: unused
    QString field; ///< field: the result column printed, shown as its type is shown on screen
    QRectF rect;   ///< millimetres, relative to the band
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor background = Qt::transparent; ///< fill behind the text, inside rect
};

/// A horizontal strip of the page: the title band (once, at the top of the first page) or the
/// detail band (once per row). A band is never split across pages.
class Band
{
public:
    explicit Band(QString name, double heightMm = 6.0);

    QString name() const { return m_name; }
    double height() const { return m_height; }
    void setHeight(double mm) { m_height = mm; }

    /// The band's fill colour; transparent by default.
    QColor color() const { return m_color; }
    void setColor(const QColor &color) { m_color = color; }

    /// Adds a label or a data field; the returned reference stays valid for the band's life.
    Item &addLabel(const QString &name, const QString &text, const QRectF &rectMm,
                   const QFont &font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    Item &addField(const QString &name, const QString &field, const QRectF &rectMm,
                   const QFont &font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    /// The item of that name; nullptr when the band has none.
    Item *item(const QString &name);
    const std::vector<std::unique_ptr<Item>> &items() const { return m_items; }

    /// Sets the band's fill colour and the background of every item in it.
    void setFill(const QColor &color);

    /// Run just before the band prints; row is the result row a detail band prints (-1 for the
    /// title band). It may change texts, colours and the fill.
    std::function<void(Band &band, int row)> beforePrint;

private:
    QString m_name;
    double m_height;
    QColor m_color = Qt::transparent;
    std::vector<std::unique_ptr<Item>> m_items;
};

/// Detail rows are shaded white and cream by turns.
inline const QColor rowWhite{255, 255, 255};
inline const QColor rowCream{255, 251, 240};
/// Fills band white when nextWhite says so and cream otherwise, then flips nextWhite.
void shadeRow(Band &band, bool &nextWhite);

/// A banded report over the rows of a query result: a title band printed once at the top of
/// the first page, then one detail band per row, page after page. A4 portrait, margins in
/// millimetres; no page header or footer.
class Report
{
public:
    Report();
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    QString title() const { return m_title; } ///< the print job's and the PDF's title
    void setTitle(const QString &title) { m_title = title; }
    void setMargins(const QMarginsF &mm) { m_margins = mm; }
    QMarginsF margins() const { return m_margins; }
    QPageSize pageSize() const { return QPageSize(QPageSize::A4); }

    Band &titleBand() { return m_title_band; }
    Band &detailBand() { return m_detail_band; }

    /// The rows the detail band prints; the result must outlive the report's rendering.
    void setRows(const QueryResult *rows) { m_rows = rows; }
    const QueryResult *rows() const { return m_rows; }

    /// The printable width inside the margins, millimetres.
    double contentWidth() const;

    /// Draws every page on device (a printer or a PDF writer); runs the bands' handlers in
    /// print order. Returns the number of pages. Throws lx::DbError when the device cannot be
    /// painted on.
    int render(QPagedPaintDevice &device);
    /// The same pages as images at dpi dots per inch, white background.
    QList<QImage> pageImages(int dpi = 96);
    /// Writes the report to a PDF file. Throws lx::DbError when the file cannot be written.
    void writePdf(const QString &fileName);

    /// Text of a field item for a row, as the report prints it (money in the currency format,
    /// dates dd/MM/yyyy, times HH:mm).
    QString fieldText(const Item &item, int row) const;

    /// Arial, or a metric-compatible font where Arial is missing.
    static QFont font(double pointSize, bool bold = false);

private:
    QString m_title;
    QMarginsF m_margins{10, 10, 10, 10};
    Band m_title_band{QStringLiteral("QRBand1"), 30.0};
    Band m_detail_band{QStringLiteral("QRBand2"), 6.0};
    const QueryResult *m_rows = nullptr;
};

} // namespace lx::report
