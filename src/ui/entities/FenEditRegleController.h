#pragma once
// The editor of a categorisation rule: its title, its key words, the two accounts, the category
// and the payment family it gives. At least one key word is required: a rule without one would
// take every imported transaction.
//
// Window data: "regle" the REGLE edited (written on OK) and "document" its document.
#include "toolkit/windows/StdWindowController.h"

#include <QStringList>

class DOCUMENT;
class REGLE;

class FenEditRegleController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

    REGLE& regle() const;

    // The key words typed, split at spaces; runs of spaces make no empty word.
    static QStringList motsOfText(const QString& text);

protected:
    void buildInterface(StdWindow& window) override;
};

// Edits the rule modally on the parent's window; true on OK.
bool editRegle(StdWindowController* parent, REGLE& regle, DOCUMENT& doc);
