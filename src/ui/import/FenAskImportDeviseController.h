#pragma once
// The question for a currency text that is no unit of the document's currencies: the currency
// it stands for, the slot shown proposed; the chosen currency's name is shown beside the pop-up.
#include "import/FenAskImportController.h"

#include <QPointer>

class StdPopUp;
class StdTextView;

class FenAskImportDeviseController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportDeviseController();
    std::optional<qint64> chosenAnswer() const override;
    long newDevise() const { return m_newDevise; }
    // The currency chosen in the pop-up (its tag is the slot).
    Q_INVOKABLE void DEVISE(QObject* item);
    void FILL_DEVISE(long slot);
    Q_INVOKABLE void ACCEDER(QObject* sender);

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;

private:
    long m_newDevise = 0;
    QPointer<StdTextView> m_fieldDevise;
    QPointer<StdPopUp> m_popDevise;
};
