#pragma once
// One document listed by the documents browser: its package, its storage, its size and, for the
// cloud storage, its transfer states and how long it has waited for its download.
#include <QString>

class RecentDocument {
public:
    // No URL, tag 0, every flag clear, size 0, both waiting times -1, empty name.
    RecentDocument() = default;
    // The package (its extension made "svd"), its storage and its size as known (0 when not);
    // then the states and size are read from the file system.
    RecentDocument(const QString& url, int fileSystemTag, qint64 size = 0);
    // A fresh entry for the same document: what copyToDocument carries, the states read again.
    static RecentDocument initWithDocument(const RecentDocument& other);

    // Carries the URL (through changeUrl), name, tag, busy mark, transfer states and size.
    void copyToDocument(RecentDocument& other) const;
    // Busy mark, transfer states and size all equal.
    bool sameMetadataAs(const RecentDocument& other) const;
    // Takes the URL as given, then the name and the states follow it.
    void changeUrl(const QString& url);
    void computeName();
    // Reads the transfer states the platform can tell and the size, then how long the document
    // has waited for its download.
    void updateStates();

    // The package a document of that name has in the storage: nothing when the storage has no
    // folder or the name can't be one file name there (empty, "/" or NUL in it, or hidden).
    static QString theoricUrlForName(const QString& name, int fileSystemTag);

    QString url() const { return m_url; }
    int fileSystemTag() const { return m_fileSystemTag; }
    void setFileSystemTag(int tag) { m_fileSystemTag = tag; }
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    qint64 fileSize() const { return m_fileSize; }
    void setFileSize(qint64 size) { m_fileSize = size; }
    bool buzy() const { return m_buzy; }
    void setBuzy(bool buzy) { m_buzy = buzy; }
    bool uploading() const { return m_uploading; }
    void setUploading(bool flag) { m_uploading = flag; }
    bool uploaded() const { return m_uploaded; }
    void setUploaded(bool flag) { m_uploaded = flag; }
    bool downloading() const { return m_downloading; }
    void setDownloading(bool flag) { m_downloading = flag; }
    bool downloaded() const { return m_downloaded; }
    void setDownloaded(bool flag) { m_downloaded = flag; }
    bool conflictual() const { return m_conflictual; }
    void setConflictual(bool flag) { m_conflictual = flag; }
    double timeNotDownloaded0() const { return m_timeNotDownloaded0; }
    void setTimeNotDownloaded0(double time) { m_timeNotDownloaded0 = time; }
    double timeNotDownloaded() const { return m_timeNotDownloaded; }
    void setTimeNotDownloaded(double seconds) { m_timeNotDownloaded = seconds; }

private:
    QString m_url;
    int m_fileSystemTag = 0;
    QString m_name;
    qint64 m_fileSize = 0;
    bool m_buzy = false;
    bool m_uploading = false;
    bool m_uploaded = false;
    bool m_downloading = false;
    bool m_downloaded = false;
    bool m_conflictual = false;
    double m_timeNotDownloaded0 = -1; // absolute time first seen not downloaded
    double m_timeNotDownloaded = -1; // seconds waited since
};
