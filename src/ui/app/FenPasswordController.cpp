#include "app/FenPasswordController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/dialogs/QtAlertPresenter.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kPassword = QStringLiteral("password");
const QString kUrl = QStringLiteral("url");
constexpr int kImageSide = 48;

QLineEdit* secureField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setEchoMode(QLineEdit::Password);
    field->setMinimumWidth(220);
    return field;
}

} // namespace

void FenPasswordController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenPassword"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenPassword_titre")));
    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("image_password"));
    image->setPixmap(QtAlertPresenter::namedImage(QStringLiteral("cadenas"), kImageSide));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_message = new QLabel(&window);
    m_message->setObjectName(QStringLiteral("text_message"));
    m_message->setWordWrap(true);

    m_modifier = new QCheckBox(localizedAppl(QStringLiteral("FenPassword_modifier")), &window);
    m_modifier->setObjectName(QStringLiteral("button_modifier"));
    connectAction(m_modifier, QStringLiteral("MODIFIER:"));
    m_current = secureField("field_password0", &window);
    m_new = secureField("field_password1", &window);
    m_confirmation = secureField("field_password2", &window);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(localizedAppl(QStringLiteral("FenPassword_actuel")), m_current);
    form->addRow(QString(), m_modifier);
    form->addRow(localizedAppl(QStringLiteral("FenPassword_nouveau")), m_new);
    form->addRow(localizedAppl(QStringLiteral("FenPassword_confirmation")), m_confirmation);

    const CancelOkRow buttons = cancelOkRow(*this, window);
    buttons.ok->setMinimumWidth(buttons.cancel->sizeHint().width());

    auto* text = new QVBoxLayout;
    text->setSpacing(12);
    text->addWidget(m_message);
    text->addLayout(form);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    QVBoxLayout* layout = editorLayout(window, 16);
    layout->addLayout(top);
    layout->addLayout(buttons.row);
    window.setFixedWidth(500);
}

BEFOREPARAM FenPasswordController::stored() const
{
    const WindowDataPtr data = getData();
    return data ? data->value(kPassword).value<BEFOREPARAM>() : BEFOREPARAM();
}

QString FenPasswordController::packageUrl() const
{
    const WindowDataPtr data = getData();
    return data ? data->value(kUrl).toString() : QString();
}

bool FenPasswordController::changing() const
{
    return m_modifier->isChecked();
}

void FenPasswordController::FILL()
{
    m_message->setText(stored().hasPassword() ? localizedAppl(QStringLiteral("FenPassword_protege"))
                                              : localizedAppl(QStringLiteral("FenPassword_sans")));
    m_modifier->setChecked(false);
    FILL_TEXTFIELDS();
}

QWidget* FenPasswordController::initialFirstResponder() const
{
    return m_current;
}

void FenPasswordController::FILL_TEXTFIELDS()
{
    m_new->setEnabled(changing());
    m_confirmation->setEnabled(changing());
}

void FenPasswordController::MODIFIER(QObject*)
{
    FILL_TEXTFIELDS();
    (changing() ? m_new : m_current)->setFocus();
}

bool FenPasswordController::READ()
{
    if (!stored().passwordMatches(m_current->text())) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlert_wrong_password")), QString(),
                    QStringLiteral("cadenas"), 2);
        m_current->setFocus();
        m_current->selectAll();
        return false;
    }
    if (!changing())
        return true;
    const QString first = m_new->text();
    const QString second = m_confirmation->text();
    if (first != second) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlert_different_passwords")), QString(),
                    QStringLiteral("cadenas"), 2);
        return false;
    }
    return changePassword(first);
}

// The user must not be told the password changed when the file kept the old one.
bool FenPasswordController::changePassword(const QString& newPassword)
{
    if (!DocContext::mayWriteAt(packageUrl())) {
        DocContext::alertNotWritten(QStringLiteral("kAlerte_CannotChangeDoc_ReadOnly"), this);
        return false;
    }
    bool ignored = false;
    BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(packageUrl(), &ignored);
    before.setPassword(newPassword);
    if (BEFOREPARAM::saveBeforeParam(packageUrl(), before))
        return true;
    showAlertOK(this, localizedDialogue(QStringLiteral("kAlert_cant_save_password")), packageUrl(),
                QStringLiteral("cadenas"), 2);
    return false;
}

bool askDocumentPassword(StdWindowController* parent, const BEFOREPARAM& stored, bool onlyWhenSet, const QString& url)
{
    if (onlyWhenSet && !stored.hasPassword())
        return true;
    const WindowDataPtr data = makeWindowData({{kPassword, QVariant::fromValue(stored)}, {kUrl, url}});
    return StdWindowController::pushModal<FenPasswordController>(parent, data, MONTANT::currentDeviseSlot()) == 1;
}
