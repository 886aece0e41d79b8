#include "entities/CellVariante.h"

#include "toolkit/popups/StdPopUp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CellVariante::CellVariante(QWidget* parent)
    : QWidget(parent)
{
    m_icone = new QLabel(this);
    m_icone->setObjectName(QStringLiteral("icone_variante"));
    m_icone->setFixedSize(24, 24);
    m_nom = new QLabel(this);
    m_nom->setObjectName(QStringLiteral("text_nom"));
    m_supprimer = new QPushButton(this);
    m_supprimer->setObjectName(QStringLiteral("button_supprimer"));
    const QIcon image = StdPopUp::itemImage(QStringLiteral("supprimer"));
    m_supprimer->setIcon(image);
    if (image.isNull()) // without its picture the button must still be seen
        m_supprimer->setText(QStringLiteral("\u2715"));
    m_supprimer->setFlat(true);
    m_supprimer->setFixedSize(22, 22);
    m_supprimer->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_icone);
    layout->addWidget(m_nom, 1);
    layout->addWidget(m_supprimer);
}
