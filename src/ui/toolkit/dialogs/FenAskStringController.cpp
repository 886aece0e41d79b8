#include "toolkit/dialogs/FenAskStringController.h"

#include "toolkit/dialogs/Dialog.h"

#include "document/RecentDocument.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
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
    auto* prompt = new QLabel(&window);
    prompt->setObjectName(QStringLiteral("field_titre"));
    prompt->setWordWrap(true);
    prompt->setTextFormat(Qt::PlainText);
    QWidget* answer = makeAnswerView(window);
    prompt->setBuddy(answer);

    auto* cancel = new QPushButton(localizedMisc(QStringLiteral("kMisc_Annuler")), &window);
    cancel->setProperty("sv_action", QStringLiteral("NON:"));
    cancel->setAutoDefault(false);
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    ok->setProperty("sv_action", QStringLiteral("OUI:"));
    ok->setDefault(true);
    ok->setMinimumWidth(cancel->sizeHint().width());
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, cancel, &QPushButton::click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(prompt);
    layout->addWidget(answer);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    window.setFixedWidth(kWindowWidth);
}

QWidget* FenAskStringController::makeAnswerView(StdWindow& window)
{
    auto* field = new QLineEdit(&window);
    field->setObjectName(QStringLiteral("field_texte"));
    return field;
}

void FenAskStringController::setPrompt(const QString& prompt)
{
    if (auto* label = outlet<QLabel>(QStringLiteral("field_titre")))
        label->setText(prompt);
}

void FenAskStringController::FILL()
{
    const WindowDataPtr data = getData();
    setPrompt(data ? data->value(kTitre).toString() : QString());
    auto* field = outlet<QLineEdit>(QStringLiteral("field_texte"));
    if (!field)
        return;
    const QString initial = data ? data->value(kIstr).toString() : QString();
    field->setText(initial);
    field->setPlaceholderText(initial);
    field->selectAll();
    field->setFocus(Qt::OtherFocusReason);
}

bool FenAskStringController::READ()
{
    const auto* field = outlet<QLineEdit>(QStringLiteral("field_texte"));
    if (const WindowDataPtr data = getData(); data && field)
        data->insert(kOstr, field->text());
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
