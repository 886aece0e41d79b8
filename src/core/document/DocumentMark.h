#pragma once
// The mark of a document open in a running copy of the program. Two copies that each opened one
// package would each save it in turn, and the last save would drop what the other had saved
// without a word: while a running process of the user holds a document's mark, no other opens it.
//
// The mark is a lock file in the user's private runtime folder (runtimefolder.h), named after the
// package's place as the system resolves it (packagePlace: links to the package or to its folder
// lead to one mark), holding the process id and the host. A mark whose process has ended is taken
// over. It lies outside the package: saves, backups and copies
// never carry it, and the swap of a save, which replaces the package folder, leaves it alone.
#include <QString>

#include <memory>

class QLockFile;

class DocumentMark {
public:
    explicit DocumentMark(const QString& packageUrl);
    ~DocumentMark();
    DocumentMark(const DocumentMark&) = delete;
    DocumentMark& operator=(const DocumentMark&) = delete;

    // Takes the mark for this process; false when another running process holds it. Without a
    // place for marks (no runtime folder can be made) the document goes unmarked: logged, true.
    bool take();
    // The process that holds the mark, when take() answered false; 0 when unknown.
    qint64 holder() const { return m_holder; }

    // Which document and which process hold the mark, for the user: "« name », ouvert par le
    // processus N".
    QString heldInformation(const QString& documentName) const;

    // The lock file of the package's mark.
    static QString markPath(const QString& packageUrl);
    // The package a path reaches: its links followed and its folder resolved, even while the
    // package itself is absent in the middle of a save. Opened there, a document reached through
    // a link is saved into the package the link leads to, and the link stays a link.
    static QString packagePlace(const QString& packageUrl);

private:
    std::unique_ptr<QLockFile> m_lock;
    qint64 m_holder = 0;
};
