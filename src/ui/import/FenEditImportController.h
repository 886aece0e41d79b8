#pragma once
// The review of the records read from a bank file, before they are imported: one record at a
// time, a row per field (its role and its value), leafed through with the first, previous, next
// and last buttons, with the position "3/12". OK goes on with the import, Cancel ends it.
//
// Window data: "globalArray" the records (ImportRecords), "format" the format code, "cID" the
// account imported into.
#include "import/CellRubrique.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include "import/ImportRecord.h"

#include <QPointer>

class QLabel;
class QPushButton;

class FenEditImportController : public StdWindowWithTableController {
    Q_OBJECT
public:
    void didAwakeFromNib() override;
    void FILL() override;

    long importExportInd() const { return m_myImportExportInd; }
    void setImportExportInd(long index);
    bool canPrev() const { return m_canPrev; }
    bool canSuiv() const { return m_canSuiv; }
    QString titleString() const;

    Q_INVOKABLE void FIRST(QObject* sender);
    Q_INVOKABLE void PREV(QObject* sender);
    Q_INVOKABLE void NEXT(QObject* sender);
    Q_INVOKABLE void LAST(QObject* sender);

    // A field as the review shows it: amounts with the decimal comma and dates in one French form
    // whatever the file's; a value that reads as neither shows as the file has it.
    static QString shownValue(const ImportField& field, long decimales);

    QColor getPatColor1(int row) override;
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    const ImportRecords& records() const;
    void reload();

    ImportRecords m_records;
    long m_myImportExportInd = 0;
    bool m_canPrev = false;
    bool m_canSuiv = false;
    CellRubrique m_cell;
    QPointer<QLabel> m_fieldTitle;
    QPointer<QLabel> m_fieldCompte;
    QPointer<QLabel> m_fieldPosition;
    QPointer<QPushButton> m_buttons[4];
};

Q_DECLARE_METATYPE(ImportRecords)

// Runs the review modally on the window; true when the user confirmed.
bool openImportReviewWindow(StdWindowController* window, const ImportRecords& records, int format, long compteID,
                            long devise);
