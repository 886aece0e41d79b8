#pragma once
// The currency slots in use in the document, each tagged by its slot (not its place in the menu);
// items send DEVISE:. With an amount field attached, the menu starts with an item that edits
// the conversions of that amount (EDIT_CONVERSION:, the field as its represented object). The
// button and an optional label show the chosen currency's unit.
#include "toolkit/popups/StdPopUp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

class PopDevise : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    bool getShowTitle() const { return m_showTitle; }
    void setShowTitle(bool show) { m_showTitle = show; }
    QWidget* getAssociatedMontant() const { return m_associatedMontant; }
    void setAssociatedMontant(QWidget* field) { m_associatedMontant = field; }
    QLabel* getFieldUnit() const { return m_fieldUnit; }
    void setFieldUnit(QLabel* label) { m_fieldUnit = label; }

    void FILL_MENU() override;
    // Shows the slot's unit as the button's title (when showTitle) and in the unit label.
    void FILL_DEVISE(long slot);

    // The opacity the unit label takes: 1 while the pop-up is enabled, 0.5 while it is not.
    static constexpr double kDisabledUnitOpacity = 0.5;

protected:
    // The unit label fades with the pop-up, whatever enables or disables it.
    void changeEvent(QEvent* event) override;

private:
    void updateUnitOpacity();

    bool m_showTitle = true;
    QPointer<QWidget> m_associatedMontant;
    QPointer<QLabel> m_fieldUnit;
};
