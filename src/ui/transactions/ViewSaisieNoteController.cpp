#include "transactions/ViewSaisieNoteController.h"

#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldNote.h"
#include "transactions/ViewSaisieNote.h"

#include "toolkit/windows/windowutils.h"

#include <QLayout>

#include <algorithm>
#include <cmath>

ViewSaisieNoteController::ViewSaisieNoteController(FenEditSaisieController& window, QWidget* parent)
    : QObject(parent)
    , m_view(new ViewSaisieNote(parent))
{
    m_view->setDelegate(&window);
    m_view->resize(kWidth, kHeight);
    m_view->layout()->activate();
    m_originalNoteFrame = m_view->geometry();
    m_originalNoteTextFrame = m_view->field_texte()->geometry();
}

double ViewSaisieNoteController::noteHeight(double panelHeight, double textFieldHeight, double needed)
{
    const double base = textFieldHeight - 3;
    return panelHeight + std::max(base, needed) - base;
}

int ViewSaisieNoteController::heightForString(const QString& text) const
{
    const QFont font = StdTextView::systemFontOfSize(13);
    // The text wraps inside the field, less the margins of its document.
    const double width = m_originalNoteTextFrame.width() - 12;
    const double needed = std::ceil(noteHeightForString(text, font, width));
    return int(std::lround(noteHeight(m_originalNoteFrame.height(), m_originalNoteTextFrame.height(), needed)));
}
