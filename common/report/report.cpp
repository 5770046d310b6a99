#include "report/report.h"

#include "db/dberror.h"
#include "db/fieldformat.h"
#include "db/queryresult.h"
#include "db/schema.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace lx::report {

namespace {

constexpr double kMmPerInch = 25.4;

/// Where the pages go: a paged device (printer, PDF writer) or a list of images.
class PageTarget
{
public:
    virtual ~PageTarget() = default;
    /// Starts the first page; false when the device cannot be painted on.
    virtual bool begin() = 0;
    virtual void newPage() = 0;
    virtual void end() = 0;
    virtual QPainter &painter() = 0;
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;
};

class DeviceTarget : public PageTarget
{
public:
    explicit DeviceTarget(QPagedPaintDevice &device) : m_device(device) {}
    bool begin() override { return m_painter.begin(&m_device); }
    void newPage() override { m_device.newPage(); }
    void end() override { m_painter.end(); }
    QPainter &painter() override { return m_painter; }
    double dpiX() const override { return m_device.logicalDpiX(); }
    double dpiY() const override { return m_device.logicalDpiY(); }

private:
    QPagedPaintDevice &m_device;
    QPainter m_painter;
};

class ImageTarget : public PageTarget
{
public:
    ImageTarget(const QSizeF &pageMm, int dpi) : m_dpi(dpi)
    {
        m_size = QSize(int(std::lround(pageMm.width() / kMmPerInch * dpi)),
                       int(std::lround(pageMm.height() / kMmPerInch * dpi)));
    }
    bool begin() override
    {
        if (m_size.isEmpty())
            return false;
        startPage();
        return true;
    }
    void newPage() override
    {
        m_painter.end();
        startPage();
    }
    void end() override { m_painter.end(); }
    QPainter &painter() override { return m_painter; }
    double dpiX() const override { return m_dpi; }
    double dpiY() const override { return m_dpi; }
    QList<QImage> pages;

private:
    void startPage()
    {
        QImage image(m_size, QImage::Format_RGB32);
        image.fill(Qt::white);
        // Fonts are sized in points against the image's resolution, as on a printer.
        const int dpm = int(std::lround(m_dpi / 0.0254));
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        pages << image;
        m_painter.begin(&pages.last());
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setRenderHint(QPainter::TextAntialiasing);
    }

    int m_dpi;
    QSize m_size;
    QPainter m_painter;
};

/// How a result column prints: as its type shows on screen, except that a float read from a
/// money column of the schema (the driver gives no money type) prints as money.
FieldType printType(const QueryResult &rows, int column)
{
    const FieldType type = rows.columnType(column);
    if (type != FieldType::Float)
        return type;
    static const QHash<QString, FieldType> money = [] {
        QHash<QString, FieldType> h;
        for (const TableDef &t : schema::tables())
            for (const ColumnDef &c : t.columns)
                if (c.type == FieldType::Money)
                    h.insert(c.name.toUpper(), c.type);
        return h;
    }();
    return money.value(rows.columnName(column).toUpper(), type);
}

/// Lays the report out on the target: the title band at the top of the first page, then the
/// detail bands, a new page whenever the next band would cross the bottom margin.
int layOut(Report &report, PageTarget &target)
{
    if (!target.begin())
        throw DbError(QStringLiteral("Não foi possível iniciar a impressão do relatório."));
    QPainter &p = target.painter();
    const double sx = target.dpiX() / kMmPerInch;
    const double sy = target.dpiY() / kMmPerInch;
    const QMarginsF margins = report.margins();
    const double pageHeight = report.pageSize().size(QPageSize::Millimeter).height();
    const double top = margins.top();
    const double bottom = pageHeight - margins.bottom();
    const double left = margins.left();
    const double width = report.contentWidth();
    const QueryResult *rows = report.rows();

    auto toDevice = [&](const QRectF &mm) {
        return QRectF(mm.x() * sx, mm.y() * sy, mm.width() * sx, mm.height() * sy);
    };

    auto drawBand = [&](Band &band, int row, double y) {
        const QRectF bandRect(left, y, width, band.height());
        if (band.color().alpha() > 0)
            p.fillRect(toDevice(bandRect), band.color());
        for (const auto &item : band.items()) {
            const QRectF r = toDevice(item->rect.translated(left, y));
            if (item->background.alpha() > 0)
                p.fillRect(r, item->background);
            const QString text =
                item->kind == Item::Label ? item->text : report.fieldText(*item, row);
            if (text.isEmpty())
                continue;
            p.setFont(item->font);
            p.setPen(Qt::black);
            // A text wider than its box ends in an ellipsis rather than running into the next.
            const QFontMetricsF metrics(item->font, p.device());
            const QString shown = metrics.horizontalAdvance(text) > r.width()
                                      ? metrics.elidedText(text, Qt::ElideRight, r.width())
                                      : text;
            p.drawText(r, int(item->alignment) | Qt::TextSingleLine, shown);
        }
    };

    int pages = 1;
    double y = top;
    bool pageHasBand = false;
    auto place = [&](Band &band, int row) {
        if (band.beforePrint)
            band.beforePrint(band, row);
        if (pageHasBand && y + band.height() > bottom + 1e-6) {
            target.newPage();
            ++pages;
            y = top;
        }
        drawBand(band, row, y);
        y += band.height();
        pageHasBand = true;
    };

    place(report.titleBand(), -1);
    const int count = rows ? rows->rowCount() : 0;
    for (int row = 0; row < count; ++row)
        place(report.detailBand(), row);
    target.end();
    return pages;
}

} // namespace

Band::Band(QString name, double heightMm) : m_name(std::move(name)), m_height(heightMm) {}

Item &Band::addLabel(const QString &name, const QString &text, const QRectF &rectMm,
                     const QFont &font, Qt::Alignment alignment)
{
    auto item = std::make_unique<Item>();
    *item = Item{Item::Label, name, text, {}, rectMm, font, alignment, Qt::transparent};
    m_items.push_back(std::move(item));
    return *m_items.back();
}

Item &Band::addField(const QString &name, const QString &field, const QRectF &rectMm,
                     const QFont &font, Qt::Alignment alignment)
{
    auto item = std::make_unique<Item>();
    *item = Item{Item::Field, name, {}, field, rectMm, font, alignment, Qt::transparent};
    m_items.push_back(std::move(item));
    return *m_items.back();
}

Item *Band::item(const QString &name)
{
    for (auto &i : m_items)
        if (i->name == name)
            return i.get();
    return nullptr;
}

void Band::setFill(const QColor &color)
{
    m_color = color;
    for (auto &i : m_items)
        i->background = color;
}

void shadeRow(Band &band, bool &nextWhite)
{
    band.setFill(nextWhite ? rowWhite : rowCream);
    nextWhite = !nextWhite;
}

Report::Report() = default;
Report::~Report() = default;

double Report::contentWidth() const
{
    return pageSize().size(QPageSize::Millimeter).width() - m_margins.left() - m_margins.right();
}

int Report::render(QPagedPaintDevice &device)
{
    DeviceTarget target(device);
    return layOut(*this, target);
}

QList<QImage> Report::pageImages(int dpi)
{
    ImageTarget target(pageSize().size(QPageSize::Millimeter), dpi);
    layOut(*this, target);
    return target.pages;
}

void Report::writePdf(const QString &fileName)
{
    const QString cannotWrite =
        QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(fileName);
    {
        QPdfWriter writer(fileName);
        writer.setTitle(m_title);
        writer.setCreator(m_title);
        writer.setPageSize(pageSize());
        writer.setPageOrientation(QPageLayout::Portrait);
        // The report places everything from the paper's corner with its own margins.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        try {
            render(writer);
        } catch (const DbError &) {
            throw DbError(cannotWrite);
        }
    }
    const QFileInfo written(fileName);
    if (!written.exists() || written.size() == 0)
        throw DbError(cannotWrite);
}

QString Report::fieldText(const Item &item, int row) const
{
    if (item.kind == Item::Label)
        return item.text;
    if (!m_rows || row < 0 || row >= m_rows->rowCount())
        return {};
    const int column = m_rows->columnIndex(item.field);
    if (column < 0)
        return {};
    return displayText(printType(*m_rows, column), m_rows->value(row, column));
}

QFont Report::font(double pointSize, bool bold)
{
    // Asked for by name; fontconfig gives Liberation Sans, metric-compatible, where Arial is
    // not installed.
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace lx::report
