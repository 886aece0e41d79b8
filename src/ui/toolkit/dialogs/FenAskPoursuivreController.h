#pragma once
// The question whether to go on, with a page of explanation above the buttons: Continue (1),
// Cancel (0) when asked for, and a third button (2) when it has a title. The page is an HTML file
// of the "assistant" pages, looked up through the search prefix "assistant:" (the program's own
// pages unless the prefix is pointed elsewhere); the window grows or shrinks to show it whole, up
// to the height of the screen. Window data: "resName" the page's name, "autreName" the third
// button's title (empty hides it), "undoButton" show Cancel, "undoDefault" with Cancel shown,
// Return answers Cancel and Escape Continue.
#include "toolkit/windows/StdWindowController.h"

#include <QPointer>
#include <QSize>

#include <functional>

class QAbstractButton;
class QPushButton;
class QTextBrowser;

class FenAskPoursuivreController : public StdWindowController {
    Q_OBJECT
public:
    FenAskPoursuivreController();

    void willAwakeFromNib() override;

    // The file of the page of that name; empty when there is none.
    static QString assistantPagePath(const QString& resName);

    static constexpr int kContentWidth = 460;
    static constexpr int kInterfaceContentHeight = 140;

protected:
    void buildInterface(StdWindow& window) override;

private:
    void loadContent(const QString& path);
    void keepOnScreen();
    void setUpButtons();

    QTextBrowser* m_content = nullptr;
    QPushButton* m_oui = nullptr;
    QPushButton* m_non = nullptr;
    QPushButton* m_autre = nullptr;
    QPointer<QAbstractButton> m_escapeButton;
};

// Asks with the page; the block gets 1 (Continue), 0 (Cancel) or 2 (the third button) before the
// call returns.
void askPoursuivre(StdWindowController* parent, const QString& resName, const QString& autreName, bool undoButton,
                   bool undoDefault, const std::function<void(long answer)>& block);
