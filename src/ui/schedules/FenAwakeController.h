#pragma once
// The occurrences of scheduled transactions that have come due, as the due pass found them. For
// each the user chooses to write it, to defer it to a later pass or to write it as cancelled;
// then one command writes the list, one occurrence per tick of the scheduler so that the list
// shows its progress, and a last alert tells what was done.
//
// The pass owns the list while it runs: the row and list commands are disabled. It can be
// stopped between two occurrences (Cancel), which writes nothing more and closes the window
// with 0; an occurrence is written whole within one tick, so a stopped or failed pass leaves
// none half-written. The windows are told once, after the last transaction written, whether the
// pass ran to its end, was stopped or its last write failed.
#include "engines/AWAKE.h"
#include "schedules/CellAwake.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QMetaType>
#include <QPointer>

#include <memory>

class DOCUMENT;
class QPushButton;
class StdPopUp;
class SVTimer;

// The window data under "list": the caller's occurrences, whose statuses the window sets, and
// their document. Under "info": the label of every transaction written, when not empty.
struct AwakeWindowInput {
    AwakeList* list = nullptr;
    DOCUMENT* doc = nullptr;
};
Q_DECLARE_METATYPE(AwakeWindowInput)

// What the window sets besides kAwakeWrite and kAwakeWriteCancelled.
inline constexpr long kAwakeDefer = 1;
inline constexpr long kAwakeWritten = 3;
inline constexpr long kAwakeCancelled = 4;

// Runs the window application-modally on the list and answers its result: 1 after the pass,
// 0 when the user cancelled before it or stopped it.
int showAwakeList(AwakeList& list, DOCUMENT* doc, const QString& info);

class FenAwakeController : public StdWindowWithTableController {
    Q_OBJECT
public:
    static constexpr double kReadyDelay = 0.5;
    static constexpr double kStepInterval = 0.1;

    enum class LocalCommand { Differer, Valider, Annuler, Ecrire };
    // Whether the row command applies to an occurrence of that status; none does to a written or
    // cancelled one.
    static bool localCommandEnabled(LocalCommand command, long status);

    FenAwakeController();
    ~FenAwakeController() override;

    Q_INVOKABLE void TOUT_VALIDER(QObject* sender);
    Q_INVOKABLE void TOUT_DIFFERER(QObject* sender);
    Q_INVOKABLE void TOUT_ANNULER(QObject* sender);
    Q_INVOKABLE void LOCAL_DIFFERER(QObject* sender);
    Q_INVOKABLE void LOCAL_VALIDER(QObject* sender);
    Q_INVOKABLE void LOCAL_ANNULER(QObject* sender);
    Q_INVOKABLE void LOCAL_ECRIRE(QObject* sender);
    // Before the pass, starts it; after it, closes the window with 1.
    void OUI(QObject* sender) override;
    // Before the pass, closes the window with 0, leaving every occurrence due; during it, stops
    // it after the occurrence being written.
    void NON(QObject* sender) override;

    // The pass: its start, one tick, and its end.
    void AWAKE();
    void AWAKE_();
    void willAwakeDocument();
    void didAwakeDocument();

    bool isBuzy() const { return m_isBuzy; }
    bool passDone() const { return m_state == PassState::Done; }
    bool passRunning() const { return m_state == PassState::Running; }
    long awakeCount() const { return m_awakeCount; }
    const AwakeList& items() const;

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    void tableViewSelectionDidChange1() override;
    void tableDidReloadData(StdTableView* table) override;
    // Return starts the pass, or closes the window after it, once the window is ready.
    bool didKeyDown(QObject* sender, int key) override;
    bool didKeyDown(StdTableView* table, int key) override;
    void didAwakeFromNib() override;
    void willAwakeFromNib() override;
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    enum class PassState { Choosing, Running, Done };

    AwakeList* list() const;
    DOCUMENT* document() const;
    QString info() const;
    long selectedItem() const;
    void setAllStatuses(long status);
    void setStatusesOfSchedule(long from, long status);
    void reloadKeepingSelection();
    void UPDATE_PB_();
    void writeItem(long index);
    bool isLastToWrite(long index) const;
    void endPass();
    void stopPass();
    void tellWindowsOnce();
    void placeLocalPopUp();
    void askFinalQuestion();

    CellAwake m_cell;
    QPushButton* but_OK = nullptr;
    QPushButton* but_Undo = nullptr;
    StdPopUp* pop_action = nullptr;
    QPointer<QWidget> m_localHolder; // the row pop-up over the selected row
    std::shared_ptr<SVTimer> m_timer;
    PassState m_state = PassState::Choosing;
    long m_awakeIndex = 0;
    long m_awakeCount = 0;
    long m_lastStored = -1; // position of the last transaction the pass wrote
    bool m_windowsTold = false;
    bool m_isBuzy = true;
};
