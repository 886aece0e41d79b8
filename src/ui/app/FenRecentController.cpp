#include "app/FenRecentController.h"

#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "document/ICloudContainer.h"
#include "foundation/SystemClock.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

IDocumentOpener* g_opener = nullptr;
bool g_storageNoticeShown = false;

constexpr int kRefreshMs = 1000;
constexpr double kIndicatorSeconds = 8.0;
constexpr double kChercherDelay = 0.5;
constexpr double kDownloadWait = 10.0;

QPushButton* commandButton(const QString& title, const char* name, const char* action, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setObjectName(QString::fromLatin1(name));
    StdActionDispatcher::setAction(button, QString::fromLatin1(action));
    button->setAutoDefault(false);
    return button;
}

QToolButton* segmentButton(const QString& title, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(title);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(16, 16));
    button->setMinimumHeight(28);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return button;
}

// The segment images and the states of a cloud row; an image the program does not ship shows the
// style's nearest one.
QIcon segmentIcon(const QString& imageName)
{
    return QIcon(CellRecent::namedPixmap(imageName, 16));
}

} // namespace

FenRecentController::FenRecentController() = default;

FenRecentController::~FenRecentController()
{
    stop();
    forgetCloudDelegate();
}

void FenRecentController::setDocumentOpener(IDocumentOpener* opener)
{
    g_opener = opener;
}

IDocumentOpener* FenRecentController::documentOpener()
{
    return g_opener;
}

bool FenRecentController::storageNoticeShown()
{
    return g_storageNoticeShown;
}

void FenRecentController::setStorageNoticeShown(bool shown)
{
    g_storageNoticeShown = shown;
}

// ---------------------------------------------------------------------------------------------
// The window

void FenRecentController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenRecent"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenRecent_titre")));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(18, 16, 18, 16);
    layout->setSpacing(10);
    layout->addWidget(buildStorageBar(&window));

    m_noCloudNotice = new QLabel(localizedAppl(QStringLiteral("FenRecent_noCloud")), &window);
    m_noCloudNotice->setObjectName(QStringLiteral("text_no_cloud"));
    m_noCloudNotice->setWordWrap(true);
    m_noCloudNotice->setStyleSheet(
        QStringLiteral("QLabel { color: #4a4d57; background: #f1f2f6; "
                       "border: 1px solid #d9dbe3; border-radius: 4px; padding: 6px 8px; }"));
    layout->addWidget(m_noCloudNotice);

    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellRecent::kHeight);
    table->setMinimumWidth(540);
    table->setMinimumHeight(CellRecent::kHeight);
    table->setStyleSheet(QStringLiteral("StdTableView { border: 1px solid #c9ccd5; }"));
    layout->addWidget(table, 1);

    layout->addWidget(buildCreationBar(&window));
    layout->addWidget(buildCommandBar(&window));
    m_cell.getPopPlus()->stdMenu()->setDelegate(this);
}

QWidget* FenRecentController::buildStorageBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    auto* segmented = new QWidget(bar);
    segmented->setObjectName(QStringLiteral("segmented_control_icloud"));
    m_segmented = segmented;
    m_segmentICloud
        = segmentButton(localizedAppl(QStringLiteral("FenRecent_segment_icloud")), "segment_icloud", segmented);
    QToolButton* local
        = segmentButton(localizedAppl(QStringLiteral("FenRecent_segment_local")), "segment_local", segmented);
    local->setIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    m_segmentICloud->setIcon(segmentIcon(QStringLiteral("iCloud_logo")));
    // Both segments keep their whole title, enabled or not.
    const int width = std::max(m_segmentICloud->sizeHint().width(), local->sizeHint().width()) + 8;
    m_segmentICloud->setMinimumWidth(width);
    local->setMinimumWidth(width);
    m_segments = new QButtonGroup(segmented);
    m_segments->setExclusive(true);
    m_segments->addButton(m_segmentICloud, kFileSystemICloud);
    m_segments->addButton(local, kFileSystemLocal);
    connect(m_segments, &QButtonGroup::idClicked, this,
            [this, segmented](int) { perform(QStringLiteral("CHANGE_FILE_SYSTEM:"), segmented); });
    auto* segmentsLayout = new QHBoxLayout(segmented);
    segmentsLayout->setContentsMargins(0, 0, 0, 0);
    segmentsLayout->setSpacing(0);
    segmentsLayout->addWidget(m_segmentICloud);
    segmentsLayout->addWidget(local);

    m_globalIndicator = new QProgressBar(bar);
    m_globalIndicator->setObjectName(QStringLiteral("global_indicator"));
    m_globalIndicator->setRange(0, 0);
    m_globalIndicator->setTextVisible(false);
    m_globalIndicator->setFixedSize(110, 10);
    m_globalIndicator->hide();

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(segmented);
    layout->addStretch();
    layout->addWidget(m_globalIndicator);
    return bar;
}

QLineEdit* FenRecentController::textNouveau() const
{
    return m_textNouveau;
}

QWidget* FenRecentController::buildCreationBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    auto* label = new QLabel(localizedAppl(QStringLiteral("FenRecent_nouveau")), bar);
    m_textNouveau = new QLineEdit(bar);
    m_textNouveau->setObjectName(QStringLiteral("text_nouveau"));
    m_textNouveau->setPlaceholderText(localizedAppl(QStringLiteral("FenRecent_nouveau_placeholder")));
    m_buttonCreer = commandButton(localizedAppl(QStringLiteral("FenRecent_creer")), "button_creer", "CREER:", bar);
    m_buttonCreer->setEnabled(false);
    connect(m_textNouveau, &QLineEdit::textEdited, this, [this] { controlTextDidChange(); });
    connect(m_textNouveau, &QLineEdit::returnPressed, this, [this] {
        if (m_buttonCreer && m_buttonCreer->isEnabled())
            m_buttonCreer->click();
    });
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_textNouveau, 1);
    layout->addWidget(m_buttonCreer);
    return bar;
}

QWidget* FenRecentController::buildCommandBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    auto* chercher
        = commandButton(localizedAppl(QStringLiteral("FenRecent_chercher")), "button_chercher", "CHERCHER:", bar);
    auto* secours
        = commandButton(localizedAppl(QStringLiteral("FenRecent_secours")), "button_secours", "SECOURS:", bar);
    m_buttonOuvrir = commandButton(localizedAppl(QStringLiteral("FenRecent_ouvrir")), "button_ouvrir", "OUVRIR:", bar);
    m_buttonOuvrir->setEnabled(false);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chercher);
    layout->addWidget(secours);
    layout->addStretch();
    layout->addWidget(m_buttonOuvrir);
    return bar;
}

void FenRecentController::windowWillClose()
{
    stop();
    StdWindowWithTableController::windowWillClose();
    forgetCloudDelegate();
}

// The cloud layer outlives the browser: it must not report to a browser that has gone.
void FenRecentController::forgetCloudDelegate()
{
    iCloudDelegate& cloud = iCloudDelegate::sharedInstance();
    if (cloud.globalDelegate() == this)
        cloud.setGlobalDelegate(nullptr);
    if (SVMetadataQueryDelegate* query = cloud.query(); query && query->delegate() == this)
        query->setDelegate(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Life cycle and refresh

// A browser opened again after a document closed takes the cloud layer's news back.
void FenRecentController::start()
{
    window();
    iCloudDelegate& cloud = iCloudDelegate::sharedInstance();
    if (!cloud.globalDelegate())
        cloud.setGlobalDelegate(this);
    if (SVMetadataQueryDelegate* query = cloud.query(); query && !query->delegate())
        query->setDelegate(this);
    selectAppropriateSegment();
    if (selectedFileSystemTag() == kFileSystemICloud && SVWorkspaceManager::sharedInstance().nbRecent(0) == 0)
        startGlobalIndicator();
    update();
    if (m_globalTimer)
        m_globalTimer->invalidate();
    QPointer<FenRecentController> self(this);
    m_globalTimer = scheduledTimerWithTimeInterval(
        kRefreshMs / 1000.0,
        [self] {
            if (self)
                self->GLOBAL_TIMER_();
        },
        true);
}

void FenRecentController::stop()
{
    if (m_globalTimer)
        m_globalTimer->invalidate();
    m_globalTimer.reset();
}

void FenRecentController::update()
{
    if (selectedFileSystemTag() == kFileSystemLocal)
        SVWorkspaceManager::sharedInstance().loadRecentMacData();
    reloadList(false);
}

bool FenRecentController::isKey() const
{
    const StdWindow* shown = windowIfLoaded();
    return shown && shown->isVisible() && shown->isActiveWindow();
}

void FenRecentController::GLOBAL_TIMER_()
{
    if (!isKey())
        return;
    if (selectedFileSystemTag() == kFileSystemICloud) {
        updateICloudMetadata();
        return;
    }
    SVWorkspaceManager::sharedInstance().updateRecentMacData();
    reloadList(true);
}

// A document asked for is waited for ten seconds again before it is asked for anew: its waiting
// time starts over from now.
void FenRecentController::updateICloudMetadata()
{
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    for (long i = 0; i < workspace.nbRecent(kFileSystemICloud); ++i) {
        const RecentDocumentPtr document = workspace.documentAtIndex(i, kFileSystemICloud);
        document->updateStates();
        if (document->timeNotDownloaded() > kDownloadWait) {
            document->setTimeNotDownloaded(-1.0);
            document->setTimeNotDownloaded0(SystemClock::now());
            int error = 0;
            if (!cloudContainer().startDownloadingUbiquitousItem(document->url(), &error))
                svLog(QStringLiteral("iCloud download error %1 %2").arg(error).arg(document->name()));
        }
        if (selectedFileSystemTag() == kFileSystemICloud)
            smartReloadAtRow(int(i));
    }
}

void FenRecentController::smartReloadAtRow(int row)
{
    if (StdTableView* table = table1())
        table->reloadDataForRowIndexes({row});
}

void FenRecentController::startGlobalIndicator()
{
    if (!m_globalIndicator)
        return;
    m_globalIndicator->show();
    if (m_indicatorTimer)
        m_indicatorTimer->invalidate();
    QPointer<FenRecentController> self(this);
    m_indicatorTimer = scheduledTimerWithTimeInterval(
        kIndicatorSeconds,
        [self] {
            if (self)
                self->stopGlobalIndicator();
        },
        false);
}

void FenRecentController::stopGlobalIndicator()
{
    if (m_indicatorTimer)
        m_indicatorTimer->invalidate();
    m_indicatorTimer.reset();
    if (m_globalIndicator)
        m_globalIndicator->hide();
}

void FenRecentController::reloadList(bool keepSelection)
{
    if (StdTableView* table = table1()) {
        if (keepSelection)
            table->SMART_RELOAD();
        else
            table->reloadData();
    }
    updateButtons();
}

void FenRecentController::updateButtons()
{
    const RecentDocumentPtr document = selectedDocument();
    if (m_buttonOuvrir)
        m_buttonOuvrir->setEnabled(document && canOpenDocument(*document));
}

// ---------------------------------------------------------------------------------------------
// Storage

int FenRecentController::selectedFileSystemTag() const
{
    const int tag = m_segments ? m_segments->checkedId() : -1;
    return tag == kFileSystemICloud ? kFileSystemICloud : kFileSystemLocal;
}

bool FenRecentController::isSegmentICloudEnabled() const
{
    return m_segmentICloud && m_segmentICloud->isEnabled();
}

void FenRecentController::selectAppropriateSegment()
{
    window();
    m_segmented->show();
    if (!iCloudDelegate::sharedInstance().isICloudAvailable()) {
        setSegmentICloudEnabled(false);
        return;
    }
    setSegmentICloudEnabled(true);
    const int last = APPLIPARAM::loadAppliParam().lastFileSystemUsed;
    m_segments->button(last == kFileSystemICloud ? kFileSystemICloud : kFileSystemLocal)->setChecked(true);
}

void FenRecentController::setSegmentICloudEnabled(bool enabled)
{
    window();
    m_segmentICloud->setEnabled(enabled);
    m_segmentICloud->setIcon(segmentIcon(enabled ? QStringLiteral("iCloud_logo") : QStringLiteral("supprimer")));
    m_segments->button(enabled ? kFileSystemICloud : kFileSystemLocal)->setChecked(true);
    m_noCloudNotice->setVisible(!enabled);
}

void FenRecentController::CHANGE_FILE_SYSTEM(QObject* sender)
{
    if (!sender || sender != m_segmented)
        return;
    changeFileSystemTagTo(selectedFileSystemTag());
}

void FenRecentController::changeFileSystemTagTo(int fileSystemTag)
{
    if (QAbstractButton* segment = m_segments->button(fileSystemTag))
        segment->setChecked(true);
    APPLIPARAM::loadAppliParam().lastFileSystemUsed = selectedFileSystemTag();
    APPLIPARAM::saveAppliParam();
    update();
    adjustHeight(false);
    informIfEmptySpace();
}

void FenRecentController::informIfEmptySpace()
{
    const int tag = selectedFileSystemTag();
    if (SVWorkspaceManager::sharedInstance().nbRecent(tag) > 0 || g_storageNoticeShown)
        return;
    if (tag == kFileSystemICloud && iCloudDelegate::sharedInstance().rootUrl().isEmpty())
        return;
    g_storageNoticeShown = true;
    QPointer<FenRecentController> self(this);
    const QString page = tag == kFileSystemLocal ? QStringLiteral("ASSIST042") : QStringLiteral("ASSIST043");
    askPoursuivre(this, page, QString(), false, false, [self](long) {
        if (self)
            self->stopGlobalIndicator();
    });
}

// ---------------------------------------------------------------------------------------------
// Rows

int FenRecentController::numberOfRowsInTableView1(StdTableView*)
{
    return int(SVWorkspaceManager::sharedInstance().nbRecent(selectedFileSystemTag()));
}

RecentDocumentPtr FenRecentController::selectedDocument() const
{
    StdTableView* table = table1();
    const IndexSet rows = table ? table->selectedRowIndexes() : IndexSet();
    if (rows.empty())
        return nullptr;
    return SVWorkspaceManager::sharedInstance().documentAtIndex(*rows.begin(), selectedFileSystemTag());
}

bool FenRecentController::isDocumentBuzy(const RecentDocument& document) const
{
    if (document.buzy())
        return true;
    return document.fileSystemTag() == kFileSystemICloud && (document.downloading() || document.uploading());
}

bool FenRecentController::canOpenDocument(const RecentDocument& document) const
{
    if (isDocumentBuzy(document))
        return false;
    if (document.fileSystemTag() != kFileSystemICloud)
        return true;
    return document.downloaded() && (document.uploaded() || APPLIPARAM::loadAppliParam().acceptNotSynchro);
}

StdCell* FenRecentController::viewForTableColumn1(StdTableView* table, int row)
{
    const int tag = selectedFileSystemTag();
    const RecentDocumentPtr document = SVWorkspaceManager::sharedInstance().documentAtIndex(row, tag);
    if (!document)
        return nullptr;
    document->updateStates();
    const int other = tag == kFileSystemICloud ? kFileSystemLocal : kFileSystemICloud;
    CellRecentState state;
    state.row = row;
    state.fileSystemTag = tag;
    state.selected = table && table->isRowSelected(row);
    state.buzy = isDocumentBuzy(*document);
    state.canOpen = canOpenDocument(*document);
    state.canMove = !RecentDocument::theoricUrlForName(document->name(), other).isEmpty();
    m_cell.fill(*document, state);
    return &m_cell;
}

PopRecent* FenRecentController::popupForRow(int row)
{
    StdTableView* table = table1();
    if (!table || row < 0 || row >= table->numberOfRows() || !viewForTableColumn1(table, row))
        return nullptr;
    PopRecent* plus = m_cell.getPopPlus();
    plus->rebuild();
    return plus;
}

void FenRecentController::tableViewSelectionDidChange1()
{
    StdWindowWithTableController::tableViewSelectionDidChange1();
    updateButtons();
}

void FenRecentController::popMenuContextuelForTable(StdTableView*, int row, const QPoint& globalPoint)
{
    if (PopRecent* plus = popupForRow(row))
        plus->stdMenu()->popup(globalPoint);
}

// The row's "more" button is drawn, not a live widget: a click where it is drawn on the selected
// row opens its menu below it.
bool FenRecentController::clickInPopup(const QPoint& viewportPoint)
{
    StdTableView* table = table1();
    const int row = table ? table->rowAt(viewportPoint.y()) : -1;
    if (row < 0 || !table->isRowSelected(row))
        return false;
    const QRect rowRect = table->visualRect(table->model()->index(row, 0));
    PopRecent* plus = popupForRow(row);
    if (!plus)
        return false;
    const QRect button = m_cell.popupRectInRow(rowRect.size()).translated(rowRect.topLeft());
    if (!button.contains(viewportPoint))
        return false;
    plus->stdMenu()->popup(table->viewport()->mapToGlobal(button.bottomLeft()));
    return true;
}

bool FenRecentController::eventFilter(QObject* watched, QEvent* event)
{
    StdTableView* table = table1();
    if (table && watched == table->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && clickInPopup(mouse->position().toPoint()))
            return true;
    }
    return StdWindowWithTableController::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Opening and creating

void FenRecentController::didDoubleClick1(QObject* sender)
{
    OUVRIR(sender);
}

void FenRecentController::OUVRIR(QObject*)
{
    openRecentDocument(selectedDocument());
}

bool FenRecentController::openRecentDocument(const RecentDocumentPtr& document)
{
    if (!document || !canOpenDocument(*document))
        return false;
    g_storageNoticeShown = true;
    return g_opener && g_opener->openRecent(*document);
}

void FenRecentController::CREER(QObject*)
{
    if (m_textNouveau)
        createDocWithName(m_textNouveau->text(), selectedFileSystemTag());
}

bool FenRecentController::createDocWithName(const QString& name, int fileSystemTag)
{
    return m_actions.createDocWithName(name, fileSystemTag);
}

// A name that would make a hidden package is refused like one with a "/": the list would never
// show that document.
void FenRecentController::controlTextDidChange()
{
    if (!m_textNouveau || !m_buttonCreer)
        return;
    QString name = m_textNouveau->text();
    if (name.contains(u'/') || name.startsWith(u'.')) {
        UiHost::instance().desktop().beep();
        const int cursor = m_textNouveau->cursorPosition();
        const qsizetype before = name.size();
        name.remove(u'/');
        while (name.startsWith(u'.'))
            name.remove(0, 1);
        m_textNouveau->setText(name);
        m_textNouveau->setCursorPosition(std::max(0, cursor - int(before - name.size())));
    }
    m_buttonCreer->setEnabled(!name.isEmpty());
}

void FenRecentController::SUPPRIMER(QObject*)
{
    SUPPRIMER_WITH_CONFIRM(true);
}

bool FenRecentController::SUPPRIMER_WITH_CONFIRM(bool confirm)
{
    return m_actions.supprimer(confirm);
}

// ---------------------------------------------------------------------------------------------
// Renaming, duplicating, moving, copying

void FenRecentController::RENOMMER(QObject*)
{
    m_actions.renameOrDuplicate(false);
}

void FenRecentController::DUPLIQUER(QObject*)
{
    m_actions.renameOrDuplicate(true);
}

void FenRecentController::DEPLACER(QObject*)
{
    m_actions.deplacer();
}

void FenRecentController::ENREGISTRER_COPIE(QObject*)
{
    m_actions.enregistrerCopie();
}
QString FenRecentController::titleForMenuItemDeplacer() const
{
    return selectedFileSystemTag() == kFileSystemLocal ? localizedAppl(QStringLiteral("MENU_RECENT_DEPLACER_ICLOUD"))
                                                       : localizedAppl(QStringLiteral("MENU_RECENT_DEPLACER_MAC"));
}

void FenRecentController::SYNCHRONISER(QObject* sender)
{
    m_actions.synchroniser(long(StdMenu::tagOf(sender)));
}

void FenRecentController::SECOURS(QObject*)
{
    m_actions.secours();
}

// ---------------------------------------------------------------------------------------------
// Documents from elsewhere

void FenRecentController::CHERCHER(QObject*)
{
    QPointer<FenRecentController> self(this);
    HelperSVTimer::fireBlockAfterInterval(kChercherDelay, false, [self] {
        if (self)
            self->CHERCHER_WITH_DATA(QString());
    });
}

// A document is a folder package: the panel chooses folders, and only a document is taken in.
void FenRecentController::CHERCHER_WITH_DATA(const QString& startFolder)
{
    const QString path
        = runOpenPanel(localizedMisc(QStringLiteral("kMisc_OpenTitle")),
                       localizedMisc(QStringLiteral("kMisc_OpenPrompt")), true, {QStringLiteral("svd")}, startFolder);
    if (!path.isEmpty())
        importFromUrl(path);
}

void FenRecentController::importFromUrl(const QString& path)
{
    m_actions.importFromUrl(path);
}

// The cloud list is awaited only while it can still come: without a cloud, or once it has come
// (even empty), the request is handled at once instead of waiting for ever.
void FenRecentController::requestForPath(const QString& path)
{
    if (SVWorkspaceManager::sharedInstance().nbRecent(kFileSystemICloud) > 0 || m_iCloudListArrived
        || !isSegmentICloudEnabled())
        handleRequestForPath(path);
    else
        m_requestedPath = path;
}

void FenRecentController::handleRequestForPath(const QString& path)
{
    m_actions.handleRequestForPath(path);
}

bool FenRecentController::GOTO_NAME(const QString& name)
{
    const int tag = selectedFileSystemTag();
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    for (long i = 0; i < workspace.nbRecent(tag); ++i) {
        if (documentNameFromURL(workspace.documentAtIndex(i, tag)->url()) == name) {
            table1()->GO(int(i));
            updateButtons();
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// The cloud layer's news

void FenRecentController::updateMacMetadata(const QList<SVMetadataItem>& items)
{
    if (items.isEmpty())
        return;
    SVWorkspaceManager::sharedInstance().updateMacMetadata(items);
    reloadList(true);
}

void FenRecentController::didReceiveDocumentsList(const QList<SVMetadataItem>& items, int fileSystemTag)
{
    stopGlobalIndicator();
    if (fileSystemTag == kFileSystemICloud) {
        m_iCloudListArrived = true;
        SVWorkspaceManager::sharedInstance().addRecentList(items, kFileSystemICloud, true);
        reloadList(true);
        if (items.isEmpty() && selectedFileSystemTag() == kFileSystemICloud)
            startGlobalIndicator();
        if (!m_requestedPath.isEmpty()) {
            const QString path = m_requestedPath;
            m_requestedPath.clear();
            handleRequestForPath(path);
        }
    } else {
        updateMacMetadata(items);
    }
    informIfEmptySpace();
    adjustHeight(false);
}

void FenRecentController::didReceiveAddedItems(const QList<SVMetadataItem>& items, int fileSystemTag)
{
    if (fileSystemTag != kFileSystemICloud) {
        updateMacMetadata(items);
        return;
    }
    SVWorkspaceManager::sharedInstance().addRecentList(items, kFileSystemICloud, false);
    reloadList(true);
}

void FenRecentController::didReceiveChangedItems(const QList<SVMetadataItem>& items, int fileSystemTag)
{
    if (fileSystemTag != kFileSystemICloud) {
        updateMacMetadata(items);
        return;
    }
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    for (const SVMetadataItem& item : items) {
        long index = 0;
        if (workspace.findElementNamed(documentNameFromURL(item.displayName), &index, kFileSystemICloud))
            workspace.documentAtIndex(index, kFileSystemICloud)->updateStates();
    }
    reloadList(true);
}

void FenRecentController::didReceiveRemovedItems(const QList<SVMetadataItem>& items, int fileSystemTag)
{
    if (fileSystemTag != kFileSystemICloud) {
        updateMacMetadata(items);
        return;
    }
    SVWorkspaceManager::sharedInstance().removeRecentList(items, kFileSystemICloud);
    reloadList(false);
}

void FenRecentController::IHMReactioniCloudIdentityChanged(int code)
{
    if (code == kIdentitySameBack || code == kIdentityFirst || code == kIdentityOther)
        setSegmentICloudEnabled(true);
    else if (code == kIdentitySignedOut)
        setSegmentICloudEnabled(false);
    else
        return;
    update();
}

void FenRecentController::iCloudIdentityChanged(const QVariantMap& record)
{
    const int code = record.value(QStringLiteral("num_code")).toInt();
    IHMReactioniCloudIdentityChanged(code);
    m_actions.identityChanged(code, record.value(QStringLiteral("cache_url")).toString());
}
