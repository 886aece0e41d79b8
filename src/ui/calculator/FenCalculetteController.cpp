#include "calculator/FenCalculetteController.h"

#include "calculator/CalculatorParser.h"
#include "calculator/ViewConsole.h"
#include "document/DocContext.h"
#include "document/HelperSVLibraryFolder.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/windows/windowutils.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Lines of a program run between two looks at the interruption key, and the pause between two
// steps that lets the key in.
constexpr int kProgrammeLinesPerStep = 20;
constexpr int kProgrammeStepDelayMs = 1;

QPointer<FenCalculetteController>& freeWindow()
{
    static QPointer<FenCalculetteController> window;
    return window;
}

const DeviseList& documentDevises()
{
    static const DeviseList none;
    const DOCUMENT* doc = currentDocument();
    return doc ? doc->deviseHdl : none;
}

} // namespace

FenCalculetteController::FenCalculetteController() = default;

FenCalculetteController::~FenCalculetteController()
{
    if (m_programmeStep)
        UiHost::instance().scheduler().cancel(m_programmeStep);
}

FenCalculetteController* FenCalculetteController::openCalculette(long devise, bool appear)
{
    QPointer<FenCalculetteController>& window = freeWindow();
    if (stillOpen(window.data()) && window->windowIfLoaded()) {
        if (appear)
            showWindowOfController(window->window());
        return window;
    }
    window = StdWindowController::push<FenCalculetteController>(nullptr, devise, appear);
    return window;
}

FenCalculetteController* FenCalculetteController::freeCalculette()
{
    return stillOpen(freeWindow().data());
}

// ---------------------------------------------------------------------------------------------
// The window

void FenCalculetteController::buildInterface(StdWindow& window)
{
    window.setObjectName(nibName());
    window.setWindowTitle(localizedMisc(QStringLiteral("kMisc_Calculette_Titre")));
    m_buttons = calculetteButtonTable();
    m_console = new ViewConsole(this, &window);
    m_console->setObjectName(QStringLiteral("view_console"));
    m_console->setMinimumSize(540, 300);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(m_console, 1);
    layout->addLayout(buildCalculetteKeypad(&window, m_buttons));
    layout->addWidget(makeAmountRow(window));
}

QWidget* FenCalculetteController::initialFirstResponder() const
{
    return m_console;
}

QWidget* FenCalculetteController::makeAmountRow(StdWindow& window)
{
    auto* row = new QWidget(&window);
    m_textMontant = new TextFieldMontant(row);
    m_textMontant->setObjectName(QStringLiteral("text_montant"));
    m_textMontant->setMinimumWidth(160);
    auto* programme = new QPushButton(localizedMisc(QStringLiteral("kMisc_Calculette_Programme")), row);
    programme->setObjectName(QStringLiteral("button_programme"));
    connectAction(programme, QStringLiteral("PROGRAMME:"));
    programme->setFocusPolicy(Qt::NoFocus);
    programme->setAutoDefault(false);
    m_buttonNon = new QPushButton(localizedMisc(QStringLiteral("kMisc_Annuler")), row);
    m_buttonNon->setObjectName(QStringLiteral("button_non"));
    connectAction(m_buttonNon, QStringLiteral("NON:"));
    m_buttonOui = new QPushButton(Dialog::OKString(), row);
    m_buttonOui->setObjectName(QStringLiteral("button_oui"));
    connectAction(m_buttonOui, QStringLiteral("OUI:"));
    for (QPushButton* button : {m_buttonNon.data(), m_buttonOui.data()}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_textMontant);
    layout->addStretch();
    layout->addWidget(programme);
    layout->addSpacing(12);
    layout->addWidget(m_buttonNon);
    layout->addWidget(m_buttonOui);
    return row;
}

void FenCalculetteController::didAwakeFromNib()
{
    m_calculette.resetCalculette();
    prompt();
    copyProgrammesIfNeeded();
    const WindowDataPtr data = getData();
    const bool modal = getModal() && data;
    m_montant = modal ? &data->montant : &m_ownMontant;
    if (!modal)
        m_ownMontant.setFromMontant(MONTANT::zero());
    m_buttonOui->setVisible(modal);
    m_buttonNon->setVisible(modal);
    // The field only shows the amount: results change it, the user does not.
    m_textMontant->setReadOnly(true);
    m_textMontant->setTextInteractionFlags(Qt::NoTextInteraction);
    m_textMontant->setFocusPolicy(Qt::NoFocus);
    m_textMontant->fillMontant(*m_montant, devise());
    m_calculette.calculette().lastResult = m_montant->getValueForDevise(devise());
    StdWindowController::didAwakeFromNib();
}

// The first opening puts the shipped programs into the library's program folder, unless its
// welcome program is there already: the user's own programs are never written over. Nothing is
// reported: without the programs the calculator works the same.
void FenCalculetteController::copyProgrammesIfNeeded()
{
    QString welcome;
    QString source;
    int error = 0;
    if (!HelperSVLibraryFolder::getSVLibraryCalculetteBienvenueFileUrl(&welcome, &error) || QFileInfo::exists(welcome))
        return;
    if (!HelperSVLibraryFolder::getSVApplicationCalculetteProgrammeFolderUrl(&source, &error))
        return;
    const QString destination = QFileInfo(welcome).absolutePath();
    copyFolderContents(source, destination, &error);
    // Copies of the program's resources come out read-only; the user's copies are theirs to edit.
    const QStringList names = QDir(source).entryList(QDir::Files);
    for (const QString& name : names) {
        QFile copy(destination + QLatin1Char('/') + name);
        if (copy.exists())
            copy.setPermissions(copy.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    }
}

void FenCalculetteController::DEVISE(QObject* sender)
{
    pickers().DEVISE(sender);
    FILL_DEVISE(devise());
}

void FenCalculetteController::FILL_DEVISE(long slot)
{
    if (m_textMontant)
        m_textMontant->SET_DEVISE(slot);
}

void FenCalculetteController::windowWillClose()
{
    if (m_programmeStep) {
        UiHost::instance().scheduler().cancel(m_programmeStep);
        m_programmeStep = 0;
    }
    m_programmeRunning = false;
    if (freeWindow() == this)
        freeWindow() = nullptr;
    StdWindowController::windowWillClose();
}

// ---------------------------------------------------------------------------------------------
// The console

void FenCalculetteController::moveToEnd()
{
    QTextCursor cursor = m_console->textCursor();
    cursor.movePosition(QTextCursor::End);
    m_console->setTextCursor(cursor);
}

void FenCalculetteController::prompt()
{
    moveToEnd();
    echoString(QStringLiteral("> "));
    m_calculette.calculette().promptPosition = getCalculetteSize();
}

void FenCalculetteController::echoString(const QString& text)
{
    m_console->insertPlainText(text);
    m_console->ensureCursorVisible();
}

qint64 FenCalculetteController::getCalculetteSize() const
{
    return m_console->document()->characterCount() - 1;
}

QString FenCalculetteController::getCalculetteChars() const
{
    return m_console->toPlainText();
}

QPair<qint64, qint64> FenCalculetteController::calculetteGetSelection() const
{
    const QTextCursor cursor = m_console->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

void FenCalculetteController::calculetteSetSelection(qint64 start, qint64 length)
{
    const qint64 size = getCalculetteSize();
    const qint64 from = std::clamp<qint64>(start, 0, size);
    QTextCursor cursor = m_console->textCursor();
    cursor.setPosition(int(from));
    cursor.setPosition(int(std::clamp<qint64>(from + length, from, size)), QTextCursor::KeepAnchor);
    m_console->setTextCursor(cursor);
}

void FenCalculetteController::assumeCalculettePosition(qint64 position)
{
    if (position < 0 || m_console->textCursor().selectionStart() < position)
        moveToEnd();
}

void FenCalculetteController::doClear()
{
    m_console->clear();
    prompt();
}

void FenCalculetteController::echoResult(double value, const ERRORrec& err)
{
    echoString(m_calculette.resultText(value, err) + QLatin1Char('\n'));
    prompt();
}

void FenCalculetteController::setCalculetteLastResult(double value)
{
    m_calculette.calculette().lastResult = value;
    MONTANT amount;
    amount.makeMontant(devise(), value, documentDevises());
    m_lastResultIsMontant
        = std::all_of(amount.values.begin(), amount.values.end(), [](double v) { return std::isfinite(v); });
    if (!m_lastResultIsMontant) {
        m_textMontant->clear();
        return;
    }
    m_montant->setFromMontant(amount);
    m_textMontant->fillMontant(*m_montant, devise());
}

// ---------------------------------------------------------------------------------------------
// Characters

bool FenCalculetteController::enterCalculette(char32_t c, ERRORrec& err)
{
    err.clear();
    const char32_t mapped = c > 0x7F ? c : CalculatorParser::mapChar(c);
    if (m_programmeRunning && mapped != CalculatorParser::kInterruption) {
        UiHost::instance().desktop().beep();
        return false;
    }
    switch (mapped) {
    case CalculatorParser::kInterruption:
        interrupt();
        return true;
    case CalculatorParser::kClear:
        doClear();
        return true;
    case CalculatorParser::kEndMark:
        return runTypedLine(err);
    default:
        assumeCalculettePosition(lastPrompt());
        echoString(QString::fromUcs4(&mapped, 1));
        return true;
    }
}

bool FenCalculetteController::enterCalculetteString(const QString& text, ERRORrec& err)
{
    for (const char32_t c : text.toUcs4()) {
        if (!enterCalculette(c == U'=' ? U'\r' : c, err))
            return false;
    }
    return true;
}

// The line typed so far is abandoned; a running program stops before its next line.
void FenCalculetteController::interrupt()
{
    if (m_programmeRunning)
        m_calculette.requestStop();
    moveToEnd();
    echoString(QStringLiteral("\n-- Interruption --\n"));
    prompt();
}

bool FenCalculetteController::runTypedLine(ERRORrec& err)
{
    moveToEnd();
    const qint64 start = lastPrompt();
    echoString(QStringLiteral("\n"));
    const QString text = getCalculetteChars();
    CALCULETTErec& state = m_calculette.calculette();
    if (state.recording)
        state.recordingBuffer += text.mid(start);
    m_calculette.clearStop();
    double value = 0;
    if (m_calculette.runLine(text, start, &value, err)) {
        echoString(QStringLiteral("= "));
        setCalculetteLastResult(value);
    }
    echoResult(value, err);
    return err.ok();
}

bool FenCalculetteController::askStringModal(const QString& promptKey, const QString& initialText, QString* answer)
{
    return ::askStringModal(this, promptKey, initialText, answer);
}

void FenCalculetteController::ENTER_BUTTON(QObject* sender)
{
    if (!sender)
        return;
    if (const CalculetteButton* record = findCalculetteButton(m_buttons, sender->objectName())) {
        ERRORrec err;
        enterCalculetteString(record->text, err);
    }
}

void FenCalculetteController::OUI(QObject* sender)
{
    Q_UNUSED(sender);
    if (!m_lastResultIsMontant) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_CalculetteNonFini")), QString(), QString(), 0);
        return;
    }
    if (const WindowDataPtr data = getData())
        data->montant.setFromMontant(*m_montant);
    endModal(1);
}

// ---------------------------------------------------------------------------------------------
// Programs

void FenCalculetteController::PROGRAMME(QObject* sender)
{
    Q_UNUSED(sender);
    if (m_programmeRunning) {
        UiHost::instance().desktop().beep();
        return;
    }
    OpenPanelRequest request;
    request.title = localizedMisc(QStringLiteral("kMisc_Calculette_OpenProgrammeTitle"));
    request.prompt = localizedMisc(QStringLiteral("kMisc_Calculette_OpenProgrammePrompt"));
    request.allowedTypes = {QStringLiteral("txt")};
    int error = 0;
    HelperSVLibraryFolder::getSVLibraryCalculetteProgrammeFolderUrl(&request.startFolder, &error);
    const QString path = UiHost::instance().panels().open(request);
    if (path.isEmpty())
        return;
    ERRORrec err;
    executeProgramme(path, err);
}

// The program's name stands on the prompt's line, as if it had been typed there; a line typed
// and not run stays as it was, above.
bool FenCalculetteController::executeProgramme(const QString& path, ERRORrec& err)
{
    moveToEnd();
    if (getCalculetteSize() > lastPrompt()) {
        echoString(QStringLiteral("\n"));
        prompt();
    }
    echoString(QFileInfo(path).fileName() + QLatin1Char('\n'));
    if (!m_programme.load(path, err)) {
        echoResult(0, err);
        return false;
    }
    m_calculette.clearStop();
    m_programmeRunning = true;
    scheduleProgrammeStep();
    return true;
}

// The steps run inside modal runs too: the modal calculator runs programs as the free one does.
void FenCalculetteController::scheduleProgrammeStep()
{
    m_programmeStep = UiHost::instance().scheduler().after(
        kProgrammeStepDelayMs, IScheduler::Mode::ModalPanel, [this] { runProgrammeStep(); }, this);
}

void FenCalculetteController::runProgrammeStep()
{
    m_programmeStep = 0;
    if (!m_programmeRunning)
        return;
    ERRORrec err;
    const bool more = m_programme.step(m_calculette, kProgrammeLinesPerStep, err);
    if (err.ok())
        setCalculetteLastResult(m_calculette.calculette().lastResult);
    if (more)
        scheduleProgrammeStep();
    else
        finishProgramme(err);
}

void FenCalculetteController::finishProgramme(const ERRORrec& err)
{
    m_programmeRunning = false;
    // Stopped by BREAK, which has shown the interruption and a new prompt already.
    if (m_calculette.stopRequested()) {
        m_calculette.clearStop();
        return;
    }
    if (err.ok())
        echoString(QStringLiteral("= "));
    echoResult(m_calculette.calculette().lastResult, err);
}
