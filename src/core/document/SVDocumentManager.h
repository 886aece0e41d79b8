#pragma once
// Loads, saves, backs up and disposes of documents. One manager for the process.
#include <QString>
#include <memory>

class DOCUMENT;

class SVDocumentManager {
public:
    static SVDocumentManager& defaultManager();

    // Releases everything the document holds, list by list, then the document itself. When it
    // is the current document the current document is cleared too, so nothing keeps pointing at
    // freed memory.
    void disposeDocument(std::unique_ptr<DOCUMENT> doc);
    // Empties every list of the document.
    void zeroDocument(DOCUMENT& doc);

    // Points the document at <cache folder>/<package name> in local storage; moves no file.
    // Its callers ignore the answer, which is always false.
    bool moveDocumentToCache(DOCUMENT* doc, const QString& cacheFolder);
    // Points the document at <root>/Documents/<package name> in the cloud storage after removing
    // (or trashing) the local cache package; false, leaving the document as it was, when the
    // cache can't be removed.
    bool moveCacheToDocument(DOCUMENT* doc, const QString& rootUrl);

private:
    SVDocumentManager() = default;
};
