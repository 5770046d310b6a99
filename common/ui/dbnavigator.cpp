#include "ui/dbnavigator.h"

#include "db/tablecache.h"
#include "ui/datasource.h"
#include "ui/guard.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace lx::ui {

DBNavigator::DBNavigator(DataSource *source, QWidget *parent) : QWidget(parent), m_source(source)
{
    struct ButtonDef
    {
        QStyle::StandardPixmap icon;
        const char *text;
        const char *name;
        QString tip;
    };
    const ButtonDef defs[4] = {
        {QStyle::SP_MediaSkipBackward, "|<", "btnFirst", QStringLiteral("Primeiro")},
        {QStyle::SP_MediaSeekBackward, "<", "btnPrior", QStringLiteral("Anterior")},
        {QStyle::SP_MediaSeekForward, ">", "btnNext", QStringLiteral("Próximo")},
        {QStyle::SP_MediaSkipForward, ">|", "btnLast", QStringLiteral("Último")},
    };
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(defs[i].name));
        b->setIcon(style()->standardIcon(defs[i].icon));
        b->setText(QLatin1String(defs[i].text));
        b->setToolTip(defs[i].tip);
        b->setFocusPolicy(Qt::TabFocus);
        row->addWidget(b);
        m_buttons[i] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
    }

    TableCache *cache = source->cache();
    auto update = [this] { updateButtons(); };
    connect(cache, &TableCache::currentRowChanged, this, update);
    connect(cache, &TableCache::reset, this, update);
    connect(cache, &TableCache::stateChanged, this, update);
    connect(cache, &TableCache::rowsInserted, this, update);
    connect(cache, &TableCache::rowsRemoved, this, update);
    updateButtons();
}

bool DBNavigator::click(Button which)
{
    if (!m_source || !m_source->cache())
        return false;
    TableCache *c = m_source->cache();
    const bool ok = guard(window(), [&] {
        switch (which) {
        case First:
            c->first();
            break;
        case Prior:
            c->prior();
            break;
        case Next:
            c->next();
            break;
        case Last:
            c->last();
            break;
        }
    });
    updateButtons();
    if (ok)
        emit moved(which);
    return ok;
}

void DBNavigator::updateButtons()
{
    TableCache *c = m_source ? m_source->cache() : nullptr;
    const bool any = c && c->isOpen() && !c->isEmpty();
    const int row = any ? c->currentRow() : -1;
    const bool atFirst = !any || row <= 0;
    const bool atLast = !any || row >= c->recordCount() - 1;
    m_buttons[First]->setEnabled(!atFirst);
    m_buttons[Prior]->setEnabled(!atFirst);
    m_buttons[Next]->setEnabled(!atLast);
    m_buttons[Last]->setEnabled(!atLast);
}

} // namespace lx::ui
