#include "investments/FenEditFinanceTitreController.h"

#include "investments/PopTicker.h"
#include "investments/TitreQuotePanel.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopPortfolio.h"
#include "toolkit/popups/StdMenu.h"

#include "document/DocContext.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/FINANCE.h"
#include "model/FinanceCompute.h"
#include "quotes/PortfolioManager.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const char* name, QWidget& parent)
{
    auto* label = new QLabel(&parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

} // namespace

void FenEditFinanceTitreController::addRows(QFormLayout& form, QWidget& parent)
{
    auto* portfolio = new QHBoxLayout;
    portfolio->addWidget(namedLabel("label_portfolio", parent), 1);
    auto* pop = new PopPortfolio(&parent);
    pop->setObjectName(QStringLiteral("pop_portfolio"));
    portfolio->addWidget(pop);
    form.addRow(appl("FenEditFinanceTitre_portfolio"), portfolio);

    field_cours = new TextFieldMontant(&parent);
    field_cours->setObjectName(QStringLiteral("field_cours"));
    field_cours->setFixedWidth(140);
    field_cours->setStoredDecimales(kCourDecimales);
    auto* devise = new PopDevise(&parent);
    devise->setObjectName(QStringLiteral("pop_devise"));
    devise->setAssociatedMontant(field_cours);
    auto* cours = new QHBoxLayout;
    cours->addWidget(field_cours);
    cours->addWidget(devise);
    cours->addStretch();
    form.addRow(appl("FenEditFinanceTitre_cours"), cours);
    form.addRow(QString(), namedLabel("field_maj", parent));

    form.addRow(appl("FenEditFinanceTitre_symbole"), namedLabel("field_symbol", parent));
    form.addRow(appl("FenEditFinanceTitre_categorie"), namedLabel("label_categorie", parent));
    form.addRow(appl("FenEditFinanceTitre_designation"), namedLabel("label_designation", parent));
    auto* devises = new QHBoxLayout;
    devises->addWidget(namedLabel("label_devise", parent), 1);
    pop_help = new PopHelp(&parent);
    pop_help->setObjectName(QStringLiteral("pop_help"));
    devises->addWidget(pop_help);
    form.addRow(appl("FenEditFinanceTitre_devise"), devises);
}

void FenEditFinanceTitreController::addBelow(QVBoxLayout& layout, QWidget& parent)
{
    TitreQuoteHooks hooks;
    hooks.titre = [this] { return &finance(); };
    hooks.read = [this] { return READ(); };
    hooks.fill = [this] { FILL(); };
    m_panel = addTitreQuotePanel(*this, currentDocument(), hooks, &parent);
    layout.addWidget(m_panel, 1);
}

void FenEditFinanceTitreController::didAwakeFromNib()
{
    pop_help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_TITRE")));
    pop_help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_TITRE")));
    FenEditFinanceController::didAwakeFromNib();
    m_panel->historique();
}

QLabel* FenEditFinanceTitreController::label(const char* name) const
{
    return outlet<QLabel>(QString::fromLatin1(name));
}

QString FenEditFinanceTitreController::portfolioText(long portfolioID, const DOCUMENT* doc)
{
    if (portfolioID < 0)
        return appl("POPUP_AUCUN_PORTEFEUILLE");
    const FINANCE* portfolio = doc ? PORTFOLIO::portfolioFromIdent(portfolioID, *doc) : nullptr;
    return portfolio ? portfolio->nom : appl("FenEditFinanceTitre_inconnu");
}

QString FenEditFinanceTitreController::deviseText(const FINANCE& titre, const DeviseList& devises)
{
    const QChar comma(u',');
    QString conversion;
    if (titre.conversion != 0 && titre.conversion != 1)
        conversion = QStringLiteral("(1 %1 = %2 %3)")
                         .arg(Devise::findNameFromTicker(titre.codeDevise), formatQuantity6(titre.conversion, comma),
                              Devise::deviseUnitAtIndex(devises, 0));
    return QStringLiteral("%1 %2 %3")
        .arg(formatQuantity6(titre.coursNatif, comma), titre.codeDevise, conversion)
        .trimmed();
}

void FenEditFinanceTitreController::setModifyOn(bool on)
{
    m_panel->pop_ticker()->setEnabled(on);
    m_panel->field_search()->setEnabled(on);
    m_panel->button_supprimer()->setEnabled(!on);
}

void FenEditFinanceTitreController::FILL()
{
    const DOCUMENT* doc = currentDocument();
    const FINANCE& titre = finance();
    field_nom()->setText(titre.nom);
    field_cours->fillMontant(titre.cour, devise(), kCourDecimales);
    label("label_portfolio")->setText(portfolioText(titre.portfolioID, doc));
    label("field_symbol")->setText(titre.ticker);
    const bool manual = titre.ticker.isEmpty();
    const QString none = QStringLiteral("-");
    label("label_categorie")->setText(manual ? none : PortfolioManager::titreCategorieToString(titre.categorie));
    label("label_designation")->setText(manual ? none : titre.titreDescription);
    label("label_devise")->setText(manual || !doc ? none : deviseText(titre, doc->deviseHdl));
    setModifyOn(manual);
    field_cours->setEnabled(titre.updateTime == 0);
    if (titre.updateTime != 0)
        label("field_maj")
            ->setText(appl("FenEditFinanceTitre_maj_le")
                          .arg(QLocale().toString(dateToDateTime(titre.updateTime), QLocale::ShortFormat)));
    else
        label("field_maj")->setText(appl("FenEditFinanceTitre_maj_manuelle"));
    m_panel->FILL();
    // The provider's page has nothing to show for a quote typed by hand.
    if (titre.updateTime == 0)
        m_panel->button_logo()->hide();
    FenEditFinanceController::FILL();
}

bool FenEditFinanceTitreController::READ()
{
    finance().nom = field_nom()->text();
    field_cours->readMontant(finance().cour);
    return FenEditFinanceController::READ();
}

void FenEditFinanceTitreController::PORTFOLIO(QObject* sender)
{
    READ();
    finance().portfolioID = long(StdMenu::tagOf(sender));
    FILL();
}

void FenEditFinanceTitreController::DEVISE(QObject* sender)
{
    const MONTANT cours = field_cours->montant();
    pickers().DEVISE(sender);
    field_cours->fillMontant(cours, devise(), kCourDecimales);
}
