#pragma once
// The views of a transaction list, on screen and on paper: the title block (title, date, page,
// line count and criteria), the column heading over the row template's columns, the width of a
// row and the footer with the line count. The heading follows the row template's own layout
// (CellTransact::textRectInRow) at whatever width it is given, so its titles stay over their
// columns when the window is resized.
#include "toolkit/tables/TransRowContent.h"

#include "toolkit/tables/StdTemplate.h"

#include <QPointer>

class QLabel;

class TemplateTransList : public StdTemplate {
    Q_OBJECT
public:
    static constexpr int kTeteHeight = 22;
    // Room for a title, a date and four lines of criteria; more lines make the block taller.
    static constexpr int kTitreHeight = 104;
    static constexpr int kPiedHeight = 24;

    explicit TemplateTransList(TransExtraKind extraKind, QWidget* parent = nullptr);

    // The footer's line count; null until the template is woken.
    QLabel* field_nb_operations() const { return m_fieldNbOperations; }
    // The width of a row of the template's kind showing every column at ease.
    int rowWidth() const { return m_rowWidth; }

protected:
    void loadView() override;
    // The footer; it holds the line count field (field_nb_operations).
    virtual QWidget* buildPied();
    TransExtraKind extraKind() const { return m_extraKind; }

private:
    TransExtraKind m_extraKind;
    int m_rowWidth;
    QPointer<QLabel> m_fieldNbOperations;
};
