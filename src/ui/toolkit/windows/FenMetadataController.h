#pragma once
// The details palette: a small floating list of the items added up into one figure of a list or
// an analysis (transactions, schedule occurrences, forecast occurrences), grouped under a header
// line per schedule, per forecast and for the transactions nothing planned. The window that
// opens it (openPaletteWithMetadataArray) hands it its document and fills it; a double click
// opens, through the application's doors, the item's transaction in the entry window, or its
// schedule or forecast in its editor.
//
// Items name their transaction, schedule or forecast by position in the document's lists, and a
// schedule or forecast by its ident too: a transaction outside its list, or a schedule or
// forecast of an ident the document no longer has, shows and opens nothing.
#include "toolkit/tables/CellMetadata.h"

#include "engines/AnalyseMetadata.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QPointer>

class DOCUMENT;
class QLabel;

// The kinds of rows of the palette; the value is the row's colour index.
enum class MetadataRow {
    EcheancierChapeau = 0,
    Echeancier = 1,
    EcheancierTrans = 2,
    PrevisionChapeau = 3,
    Prevision = 4,
    PrevisionTrans = 5,
    TransChapeau = 6,
    Trans = 7,
};

class FenMetadataController : public StdWindowWithTableController {
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 48;
    static constexpr int kOccurrenceHeight = 62;

    // The document the items' positions refer to; the palette shows nothing without one.
    void setDocument(DOCUMENT* doc) { m_doc = doc; }
    const DOCUMENT* document() const { return m_doc; }
    const AnalyseMetadataList& organizedArray() const { return m_organizedArray; }

    // Replaces the rows by the items, grouped, and fits the palette's height to them.
    void fillWithMetadataArray(const AnalyseMetadataList& items);
    // The grouping: source sorted by date in place, then per schedule a header and its occurrences
    // each followed by its transactions, the same per forecast, then the unplanned transactions
    // under their header. Items that fit no group are left out.
    static void organiseArray(AnalyseMetadataList& destination, AnalyseMetadataList& source, const DOCUMENT& doc);
    static bool findIdentInArray(long ident, const QList<long>& array);
    // The item's position in the document's list today: a schedule or forecast is confirmed by
    // its ident, and found again by it when it moved; -1 when it is not in the document.
    static long storedIndex(const AnalyseMetadata& item, const DOCUMENT& doc);
    static QString budgetShiftToString(long budgetShift, int budgetShiftReference);
    static MetadataRow rowKind(const AnalyseMetadata& item);
    static int heightOfRow(MetadataRow kind);

    // Opens the selected row's transaction in the entry window.
    Q_INVOKABLE void OUVRIR(QObject* sender);
    void didDoubleClick1(QObject* sender) override;

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    double computeTotalHeightForTable1() override;
    QColor getPatColor1(int row) override;
    QColor selectedControlColor() const override;
    double parityDarknessAtRow1(int /*row*/) override { return 0.0; }
    bool isRowPair(StdTableView* /*table*/, int /*row*/) override { return true; }
    bool animatesWhenAppear() const override { return false; }
    void tableDidReloadData(StdTableView* table) override;
    void windowWillClose() override;

    QLabel* fieldNom() const { return m_fieldNom; }
    QLabel* fieldDate() const { return m_fieldDate; }
    QLabel* imageType() const { return m_imageType; }

protected:
    void buildInterface(StdWindow& window) override;
    // The header of the palette; nothing in the base.
    virtual void fillTitle() { }

private:
    void fillOccurrence(const AnalyseMetadata& item, MetadataRow kind);
    void fillChapeau(const AnalyseMetadata& item, MetadataRow kind);
    void fillAmounts(const MONTANT& debit, const MONTANT& credit);
    void openItem(const AnalyseMetadata& item);
    // The item in its window; false when it stands for nothing that opens.
    bool openStoredItem(const AnalyseMetadata& item);
    bool openEcheanciersWindow();

    DOCUMENT* m_doc = nullptr;
    AnalyseMetadataList m_organizedArray;
    CellMetadata m_cell;
    QPointer<QLabel> m_fieldNom;
    QPointer<QLabel> m_fieldDate;
    QPointer<QLabel> m_imageType;
};
