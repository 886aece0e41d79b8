#pragma once
// The small document most engine and model tests start from.
#include <initializer_list>

class DOCUMENT;

namespace testenv {

// The user's bank 10 holding the nameless accounts userAccounts, then the third-party bank 11
// holding the payees, in that order in the document's lists.
void addBanks(DOCUMENT& doc, std::initializer_list<long> userAccounts, std::initializer_list<long> payees);

// The default currencies: the euro, the dollar at 0,92 (in use or not) and a three-decimal dinar
// at 0,29, in use; rates no cent divides evenly.
void useEuroDollarDinar(DOCUMENT& doc, bool dollarInUse);

} // namespace testenv
