#pragma once
// The base of the windows that show a document shipped with the program (the rules help, the
// tips, a letter template), read-only, in one text view named "content". The documents are rich
// text files (".rtf", or ".rtfd" bundles) of the program's information folder, the kind a user
// opens and fills in a word processor.
//
// Window data: "path" the document to show, when the window is opened on one.
#include "toolkit/windows/StdWindowController.h"

#include <QString>

class QTextBrowser;

class FenRTFController : public StdWindowController {
    Q_OBJECT
public:
    // Loads the document into the text view; false (the view left empty) when it can't be read.
    bool setPath(const QString& path);
    // Null until the window is built.
    QTextBrowser* content() const { return m_content; }

    void didAwakeFromNib() override;

    // The folder of the program's information pages: the shipped one unless another was set (an
    // empty path goes back to the shipped one).
    static QString infoFolder();
    static void setInfoFolder(const QString& folder);

protected:
    void buildInterface(StdWindow& window) override;
    // Builds the text view at that size, with no layout around it.
    QTextBrowser* makeContent(StdWindow& window, int width, int height);

private:
    QTextBrowser* m_content = nullptr;
};
