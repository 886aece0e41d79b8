#include "analysis/TemplateAnalyse.h"

#include "analysis/AnalyseColumns.h"
#include "toolkit/windows/StdViewTitre.h"

TemplateAnalyse::TemplateAnalyse(FolderRowTest isFolderRow, QWidget* parent)
    : StdTemplate(parent)
    , m_isFolderRow(std::move(isFolderRow))
{
}

void TemplateAnalyse::loadView()
{
    auto* titre = new StdViewTitre(this, 44);
    titre->resize(analysecolumns::totalWidth(), titre->height());
    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(analysecolumns::totalWidth(), analysecolumns::kRowHeight);
    m_listeDossier = new QWidget(this);
    m_listeDossier->setObjectName(QStringLiteral("template_view_liste_dossier"));
    m_listeDossier->resize(analysecolumns::totalWidth(), analysecolumns::kRowHeight);
    setTemplateViews(titre, nullptr, liste, nullptr);
}

QWidget* TemplateAnalyse::viewListeAtRow(int row) const
{
    if (m_isFolderRow && m_isFolderRow(row))
        return m_listeDossier;
    return StdTemplate::viewListeAtRow(row);
}
