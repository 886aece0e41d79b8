#pragma once
// The "more" pop-up of the document browser's selected row: the commands that apply to that one
// document. Every item carries the row as its tag and sends its action to the browser; what may be
// done depends on the document's state, which the browser sets before the menu is rebuilt.
#include "toolkit/popups/StdPopUp.h"

class PopRecent : public StdPopUp {
    Q_OBJECT
public:
    explicit PopRecent(QWidget* parent = nullptr);

    // The row the pop-up stands for; the tag of every item.
    qint64 tag() const { return m_tag; }
    void setTag(qint64 row) { m_tag = row; }
    // The storage listed (0 the cloud, 1 this computer).
    qint64 fileSystemTag() const { return m_fileSystemTag; }
    void setFileSystemTag(qint64 tag) { m_fileSystemTag = tag; }
    bool canOpenDocument() const { return m_canOpenDocument; }
    void setCanOpenDocument(bool can) { m_canOpenDocument = can; }
    bool needsSynchro() const { return m_needsSynchro; }
    void setNeedsSynchro(bool needs) { m_needsSynchro = needs; }
    // Whether the other storage can take the document; a move nowhere is not offered.
    bool canMove() const { return m_canMove; }
    void setCanMove(bool can) { m_canMove = can; }

    void FILL_MENU() override;

private:
    qint64 m_tag = 0;
    qint64 m_fileSystemTag = 1;
    bool m_canOpenDocument = false;
    bool m_needsSynchro = false;
    bool m_canMove = false;
};
