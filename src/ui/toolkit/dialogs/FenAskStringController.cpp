#include "toolkit/dialogs/FenAskStringController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/StdTextView.h"

#include "document/RecentDocument.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitre = QStringLiteral("titre");
const QString kIstr = QStringLiteral("istr");
const QString kOstr = QStringLiteral("ostr");

WindowDataPtr questionData(const QString& prompt, const QString& initialText)
{
    return makeWindowData({{kTitre, prompt}, {kIstr, initialText}, {kOstr, QString()}});
}

// Why the name can't be taken, as the alert says it; empty for a free name.
QString refusalOfName(const QString& name, int fileSystemTag)
{
    QString folder;
    const bool storageHasFolder = SVWorkspaceManager::getRecentFolderUrl(&folder, fileSystemTag);
    if (storageHasFolder && RecentDocument::theoricUrlForName(name, fileSystemTag).isEmpty())
        return localizedDialogue(QStringLiteral("kAlerte_NameNotValid"));
    if (SVWorkspaceManager::isNameTaken(name, fileSystemTag))
        return localizedDialogue(QStringLiteral("kAlerte_NameAlreadyExist"));
    return QString();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The window

void FenAskStringController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAskString"));
    m_prompt = new QLabel(&window);
    m_prompt->setObjectName(QStringLiteral("field_titre"));
    m_prompt->setWordWrap(true);
    m_prompt->setTextFormat(Qt::PlainText);
    QWidget* answer = makeAnswerView(window);
    m_prompt->setBuddy(answer);

    const CancelOkRow buttons = cancelOkRow(*this, window);
    buttons.ok->setMinimumWidth(buttons.cancel->sizeHint().width());

    QVBoxLayout* layout = editorLayout(window, 10);
    layout->addWidget(m_prompt);
    layout->addWidget(answer);
    layout->addSpacing(6);
    layout->addLayout(buttons.row);
    window.setFixedWidth(kWindowWidth);
}

QWidget* FenAskStringController::makeAnswerView(StdWindow& window)
{
    m_texte = new QLineEdit(&window);
    m_texte->setObjectName(QStringLiteral("field_texte"));
    return m_texte;
}

void FenAskStringController::setPrompt(const QString& prompt)
{
    m_prompt->setText(prompt);
}

void FenAskStringController::FILL()
{
    const WindowDataPtr data = getData();
    setPrompt(data ? data->value(kTitre).toString() : QString());
    const QString initial = data ? data->value(kIstr).toString() : QString();
    m_texte->setText(initial);
    m_texte->setPlaceholderText(initial);
    // A key typed must not replace lines that show as one.
    if (StdTextView::hasLineBreak(initial))
        m_texte->end(false);
    else
        m_texte->selectAll();
}

QWidget* FenAskStringController::initialFirstResponder() const
{
    return m_texte;
}

bool FenAskStringController::READ()
{
    if (const WindowDataPtr data = getData())
        data->insert(kOstr, m_texte->text());
    return true;
}

// ---------------------------------------------------------------------------------------------
// Launchers

bool askStringModal(StdWindowController* parent, const QString& promptKey, const QString& initialText, QString* out)
{
    const WindowDataPtr data = questionData(localizedDialogue(promptKey), initialText);
    const long result
        = StdWindowController::pushModal<FenAskStringController>(parent, data, MONTANT::currentDeviseSlot());
    const bool ok = result == 1;
    if (out)
        *out = ok ? data->value(kOstr).toString() : QString();
    return ok;
}

void askStringWithBlock(StdWindowController* parent, const QString& promptKey, const QString& initialText,
                        QString* answer, const FenAskStringController::ResultBlock& block)
{
    const WindowDataPtr data = questionData(localizedDialogue(promptKey), initialText);
    StdWindowController::pushModalWithBlock<FenAskStringController>(parent, data, MONTANT::currentDeviseSlot(),
                                                                    [data, answer, block](long result) {
                                                                        if (result == 1 && answer)
                                                                            *answer = data->value(kOstr).toString();
                                                                        if (block)
                                                                            block(result == 1);
                                                                    });
}

// The name becomes a file name in the storage's folder: one that would leave the folder or hide
// the document is refused like a taken one, never passed on.
void FenAskStringController::askForAvailableRecentName(StdWindowController* parent, const QString& keyPrompt,
                                                       const QString& oldName, QString* newName, bool forDuplicate,
                                                       int fileSystemTag, const ResultBlock& resultBlock)
{
    QString answer;
    for (;;) {
        bool ok = false;
        askStringWithBlock(parent, keyPrompt, oldName, &answer, [&ok](bool accepted) { ok = accepted; });
        if (!ok) {
            if (resultBlock)
                resultBlock(false);
            return;
        }
        QString refusal;
        if (!forDuplicate && answer == oldName) {
            refusal = localizedDialogue(QStringLiteral("kAlerte_NameAlreadyExist"));
        } else {
            if (answer.isEmpty())
                answer = oldName;
            refusal = refusalOfName(answer, fileSystemTag);
        }
        if (newName)
            *newName = answer;
        if (refusal.isEmpty()) {
            if (resultBlock)
                resultBlock(true);
            return;
        }
        showAlertOK(parent, refusal, answer, QStringLiteral("document"), 0);
    }
}
