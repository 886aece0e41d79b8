#pragma once
// The editor of one split line, beside the table of lines: a category (typed with completion or
// chosen from its pop-up) and an amount, with the buttons that add the line or change the
// selected one. It is the delegate of its own category field and pop-up; the adding and changing
// themselves are the entry window's (ADD_DETAIL:, MODIFIER_DETAIL:).
#include "transactions/TextFieldMontantSaisie.h"
#include "transactions/TextViewPosteDetail.h"

#include "toolkit/popups/PopPoste.h"

#include <QObject>
#include <QPointer>
#include <QPushButton>

class FenEditSaisieController;
class TRANSACT;

class DrawerDetail : public QObject {
    Q_OBJECT
public:
    explicit DrawerDetail(FenEditSaisieController& parent);

    // Makes the drawer's controls in the container ("drawer_groupee").
    void build(QWidget* container);

    TextViewPosteDetail* getViewPoste() const { return view_poste; }
    TextFieldMontantDetail* getFieldMontant() const { return field_montant; }
    PopPoste* getPopPoste() const { return pop_poste; }
    long getPosteID() const { return m_posteID; }
    void setPosteID(long ident) { m_posteID = ident; }

    // The category's name, and its mark in the pop-up.
    void FILL_POSTE();
    // The line at that index of the transaction into the two fields; the category selected.
    void FILL_DETAIL(const TRANSACT& rec, long index, long devise);
    void SELECT_POSTE();
    void SELECT_MONTANT();
    // The typed amount, in the field's slot and converted into the others.
    MONTANT readMontant() const;
    // Enables the fields, the pop-up and the buttons.
    void setEnabled(bool enabled);

    // The pop-up's and the field's choices.
    Q_INVOKABLE void POSTE(QObject* sender);
    Q_INVOKABLE void CREATE_POSTE(QObject* sender);
    Q_INVOKABLE void CHOOSE_DOSSIER(QObject* sender) { Q_UNUSED(sender); }
    // Return in the amount field.
    Q_INVOKABLE void ADD_DETAIL(QObject* sender);
    Q_INVOKABLE double defaultFontSize() const { return 13.0; }

private:
    FenEditSaisieController& m_parent;
    long m_posteID = -1;
    QPointer<TextViewPosteDetail> view_poste;
    QPointer<TextFieldMontantDetail> field_montant;
    QPointer<PopPoste> pop_poste;
    QPointer<QPushButton> button_add;
    QPointer<QPushButton> button_modifier;
};
