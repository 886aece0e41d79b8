#pragma once
// The document's logos: create one from a picture file, change its name or picture, delete it.
// Unlike the other lists, every change is written to the document's package at once (the picture
// in its "logo" folder, then the list), before any save of the document. One window for the
// program.
#include "entities/CellLogo.h"
#include "toolkit/windows/EntityListWindow.h"

class DOCUMENT;
class Logo;

class FenLogoController : public EntityListWindow {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front.
    static FenLogoController* openLogos(bool appear = true);

    Q_INVOKABLE void CREER(QObject* sender);
    Q_INVOKABLE void MODIFIER(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    bool canDeleteSomething() const override;

protected:
    void buildInterface(StdWindow& window) override;
    bool deleteInTable(int table) override;
    void editInTable(int table) override;

private:
    // Stores the picture the editor chose, when it chose one; false after an alert when it could
    // not be written, and nothing is then to change.
    bool storeChosenPicture(Logo& logo, DOCUMENT& doc);
    void writeLogoList(const DOCUMENT& doc);
    void reloadAndSelect(int row);

    CellLogo m_cell;
};
