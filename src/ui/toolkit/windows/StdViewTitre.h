#pragma once
// The title block at the top of every printed page of a list: the list's title and the page
// number on the first line, the date of the print and the number of items on the second, and the
// search criteria under them. The list windows fill the fields when they print; a window whose
// criteria take more lines makes the block taller, from its initial height.
#include "toolkit/windows/StdViewNoBorder.h"

class QLabel;

class StdViewTitre : public StdViewNoBorder {
    Q_OBJECT
public:
    // A list whose criteria take several lines gives its block room for them from the start.
    explicit StdViewTitre(QWidget* parent = nullptr, int initialHeight = kHeight);

    // The height the block was built with.
    double getInitialHeight() const { return m_initialHeight; }

    QLabel* getFieldTextPage() const { return m_page; }
    QLabel* getFieldTextTitre() const { return m_titre; }
    QLabel* getFieldTextDate() const { return m_date; }
    QLabel* getFieldTextCritere() const { return m_critere; }
    QLabel* getFieldTextNb() const { return m_nb; }

    static constexpr int kWidth = 720;
    static constexpr int kHeight = 62;

private:
    QLabel* m_page;
    QLabel* m_titre;
    QLabel* m_date;
    QLabel* m_critere;
    QLabel* m_nb;
    double m_initialHeight = 0;
};
