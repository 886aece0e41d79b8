#include "toolkit/windows/StdViewTitre.h"

#include "toolkit/drawing/Constants.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLabel* field(const char* name, QWidget* parent, const QFont& font, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

} // namespace

StdViewTitre::StdViewTitre(QWidget* parent, int initialHeight)
    : StdViewNoBorder(parent)
    , m_page(field("field_page", this, makeListFont(false, false, 11), Qt::AlignRight | Qt::AlignVCenter))
    , m_titre(field("field_titre", this, makeListFont(true, false, 16), Qt::AlignLeft | Qt::AlignVCenter))
    , m_date(field("field_date", this, makeListFont(false, false, 11), Qt::AlignLeft | Qt::AlignVCenter))
    , m_critere(field("field_critere", this, makeListFont(false, true, 11), Qt::AlignLeft | Qt::AlignTop))
    , m_nb(field("field_nb", this, makeListFont(false, false, 11), Qt::AlignRight | Qt::AlignVCenter))
{
    setObjectName(QStringLiteral("template_view_titre"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(2);
    layout->addWidget(m_titre, 0, 0);
    layout->addWidget(m_page, 0, 1);
    layout->addWidget(m_date, 1, 0);
    layout->addWidget(m_nb, 1, 1);
    layout->addWidget(m_critere, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    resize(kWidth, initialHeight);
    m_initialHeight = initialHeight;
}
