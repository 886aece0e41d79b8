#pragma once
// The mark of a document open in a running copy of the program. Two copies that each opened one
// package would each save it in turn, and the last save would drop what the other had saved
// without a word: while a running process of the user holds a document's mark, no other opens it.
//
// The mark is a lock file in the user's runtime folder, named after the package's place (its
// folder as the system resolves it, and its name), holding the process id and the host. A mark
// whose process has ended is taken over. It lies outside the package: saves, backups and copies
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

    // The lock file of the package's mark.
    static QString markPath(const QString& packageUrl);

private:
    std::unique_ptr<QLockFile> m_lock;
    qint64 m_holder = 0;
};
