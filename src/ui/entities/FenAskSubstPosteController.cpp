#include "entities/FenAskSubstPosteController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/popups/PopPoste.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kPostes = QStringLiteral("postes");
const QString kPosteID = QStringLiteral("posteID");

} // namespace

void buildSubstDialog(StdWindowController& controller, StdWindow& window, const QString& prefix, QLayout* choice,
                      int messageWidth)
{
    window.setObjectName(prefix);
    window.setWindowTitle(localizedAppl(prefix + QStringLiteral("_titre")));
    auto* old = new QLabel(&window);
    old->setObjectName(QStringLiteral("field_old"));
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(prefix + QStringLiteral("_old")), old);
    form->addRow(localizedAppl(prefix + QStringLiteral("_new")), choice);
    auto* message = new QLabel(localizedAppl(prefix + QStringLiteral("_message")), &window);
    message->setWordWrap(true);
    message->setMinimumWidth(messageWidth);
    layOutEditor(controller, window, {message, form});
}

void FenAskSubstPosteController::buildInterface(StdWindow& window)
{
    auto* pop = new PopPoste(&window);
    pop->setObjectName(QStringLiteral("pop_poste"));
    auto* view = new TextViewPoste(&window);
    view->setObjectName(QStringLiteral("view_poste"));
    view->setMinimumWidth(220);
    auto* choice = new QHBoxLayout;
    choice->addWidget(view, 1);
    choice->addWidget(pop);
    buildSubstDialog(*this, window, QStringLiteral("FenAskSubstPoste"), choice);
}

void FenAskSubstPosteController::willAwakeFromNib()
{
    StdWindowController::willAwakeFromNib();
    pickers().posteID = DOCPARAM::getDefaultPoste(currentDocument());
}

void FenAskSubstPosteController::FILL()
{
    const QVariantList postes = getData()->value(kPostes).toList();
    const DOCUMENT* doc = currentDocument();
    QString old = localizedDialogue(QStringLiteral("kSelection_Multiple"));
    if (postes.size() == 1 && doc)
        old = POSTE::getPosteNameNS(long(postes.first().toLongLong()), *doc);
    outlet<QLabel>(QStringLiteral("field_old"))->setText(old);
    StdWindowController::FILL();
    if (auto* view = outlet<TextViewPoste>(QStringLiteral("view_poste")))
        view->selectAll();
}

bool FenAskSubstPosteController::READ()
{
    if (!StdWindowController::READ())
        return false;
    const long chosen = pickers().posteID;
    const QVariantList postes = getData()->value(kPostes).toList();
    const DOCUMENT* doc = currentDocument();
    if (chosen < 0 || !doc || !POSTE::posteWithIdent(chosen, *doc) || postes.contains(qlonglong(chosen))) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_CannotSubstPoste")), QString(),
                    QStringLiteral("poste"), 1);
        return false;
    }
    getData()->insert(kPosteID, qlonglong(chosen));
    return true;
}

bool askSubstPoste(StdWindowController* parent, const QList<long>& posteIDs, long* replacement)
{
    QVariantList postes;
    for (long ident : posteIDs)
        postes << qlonglong(ident);
    WindowDataPtr data = makeWindowData({{kPostes, postes}});
    if (StdWindowController::pushModal<FenAskSubstPosteController>(parent, data, parent ? parent->devise() : 0) != 1)
        return false;
    *replacement = long(data->value(kPosteID).toLongLong());
    return true;
}
