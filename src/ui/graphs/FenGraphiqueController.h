#pragma once
// A computed graph in its window: the picture above a table of the opening balance and of every
// period with its total and running balance. The window owns its graph file. In automatic
// computation it recomputes on every change of transactions, schedules, forecasts or rules; in
// manual computation only when asked. It closes when the account or category it follows is
// deleted, shows another currency without recomputing, changes its drawing format, copies the
// picture as PDF and PNG, lists the transactions of a period, prints the picture and then, when
// asked, the table, and writes itself into the document's "graphs" folder when the document's
// windows are memorised.
// Window data: "graphfile" (the GRAPHFILE shown).
#include "graphs/CellGraphique.h"
#include "toolkit/print/PrintViewWithView.h"
#include "toolkit/print/drawingcopy.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include "model/GRAPH.h"

class DOCUMENT;
class PopAutoCompute;
class ViewGraphique;

Q_DECLARE_METATYPE(GRAPHFILE)

class FenGraphiqueController : public StdWindowWithTableController, public PrintViewDelegate {
    Q_OBJECT
public:
    GRAPHFILE& graph_file() { return m_file; }
    const GRAPHFILE& graph_file() const { return m_file; }
    ViewGraphique* view_graphique() const { return m_view; }
    PopAutoCompute* popup_auto() const { return m_popupAuto; }
    bool during_print_list() const { return m_duringPrintList; }

    void didAwakeFromNib() override;
    void windowWillClose() override;

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    void tableViewSelectionDidChange1() override;
    void didDoubleClick1(QObject* sender) override;
    bool canAdjustHeight() const override { return false; }
    bool shouldAlignColumns() const override { return true; }

    void RECOMPUTE();
    Q_INVOKABLE void AUTOCOMPUTE(QObject* sender);
    Q_INVOKABLE bool getPreferenceAutoCompute() const;
    void savePreferenceAutoCompute(bool automatic);
    Q_INVOKABLE void DEVISE(QObject* item);
    Q_INVOKABLE void FORMAT(QObject* sender);
    Q_INVOKABLE void copy(QObject* sender);
    // Keeps the window's graph and frame as "graph<number>.xml" in the package a save is writing.
    Q_INVOKABLE void MEMORISE(const QVariant& number, const QString& package);
    Q_INVOKABLE void IMPRIMER(QObject* sender) override;

    bool can_imprimer() const override { return true; }
    bool canCopySomething() const override { return true; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    bool canAddBorders() const override { return true; }
    bool canPrintImages() const override { return false; }
    const QMetaObject* classForPrinting() const override;
    void printTheView(QPainter& painter, const QRectF& rect, PrintOperation& operation) override;
    // The printed title block shows the graph's own title, not the window's.
    void paintPrintTitre() override;

    Q_INVOKABLE void DID_CHANGE_TRANSACT();
    Q_INVOKABLE void DID_CREATE_CHRONO();
    Q_INVOKABLE void DID_DELETE_CHRONO();
    Q_INVOKABLE void DID_APPLY_REGLE();
    Q_INVOKABLE void chronoDidChange(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void willDeleteCompte(const QVariant& compteID, const QVariant& arg2);
    Q_INVOKABLE void notifyPosteDeleted(const QVariant& posteID, const QVariant& arg2);

protected:
    void buildInterface(StdWindow& window) override;

private:
    void showComputeMode(bool automatic);
    void computeOnChange();
    void redraw();
    QString periodName(const DATAGRAPH& point) const;
    // The table keeps room for its rows' whole figures in the currency shown: the widest period
    // of the graph's kind and the largest amount.
    void makeRoomForFigures();

    GRAPHFILE m_file;
    ViewGraphique* m_view = nullptr;
    PopAutoCompute* m_popupAuto = nullptr;
    QLabel* m_printTitle = nullptr;
    CellGraphique m_cell;
    bool m_duringPrintList = false;
    bool m_spanRefused = false; // told once that its span is too long to compute
};

// Sets up the current graph (from the last saved definition chosen with useLast, else the
// defaults following the given entity), runs the graph editor on it and, on OK, computes the
// graph and opens its window. Null when the editor was cancelled.
FenGraphiqueController* openGraphiqueWindow(StdWindowController* parent, bool useLast, int mode, long ident,
                                            DOCUMENT& doc, long devise);
// Opens a window on every graph memorised in the document's "graphs" folder, at its frame, with
// its points as stored. Files that can't be read, or are larger than 999,999 bytes, are skipped.
void reopenGraphiquesOfDocument(DOCUMENT& doc);
