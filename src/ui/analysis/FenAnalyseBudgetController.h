#pragma once
// What the analysis window and the budget window share: one computed analysis (AnalyseFile) shown
// as a header of totals over a table of folders and categories, for the whole period or one
// month, or as the month-by-month synthesis whose month lines open onto their folders and
// categories. The base chooses the configuration and the period, the compute mode, whether empty
// lines show, the colours, the pie chart, the currency and the memorising of the window, runs the
// engine, titles the window and the columns, draws the figures and exports them, each the way
// its kind of window (AnalyseWindowKind) says; a subclass gives the texts of a row's figures and
// what a row opens.
//
// A window is opened with openAnalyseWindow, its file as window data ("anaFile").
#include "analysis/AnalyseWindowKind.h"
#include "analysis/CellAnalyseBudget.h"
#include "analysis/LineSynthese.h"
#include "toolkit/tables/ListExporter.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QPointer>

#include <memory>
#include <variant>

class BoxAnalyseBudgetTete;
class Camembert;
class DOCPARAM;
class PopAnalyse;
class PopAutoCompute;
class PopPeriode;
class QLabel;
class QToolButton;

using AnalyseFilePtr = std::shared_ptr<AnalyseFile>;
Q_DECLARE_METATYPE(AnalyseFilePtr)

enum class AnalyseShowMode : int {
    Classic = 0, // one period: the whole or a month
    Synthese = 1, // the month lines
};

class FenAnalyseBudgetController : public StdWindowWithTableController, public IListExportHooks {
    Q_OBJECT
public:
    FenAnalyseBudgetController();
    ~FenAnalyseBudgetController() override;

    // ---- Fields.
    bool canCamembert() const { return m_canCamembert; }
    bool canListing() const { return m_canListing; }
    AnalyseShowMode currentShowMode() const { return m_currentShowMode; }
    AnalyseType analyseType() const { return m_analyseType; }
    void setAnalyseType(AnalyseType type) { m_analyseType = type; }
    const AnalyseWindowKind& windowKind() const { return analyseWindowKind(m_analyseType); }
    AnalyseFile* myAnaFile() const { return m_myAnaFile.get(); }
    // The file the synthesis view set aside while it shows a month-by-month copy; null otherwise.
    AnalyseFile* oldAnaFile() const { return m_oldAnaFile.get(); }
    long myAnaConfigIndex() const { return m_myAnaConfigIndex; }
    long myAnaMonth() const { return m_myAnaMonth; }
    const QList<long>& lineClassicEntries() const { return m_lineClassicEntries; }
    const QList<LineSynthese>& lineSyntheseEntries() const { return m_lineSyntheseEntries; }
    PopPeriode* pop_periode() const { return m_popPeriode; }
    PopAnalyse* pop_analyse() const { return m_popAnalyse; }
    PopAutoCompute* popup_auto() const { return m_popupAuto; }
    QToolButton* popFiltrage() const { return m_popFiltrage; }
    BoxAnalyseBudgetTete* boxTete() const { return m_tete; }

    // ---- The window's settings, kept where its kind says.
    Colorizator colorizatorTete() const;
    Colorizator colorizatorDepense() const;
    Colorizator colorizatorRecette() const;
    Colorizator colorizatorSolde() const;
    // The window's four gradients back to their defaults (not saved).
    void setColorizatorsToDefault();
    Q_INVOKABLE bool getPreferenceAutoCompute() const;
    void savePreferenceAutoCompute(bool on);
    bool getPreferenceShowEmpty() const;
    void savePreferenceShowEmpty(bool on);
    bool showEmpty() const { return getPreferenceShowEmpty(); }

    // ---- Computing, titles and figures.
    // Runs the engine on the window's configuration for its month, then filters the lines.
    void RECOMPUTE();
    // Computes the window's configuration for the month, of its own kind, and shows it.
    void COMPUTE_ANALYSE(long month);
    QString getTitleForMonth(long month, bool showDevise) const;
    void DRAW_TETE();
    void RESET_TITLE();
    // The texts of a row's figures (cells 1..6 and the balance) and their colours (invalid: left
    // as they are).
    struct CellTexts {
        QString texts[7];
        QColor colours[7];
    };
    virtual CellTexts figureTexts(const AnalyseData& data, bool colorizeTotal) const = 0;
    // The seven figures of a row from its data.
    void cellNumbers(const AnalyseData& data, CellAnalyseBudget& cell, bool colorizeTotal) const;
    // The three titles under the expenses and under the income.
    QStringList headerSubTitles() const;
    Q_INVOKABLE virtual void LISTING(QObject* sender) = 0;
    // Keeps the window (its configuration, month and frame) as the record of that number among
    // the memorised windows of its kind, in the package a save is writing.
    Q_INVOKABLE void MEMORISE(const QVariant& number, const QString& package);

    // ---- The list export (the window's export item: tag 1 CSV, else tab-separated).
    Q_INVOKABLE void EXPORTER(QObject* sender);
    long EXPORTER_SIZE() override;
    void EXPORTER_TETE(QString& text, int format) override;
    void EXPORTER_LISTE(QString& text, long index, int format) override;
    void EXPORTER_PIED(QString& text, int format) override;

    // ---- Configuration and period.
    void FILL() override;
    void FILL_CONFIGURATION();
    Q_INVOKABLE void CONFIGURATION(QObject* sender);
    void CONFIGURATION_AT_INDEX(long index, bool silent);
    Q_INVOKABLE void EDIT_CONFIGURATION(QObject* sender);
    void RESET_PERIODE(long month);
    Q_INVOKABLE void PERIODE(QObject* sender);

    // ---- Compute mode and filter.
    Q_INVOKABLE void AUTOCOMPUTE(QObject* sender);
    Q_INVOKABLE void filtrer(QObject* sender);
    void FILTER_ANALYSE();
    void removeEmptyLines(const AnalyseFile& file);
    void initLineEntries();
    // The export item is always offered.
    void fillMenuItemCSV();

    // ---- Synthesis view.
    Q_INVOKABLE void GLOBAL_VIEW(QObject* sender);
    void computeSynthese();
    Q_INVOKABLE void OPEN_GLOBAL_VIEW(QObject* sender);
    void openSyntheseAtRowInIndex(int row);
    void closeSyntheseAtRowInIndex(int row);

    // ---- Row mapping (table rows; outside the entries: null, empty, -1).
    // The entries of the mode shown: the file's row indexes in the classic table, the lines of
    // the synthesis view.
    using AnalyseEntries = std::variant<const QList<long>*, const QList<LineSynthese>*>;
    AnalyseEntries currentEntriesArray() const;
    const AnalyseData* currentAnalyseDataAtRowIndex(int row) const;
    QString currentNameAtRowIndex(int row) const;
    long currentIdentAtRowIndex(int row) const;
    // -1 outside the entries.
    int currentLineKindAtRowIndex(int row) const;
    long currentMonthAtRowIndex(int row) const;
    long ligToDossier(int row) const;
    int selectedRow() const;

    // ---- Drawing.
    void colorizeTete(BoxAnalyseBudgetTete& tete) const;
    void colorizeTableCellViewAtRowWithKind(CellAnalyseBudget& cell, int row, int kind) const;
    void colorizeTableCellViewAtRow(CellAnalyseBudget& cell, int row) const;
    // The colour items: tag 0 puts the defaults back; 1 and 2 open the colour panel on the first
    // and last colour of Titre, 3 and 4 of Depense, 5 and 6 of Recette, 7 and 8 of Solde.
    Q_INVOKABLE void COLORISER(QObject* sender);
    // The colour panel's answer (see ColorAccessoryViewController): on OK the colour goes into the
    // gradient its tag names, and is saved.
    Q_INVOKABLE void exitColorPanelWithCode(const QVariantMap& result);

    // ---- Table hooks.
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    void setHasSelection1(bool has) override;
    void didDoubleClick1(QObject* sender) override;
    QColor getPatColor1(int row) override;
    bool shouldAlignColumns() const override { return true; }
    bool canAdjustHeight() const override { return true; }
    bool can_imprimer() const override { return true; }
    long preferedOrientation() const override { return 1; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    bool canAddBorders() const override { return true; }
    bool canPrintImages() const override { return false; }
    QWidget* copyOfViewTete(QWidget* view) override;
    // On paper the header is the window's own box.
    QWidget* viewTete() override;

    // ---- Pie chart.
    Q_INVOKABLE void CAMEMBERT(QObject* sender);
    // kind 0 expenses, 1 income; a negative folder: every folder.
    Camembert newAnaCamembertData(int kind, long month, long dossierID) const;

    // ---- The synthesis grid of the figures of the moment.
    Q_INVOKABLE virtual void TABLEAU_SYNTHESE(QObject* sender) = 0;

    // ---- Currency and broadcasts.
    Q_INVOKABLE virtual void DEVISE(QObject* item);
    Q_INVOKABLE void COMPUTE_ANALYSE_NOTIFICATION();
    Q_INVOKABLE void notifyNewDay(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void newDevisePrincipale(const QVariant& slot, const QVariant& arg2) override;
    Q_INVOKABLE void notifyAnalyseRename(const QVariant& index, const QVariant& arg2);
    Q_INVOKABLE void notifyAnalyseDelete(const QVariant& name, const QVariant& arg2);
    Q_INVOKABLE void notifyAnalyseChange(const QVariant& index, const QVariant& arg2);

protected:
    // The figures are new: what was opened from the old ones goes.
    virtual void figuresRecomputed() { }
    void buildInterface(StdWindow& window) override;
    void didAwakeFromNib() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The row template of that kind ("ANALYSE_DOSSIER", "ANALYSE_POSTE", "ANALYSE_GLOBAL").
    CellAnalyseBudget& cellOfKind(int kind);
    // A new row template of that identifier: the window's own kind of cell.
    virtual std::unique_ptr<CellAnalyseBudget> makeCell(const QString& identifier) const;
    void reloadAll();
    DOCUMENT* document() const;
    // A new file built from the configuration for the document; null when it can't be built. A
    // period the layout can't hold is refused first, on this window, and this year taken instead.
    AnalyseFilePtr buildFile(AnalyseConfiguration conf);

private:
    QToolButton* makeButton(QWidget* parent, const QString& title, const QString& action);
    void fillFiltrage();
    void showComputeMode(bool automatic);
    QToolButton* makeExportButton(QWidget* parent);
    int numberOfRowsInTableView1Const() const;
    StdCell* fillClassicRow(StdTableView* table, int row);
    void showCellTexts(const CellTexts& cells, QLabel* const labels[7]) const;
    void leaveSynthese();
    void fillSyntheseRow(CellAnalyseBudget& cell, const LineSynthese& line, int row);
    bool clickOnDisclosure(const QPoint& viewportPoint);
    QToolButton* makeColourButton(QWidget* parent);
    // The flag of the document's parameters at that field; null without a document.
    bool* documentFlag(bool DOCPARAM::*field) const;
    // The gradient of the application parameters that colour item edits; null for another tag.
    Colorizator* storedColorizator(qint64 tag) const;
    void colorsChanged();

    bool m_canCamembert = false;
    bool m_canListing = false;
    AnalyseShowMode m_currentShowMode = AnalyseShowMode::Classic;
    AnalyseType m_analyseType = AnalyseType::Analyse;
    AnalyseFilePtr m_myAnaFile;
    AnalyseFilePtr m_oldAnaFile;
    long m_myAnaConfigIndex = 0;
    long m_myAnaMonth = 0;
    QList<long> m_lineClassicEntries;
    QList<LineSynthese> m_lineSyntheseEntries;
    PopPeriode* m_popPeriode = nullptr;
    PopAnalyse* m_popAnalyse = nullptr;
    PopAutoCompute* m_popupAuto = nullptr;
    QToolButton* m_popFiltrage = nullptr;
    QLabel* m_fieldConfiguration = nullptr;
    BoxAnalyseBudgetTete* m_tete = nullptr;
    std::unique_ptr<CellAnalyseBudget> m_cells[3];
};

// Opens a window of class C on the configuration of that name (the first one when none has it),
// at the month (the whole period when out of range) and, when given, the content frame as
// documents keep it (from the bottom-left corner of the main screen). Null when the analysis
// can't be built.
struct AnalyseWindowOpening {
    QString configurationName;
    long initialMonth = 0;
    std::optional<QRectF> frame;
    bool appear = true;
    AnalyseType type = AnalyseType::Analyse;
    // The month itself (year × 100 + month) when a memorised window knows it: it wins over the
    // place, which moves when the configuration's months start earlier.
    long initialPeriod = 0;
};
AnalyseFilePtr prepareAnalyseFile(DOCUMENT& doc, const AnalyseWindowOpening& opening);
void placeAnalyseWindow(FenAnalyseBudgetController* controller, const AnalyseWindowOpening& opening);

template <class C> C* openAnalyseWindow(DOCUMENT& doc, const AnalyseWindowOpening& opening)
{
    AnalyseFilePtr file = prepareAnalyseFile(doc, opening);
    if (!file)
        return nullptr;
    WindowDataPtr data = makeWindowData({{QStringLiteral("anaFile"), QVariant::fromValue(file)}});
    // A window given its place shows once there: moved after showing, the desktop may put it back.
    const bool placed = opening.frame && opening.frame->isValid();
    C* controller = StdWindowController::push<C>(data, MONTANT::currentDeviseSlot(), opening.appear && !placed);
    controller->setAnalyseType(opening.type);
    placeAnalyseWindow(controller, opening);
    return controller;
}

// Reopens the windows of that kind memorised in the document, in the order of their numbers. A
// record whose configuration no longer exists is dropped, with a line in the log.
QList<AnalyseWindowOpening> memorisedAnalyseOpenings(const DOCUMENT& doc, AnalyseType type);

template <class C> void reopenMemorisedAnalyses(DOCUMENT& doc, AnalyseType type)
{
    for (const AnalyseWindowOpening& opening : memorisedAnalyseOpenings(doc, type))
        openAnalyseWindow<C>(doc, opening);
}
