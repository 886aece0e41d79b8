#pragma once
// The category field: completes the names of the open document's categories, in their sorted
// order, and sends the window POSTE: with the category chosen, as the category pop-up does.
#include "toolkit/fields/TextViewWithCompletion.h"

class DOCUMENT;

class TextViewPoste : public TextViewWithCompletion {
    Q_OBJECT
public:
    using TextViewWithCompletion::TextViewWithCompletion;

protected:
    bool makeCompletionList() override;
    long completionCount() const override;
    long completionSearch(const QString& text) const override;
    QString completionName(long index) const override;
    void completionChoose(long index) override;

private:
    const DOCUMENT* m_doc = nullptr; // the document of the key being handled
};
