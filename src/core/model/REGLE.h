#pragma once
// A categorisation rule: when the import reason of a transaction imported into the account
// importID holds every word of mots, the transaction gets these accounts, this category and this
// payment family. Rules are learnt from the imported transactions the user completed (see
// RegleManager), kept in the document's list and in "regles.xml".
//
// Words are the maximal runs of non-separator characters of a text, accented vowels folded and
// case kept; two words are the same word when they are equal with case ignored.
#include <QList>
#include <QString>
#include <QStringList>

class DOCUMENT;
class REGLE;
using RegleList = QList<REGLE>;

// A text gives at most this many words to match against, and a learnt rule holds no more.
inline constexpr int kRegleMaxMots = 20;

class REGLE {
public:
    // A plain REGLE names nothing (-1 everywhere, family 0); allocNewRegle gives a document's
    // defaults.
    long importID = -1;
    long who1 = -1;
    long who2 = -1;
    long posteID = -1;
    int moyen = 0;
    long nb_operation = 0; // transactions that confirmed the rule
    QString title; // free title, never stored
    QStringList mots; // every one must occur in the reason

    // No import account, family 0, no confirmation, no title, no word, the document's default
    // account on both sides and its default category (3 and 1 without parameters).
    void defaultRegle(const DOCUMENT* doc);
    // A rule with the defaults of the document.
    static REGLE allocNewRegle(const DOCUMENT* doc);
    REGLE copyOfRegle() const { return *this; }
    bool operator==(const REGLE&) const = default;
};
size_t qHash(const REGLE& regle, size_t seed = 0);

// Reads the next word of the text from *position: skips separators, then takes the folded
// characters up to the next separator or the end. *position ends after the word. False, with
// *word empty, when only separators were left.
bool regleNextMot(const QChar* buffer, long* position, long length, QString* word);
// Whether a word of the list equals the word, case ignored.
bool motInMots(const QString& mot, const QStringList& mots);
// Whether a is no longer than b and every word of a is in b; an empty a always is.
bool motsInMots(const QStringList& a, const QStringList& b);
// The distinct words of the text in order of first appearance, at most max of them.
QStringList regleWords(const QString& text, int max = kRegleMaxMots);
