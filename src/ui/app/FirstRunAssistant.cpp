#include "app/FirstRunAssistant.h"

#include "entities/FenDeviseController.h"
#include "entities/FenEditBanqueController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"
#include "model/TOOL.h"

namespace {

constexpr long kAnswerNo = 0;
constexpr long kAnswerOther = 2;

// Every question but the closing one offers Cancel, never as the default; none has a parent
// window, the bank editors that come between them having none either.
long ask(const char* resName, const char* otherKey = nullptr, bool cancelButton = true)
{
    long answer = kAnswerNo;
    const QString other = otherKey ? localizedDialogue(QString::fromLatin1(otherKey)) : QString();
    askPoursuivre(nullptr, QString::fromLatin1(resName), other, cancelButton, false,
                  [&answer](long given) { answer = given; });
    return answer;
}

} // namespace

void FirstRunAssistant::run()
{
    if (askWelcome() && askMainCurrency()) {
        askBanksIntroduction();
        createBanks();
    }
    askClosing();
}

bool FirstRunAssistant::askWelcome()
{
    m_answer = ask("ASSIST001");
    return m_answer != kAnswerNo;
}

// The currencies window runs as the application's modal window: the user may change the main
// currency or bring others into use before any amount is entered.
bool FirstRunAssistant::askMainCurrency()
{
    m_answer = ask("ASSIST002", "kConfirm_ChangeDevise");
    if (m_answer == kAnswerOther)
        FenDeviseController::runDevisesModal(MONTANT::currentDeviseSlot());
    return m_answer != kAnswerNo;
}

// Its Cancel does not skip the banks: the bank editor that follows can be cancelled itself.
void FirstRunAssistant::askBanksIntroduction()
{
    m_answer = ask("ASSIST003");
}

// A bank, its accounts made through createBanqueWithDialog, then the offer of another bank; the
// repetition ends at the first cancelled bank editor or at any other answer.
void FirstRunAssistant::createBanks()
{
    do {
        long index = -1;
        if (!createBanqueWithDialog(nullptr, kBanqueUser, &index, m_doc))
            break;
        m_answer = ask("ASSIST004", "kConfirm_AutreBanque");
    } while (m_answer == kAnswerOther);
    m_answer = 1;
}

void FirstRunAssistant::askClosing()
{
    ask(m_answer != kAnswerNo ? "ASSIST005" : "ASSIST006", nullptr, false);
}
