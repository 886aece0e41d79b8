#include "schedules/CellTransactPerso.h"

#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindowController.h"

void CellTransactPerso::placeButtonSuppPerso(StdTableView* table, long row, QObject* controller)
{
    if (!m_button) {
        m_button = new QToolButton(table->viewport());
        m_button->setObjectName(QStringLiteral("button_supp_perso"));
        m_button->setText(QStringLiteral("✕"));
        m_button->setAutoRaise(true);
        connect(m_button, &QToolButton::clicked, this, [this] {
            if (auto* window = qobject_cast<StdWindowController*>(this->controller()))
                window->perform(QStringLiteral("SUPPRIMER_PERSO:"), m_button);
        });
    }
    if (row < 0 || row >= table->numberOfRows()) {
        m_button->hide();
        return;
    }
    m_button->setProperty("tag", QVariant::fromValue<qlonglong>(row));
    m_button->setProperty("controller", QVariant::fromValue(controller));
    const QRect rect = table->visualRect(table->model()->index(int(row), 0));
    // The row's left margin is free: the amounts run to its right edge.
    m_button->setGeometry(rect.left() + 6, rect.top() + (rect.height() - 18) / 2, 18, 18);
    m_button->show();
    m_button->raise();
}
