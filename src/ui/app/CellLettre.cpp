#include "app/CellLettre.h"

#include "toolkit/drawing/Constants.h"

#include <QFileInfo>
#include <QHBoxLayout>

CellLettre::CellLettre(QWidget* parent)
    : StdCell(parent)
    , nom(new QLabel(this))
{
    nom->setObjectName(QStringLiteral("nom"));
    nom->setFont(makeListFont(false, false, 13));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(nom, 1);
}

void CellLettre::fill(const QString& templatePath)
{
    nom->setText(QFileInfo(templatePath).completeBaseName());
}
