#include "SorvApplication.h"

#include "app/ApplicationDelegate.h"
#include "toolkit/windows/StdWindow.h"

#include "foundation/localized.h"
#include "foundation/runtimefolder.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLocale>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>

#include <climits>
#include <clocale>
#include <memory>

namespace {

int g_toolTipDelay = 1000;
constexpr int kHandOverTimeoutMs = 2000;

// The tool-tip delay of every widget comes from here.
class SorvStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return g_toolTipDelay;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

QString singleInstanceChannel()
{
    const QString folder = userRuntimeFolder();
    if (folder.isEmpty())
        return {};
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = normalizedDisplayName(qEnvironmentVariable("DISPLAY"));
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    QString name = QStringLiteral("instance");
    if (!display.isEmpty())
        name += QLatin1Char('-') + display;
    return folder + QLatin1Char('/') + name;
}

// Read as the X client library reads it: "[protocol/][host]:number[.screen]", each separator the
// last of its kind.
QString normalizedDisplayName(const QString& display)
{
    const qsizetype slash = display.lastIndexOf(QLatin1Char('/'));
    const QString protocol = slash >= 0 ? display.left(slash) : QString();
    const QString rest = display.mid(slash + 1);
    const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return display;
    static const QRegularExpression numberAndScreen(QStringLiteral("^([0-9]+)(\\.[0-9]+)?$"));
    const QRegularExpressionMatch match = numberAndScreen.match(rest.mid(colon + 1));
    bool numbered = match.hasMatch();
    const uint number = numbered ? match.captured(1).toUInt(&numbered) : 0;
    if (!numbered)
        return display;
    const QString host = rest.left(colon);
    const bool localSocket = protocol == QLatin1String("unix") || host.isEmpty() || host == QLatin1String("unix");
    return (localSocket ? QString() : host) + QLatin1Char(':') + QString::number(number);
}

void applyToolTipDelay(int milliseconds)
{
    g_toolTipDelay = milliseconds;
}

int toolTipDelay()
{
    return g_toolTipDelay;
}

namespace {

// Qt's French translations leave out the kinds its file chooser lists files by: the program
// gives them from its own table.
class QtTextsOfTheProgram : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static const std::pair<const char*, const char*> kinds[] = {
            {"Drive", "kMisc_QtDrive"},
            {"Folder", "kMisc_QtFolder"},
            {"Shortcut", "kMisc_QtShortcut"},
            {"Unknown", "kMisc_QtUnknown"},
        };
        for (const auto& [english, key] : kinds) {
            if (qstrcmp(sourceText, english) == 0)
                return localizedMisc(QString::fromLatin1(key));
        }
        return {};
    }
};

const QLocale kFrench(QLocale::French, QLocale::France);

} // namespace

void prepareProgramLocale()
{
    qputenv("LC_ALL", kFrench.name().toLatin1() + ".UTF-8");
}

void installProgramLocale()
{
    QLocale::setDefault(kFrench);
    // Numbers read and written by the libraries the files go through never take a decimal comma.
    std::setlocale(LC_NUMERIC, "C");
    static bool installed = false;
    if (installed || !QCoreApplication::instance())
        return;
    installed = true;
    QCoreApplication::installTranslator(new QtTextsOfTheProgram(QCoreApplication::instance()));
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(kFrench, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        // Qt's own dialogs then speak English: the program still works.
        qInfo("Qt's French texts are not installed in %s", qPrintable(folder));
        return;
    }
    QCoreApplication::installTranslator(translator.release());
}

SorvApplication::SorvApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Sorvanta"));
    setApplicationName(QStringLiteral("Sorvanta"));
    setStyle(new SorvStyle);
    installProgramLocale();
    // The document browser is the home screen: closing the last window must not end the program
    // while a document is open (the main timer puts a window back).
    setQuitOnLastWindowClosed(false);
    connect(this, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        screensChanged();
    });
    connect(this, &QGuiApplication::screenRemoved, this, &SorvApplication::screensChanged);
    connect(this, &QGuiApplication::primaryScreenChanged, this, &SorvApplication::screensChanged);
    for (QScreen* screen : screens())
        watchScreen(screen);
}

void SorvApplication::watchScreen(QScreen* screen)
{
    connect(screen, &QScreen::availableGeometryChanged, this, &SorvApplication::screensChanged);
}

SorvApplication::~SorvApplication() = default;

void SorvApplication::setDelegate(ApplicationDelegate* delegate)
{
    if (m_delegate)
        disconnect(this, nullptr, m_delegate, nullptr);
    m_delegate = delegate;
    if (!delegate) {
        setKeyDownInterceptor({});
        return;
    }
    setKeyDownInterceptor([this](QKeyEvent* event) { return m_delegate && m_delegate->interceptKeyDownEvent(event); });
    // Without a document and without its browser there is nothing left to do: quit as asked.
    connect(this, &QGuiApplication::lastWindowClosed, delegate, [delegate] {
        if (!delegate->bankIsOpen() && !delegate->duringCloseDocument())
            delegate->terminate();
    });
    connect(this, &QGuiApplication::commitDataRequest, delegate, [delegate](QSessionManager& manager) {
        if (delegate->applicationShouldTerminate() == 0)
            manager.cancel();
    });
}

bool SorvApplication::notify(QObject* receiver, QEvent* event)
{
    willDispatch(receiver, event);
    return QApplication::notify(receiver, event);
}

void SorvApplication::willDispatch(QObject* receiver, const QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease
        || static_cast<const QMouseEvent*>(event)->button() != Qt::LeftButton)
        return;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (auto* window = widget ? qobject_cast<StdWindow*>(widget->window()) : nullptr)
        window->didMouseUp();
}

// One arrangement change often comes as several notices: the windows hear of it once.
void SorvApplication::screensChanged()
{
    if (m_screenChangePending)
        return;
    m_screenChangePending = true;
    QTimer::singleShot(0, this, [this] {
        m_screenChangePending = false;
        if (m_delegate)
            m_delegate->applicationDidChangeScreenParameters();
    });
}

// =============================================================================================
// Later launches

bool SorvApplication::handOverToRunningInstance(const QStringList& files)
{
    const QString channel = singleInstanceChannel();
    // Without a private folder no channel is safe: this launch runs on its own, the marks still
    // keeping each document to one copy.
    if (channel.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (socket.waitForConnected(kHandOverTimeoutMs)) {
        QByteArray message;
        QDataStream stream(&message, QIODevice::WriteOnly);
        stream << files;
        socket.write(message);
        socket.waitForBytesWritten(kHandOverTimeoutMs);
        socket.disconnectFromServer();
        return true;
    }
    listenForLaterLaunches(channel);
    return false;
}

void SorvApplication::listenForLaterLaunches(const QString& channel)
{
    m_server = new QLocalServer(this);
    // A channel left by a program that ended abruptly would refuse the new one.
    QLocalServer::removeServer(channel);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(channel))
        return;
    connect(m_server, &QLocalServer::newConnection, this, &SorvApplication::readHandedFiles);
}

void SorvApplication::readHandedFiles()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readChannelFinished, this, [this, socket] {
            QStringList files;
            const QByteArray message = socket->readAll();
            QDataStream stream(message);
            stream >> files;
            for (const QString& file : files) {
                if (m_delegate)
                    m_delegate->openFile(file);
            }
        });
    }
}
