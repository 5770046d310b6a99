#include "ui/dbradiogroup.h"

#include "ui/datasource.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace lx::ui {

DBRadioGroup::DBRadioGroup(DataSource *source, const QString &field, const QString &title,
                           const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(title, parent), m_link(new FieldLink(source, field, this, this)), m_items(items),
      m_group(new QButtonGroup(this))
{
    auto *grid = new QGridLayout(this);
    const int cols = qMax(1, columns);
    const int perColumn = qMax(1, (int(items.size()) + cols - 1) / cols);
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        m_group->addButton(b, i);
        grid->addWidget(b, i % perColumn, i / perColumn);
    }
    connect(m_group, &QButtonGroup::idClicked, m_link, [this](int index) {
        if (m_readOnly) {
            m_link->reload();
            return;
        }
        if (setItemIndex(index))
            emit itemClicked(index);
    });
    m_link->reload();
}

QRadioButton *DBRadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

int DBRadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

bool DBRadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= m_items.size())
        return false;
    return m_link->userWrite(m_items[index]);
}

void DBRadioGroup::loadValue(const QVariant &value)
{
    showItem(value.isNull() ? -1 : int(m_items.indexOf(value.toString())));
}

void DBRadioGroup::showItem(int index)
{
    if (index >= 0) {
        m_group->button(index)->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button.
    m_group->setExclusive(false);
    for (QAbstractButton *b : m_group->buttons())
        b->setChecked(false);
    m_group->setExclusive(true);
}

} // namespace lx::ui
