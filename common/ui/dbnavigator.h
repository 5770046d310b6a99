#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace lx {
class TableCache;
}

namespace lx::ui {

class DataSource;

/// A record navigator with the buttons first, prior, next and last. The buttons that would
/// not move are disabled: first and prior on the first row, next and last on the last, all
/// four on an empty or closed cache. Moving settles a row being edited first; an error (a
/// typed text that does not convert) goes to the error box and the row stays.
///
///   auto *DBNavigator1 = new DBNavigator(DM->DSTIPOGASTO, TabSheet1);
class DBNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last };
    Q_ENUM(Button)

    explicit DBNavigator(DataSource *source, QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_source; }
    QToolButton *button(Button which) const { return m_buttons[which]; }
    /// What a click on the button does; returns whether it ran without error.
    bool click(Button which);

signals:
    /// A button moved the current row (after the move).
    void moved(lx::ui::DBNavigator::Button which);

private:
    void updateButtons();

    QPointer<DataSource> m_source;
    QToolButton *m_buttons[4];
};

} // namespace lx::ui
