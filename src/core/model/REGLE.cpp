#include "REGLE.h"

#include "foundation/textfold.h"
#include "model/DOCPARAM.h"

#include <QHashFunctions>

void REGLE::defaultRegle(const DOCUMENT* doc)
{
    importID = -1;
    who1 = who2 = DOCPARAM::getDefaultCompte(doc);
    posteID = DOCPARAM::getDefaultPoste(doc);
    moyen = 0;
    nb_operation = 0;
    title.clear();
    mots.clear();
}

REGLE REGLE::allocNewRegle(const DOCUMENT* doc)
{
    REGLE regle;
    regle.defaultRegle(doc);
    return regle;
}

size_t qHash(const REGLE& regle, size_t seed)
{
    return qHashMulti(seed, regle.importID, regle.who1, regle.who2, regle.posteID, regle.moyen, regle.nb_operation,
                      regle.title, regle.mots);
}

bool regleNextMot(const QChar* buffer, long* position, long length, QString* word)
{
    word->clear();
    long i = *position;
    while (i < length && isSeparatorChar(buffer[i]))
        ++i;
    while (i < length && !isSeparatorChar(buffer[i]))
        word->append(foldAccentedChar(buffer[i++]));
    *position = i;
    return !word->isEmpty();
}

bool motInMots(const QString& mot, const QStringList& mots)
{
    return mots.contains(mot, Qt::CaseInsensitive);
}

bool motsInMots(const QStringList& a, const QStringList& b)
{
    if (a.size() > b.size())
        return false;
    for (const QString& mot : a) {
        if (!motInMots(mot, b))
            return false;
    }
    return true;
}

QStringList regleWords(const QString& text, int max)
{
    QStringList words;
    long position = 0;
    const long length = text.size();
    QString word;
    while (words.size() < max && regleNextMot(text.constData(), &position, length, &word)) {
        if (!motInMots(word, words))
            words.append(word);
    }
    return words;
}
