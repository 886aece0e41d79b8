#pragma once
// The two facts read before anything else of a document ("beforeparam.xml"): its file-format
// version and its password. The password is never kept as typed: "password" holds a salted
// digest, "pbkdf2-sha256$<iterations>$<salt base64>$<digest base64>". A text in any other form
// is a password written as typed by an older program; it is still honoured, and its digest
// replaces it the next time the file is written.
#include <QString>

#include <optional>

inline constexpr const char* kBeforeParamFileName = "beforeparam.xml";
// The one format version this program opens.
inline constexpr long kDocumentFormatVersion = 31;

class BEFOREPARAM {
public:
    long version = kDocumentFormatVersion;

    // The password as stored: a digest, a legacy text, or empty for none.
    const QString& password() const { return m_password; }
    bool hasPassword() const { return !m_password.isEmpty(); }
    // Whether the typed text opens the document. Without a password only an empty text does.
    bool passwordMatches(const QString& typed) const;
    // Keeps the digest of the typed text under a fresh salt; an empty text removes the password.
    void setPassword(const QString& typed);

    // Version 31 and no password when the file is missing or unreadable, which is not an error:
    // error is always cleared.
    static BEFOREPARAM loadBeforeParam(const QString& package, bool* error);
    // Writes "beforeparam.xml" into the package, a legacy password as its digest. False when the
    // document can't be made or written.
    static bool saveBeforeParam(const QString& package, const BEFOREPARAM& before);

    // Key stretching makes every digest slow on purpose; tests lower it (nullopt restores it).
    static void setDigestIterationsForTesting(std::optional<int> iterations);

private:
    QString m_password;
};
