// The import manager's run: from a chosen file to the stored transactions.
#include "import/ImportManager.h"

#include "engines/RegleManager.h"
#include "engines/SearchEngine.h"
#include "foundation/IAlerts.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"

#include <QFileInfo>

#include <optional>

namespace {

constexpr int kTickMs = 300;
// Once the user imports all the rest, no window paces the run: a tick takes this many records and
// the next one follows at once, so a long file is in within seconds while the program still
// answers between two ticks.
constexpr int kImportAllBatch = 200;
// The refused records the report names one by one; the others are counted.
constexpr size_t kReportedLines = 20;

void showAlert(QObject* window, const QString& key, const QString& information, int style,
               const QString& imageName = QStringLiteral("exporter"))
{
    alertKeyWithInformation(key, information, window, style, imageName);
}

QString otherSectionsText(long count)
{
    return localizedDialogue(QStringLiteral("kMessage_ImportAutresSections")).arg(count);
}

QString refusedText(const ImportReport& report)
{
    QStringList lines {localizedDialogue(QStringLiteral("kMessage_ImportRefuses")).arg(report.refused.size())};
    for (size_t i = 0; i < report.refused.size() && i < kReportedLines; ++i) {
        const ImportReport::Refused& refused = report.refused[i];
        const QString reason = localizedDialogue(refused.reasonKey);
        lines.append(
            refused.line > 0
                ? localizedDialogue(QStringLiteral("kMessage_ImportLigne")).arg(refused.line).arg(reason)
                : localizedDialogue(QStringLiteral("kMessage_ImportEnregistrement")).arg(refused.record).arg(reason));
    }
    if (report.refused.size() > kReportedLines)
        lines.append(
            localizedDialogue(QStringLiteral("kMessage_ImportEtAutres")).arg(report.refused.size() - kReportedLines));
    return lines.join(u'\n');
}

} // namespace

// Where a run comes from: the statement window, which may close while the run goes on, and the
// block that refreshes it, called only while it is there.
struct ImportManager::Origin {
    QPointer<QObject> controller;
    bool hadController = false;
    DidImportBlock didImport;

    Origin(QObject* window, DidImportBlock block)
        : controller(window)
        , hadController(window != nullptr)
        , didImport(std::move(block))
    {
    }
    QObject* window() const { return controller.data(); }
    void done() const
    {
        if (didImport && (!hadController || controller))
            didImport();
    }
};

struct ImportManager::Run {
    Run(Origin from, DOCUMENT* document)
        : origin(std::move(from))
        , doc(document)
    {
    }

    Origin origin;
    DOCUMENT* doc;
    long compteID = -1;
    int format = kImportFormatTab;
    int devise = 0;
    ImportSettings settings;
    ParsedImport parsed;
    RegleList regles;
    std::unique_ptr<ImportDuplicateIndex> duplicates;
    long fiche = 0; // the record of the next tick
    bool buzy = false;
    bool importAll = false;
    IImportScheduler::Handle timer = 0;
    long unnotifiedIndex = -1; // the last transaction stored without telling the windows
    ImportReport report;
};

ImportManager::ImportManager() = default;
ImportManager::~ImportManager() = default;

void ImportManager::importURLWithFormat(QObject* controller, const QString& url, int format, long compteID, int devise,
                                        DOCUMENT* doc, ImportSettings settings, DidImportBlock didImport,
                                        const QString& chosenEncoding)
{
    const QString fileName = QFileInfo(url).fileName();
    if (format < kImportFormatTab || format > kImportFormatOFX) {
        showAlert(controller, QStringLiteral("kAlerte_ImportFormatInconnu"), fileName, 2);
        return;
    }
    QString encoding = chosenEncoding;
    QString reason;
    const QString text = importStringAtUrl(url, &encoding, &reason, format);
    if (text.isNull()) {
        showAlert(controller, reason, fileName, 2);
        return;
    }
    const Origin origin(controller, std::move(didImport));
    const quint64 docGeneration = m_docGeneration;
    // The tab import editor hands its records over later, when the document may have closed.
    const ImportEndBlock endBlock
        = [this, origin, format, compteID, devise, doc, settings, docGeneration](ParsedImport parsed) {
              if (docGeneration != m_docGeneration)
                  return;
              const long chosen
                  = parsed.compteID >= 0 && getTool(kToolCompte, parsed.compteID, doc) ? parsed.compteID : compteID;
              treatParsedArrayFrom(origin, std::move(parsed), format, chosen, devise, doc, settings);
          };
    if (!parseString(text, format, compteID, devise, encoding, endBlock, &reason))
        showAlert(controller, reason, fileName, 2);
}

void ImportManager::treatParsedArray(QObject* controller, ParsedImport parsed, int format, long compteID, int devise,
                                     DOCUMENT* doc, ImportSettings settings, DidImportBlock didImport)
{
    treatParsedArrayFrom(Origin(controller, std::move(didImport)), std::move(parsed), format, compteID, devise, doc,
                         settings);
}

void ImportManager::treatParsedArrayFrom(Origin origin, ParsedImport parsed, int format, long compteID, int devise,
                                         DOCUMENT* doc, ImportSettings settings)
{
    if (parsed.records.empty()) {
        showAlert(origin.window(), QStringLiteral("kAlerte_RienAImporter"),
                  parsed.skippedRecords > 0 ? otherSectionsText(parsed.skippedRecords) : QString(), 1);
        return;
    }
    if (!SV_ASSERT(m_services.review && m_services.questions)) {
        showAlert(origin.window(), QStringLiteral("kAlerte_ImportImpossible"), QString(), 2);
        return;
    }
    if (!validateParsedArray(origin.window(), parsed.records, format, compteID, devise))
        return;
    if (m_services.questions->askPoursuivre(origin.window(), QStringLiteral("ASSIST020"), QString(), true, false)
        != 1) {
        origin.done();
        return;
    }
    executeImportFrom(std::move(origin), compteID, std::move(parsed), format, devise, doc, settings);
}

bool ImportManager::validateParsedArray(QObject* window, const ImportRecords& records, int format, long compteID,
                                        int devise) const
{
    return SV_ASSERT(m_services.review)
        && m_services.review->validateParsedArray(window, records, format, compteID, devise);
}

bool ImportManager::executeImport(QObject* controller, long compteID, ParsedImport parsed, int format, int devise,
                                  DOCUMENT* doc, ImportSettings settings, DidImportBlock didImport)
{
    return executeImportFrom(Origin(controller, std::move(didImport)), compteID, std::move(parsed), format, devise, doc,
                             settings);
}

bool ImportManager::executeImportFrom(Origin origin, long compteID, ParsedImport parsed, int format, int devise,
                                      DOCUMENT* doc, ImportSettings settings)
{
    if (m_run) {
        showAlert(origin.window(), QStringLiteral("kAlerte_ImportEnCours"), QString(), 2);
        return false;
    }
    if (!SV_ASSERT(doc && m_services.entry && m_services.scheduler)) {
        showAlert(origin.window(), QStringLiteral("kAlerte_ImportImpossible"), QString(), 2);
        return false;
    }
    auto run = std::make_unique<Run>(std::move(origin), doc);
    run->compteID = compteID;
    run->format = format;
    run->devise = devise;
    run->settings = settings;
    run->report.otherSections = parsed.skippedRecords;
    run->parsed = std::move(parsed);
    run->regles = usedRegles(doc, settings.reglesManuel);
    // Marks tell this run's transactions apart: cleared now, set on each one stored.
    TRANSACT::markAllTransact(false, doc);
    run->duplicates = std::make_unique<ImportDuplicateIndex>(doc);
    run->duplicates->setFilter([](const TRANSACT& trans) { return !trans.mark; });
    m_run = std::move(run);
    ++m_runGeneration;
    scheduleTick();
    return true;
}

void ImportManager::scheduleTick()
{
    const quint64 generation = m_runGeneration;
    m_run->timer = m_services.scheduler->after(m_run->importAll ? 0 : kTickMs, [this, generation] {
        if (generation == m_runGeneration)
            TIMER_();
    });
}

void ImportManager::TIMER_()
{
    if (!m_run || m_run->buzy)
        return;
    m_run->timer = 0;
    m_run->buzy = true;
    const quint64 generation = m_runGeneration;
    const int records = m_run->importAll ? kImportAllBatch : 1;
    bool more = true;
    {
        // Importing all, the statements the tick's records touch are recomputed once, when the
        // batch ends: the document is whole again before anything else runs (an automatic save
        // may come next).
        std::optional<TransactBatch> batch;
        if (m_run->importAll)
            batch.emplace(m_run->doc);
        for (int i = 0; i < records && more; ++i) {
            more = importOneFiche();
            if (generation != m_runGeneration)
                return;
            if (more)
                ++m_run->fiche;
        }
    }
    if (!more) {
        endRun();
        return;
    }
    m_run->buzy = false;
    scheduleTick();
}

bool ImportManager::importOneFiche()
{
    if (!m_run)
        return false;
    Run& run = *m_run;
    if (run.fiche >= static_cast<long>(run.parsed.records.size())) {
        setProgressRunning(false);
        return false;
    }
    const ImportRecord& record = run.parsed.records[static_cast<size_t>(run.fiche)];
    bool dateRead = false;
    const RegleList* regles = run.settings.reglesImport ? &run.regles : nullptr;
    TRANSACT trans
        = extractTransactFromArrayOfRubriques(record, run.format, run.compteID, run.devise, regles,
                                              run.settings.reglesManuel, run.doc, run.duplicates.get(), &dateRead);
    if (!run.importAll) {
        const quint64 generation = m_runGeneration;
        const int answer = offerInEntryWindow(trans, dateRead);
        if (generation != m_runGeneration)
            return false;
        if (answer == kSaisieStopImport) {
            run.report.stopped = true;
            setProgressRunning(false);
            return false;
        }
        if (answer == kSaisieImportAll) {
            run.importAll = true;
            setProgressRunning(true);
        } else if (answer != kSaisieOK) {
            ++run.report.skippedByUser;
            return true;
        }
    } else if (const QString reason = importTransactError(trans, dateRead, run.doc); !reason.isEmpty()) {
        run.report.refused.push_back({record.line, run.fiche + 1, reason});
        return true;
    }
    storeFiche(trans);
    return true;
}

// The record goes back to the entry window, with an alert saying why, until the user makes it
// one that can be stored, skips it or stops. A date the file didn't give counts as given once
// the user has changed the one the window showed.
int ImportManager::offerInEntryWindow(TRANSACT& trans, bool dateRead)
{
    const quint64 generation = m_runGeneration;
    const double proposedDate = trans.when;
    bool reuseFrame = m_run->fiche > 0;
    for (;;) {
        const int answer
            = m_services.entry->openSaisieTransact(m_run->origin.window(), trans, m_run->compteID, reuseFrame);
        if (generation != m_runGeneration)
            return kSaisieStopImport;
        if (answer != kSaisieOK && answer != kSaisieImportAll)
            return answer;
        const QString reason = importTransactError(trans, dateRead || trans.when != proposedDate, m_run->doc);
        if (reason.isEmpty())
            return answer;
        showAlert(m_run->origin.window(), reason, QString(), 2, QString());
        if (generation != m_runGeneration)
            return kSaisieStopImport;
        reuseFrame = true;
    }
}

// Offered in the entry window, a record is stored and the windows told at once. While importing
// all, records are stored untold, in the tick's batch: the end of the run tells the windows once,
// so they rebuild once.
void ImportManager::storeFiche(const TRANSACT& trans)
{
    Run& run = *m_run;
    long index = -1;
    if (!makeTransact(trans, &index, run.doc, !run.importAll, !run.importAll))
        return;
    if (TRANSACT* stored = transactAtIndex(index, run.doc))
        stored->mark = true;
    ++run.report.stored;
    run.unnotifiedIndex = run.importAll ? index : -1;
}

void ImportManager::endRun()
{
    const std::unique_ptr<Run> run = std::move(m_run);
    ++m_runGeneration;
    if (run->unnotifiedIndex >= 0)
        notifyMakeTransact(run->unnotifiedIndex);
    m_lastReport = run->report;
    run->origin.done();
    showReport(m_lastReport, run->origin.window());
}

void ImportManager::stopRun()
{
    if (!m_run)
        return;
    if (m_run->timer && m_services.scheduler)
        m_services.scheduler->cancel(m_run->timer);
    m_lastReport = m_run->report;
    m_run.reset();
    ++m_runGeneration;
}

void ImportManager::showReport(const ImportReport& report, QObject* window) const
{
    if (report.refused.empty() && report.otherSections == 0)
        return;
    QStringList information;
    if (report.otherSections > 0)
        information.append(otherSectionsText(report.otherSections));
    if (!report.refused.empty())
        information.append(refusedText(report));
    showAlert(window, QStringLiteral("kAlerte_ImportRapport"), information.join(QStringLiteral("\n\n")), 1);
}

void ImportManager::setProgressRunning(bool running) const
{
    if (m_run && m_services.review && m_run->origin.window())
        m_services.review->setProgressRunning(m_run->origin.window(), running);
}

RegleList ImportManager::usedRegles(DOCUMENT* doc, bool reglesManuel)
{
    if (!doc)
        return RegleList();
    const RegleManager& manager = RegleManager::sharedRegleManager();
    if (!reglesManuel)
        return manager.computeRegles(doc);
    if (doc->reglesArray.isEmpty())
        doc->reglesArray = manager.computeRegles(doc);
    return doc->reglesArray;
}
