#include "import/FenAskImportController.h"

#include "import/ImportTabRoles.h"
#include "toolkit/dialogs/Dialog.h"

#include "foundation/localized.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kOld = QStringLiteral("old");
const QString kNew = QStringLiteral("new");

QPushButton* addButton(StdWindowController& controller, QWidget& window, QHBoxLayout& row, const char* key,
                       const char* action)
{
    auto* button = new QPushButton(localizedAppl(QString::fromLatin1(key)), &window);
    button->setAutoDefault(false);
    controller.connectAction(button, QString::fromLatin1(action));
    row.addWidget(button);
    return button;
}

} // namespace

FenAskImportController::FenAskImportController(const Config& config)
    : m_config(config)
{
}

QLabel* FenAskImportController::addText(QWidget& window, QLayout& row, const char* name)
{
    auto* text = new QLabel(&window);
    text->setObjectName(QString::fromLatin1(name));
    text->setMinimumWidth(220);
    row.addWidget(text);
    return text;
}

void FenAskImportController::buildInterface(StdWindow& window)
{
    window.setObjectName(nibName());
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAskImport_titre")));
    auto* message = new QLabel(localizedAppl(QString::fromLatin1(m_config.messageKey)), &window);
    message->setWordWrap(true);
    auto* old = new QLabel(&window);
    old->setObjectName(QStringLiteral("field_old"));
    old->setTextFormat(Qt::PlainText); // the name as the bank file spells it, markup included
    old->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* chooser = new QHBoxLayout;
    buildChooser(window, *chooser);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenAskImport_old")), old);
    form->addRow(localizedAppl(QStringLiteral("FenAskImport_new")), chooser);
    auto* buttons = new QHBoxLayout;
    addButton(*this, window, *buttons, "FenAskImport_invalider", "INVALIDER:");
    if (m_config.canAcceder)
        addButton(*this, window, *buttons, "FenAskImport_acceder", "ACCEDER:");
    buttons->addStretch();
    addButton(*this, window, *buttons, "FenAskImport_arreter", "NON:");
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    ok->setObjectName(QStringLiteral("button_ok"));
    connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(14);
    layout->addWidget(message);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void FenAskImportController::willAwakeFromNib()
{
    StdWindowController::willAwakeFromNib();
    presetAnswer();
}

void FenAskImportController::FILL()
{
    if (auto* old = outlet<QLabel>(QStringLiteral("field_old")))
        old->setText(getData()->value(kOld).toString());
    StdWindowController::FILL();
}

bool FenAskImportController::READ()
{
    if (!StdWindowController::READ())
        return false;
    const std::optional<qint64> answer = chosenAnswer();
    if (!answer) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_ImportChoixInvalide")), QString(),
                    QStringLiteral("exporter"), 1);
        return false;
    }
    getData()->insert(kNew, qlonglong(*answer));
    return true;
}

void FenAskImportController::acceder()
{
    endModal(kAskImportAcceder);
}
