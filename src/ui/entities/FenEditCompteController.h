#pragma once
// The account editor: the shared tool editor with what the account's type allows. Its bank is
// chosen among the banks of the same type; a payee keeps a default category and a tax; an
// account of the user's own banks keeps up to four days of the month its statements fall on.
#include "entities/FenEditToolController.h"

#include <array>

class TextFieldIntegerN;

class FenEditCompteController : public FenEditToolController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

    void FILL_POSTE();
    void FILL_TAXE();
    void FILL_DATES();

    // The account's own type: a special account (3, 5) takes its bank's like any other.
    int compteType() const;
    // A statement day as typed: 0 (unused) to 31, anything else held to that range.
    static long statementDay(const QString& typed);

protected:
    void buildTypeRows(QFormLayout& form, QWidget& parent) override;
    long uniquenessBanque() const override;

private:
    std::array<TextFieldIntegerN*, 4> m_dates {};
};

// Edits the account modally (on the parent's window when given); 1 after OK, 0 after Cancel. The
// account may be the document's own: it changes only on OK, but for its logo.
long editCompteDialog(StdWindowController* parent, TOOL& compte, DOCUMENT& doc);

// Creates an account in the bank (empty name, the bank's type and currency) through the editor;
// on OK adds it to the document and the tree, *compteID (may be null) getting its ident, and,
// unless it is a payee, offers to enter its initial balance, then, in one of the user's own banks
// and unless that offer was cancelled, to describe its cheque books and cards. False, *compteID
// -1, when the bank doesn't exist or the editor was cancelled.
bool createCompteWithDialog(StdWindowController* parent, long banqueID, int bType, long* compteID, DOCUMENT& doc);
