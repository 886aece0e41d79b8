#pragma once
// A field of the drawer's split line paired with the line's other field (the category with the
// amount): Tab and Backtab go to the partner, its text selected, so the two fields take turns.
#include <QPlainTextEdit>
#include <QWidget>

template <class Field> class DrawerPartnerField : public Field {
public:
    using Field::Field;

    QWidget* partner() const { return m_partner; }
    void setPartner(QWidget* partner) { m_partner = partner; }

protected:
    bool focusNextPrevChild(bool next) override
    {
        if (!m_partner)
            return Field::focusNextPrevChild(next);
        focusPartner();
        return true;
    }

    void focusPartner()
    {
        m_partner->setFocus(Qt::TabFocusReason);
        if (auto* text = qobject_cast<QPlainTextEdit*>(m_partner))
            text->selectAll();
    }

private:
    QWidget* m_partner = nullptr;
};
