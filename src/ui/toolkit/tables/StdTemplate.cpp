#include "toolkit/tables/StdTemplate.h"

#include <QLabel>

StdTemplate::StdTemplate(QWidget* parent)
    : QWidget(parent)
{
}

void StdTemplate::didAwakeFromNib()
{
    if (m_loaded)
        return;
    m_loaded = true;
    loadView();
}

void StdTemplate::setTemplateViews(QWidget* titre, QWidget* tete, QWidget* liste, QWidget* pied)
{
    m_titre = titre;
    m_tete = tete;
    m_liste = liste;
    m_pied = pied;
}

QWidget* StdTemplate::viewListeAtRow(int) const
{
    return m_liste;
}

QLabel* StdTemplate::titleField(const char* name) const
{
    return m_titre ? m_titre->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
}

QLabel* StdTemplate::field_titre() const
{
    return titleField("field_titre");
}

QLabel* StdTemplate::field_date() const
{
    return titleField("field_date");
}

QLabel* StdTemplate::field_page() const
{
    return titleField("field_page");
}
