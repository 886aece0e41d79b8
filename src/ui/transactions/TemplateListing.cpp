#include "transactions/TemplateListing.h"

#include <QLabel>

TemplateListing::TemplateListing(const QString& name, TransExtraKind extraKind, MakePied makePied, QWidget* parent)
    : TemplateTransList(extraKind, parent)
    , m_makePied(std::move(makePied))
{
    setObjectName(name);
}

QWidget* TemplateListing::buildPied()
{
    QWidget* pied = m_makePied ? m_makePied(this) : nullptr;
    return pied ? pied : TemplateTransList::buildPied();
}
