#include "analysis/PopPeriode.h"

#include "engines/AnalyseFile.h"
#include "engines/AnalyseTitles.h"
#include "foundation/localized.h"

#include <QMenu>

PopPeriode::PopPeriode(QWidget* parent)
    : StdPopUp(parent)
{
    setObjectName(QStringLiteral("pop_periode"));
}

QString PopPeriode::titleForTag(qint64 tag) const
{
    if (tag == kTagTableauSynthese)
        return localizedAppl(m_budget ? QStringLiteral("POPUP_BUDGET_TABLEAU_SYNTHESE")
                                      : QStringLiteral("POPUP_ANALYSE_TABLEAU_SYNTHESE"));
    if (tag == kTagGlobal)
        return localizedAppl(QStringLiteral("POPUP_ANALYSE_GLOBAL"));
    if (tag == kTagTotal)
        return localizedAppl(QStringLiteral("POPUP_ANALYSE_TOTAL"));
    const AnalyseColumn* column = m_anaFile ? analyseColumnAtIndex(*m_anaFile, long(tag) - 1) : nullptr;
    return column ? monthTitleForDate(column->month) : QString();
}

QString PopPeriode::imageNameForTag(qint64 tag)
{
    if (tag == kTagTableauSynthese)
        return QStringLiteral("import_tableur");
    if (tag == kTagTotal)
        return QStringLiteral("plus");
    if (tag == kTagGlobal)
        return QStringLiteral("plusplus");
    return QStringLiteral("calendrier");
}

void PopPeriode::FILL_MENU()
{
    auto* views = new QMenu(stdMenu());
    addItemToMenu(views, titleForTag(kTagTableauSynthese), QStringLiteral("TABLEAU_SYNTHESE:"),
                  imageNameForTag(kTagTableauSynthese), m_syntheseOffered, kTagTableauSynthese);
    addItemToMenu(views, titleForTag(kTagGlobal), QStringLiteral("GLOBAL_VIEW:"), imageNameForTag(kTagGlobal), true,
                  kTagGlobal);
    QAction* other = addItemToMenu(stdMenu(), QStringLiteral("Autres vues disponibles..."), QString(),
                                   QStringLiteral("import_tableur"), true, 0);
    other->setMenu(views);
    addItemToMenu(stdMenu(), titleForTag(kTagTotal), QStringLiteral("PERIODE:"), imageNameForTag(kTagTotal),
                  m_enablePeriode, kTagTotal);
    const long n = m_anaFile ? analyseNumberOfColumns(*m_anaFile) : 0;
    for (long month = 1; month <= n; ++month)
        addItemToMenu(stdMenu(), titleForTag(month), QStringLiteral("PERIODE:"), imageNameForTag(month), true, month);
}

void PopPeriode::GOTO_TAG(qint64 tag)
{
    setSelectedTag(tag);
    setTitle(titleForTag(tag));
    setImage(itemImage(imageNameForTag(tag)));
}
