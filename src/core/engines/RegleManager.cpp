#include "RegleManager.h"

#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "engines/SearchEngine.h"
#include "foundation/IAlerts.h"
#include "foundation/IDesktop.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"

#include <QFileInfo>
#include <QSaveFile>

#include <limits>
#include <map>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kReportRuleWidth = 56;
constexpr int kReportLabelWidth = 25;
const QChar kReportEndOfLine = QChar(13);

// ---- Learning ------------------------------------------------------------------------------------

// An imported, completed transaction with its words, folded once.
struct LearnRow {
    const TRANSACT* transact = nullptr;
    QStringList words; // every distinct word, in order of first appearance
    QStringList firstWords; // the first kRegleMaxMots of them
};

// Two transactions teach a rule together only when they agree on this. Cheques leave their
// counter-account and category out: a cheque's payee is rarely in the bank's reason.
using PairKey = std::tuple<long, int, long, long, long>;

PairKey pairKeyOf(const TRANSACT& t)
{
    const bool cheque = t.moyen == kFamilyChequeDebit;
    return {t.importID, t.moyen, t.who1, cheque ? -1 : t.posteID, cheque ? -1 : t.who2};
}

QList<LearnRow> learnRowsOf(const LISTING* listing, const DOCUMENT* doc)
{
    QList<LearnRow> rows;
    const long count = listingCount(listing);
    rows.reserve(count);
    for (long i = 0; i < count; ++i) {
        LearnRow row;
        row.transact = listingTransactAtIndex(listing, i, doc);
        if (!SV_ASSERT(row.transact))
            continue;
        row.words = regleWords(row.transact->whyImport, std::numeric_limits<int>::max());
        row.firstWords = row.words.mid(0, kRegleMaxMots);
        rows.append(row);
    }
    return rows;
}

// Only pairs that agree on their key teach anything, so each row is paired with the later rows
// of its own group only, in the order a walk over every pair would meet them.
class PairGroups {
public:
    explicit PairGroups(const QList<LearnRow>& rows)
        : m_place(rows.size())
    {
        for (long i = 0; i < rows.size(); ++i)
            m_groups[pairKeyOf(*rows[i].transact)].push_back(i);
        for (const auto& entry : m_groups) {
            const std::vector<long>& group = entry.second;
            for (size_t k = 0; k < group.size(); ++k)
                m_place[group[k]] = {&group, k};
        }
    }
    PairGroups(const PairGroups&) = delete; // m_place points into m_groups
    PairGroups& operator=(const PairGroups&) = delete;
    // The rows after that one in its group, in row order.
    std::span<const long> laterThan(long row) const
    {
        const auto& [group, k] = m_place[row];
        return std::span<const long>(*group).subspan(k + 1);
    }

private:
    std::map<PairKey, std::vector<long>> m_groups;
    std::vector<std::pair<const std::vector<long>*, size_t>> m_place; // a row's group and place in it
};

// The words of the second list, in its order, found among the first: at most kRegleMaxMots.
QStringList communWords(const QStringList& first, const QStringList& second)
{
    QStringList commun;
    for (const QString& word : second) {
        if (commun.size() >= kRegleMaxMots)
            break;
        if (motInMots(word, first) && !motInMots(word, commun))
            commun.append(word);
    }
    return commun;
}

// ---- The report ----------------------------------------------------------------------------------

QString reportLine(const QString& text)
{
    return text + kReportEndOfLine;
}

QString reportField(const QString& label, const QString& value)
{
    return reportLine(QLatin1Char('\t') + label.leftJustified(kReportLabelWidth, QLatin1Char(' '))
                      + QStringLiteral(": ") + value);
}

QString reportHeader(const DOCUMENT* doc)
{
    const QString stars(kReportRuleWidth, QLatin1Char('*'));
    return reportLine(stars) + reportLine(QStringLiteral("*** ") + localizedAppl(QStringLiteral("REGLES_REGLES")))
        + reportLine(QStringLiteral("*** ") + localizedAppl(QStringLiteral("REGLES_Document")) + QStringLiteral(" : ")
                     + (doc ? doc->getDocLoadName() : QString()))
        + reportLine(stars);
}

QString reportRegle(const REGLE& regle, long number, const DOCUMENT* doc)
{
    QString text
        = reportLine(localizedAppl(QStringLiteral("REGLES_REGLE")) + QLatin1Char(' ') + QString::number(number));
    text += reportLine(QLatin1Char('\t') + localizedAppl(QStringLiteral("REGLES_Mots")) + QStringLiteral(" : ")
                       + RegleManager::concatMots(regle));
    text += reportField(localizedAppl(QStringLiteral("REGLES_CompteImport")),
                        getToolNameNS(kToolCompte, regle.importID, doc));
    text += reportField(localizedAppl(QStringLiteral("REGLES_CompteDebiteur")),
                        getToolNameNS(kToolCompte, regle.who1, doc));
    text += reportField(localizedAppl(QStringLiteral("REGLES_CompteCrediteur")),
                        getToolNameNS(kToolCompte, regle.who2, doc));
    text += reportField(localizedAppl(QStringLiteral("REGLES_Poste")),
                        doc ? POSTE::getPosteNameNS(regle.posteID, *doc) : QString());
    text += reportField(localizedAppl(QStringLiteral("REGLES_Moyen")), moyenNameForFamily(regle.moyen));
    text += reportField(localizedAppl(QStringLiteral("REGLES_Comparaisons")), QString::number(regle.nb_operation));
    return text + reportLine(QString(kReportRuleWidth, QLatin1Char('-')));
}

// ---- Applying to a listing -------------------------------------------------------------------------

struct Replacement {
    long index = -1; // in the document's transactions
    TRANSACT transact;
};

bool offeredToRegles(const TRANSACT& t, int kind, bool marked)
{
    if (t.importID < 0)
        return false;
    switch (kind) {
    case kApplyReglesUntouched:
        return !t.importTouched;
    case kApplyReglesAll:
        return true;
    case kApplyReglesSelection:
        return marked;
    default:
        return false;
    }
}

// Whether a row of the transaction's group is marked: selecting any line of a split transaction
// selects the transaction.
bool groupMarked(const LISTING* listing, long first, long last)
{
    for (long i = first; i <= last; ++i) {
        if (listingMarkAtIndex(listing, i))
            return true;
    }
    return false;
}

} // namespace

// ---- The shared instance -----------------------------------------------------------------------------

RegleManager& RegleManager::sharedRegleManager()
{
    static RegleManager manager;
    return manager;
}

// ---- Rule lists ----------------------------------------------------------------------------------------

long RegleManager::nbRegles(const RegleList* rules)
{
    return rules ? rules->size() : 0;
}

const REGLE* RegleManager::regleAtIndex(const RegleList& rules, long index)
{
    return index >= 0 && index < rules.size() ? &rules.at(index) : nullptr;
}

REGLE* RegleManager::regleAtIndex(RegleList& rules, long index)
{
    return index >= 0 && index < rules.size() ? &rules[index] : nullptr;
}

QString RegleManager::concatMots(const REGLE& regle)
{
    return regle.mots.join(QLatin1Char(' '));
}

// ---- Learning ----------------------------------------------------------------------------------------

RegleList RegleManager::computeRegles(const DOCUMENT* doc) const
{
    RegleList rules;
    if (!doc)
        return rules;
    const Critere critere = Critere::makeImportCritere(CritereImport::ImportedTouched, doc);
    SearchRequest request;
    request.critere = &critere;
    request.doc = doc;
    // Listings built for learning keep the document's order: what is learnt then depends neither
    // on a display preference nor on the cost of sorting.
    request.sort = ListingSort::NoSort;
    const std::unique_ptr<LISTING> listing = searchWithCritere(request);
    const QList<LearnRow> rows = learnRowsOf(listing.get(), doc);
    const long defaultPoste = DOCPARAM::getDefaultPoste(doc);

    const PairGroups groups(rows);
    const auto learnFrom = [&](const TRANSACT& t, const QStringList& mots) {
        // A rule without words would fit every reason of its import account.
        if (mots.isEmpty())
            return;
        const bool cheque = t.moyen == kFamilyChequeDebit;
        addRegle(rules, t.importID,
                 {.who1 = t.who1,
                  .who2 = cheque ? kCompteAnonymeID : t.who2,
                  .posteID = cheque ? defaultPoste : t.posteID,
                  .moyen = t.moyen},
                 mots);
    };
    for (long i = 0; i < rows.size(); ++i) {
        const LearnRow& a = rows[i];
        for (const long j : groups.laterThan(i)) {
            const LearnRow& b = rows[j];
            const QStringList commun = communWords(a.firstWords, b.words);
            if (commun.isEmpty()) {
                learnFrom(*a.transact, a.firstWords);
                learnFrom(*b.transact, b.firstWords);
            } else {
                learnFrom(*a.transact, commun);
            }
        }
    }
    cleanRegles(rules);
    sortRegles(rules);
    return rules;
}

void RegleManager::addRegle(RegleList& rules, long importID, const RegleAffectation& affectation,
                            const QStringList& mots) const
{
    const RegleAffectation& a = affectation;
    bool counted = false;
    for (REGLE& regle : rules) {
        if (regle.importID != importID || regle.who1 != a.who1 || regle.who2 != a.who2 || regle.posteID != a.posteID
            || regle.moyen != a.moyen)
            continue;
        if (regle.mots.size() == mots.size() && motsInMots(regle.mots, mots)) {
            ++regle.nb_operation;
            counted = true;
            break;
        }
        QStringList shared;
        for (const QString& word : regle.mots) {
            if (motInMots(word, mots))
                shared.append(word);
        }
        if (shared.isEmpty())
            continue;
        regle.mots = shared;
        ++regle.nb_operation;
        counted = true;
    }
    if (counted)
        return;
    REGLE regle;
    regle.importID = importID;
    regle.who1 = a.who1;
    regle.who2 = a.who2;
    regle.posteID = a.posteID;
    regle.moyen = a.moyen;
    regle.nb_operation = 1;
    regle.mots = mots;
    rules.append(regle);
}

void RegleManager::cleanRegles(RegleList& rules) const
{
    const auto duplicates = [](const REGLE& a, const REGLE& b) {
        return a.importID == b.importID && a.mots.size() == b.mots.size() && motsInMots(a.mots, b.mots);
    };
    for (long i = 0; i < rules.size(); ++i) {
        for (long j = i + 1; j < rules.size();) {
            if (!duplicates(rules[i], rules[j])) {
                ++j;
            } else if (rules[i].nb_operation <= rules[j].nb_operation) {
                rules.removeAt(i);
                j = i + 1;
            } else {
                rules.removeAt(j);
            }
        }
    }
}

bool RegleManager::infRegle(const REGLE& a, const REGLE& b) const
{
    if (a.importID != b.importID)
        return a.importID < b.importID;
    return !motsInMots(a.mots, b.mots);
}

long RegleManager::findReglePos(const REGLE& regle, const RegleList& rules) const
{
    for (long i = 0; i < rules.size(); ++i) {
        if (infRegle(regle, rules[i]))
            return i;
    }
    return rules.size();
}

void RegleManager::sortRegles(RegleList& rules) const
{
    RegleList sorted;
    sorted.reserve(rules.size());
    for (const REGLE& regle : std::as_const(rules))
        sorted.insert(findReglePos(regle, sorted), regle);
    rules = sorted;
}

// ---- Words ---------------------------------------------------------------------------------------------

void RegleManager::regleFindCommun(const QString& why1, const QString& why2, QStringList& mots2) const
{
    mots2 = communWords(regleWords(why1), regleWords(why2, std::numeric_limits<int>::max()));
}

void RegleManager::regleExplode(const QString& why, QStringList& mots) const
{
    mots = regleWords(why);
}

// ---- Applying -------------------------------------------------------------------------------------------

std::optional<RegleAffectation> RegleManager::findRegle(const RegleList& rules, bool reglesManuel, const QString& why,
                                                        long importID) const
{
    const QStringList words = regleWords(why);
    if (words.isEmpty() || rules.isEmpty())
        return std::nullopt;
    for (const REGLE& regle : rules) {
        if (!reglesManuel && regle.importID != importID)
            continue;
        if (motsInMots(regle.mots, words))
            return RegleAffectation {regle.who1, regle.who2, regle.posteID, regle.moyen};
    }
    return std::nullopt;
}

bool RegleManager::applyReglesToTransact(const RegleList& rules, bool reglesManuel, TRANSACT& transact, DOCUMENT* doc,
                                         bool* locked) const
{
    if (locked)
        *locked = false;
    if (transact.importID < 0)
        return false;
    if (!transactCanPointer(transact, nullptr, nullptr, doc)) {
        if (locked)
            *locked = true;
        return false;
    }
    const std::optional<RegleAffectation> found = findRegle(rules, reglesManuel, transact.whyImport, transact.importID);
    if (!found)
        return false;
    const int moyen = found->moyen;
    transact.who1 = found->who1;
    transact.moyen = found->moyen;
    transact.importTouched = true;
    const bool cheque = moyen == kFamilyChequeDebit;
    transact.who2 = cheque ? kCompteAnonymeID : found->who2;
    transact.posteID = cheque ? DOCPARAM::getDefaultPoste(doc) : found->posteID;
    long index = -1;
    if ((cheque || moyen == kFamilyCarteDebit) && doc && getMoyenIndex(doc->moyenHdl, moyen, found->who1, &index, doc))
        transact.setTransactDefaultVariante(doc->moyenHdl, index);
    return true;
}

std::vector<long> RegleManager::regleTargetsInListing(const LISTING* listing, int kind, const IRegleTable* table,
                                                      const DOCUMENT* doc) const
{
    std::vector<long> targets;
    if (!listing || !doc)
        return targets;
    LISTING rows = listing->copyOfListing();
    const long count = listingCount(&rows);
    if (kind == kApplyReglesSelection) {
        for (long i = 0; i < count; ++i)
            listingSetMarkAtIndex(&rows, i, table && table->isRowSelected(i));
    }
    for (long i = 0; i < count;) {
        long first = i;
        long last = i;
        listingTransactLineRange(&rows, i, &first, &last);
        i = std::max(last, i) + 1;
        StorageKind type = StorageKind::Transact;
        const long index = listingStorageIndexAtIndex(&rows, first, &type);
        const TRANSACT* stored
            = type == StorageKind::Transact ? TRANSACT::transactAtIndexInDocument(index, doc) : nullptr;
        if (stored && offeredToRegles(*stored, kind, groupMarked(&rows, first, last)))
            targets.push_back(index);
    }
    return targets;
}

void RegleManager::applyReglesToTransacts(const std::vector<long>& positions, bool reglesManuel, QObject* alertWindow,
                                          DOCUMENT* doc) const
{
    if (!doc)
        return;
    const RegleList rules = computeRegles(doc);
    QList<Replacement> replacements;
    bool anyLocked = false;
    for (const long index : positions) {
        const std::optional<TRANSACT> copy = TRANSACT::loadTransactCopy_from_file(index, doc);
        if (!copy)
            continue;
        Replacement replacement {index, *copy};
        bool locked = false;
        if (applyReglesToTransact(rules, reglesManuel, replacement.transact, doc, &locked))
            replacements.append(replacement);
        anyLocked = anyLocked || locked;
    }
    // Each notified replacement makes every open list rebuild: only the last one tells the windows,
    // and the statements are recomputed once.
    const TransactBatch batch(doc);
    for (long k = 0; k < replacements.size(); ++k) {
        const bool isLast = k == replacements.size() - 1;
        replaceTransact(replacements[k].transact, replacements[k].index, doc, isLast, isLast, true);
    }
    if (anyLocked)
        alertKey(QStringLiteral("kAlerte_apply_regle_locked"), alertWindow, 2, QStringLiteral("listing"));
}

void RegleManager::applyReglesToListing(const LISTING* listing, int kind, bool reglesManuel, const IRegleTable* table,
                                        DOCUMENT* doc) const
{
    applyReglesToTransacts(regleTargetsInListing(listing, kind, table, doc), reglesManuel,
                           table ? table->alertWindow() : nullptr, doc);
}

// ---- The report ---------------------------------------------------------------------------------------------

void RegleManager::printRegles(const DOCUMENT* doc, const RegleReportPanel& panel, QObject* window) const
{
    const RegleList rules = computeRegles(doc);
    echoRegles(rules, doc, panel, window);
}

bool RegleManager::echoRegles(const RegleList& rules, const DOCUMENT* doc, const RegleReportPanel& panel,
                              QObject* window) const
{
    if (!panel)
        return false;
    const QString path = panel(localizedAppl(QStringLiteral("REGLES_filename")), QStringLiteral("txt"));
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write(reglesDescriptionString(rules, doc).toUtf8()) >= 0 && file.commit();
    if (!written) {
        alertKeyWithInformation(QStringLiteral("kAlerte_CannotSaveDoc"), QFileInfo(path).fileName(), window, 2,
                                QStringLiteral("exporter"));
        return false;
    }
    HelperSVWorkspace::tryToOpenFileAtPath(path);
    return true;
}

QString RegleManager::reglesDescriptionString(const RegleList& rules, const DOCUMENT* doc) const
{
    QString text = reportHeader(doc);
    for (long i = 0; i < rules.size(); ++i)
        text += reportRegle(rules[i], i, doc);
    return text;
}
