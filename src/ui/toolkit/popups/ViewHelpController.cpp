#include "toolkit/popups/ViewHelpController.h"

#include "toolkit/popups/PopHelp.h"

#include <QFrame>
#include <QLabel>
#include <QTextEdit>
#include <QVBoxLayout>

ViewHelpController::ViewHelpController(const QString& title, const QString& content, PopHelp* popHelp)
    : m_titre(title)
    , m_texte(content)
    , m_popHelp(popHelp)
{
    loadView();
    fill();
}

PopHelp* ViewHelpController::getPopHelp() const
{
    return m_popHelp;
}

void ViewHelpController::setPopHelp(PopHelp* popHelp)
{
    m_popHelp = popHelp;
}

ViewHelpController::~ViewHelpController()
{
    if (!m_viewTaken)
        delete m_view.data();
}

QWidget* ViewHelpController::viewForTitle(const QString& title, const QString& content, PopHelp* popHelp)
{
    ViewHelpController controller(title, content, popHelp);
    return controller.takeView();
}

QWidget* ViewHelpController::takeView()
{
    m_viewTaken = true;
    return m_view;
}

QSizeF ViewHelpController::viewSize(const QSizeF& useSize, const QString& content)
{
    const qsizetype addedPoints = content.size() / kCharactersPerPoint; // whole points only
    const double computedHeight = kBaseHeight + double(addedPoints);
    if (useSize.width() == 0)
        return {kWidth, computedHeight};
    return {useSize.width(), useSize.height() == 0 ? computedHeight : useSize.height()};
}

void ViewHelpController::loadView()
{
    auto* view = new QFrame;
    view->setObjectName(nibName());
    m_fieldTitre = new QLabel(view);
    m_fieldTitre->setObjectName(QStringLiteral("field_titre"));
    m_fieldTitre->setWordWrap(true);
    QFont bold = m_fieldTitre->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() + 1);
    m_fieldTitre->setFont(bold);

    m_fieldTexte = new QTextEdit(view);
    m_fieldTexte->setObjectName(QStringLiteral("field_texte"));
    m_fieldTexte->setReadOnly(true);
    m_fieldTexte->setFrameShape(QFrame::NoFrame);
    m_fieldTexte->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fieldTexte->document()->setDocumentMargin(0);
    // The text lies on the panel, not in a white field.
    QPalette palette = m_fieldTexte->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    m_fieldTexte->setPalette(palette);
    m_fieldTexte->viewport()->setAutoFillBackground(false);

    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(14, 12, 14, 10);
    layout->setSpacing(6);
    layout->addWidget(m_fieldTitre);
    layout->addWidget(m_fieldTexte, 1);
    m_view = view;
}

void ViewHelpController::fill()
{
    if (!m_view)
        return;
    m_fieldTitre->setText(m_titre);
    m_fieldTexte->setPlainText(m_texte);
    const QSize size = viewSize(m_popHelp ? m_popHelp->getUseSize() : QSizeF(0, 0), m_texte).toSize();
    m_view->setGeometry(QRect(m_view->pos(), size));
    m_view->setFixedSize(size);
}
