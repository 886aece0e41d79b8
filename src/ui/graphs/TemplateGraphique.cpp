#include "graphs/TemplateGraphique.h"

#include "graphs/CellGraphique.h"
#include "toolkit/windows/StdViewTitre.h"

TemplateGraphique::TemplateGraphique(QWidget* parent)
    : StdTemplate(parent)
{
}

void TemplateGraphique::loadView()
{
    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(CellGraphique::kWidth, CellGraphique::kHeight);
    auto* titre = new StdViewTitre(this);
    titre->resize(liste->width(), titre->height());
    setTemplateViews(titre, nullptr, liste, nullptr);
}
