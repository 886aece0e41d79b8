#include "entities/FenEditRegleController.h"

#include "entities/FenEditToolController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/host/editedentity.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPoste.h"

#include "engines/RegleManager.h"
#include "foundation/localized.h"
#include "model/REGLE.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kRegle = QStringLiteral("regle");
// Every bank type: the user's banks, cash and payees.
constexpr qint32 kEveryBankFilter = 7;

template <class P, class V> QHBoxLayout* chooser(QWidget& parent, const char* popName, const char* viewName)
{
    auto* pop = new P(&parent);
    pop->setObjectName(QString::fromLatin1(popName));
    auto* view = new V(&parent);
    view->setObjectName(QString::fromLatin1(viewName));
    view->setMinimumWidth(240);
    auto* row = new QHBoxLayout;
    row->addWidget(view, 1);
    row->addWidget(pop);
    return row;
}

} // namespace

QStringList FenEditRegleController::motsOfText(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

REGLE& FenEditRegleController::regle() const
{
    return editedEntity<REGLE>(*getData(), kRegle);
}

void FenEditRegleController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditRegle"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditRegle_titre")));
    auto* titre = new StdTextView(&window);
    titre->setObjectName(QStringLiteral("field_titre"));
    auto* mots = new StdTextView(&window);
    mots->setObjectName(QStringLiteral("field_mots"));
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditRegle_titre_regle")), titre);
    form->addRow(localizedAppl(QStringLiteral("FenEditRegle_mots")), mots);
    form->addRow(localizedAppl(QStringLiteral("FenEditRegle_debit")),
                 chooser<PopCompte, TextViewCompteD>(window, "pop_compteD", "view_compteD"));
    form->addRow(localizedAppl(QStringLiteral("FenEditRegle_credit")),
                 chooser<PopCompte, TextViewCompteC>(window, "pop_compteC", "view_compteC"));
    form->addRow(localizedAppl(QStringLiteral("FenEditRegle_poste")),
                 chooser<PopPoste, TextViewPoste>(window, "pop_poste", "view_poste"));
    form->addRow(localizedAppl(QStringLiteral("FenEditRegle_moyen")),
                 chooser<PopMoyen, QLabel>(window, "pop_moyen", "field_moyen"));
    for (const char* name : {"pop_compteD", "pop_compteC"}) {
        auto* pop = window.findChild<PopCompte*>(QString::fromLatin1(name));
        pop->setPOPcompteCFilter(kEveryBankFilter);
        pop->setCompteDebit(qstrcmp(name, "pop_compteD") == 0);
    }
    layOutEditor(*this, window, {form});
}

void FenEditRegleController::FILL()
{
    const REGLE& r = regle();
    pickers().compteDID = r.who1;
    pickers().compteCID = r.who2;
    pickers().posteID = r.posteID;
    pickers().moyenID = r.moyen;
    StdWindowController::FILL();
    outlet<StdTextView>(QStringLiteral("field_titre"))->setStoredText(r.title);
    outlet<StdTextView>(QStringLiteral("field_mots"))->setStoredText(RegleManager::concatMots(r));
}

bool FenEditRegleController::READ()
{
    if (!StdWindowController::READ())
        return false;
    // Words left as they show stay as they are, whatever spaces they hold.
    const auto* motsField = outlet<StdTextView>(QStringLiteral("field_mots"));
    const QStringList mots = motsField->showsStoredText() ? regle().mots : motsOfText(motsField->toPlainText());
    if (mots.isEmpty()) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_empty_mots")), QString(),
                    QStringLiteral("exporter"), 1);
        return false;
    }
    REGLE& r = regle();
    r.who1 = pickers().compteDID;
    r.who2 = pickers().compteCID;
    r.posteID = pickers().posteID;
    r.moyen = pickers().moyenID;
    r.title = outlet<StdTextView>(QStringLiteral("field_titre"))->storedText();
    r.mots = mots;
    return true;
}

bool editRegle(StdWindowController* parent, REGLE& regle, DOCUMENT& doc)
{
    return StdWindowController::pushModal<FenEditRegleController>(parent, editedEntityData(kRegle, regle, doc),
                                                                  parent ? parent->devise() : 0)
        == 1;
}
