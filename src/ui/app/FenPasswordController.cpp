#include "app/FenPasswordController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/QtAlertPresenter.h"

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
#include <QShortcut>
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

// A padlock, drawn when the program ships no picture of its own.
QPixmap padlock(int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = side / 12.0;
    painter.setPen(QPen(QColor(120, 124, 134), unit * 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(unit * 3.5, unit * 1.2, unit * 5, unit * 6.5), 0, 180 * 16);
    painter.drawLine(QPointF(unit * 3.5, unit * 4.45), QPointF(unit * 3.5, unit * 5.5));
    painter.drawLine(QPointF(unit * 8.5, unit * 4.45), QPointF(unit * 8.5, unit * 5.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(214, 164, 48));
    painter.drawRoundedRect(QRectF(unit * 2, unit * 5.3, unit * 8, unit * 5.7), unit, unit);
    painter.setBrush(QColor(92, 66, 16));
    painter.drawEllipse(QPointF(unit * 6, unit * 7.6), unit * 0.8, unit * 0.8);
    painter.drawRect(QRectF(unit * 5.6, unit * 7.8, unit * 0.8, unit * 1.8));
    return picture;
}

} // namespace

void FenPasswordController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenPassword"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenPassword_titre")));
    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("image_password"));
    const QPixmap own = QtAlertPresenter::namedImage(QStringLiteral("cadenas"));
    image->setPixmap(own.isNull() ? padlock(kImageSide)
                                  : own.scaled(kImageSide, kImageSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto* message = new QLabel(&window);
    message->setObjectName(QStringLiteral("text_message"));
    message->setWordWrap(true);

    auto* box = new QCheckBox(localizedAppl(QStringLiteral("FenPassword_modifier")), &window);
    box->setObjectName(QStringLiteral("button_modifier"));
    box->setProperty("sv_action", QStringLiteral("MODIFIER:"));
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(localizedAppl(QStringLiteral("FenPassword_actuel")), secureField("field_password0", &window));
    form->addRow(QString(), box);
    form->addRow(localizedAppl(QStringLiteral("FenPassword_nouveau")), secureField("field_password1", &window));
    form->addRow(localizedAppl(QStringLiteral("FenPassword_confirmation")), secureField("field_password2", &window));

    auto* cancel = new QPushButton(localizedMisc(QStringLiteral("kMisc_Annuler")), &window);
    cancel->setProperty("sv_action", QStringLiteral("NON:"));
    cancel->setAutoDefault(false);
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    ok->setProperty("sv_action", QStringLiteral("OUI:"));
    ok->setDefault(true);
    ok->setMinimumWidth(cancel->sizeHint().width());
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, cancel, &QPushButton::click);

    auto* text = new QVBoxLayout;
    text->setSpacing(12);
    text->addWidget(message);
    text->addLayout(form);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(16);
    layout->addLayout(top);
    layout->addLayout(buttons);
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

void FenPasswordController::FILL()
{
    if (auto* message = outlet<QLabel>(QStringLiteral("text_message")))
        message->setText(stored().hasPassword() ? localizedAppl(QStringLiteral("FenPassword_protege"))
                                                : localizedAppl(QStringLiteral("FenPassword_sans")));
    if (auto* box = outlet<QCheckBox>(QStringLiteral("button_modifier")))
        box->setChecked(false);
    FILL_TEXTFIELDS();
    if (auto* current = outlet<QLineEdit>(QStringLiteral("field_password0")))
        current->setFocus();
}

void FenPasswordController::FILL_TEXTFIELDS()
{
    auto* box = outlet<QCheckBox>(QStringLiteral("button_modifier"));
    const bool on = box && box->isChecked();
    for (const char* name : {"field_password1", "field_password2"}) {
        if (auto* field = outlet<QLineEdit>(QString::fromLatin1(name)))
            field->setEnabled(on);
    }
}

void FenPasswordController::MODIFIER(QObject*)
{
    FILL_TEXTFIELDS();
    auto* box = outlet<QCheckBox>(QStringLiteral("button_modifier"));
    const bool on = box && box->isChecked();
    if (auto* field = outlet<QLineEdit>(on ? QStringLiteral("field_password1") : QStringLiteral("field_password0")))
        field->setFocus();
}

bool FenPasswordController::READ()
{
    auto* current = outlet<QLineEdit>(QStringLiteral("field_password0"));
    if (!current || !stored().passwordMatches(current->text())) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlert_wrong_password")), QString(),
                    QStringLiteral("cadenas"), 2);
        if (current) {
            current->setFocus();
            current->selectAll();
        }
        return false;
    }
    auto* box = outlet<QCheckBox>(QStringLiteral("button_modifier"));
    if (!box || !box->isChecked())
        return true;
    const QString first = outlet<QLineEdit>(QStringLiteral("field_password1"))->text();
    const QString second = outlet<QLineEdit>(QStringLiteral("field_password2"))->text();
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
