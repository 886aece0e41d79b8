#include "transactions/ViewSaisieNote.h"

#include "toolkit/drawing/SaisieImages.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldNote.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

ViewSaisieNote::ViewSaisieNote(QWidget* parent)
    : QFrame(parent)
    , m_field(new TextFieldNote(this))
{
    setObjectName(QStringLiteral("ViewSaisieNote"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette paper = palette();
    paper.setColor(QPalette::Window, QColor(255, 248, 200));
    paper.setColor(QPalette::Base, QColor(255, 248, 200));
    paper.setColor(QPalette::WindowText, QColor(150, 120, 40));
    setPalette(paper);
    m_field->setObjectName(QStringLiteral("field_texte"));
    m_field->setNoteDelegate(this);
    m_field->setPalette(paper);

    auto* title = new QLabel(localizedAppl(QStringLiteral("SAISIE_NOTE")), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* clear = new QToolButton(this);
    clear->setObjectName(QStringLiteral("button_clearNote"));
    clear->setText(localizedAppl(QStringLiteral("SAISIE_NOTE_EFFACER")));
    clear->setAutoRaise(true);
    connect(clear, &QToolButton::clicked, this, [this] { clearNote(this); });
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("button_closeNote"));
    close->setIcon(saisieIcon(QStringLiteral("supprimer"), 14));
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, [this] { closeNote(this); });

    auto* head = new QHBoxLayout;
    head->addWidget(title);
    head->addStretch();
    head->addWidget(clear);
    head->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(2);
    layout->addLayout(head);
    layout->addWidget(m_field, 1);
}

void ViewSaisieNote::closeNote(QObject* sender)
{
    Q_UNUSED(sender);
    if (m_delegate)
        m_delegate->hideNote({});
}

void ViewSaisieNote::clearNote(QObject* sender)
{
    Q_UNUSED(sender);
    if (m_delegate)
        m_delegate->clearNote();
}

bool ViewSaisieNote::didKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool closing = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!closing || (modifiers & ~Qt::KeypadModifier) == Qt::AltModifier)
        return false;
    closeNote(this);
    return true;
}

void ViewSaisieNote::didType(Qt::KeyboardModifiers modifiers)
{
    if (m_delegate)
        m_delegate->didKeyDownOnNote(modifiers);
}
