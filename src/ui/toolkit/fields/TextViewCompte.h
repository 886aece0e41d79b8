#pragma once
// An account field: completes the names of the accounts of the banks its account pop-up admits
// (the pop-up's account filter), sorted by name, and tells the window of the account chosen
// (ACTION). Without a pop-up every account is offered.
#include "toolkit/fields/TextViewWithCompletion.h"

#include <QList>

class DOCUMENT;
class PopCompte;

class TextViewCompte : public TextViewWithCompletion {
    Q_OBJECT
public:
    explicit TextViewCompte(QWidget* parent = nullptr);
    ~TextViewCompte() override;

    PopCompte* associatedPopup() const;
    void setAssociatedPopup(PopCompte* popup);

    // The account of that ident was chosen; the base does nothing.
    virtual void ACTION(qint64 ident);

protected:
    bool makeCompletionList() override;
    long completionCount() const override;
    long completionSearch(const QString& text) const override;
    QString completionName(long index) const override;
    void completionChoose(long index) override;

private:
    long compteFilter() const;

    QPointer<PopCompte> m_associatedPopup;
    const DOCUMENT* m_doc = nullptr; // the document of the key being handled
    QList<long> m_comptes; // its accounts' idents, by folded name
};
