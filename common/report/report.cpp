#include "report/report.h"

// Placeholder bodies; the engine replaces them.
namespace lx::report {

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
Report::Report() = default;
Report::~Report() = default;
double Report::contentWidth() const { return 210.0 - m_margins.left() - m_margins.right(); }
int Report::render(QPagedPaintDevice &) { return 0; }
QList<QImage> Report::pageImages(int) { return {}; }
void Report::writePdf(const QString &) {}
QString Report::fieldText(const Item &, int) const { return {}; }
QFont Report::font(double pointSize, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace lx::report
