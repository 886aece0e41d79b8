#pragma once
// The application's parameters and, while a document is open, the document's defaults (category,
// folder, accounts on each side, whether schedules are proposed). Modal; nothing is kept until
// OK, when the parameters go through their read-back rules, the preference file is written and
// every window is told (preferencesDidChange). The preference file can also be exported, and
// replaced by an imported one, which is in force at once whatever the window's outcome.
#include "toolkit/windows/StdWindowController.h"

#include <QHash>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TextFieldIntegerN;

class FenPreferencesController : public StdWindowController {
    Q_OBJECT
public:
    // Runs the window modally; its result, 1 after OK.
    static long openPreferences();

    void FILL() override;
    bool READ() override;

    Q_INVOKABLE void CHECKBOX_AIDE(QObject* sender);
    Q_INVOKABLE void CHECKBOX_SOUND(QObject* sender);
    Q_INVOKABLE void SORT(QObject* sender);
    Q_INVOKABLE void ECOUTER_OPEN(QObject* sender);
    Q_INVOKABLE void ECOUTER_CLOSE(QObject* sender);
    Q_INVOKABLE void ECOUTER_ALERT(QObject* sender);
    Q_INVOKABLE void ECOUTER_TRANSACT(QObject* sender);
    Q_INVOKABLE void IMPORTER(QObject* sender);
    Q_INVOKABLE void EXPORTER(QObject* sender);

    // The preference file's path when it exists; else an alert and an empty path.
    QString getApplicationPreferenceUrlWithMessage();
    // The parameters read again from the file, and shown.
    void reloadApplicationPreferences();

protected:
    void buildInterface(StdWindow& window) override;
    bool animatesWhenAppear() const override { return false; }

private:
    QWidget* buildGeneralTab(QWidget* parent);
    QWidget* buildListesTab(QWidget* parent);
    QWidget* buildSonsTab(QWidget* parent);
    QWidget* buildSauvegardesTab(QWidget* parent);
    QWidget* buildCotationsBox(QWidget* parent);
    QWidget* buildDocumentTab(QWidget* parent);
    QWidget* buildButtons(QWidget* parent);
    QCheckBox* check(const char* outlet, QWidget* parent);
    TextFieldIntegerN* number(const char* outlet, QWidget* parent);

    void fillParameters();
    void fillSort(int sort);
    void fillDocument();
    void enableSoundBoxes(bool enabled);
    // The quote service's address as typed: empty, or an http(s) address; else an alert and false.
    bool checkServiceAddress();
    void readParameters();
    void readDocument();

    QHash<QString, QCheckBox*> m_checks;
    QHash<QString, TextFieldIntegerN*> m_numbers;
    QComboBox* popup_saisie_date = nullptr;
    QComboBox* popup_saisie_rubrique = nullptr;
    QLabel* field_tri = nullptr;
    QWidget* box_on = nullptr;
    QWidget* box_off = nullptr;
    QLabel* label_last_manual_save = nullptr;
    QLineEdit* field_service_cotations = nullptr;
    int m_sort = 2;
};
