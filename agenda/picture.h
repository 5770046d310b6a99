#pragma once

#include <QIcon>
#include <QWidget>

namespace lx::agenda {

/// The pictures of the login and main windows, drawn rather than stored as files.
class Picture : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Calendar, Padlock, Banner, Money };
    explicit Picture(Kind kind, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    /// A kind drawn as a button icon of size pixels.
    static QIcon icon(Kind kind, int size = 48);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCalendar(QPainter &p, const QRectF &r);
    void paintPadlock(QPainter &p, const QRectF &r);
    void paintBanner(QPainter &p, const QRectF &r);
    void paintMoney(QPainter &p, const QRectF &r);

    Kind m_kind;
};

} // namespace lx::agenda
