#pragma once
// The application object. It looks at the events first: a left mouse-up in a program window tells
// that window before the event goes on (so the end of a window drag is noticed), and every key
// typed in a field or a table is offered to the delegate first (the macro keys). It also turns the
// desktop's requests into the delegate's: the last window closing with no document open, the end
// of the session, the screens changing, and files handed over by a second launch of the program.
#include <QApplication>
#include <QPointer>

class ApplicationDelegate;
class QEvent;
class QLocalServer;
class QScreen;

class SorvApplication : public QApplication {
    Q_OBJECT
public:
    SorvApplication(int& argc, char** argv);
    ~SorvApplication() override;

    // Connects the delegate to the desktop's requests; null disconnects.
    void setDelegate(ApplicationDelegate* delegate);

    bool notify(QObject* receiver, QEvent* event) override;
    // What notify does before the event is dispatched: the left mouse-up goes to the receiver's
    // program window first.
    static void willDispatch(QObject* receiver, const QEvent* event);

    // Another launch of the program is running on this session: hands it the files and answers
    // true (this launch then ends). Otherwise starts listening for later launches and answers
    // false.
    bool handOverToRunningInstance(const QStringList& files);

private:
    void listenForLaterLaunches(const QString& channel);
    void readHandedFiles();
    void watchScreen(QScreen* screen);
    void screensChanged();

    QPointer<ApplicationDelegate> m_delegate;
    QLocalServer* m_server = nullptr;
    bool m_screenChangePending = false;
};

// The local channel through which a later launch hands its files to the running program: one per
// user and per display, in the user's private runtime folder (runtimefolder.h), which no other
// user can enter nor make first, and which no variable of the environment moves. Empty when the
// user has no such folder: the launch then runs on its own.
QString singleInstanceChannel();
// An X display as its server is reached: the host and the display number, the screen dropped, the
// local socket's forms (":42", "unix:42", "unix/:42", "host/unix:42") all given as ":42", so that
// one display spelt two ways is one channel. A host reached over the network keeps its name
// ("localhost:42" may be a forwarded display, not the local one). Anything that is no X display
// name comes back unchanged.
QString normalizedDisplayName(const QString& display);

// The delay before tool-tips show, in milliseconds; applied to every widget at once.
void applyToolTipDelay(int milliseconds);
int toolTipDelay();

// The program speaks French (France) whatever the machine's settings: day and month names, the
// decimal comma, and the texts of Qt's own dialogs and buttons (Qt's French translations). Done
// once by the application object, before any window exists; the window tests do it too.
void installProgramLocale();
// Before the application object exists: the machine's locale as Qt reads it from the environment
// (Qt's own file chooser shows its dates in it) is French too.
void prepareProgramLocale();
