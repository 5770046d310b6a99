#include "agenda/picture.h"

#include <QDate>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

namespace lx::agenda {

namespace {
const QColor kBlue(0x1f, 0x4e, 0x8c);
const QColor kLightBlue(0x6f, 0xa8, 0xdc);
const QColor kCream(255, 251, 240);
} // namespace

Picture::Picture(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind)
{
    if (kind == Banner)
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    else
        setFixedSize(96, 96);
}

QSize Picture::sizeHint() const
{
    return m_kind == Banner ? QSize(480, 400) : QSize(96, 96);
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    switch (m_kind) {
    case Calendar:
        paintCalendar(p, r);
        break;
    case Padlock:
        paintPadlock(p, r);
        break;
    case Banner:
        paintBanner(p, r);
        break;
    case Money:
        paintMoney(p, r);
        break;
    }
}

QIcon Picture::icon(Kind kind, int size)
{
    Picture painter(kind);
    painter.setFixedSize(size, size);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    painter.render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren);
    return QIcon(pixmap);
}

void Picture::paintMoney(QPainter &p, const QRectF &r)
{
    const QRectF coin = r.adjusted(4, 4, -4, -4);
    p.setPen(QPen(kBlue, 3));
    p.setBrush(kCream);
    p.drawEllipse(coin);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(int(coin.height() * 0.4));
    p.setFont(f);
    p.drawText(coin, Qt::AlignCenter, QStringLiteral("R$"));
}

void Picture::paintCalendar(QPainter &p, const QRectF &r)
{
    const QRectF page = r.adjusted(8, 12, -8, -6);
    p.setPen(QPen(kBlue, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 8, 8);
    QPainterPath head;
    head.addRoundedRect(QRectF(page.left(), page.top(), page.width(), page.height() * 0.3), 8, 8);
    p.fillPath(head, kBlue);
    p.setBrush(kLightBlue);
    for (int i = 1; i <= 2; ++i) {
        const qreal x = page.left() + page.width() * i / 3.0;
        p.drawRoundedRect(QRectF(x - 3, r.top() + 4, 6, 16), 3, 3);
    }
    p.setPen(kBlue);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(int(page.height() * 0.45));
    p.setFont(f);
    p.drawText(
        QRectF(page.left(), page.top() + page.height() * 0.3, page.width(), page.height() * 0.7),
        Qt::AlignCenter, QString::number(QDate::currentDate().day()));
}

void Picture::paintPadlock(QPainter &p, const QRectF &r)
{
    const QRectF body(r.left() + 16, r.top() + r.height() * 0.45, r.width() - 32, r.height() * 0.5);
    p.setPen(QPen(kBlue, 8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(body.left() + 12, r.top() + 8, body.width() - 24, body.height());
    p.drawArc(arc, 0, 180 * 16);
    p.drawLine(QPointF(arc.left(), arc.center().y()), QPointF(arc.left(), body.top()));
    p.drawLine(QPointF(arc.right(), arc.center().y()), QPointF(arc.right(), body.top()));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(body, 6, 6);
    p.setBrush(kCream);
    p.drawEllipse(QPointF(body.center().x(), body.center().y() - 4), 6, 6);
    p.drawRect(QRectF(body.center().x() - 2, body.center().y(), 4, 12));
}

void Picture::paintBanner(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, kBlue);
    g.setColorAt(1, kLightBlue);
    p.fillRect(r, g);
    p.setPen(QColor(255, 255, 255, 40));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 6; ++i) {
        const qreal d = qMin(r.width(), r.height()) * i / 5.0;
        p.drawEllipse(QPointF(r.right(), r.bottom()), d, d);
    }
    p.setPen(Qt::white);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(int(qBound(24.0, r.width() / 10, 72.0)));
    p.setFont(f);
    const QRectF title(r.left(), r.top(), r.width(), r.height() * 0.55);
    p.drawText(title, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Lembrix QOR"));
    f.setBold(false);
    f.setPixelSize(f.pixelSize() / 3);
    p.setFont(f);
    const QString today = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
    p.drawText(QRectF(r.left(), title.bottom() + 8, r.width(), r.height() * 0.2),
               Qt::AlignHCenter | Qt::AlignTop, today);
}

} // namespace lx::agenda
