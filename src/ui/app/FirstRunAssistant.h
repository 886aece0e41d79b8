#pragma once
// The questions that walk the user through a new document's first settings, right after it has
// been created and saved: the main currency, the user's own banks, the accounts of each bank
// with their opening balances, and their cheque books and cards. Each question shows one of the
// "assistant" pages and hands its answer (1 go on, 0 cancel, 2 the third button) to the step that
// decides what comes next; every question is modal, so the chain has ended when run() returns.
//
// What the user made stays in the document as soon as an editor closes with OK; a cancelled
// editor ends its own repetition only, never undoing what came before it.

class DOCUMENT;

class FirstRunAssistant {
public:
    explicit FirstRunAssistant(DOCUMENT& doc)
        : m_doc(doc)
    {
    }

    // The whole chain, from the welcome page to the closing one.
    void run();

private:
    // Each step answers whether the chain goes on to the next one; the closing step ends it.
    bool askWelcome();
    bool askMainCurrency();
    void askBanksIntroduction();
    void createBanks();
    void askClosing();

    DOCUMENT& m_doc;
    // The answer that decides the closing page: 0 when the user stopped before the banks.
    long m_answer = 0;
};
