#pragma once
// The document browser: the program's home screen while no document is open. It lists the
// documents of one storage at a time (the cloud container, tag 0, or the Documents folder of this
// computer, tag 1), each with its size and, in the cloud, its transfer states, refreshed every
// second while the window is key. From it the user opens, creates, renames, duplicates, deletes,
// moves between the storages and copies documents, and takes in a document file from elsewhere.
//
// The lists belong to the workspace (SVWorkspaceManager); the browser only asks it and redraws.
// Opening and creating go through the application (IDocumentOpener), which closes the browser
// once a document is open. The browser is also the receiver of the cloud layer's news: the
// document lists of its metadata query and the changes of the user's cloud identity. This
// platform has no cloud container, so the cloud segment stays disabled and a notice says so.
#include "app/CellRecent.h"
#include "app/RecentDocumentActions.h"
#include "document/ICloudDelegate.h"
#include "document/SVWorkspaceManager.h"
#include "toolkit/host/HelperSVTimer.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

// What the browser asks of the application.
class IDocumentOpener {
public:
    virtual ~IDocumentOpener() = default;
    // Opens the listed document (its package and storage); true when it is open.
    virtual bool openRecent(const RecentDocument& document) = 0;
    // Creates and opens a new document in the package folder just made at url (its
    // "Contents/Resources" made too), in the storage of the tag; true when it is open.
    virtual bool createDocument(const QString& url, int fileSystemTag) = 0;
};

class FenRecentController : public StdWindowWithTableController, public ICloudGlobalDelegate {
    Q_OBJECT
public:
    FenRecentController();
    ~FenRecentController() override;

    // The application, which opens and creates the documents; installed once at start-up.
    static void setDocumentOpener(IDocumentOpener* opener);
    static IDocumentOpener* documentOpener();
    // Set once the empty-storage notice has been shown, or a document opened from the browser:
    // the notice is then not shown again in this run.
    static bool storageNoticeShown();
    static void setStorageNoticeShown(bool shown);

    // ---- Life cycle and refresh.

    // Chooses the storage, shows its list and starts the refresh.
    void start();
    void stop();
    // Lists the selected storage again (rescanning the local folder) and redraws.
    void update();
    // The refresh, every second, only while the window is key.
    void GLOBAL_TIMER_();
    // Reads the transfer states of every cloud document and asks for the download of those that
    // have waited more than ten seconds.
    void updateICloudMetadata();
    void smartReloadAtRow(int row);
    // Shows the indicator while the cloud list is awaited, for eight seconds at most.
    void startGlobalIndicator();

    // ---- Storage.

    int selectedFileSystemTag() const;
    bool isSegmentICloudEnabled() const;
    void selectAppropriateSegment();
    void setSegmentICloudEnabled(bool enabled);
    // Selects the storage, remembers it in the application parameters (saved at once) and lists it.
    void changeFileSystemTagTo(int fileSystemTag);
    Q_INVOKABLE void CHANGE_FILE_SYSTEM(QObject* sender);
    // The notice shown once when the selected storage holds no document.
    void informIfEmptySpace();

    // ---- Documents.

    // The document of the selected row in the selected storage, or none.
    RecentDocumentPtr selectedDocument() const;
    Q_INVOKABLE void OUVRIR(QObject* sender);
    bool openRecentDocument(const RecentDocumentPtr& document);
    Q_INVOKABLE void CREER(QObject* sender);
    bool createDocWithName(const QString& name, int fileSystemTag);
    // The new document's name was edited: no "/" (nor a leading ".") stays in it.
    void controlTextDidChange();
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    bool SUPPRIMER_WITH_CONFIRM(bool confirm);
    Q_INVOKABLE void RENOMMER(QObject* sender);
    Q_INVOKABLE void DUPLIQUER(QObject* sender);
    Q_INVOKABLE void DEPLACER(QObject* sender);
    Q_INVOKABLE void ENREGISTRER_COPIE(QObject* sender);
    Q_INVOKABLE void SYNCHRONISER(QObject* sender);
    // Asks, half a second later, for a document file to take in.
    Q_INVOKABLE void CHERCHER(QObject* sender);
    void CHERCHER_WITH_DATA(const QString& startFolder);
    // Copies the document at path into the selected storage.
    void importFromUrl(const QString& path);
    // A document the desktop asked to open; held until the cloud list has arrived when that
    // list is still awaited.
    void requestForPath(const QString& path);
    QString requestedPath() const { return m_requestedPath; }
    void handleRequestForPath(const QString& path);
    // Selects the document of that name in the selected storage; false when there is none.
    bool GOTO_NAME(const QString& name);
    // Shows the automatic backups' folder.
    Q_INVOKABLE void SECOURS(QObject* sender);
    QString titleForMenuItemDeplacer() const;
    bool isDocumentBuzy(const RecentDocument& document) const;
    bool canOpenDocument(const RecentDocument& document) const;
    // The pop-up of the row's commands, set for that row.
    PopRecent* popupForRow(int row);
    // Redraws the list, keeping the selected row or not.
    void reloadList(bool keepSelection);
    RecentDocumentActions& actions() { return m_actions; }
    // The new document's name field; null until the window is built.
    QLineEdit* textNouveau() const;

    // ---- The cloud layer's news.

    void didReceiveDocumentsList(const QList<SVMetadataItem>& items, int fileSystemTag) override;
    void didReceiveAddedItems(const QList<SVMetadataItem>& items, int fileSystemTag) override;
    void didReceiveChangedItems(const QList<SVMetadataItem>& items, int fileSystemTag) override;
    void didReceiveRemovedItems(const QList<SVMetadataItem>& items, int fileSystemTag) override;
    void iCloudIdentityChanged(const QVariantMap& record) override;
    void IHMReactioniCloudIdentityChanged(int code);
    void updateMacMetadata(const QList<SVMetadataItem>& items);

    // ---- The list.

    long minimumOfVisibleRows() const override { return 5; }
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    void didDoubleClick1(QObject* sender) override;
    void tableViewSelectionDidChange1() override;
    void popMenuContextuelForTable(StdTableView* table, int row, const QPoint& globalPoint) override;

protected:
    void buildInterface(StdWindow& window) override;
    void windowWillClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildStorageBar(QWidget* parent);
    QWidget* buildCreationBar(QWidget* parent);
    QWidget* buildCommandBar(QWidget* parent);
    void stopGlobalIndicator();
    void updateButtons();
    bool isKey() const;
    bool clickInPopup(const QPoint& viewportPoint);
    void forgetCloudDelegate();

    QPointer<QWidget> m_segmented;
    QPointer<QButtonGroup> m_segments;
    QPointer<QToolButton> m_segmentICloud;
    QPointer<QLabel> m_noCloudNotice;
    QPointer<QProgressBar> m_globalIndicator;
    QPointer<QLineEdit> m_textNouveau;
    QPointer<QPushButton> m_buttonCreer;
    QPointer<QPushButton> m_buttonOuvrir;
    CellRecent m_cell;
    RecentDocumentActions m_actions {*this};

    QString m_requestedPath;
    bool m_iCloudListArrived = false;
    std::shared_ptr<SVTimer> m_globalTimer;
    std::shared_ptr<SVTimer> m_indicatorTimer;
};
