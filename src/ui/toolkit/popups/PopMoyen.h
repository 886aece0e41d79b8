#pragma once
// The payment-means pop-up of the transaction entry: the twelve families (never 4, "no payment
// means"), then the document's synonyms. Each item's tag is a family, a synonym's being the family
// it stands for; its represented object is a map telling whether the family fits the
// transaction's two accounts ("need" true when it does not) and, for a synonym, the synonym
// ("synonyme"). A family that doesn't fit keeps its place and is drawn in red, so the user sees
// the better choice without losing the other ones.
//
// The pop-up marks its chosen item itself, by family or by synonym, so the automatic mark by
// tag is off: two synonyms of one family share a tag.
#include "toolkit/popups/StdPopUp.h"

class Synonyme;

class PopMoyen : public StdPopUp {
    Q_OBJECT
public:
    explicit PopMoyen(QWidget* parent = nullptr);

    // Marks that family (synonyms unmarked) or that synonym (families unmarked).
    void selectMoyen(long family);
    void selectSynonyme(long ident);
    long getSelectedMoyen() const { return m_selectedMoyen; }
    long getSelectedSynonyme() const { return m_selectedSynonyme; }

    // Whether families are marked against the two accounts' bank types.
    void setFilter(bool filter) { m_filter = filter; }
    bool getFilter() const { return m_filter; }
    void setDebitID(qint64 ident) { m_debitID = ident; }
    void setCreditID(qint64 ident) { m_creditID = ident; }
    qint64 getDebitID() const { return m_debitID; }
    qint64 getCreditID() const { return m_creditID; }
    // 1 marks the cash families, 2 the counter, transfer, cheque and card families, whatever
    // the accounts; 0 leaves it to the filter.
    void setFilterMoyen(qint64 filterMoyen) { m_filterMoyen = filterMoyen; }
    qint64 getFilterMoyen() const { return m_filterMoyen; }

    void FILL_MENU() override;
    // The families, then a separator and the synonyms when the document has some.
    void FILL_MENU(QMenu* menu);
    // Whether the family doesn't fit accounts of those bank types (0 cash, 1 payees, 2 the
    // user's own bank).
    static bool conditionOffForFamily(int family, int debitTyp, int creditTyp, bool filter, qint64 filterMoyen);
    // One family item; condOff tells whether the bank types mark it (the filter).
    QAction* FILL_MENU_AUX(int family, bool condOff, QMenu* menu, int debitTyp, int creditTyp);
    // One synonym item, marked as its family would be.
    QAction* FILL_MENU_SYNONYME(const Synonyme& synonyme, bool condOff, QMenu* menu, int debitTyp, int creditTyp);

    // The colour of a family that doesn't fit.
    static QColor offColor();

private:
    QAction* addMoyenItem(QMenu* menu, const QString& title, const QIcon& image, int family, bool off,
                          QVariantMap represented, bool checked);

    bool m_filter = false;
    qint64 m_debitID = 0;
    qint64 m_creditID = 0;
    qint64 m_filterMoyen = 0;
    long m_selectedMoyen = -1;
    long m_selectedSynonyme = -1;
};
