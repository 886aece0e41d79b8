#pragma once
// The details palette of a transaction list's forecast row: the transactions the forecast was
// matched with, under the title "Prévision rapprochée" and what is still expected.
#include "toolkit/windows/FenMetadataController.h"

class FenListingMetadataController : public FenMetadataController {
    Q_OBJECT
public:
    // The remainder as shown, in the list's currency with its unit; set before filling.
    const QString& stringReste() const { return m_stringReste; }
    void setStringReste(const QString& reste) { m_stringReste = reste; }

protected:
    void fillTitle() override;

private:
    QString m_stringReste;
};
