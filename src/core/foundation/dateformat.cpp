#include "dateformat.h"

#include "dates.h"
#include "pstr.h"

#include <QList>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace {

constexpr int kStyleNone = 0;
constexpr int kStyleShort = 1;
constexpr int kStyleMedium = 2;
constexpr int kStyleLong = 3;
constexpr int kStyleFull = 4;
constexpr int kMaxDigits = 9;

bool isStyle(int style)
{
    return style >= kStyleNone && style <= kStyleFull;
}

QString withoutWeekday(QString format)
{
    static const QRegularExpression weekday(QStringLiteral("^d{3,4}[,\\s]*|[,\\s]*d{3,4}"));
    return format.remove(weekday).trimmed();
}

QString withoutZone(QString format)
{
    static const QRegularExpression zone(QStringLiteral("\\s*(?<![A-Za-z'])t+(?![A-Za-z'])"));
    return format.remove(zone).trimmed();
}

QString dateFormatForStyle(const QLocale& locale, int style)
{
    switch (style) {
    case kStyleShort:
        return locale.dateFormat(QLocale::ShortFormat);
    case kStyleMedium:
        return withoutWeekday(locale.dateFormat(QLocale::LongFormat))
            .replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    case kStyleLong:
        return withoutWeekday(locale.dateFormat(QLocale::LongFormat));
    case kStyleFull:
        return locale.dateFormat(QLocale::LongFormat);
    default:
        return {};
    }
}

QString timeFormatForStyle(const QLocale& locale, int style)
{
    switch (style) {
    case kStyleShort:
        return locale.timeFormat(QLocale::ShortFormat);
    case kStyleMedium:
    case kStyleLong:
        return withoutZone(locale.timeFormat(QLocale::LongFormat));
    case kStyleFull:
        return locale.timeFormat(QLocale::LongFormat);
    default:
        return {};
    }
}

std::optional<QString> formatted(const QDateTime& dateTime, int dateStyle, int timeStyle)
{
    if (!dateTime.isValid() || !isStyle(dateStyle) || !isStyle(timeStyle))
        return std::nullopt;
    const QLocale locale;
    QStringList parts;
    if (dateStyle != kStyleNone)
        parts.append(locale.toString(dateTime, dateFormatForStyle(locale, dateStyle)));
    if (timeStyle != kStyleNone)
        parts.append(locale.toString(dateTime, timeFormatForStyle(locale, timeStyle)));
    return parts.isEmpty() ? QStringLiteral("") : parts.join(u' ');
}

// Lower case, accents and dots dropped: "Févr." and "fevr" are the same month.
QString folded(const QString& text)
{
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing && c != u'.')
            out.append(c.toLower());
    }
    return out;
}

struct Token {
    bool isNumber = false;
    bool signedNumber = false; // a number right after "+" or "-": a zone offset in a time
    long value = 0;
    int digits = 0;
    QString word; // folded
    qsizetype start = 0;
    qsizetype end = 0;
};

bool continuesWord(const QString& text, qsizetype i)
{
    const QChar c = text.at(i);
    // "segunda-feira" is one weekday name.
    return c.isLetter() || c.isMark() || (c == u'-' && i + 1 < text.size() && text.at(i + 1).isLetter());
}

// Runs of digits and runs of letters; everything else only separates them.
std::optional<QList<Token>> tokenize(const QString& text)
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        Token token;
        token.start = i;
        if (c.isDigit()) {
            token.isNumber = true;
            token.signedNumber = i > 0 && (text.at(i - 1) == u'+' || text.at(i - 1) == u'-');
            token.start = token.signedNumber ? i - 1 : i;
            for (; i < text.size() && text.at(i).isDigit(); ++i, ++token.digits)
                token.value = token.value * 10 + text.at(i).digitValue();
            if (token.digits > kMaxDigits)
                return std::nullopt;
        } else if (c.isLetter()) {
            const qsizetype begin = i;
            while (i < text.size() && continuesWord(text, i))
                ++i;
            token.word = folded(text.mid(begin, i - begin));
        } else {
            ++i;
            continue;
        }
        token.end = i;
        tokens.append(token);
    }
    return tokens;
}

// The words a text in the given formats may hold besides numbers: month and weekday names, the
// day halves, and the formats' own literal words ("de", "年").
struct Vocabulary {
    QList<QStringList> months;
    QStringList weekdays;
    QStringList literals;
    QString am;
    QString pm;
    QStringList known;

    Vocabulary(const QLocale& locale, const QString& formats)
    {
        for (int m = 1; m <= 12; ++m)
            months.append({folded(locale.monthName(m, QLocale::LongFormat)),
                           folded(locale.monthName(m, QLocale::ShortFormat)),
                           folded(locale.standaloneMonthName(m, QLocale::LongFormat)),
                           folded(locale.standaloneMonthName(m, QLocale::ShortFormat))});
        for (int d = 1; d <= 7; ++d)
            weekdays << folded(locale.dayName(d, QLocale::LongFormat))
                     << folded(locale.dayName(d, QLocale::ShortFormat))
                     << folded(locale.standaloneDayName(d, QLocale::LongFormat));
        for (const Token& t : tokenize(literalText(formats)).value_or(QList<Token>()))
            literals.append(t.word);
        am = folded(locale.amText());
        pm = folded(locale.pmText());
        for (const QStringList& names : months)
            known << names;
        known << weekdays << literals << am << pm;
        known.removeAll(QString());
    }

    long monthOf(const QString& word) const
    {
        for (qsizetype i = 0; i < months.size(); ++i) {
            if (months.at(i).contains(word))
                return static_cast<long>(i) + 1;
        }
        return 0;
    }

    bool isFiller(const QString& word) const { return literals.contains(word) || weekdays.contains(word); }
    bool isDayHalf(const QString& word) const { return !word.isEmpty() && (word == am || word == pm); }

    // Letters written without spaces ("日火曜日") as the longest known words they are made of; an
    // unknown word stays whole.
    QStringList pieces(const QString& word) const
    {
        QStringList out;
        for (qsizetype i = 0; i < word.size();) {
            qsizetype longest = 0;
            for (const QString& candidate : known) {
                if (candidate.size() > longest && QStringView(word).mid(i).startsWith(candidate))
                    longest = candidate.size();
            }
            if (longest == 0)
                return {word};
            out.append(word.mid(i, longest));
            i += longest;
        }
        return out;
    }

    static QString literalText(const QString& format)
    {
        static const QString patternLetters = QStringLiteral("dMyhHmsztaApP");
        QString out;
        bool quoted = false;
        for (const QChar c : format) {
            if (c == u'\'')
                quoted = !quoted;
            out.append((c != u'\'' && (quoted || !patternLetters.contains(c))) ? c : u' ');
        }
        return out;
    }
};

// Ranks 0..2 of the day, month and year fields in a date format ("ddd"/"dddd" is the weekday).
struct FieldOrder {
    int day = 0;
    int month = 1;
    int year = 2;
};

FieldOrder fieldOrder(const QString& format)
{
    qsizetype day = -1;
    qsizetype month = -1;
    qsizetype year = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && c == u'd' && run <= 2 && day < 0)
            day = i;
        else if (!quoted && c == u'M' && month < 0)
            month = i;
        else if (!quoted && c == u'y' && year < 0)
            year = i;
        i += run;
    }
    if (day < 0 || month < 0 || year < 0)
        return {};
    auto rank = [](qsizetype self, qsizetype a, qsizetype b) { return int(a < self) + int(b < self); };
    return {rank(day, month, year), rank(month, day, year), rank(year, day, month)};
}

struct ParsedDate {
    long day = 0;
    long month = 0;
    long year = 0;
};

bool validDate(ParsedDate& date, int yearDigits)
{
    if (yearDigits <= 2)
        date.year = expandTwoDigitYear(date.year);
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1
        && date.day <= daysInMonth(date.month, date.year);
}

// Three numbers in the format's order, or a month name with the day and year numbers around it.
bool readDate(const QList<Token>& tokens, qsizetype& pos, const Vocabulary& vocabulary, const FieldOrder& order,
              ParsedDate& out)
{
    long numbers[3] = {};
    int digits[3] = {};
    int count = 0;
    long named = 0;
    while (pos < tokens.size() && count < (named ? 2 : 3)) {
        const Token& token = tokens.at(pos++);
        if (token.isNumber) {
            numbers[count] = token.value;
            digits[count++] = token.digits;
        } else if (!named && vocabulary.monthOf(token.word)) {
            named = vocabulary.monthOf(token.word);
        } else if (!vocabulary.isFiller(token.word)) {
            return false;
        }
    }
    if (count < (named ? 2 : 3))
        return false;
    if (named) {
        const bool dayFirst = order.day < order.year;
        out = {numbers[dayFirst ? 0 : 1], named, numbers[dayFirst ? 1 : 0]};
        return validDate(out, digits[dayFirst ? 1 : 0]);
    }
    out = {numbers[order.day], numbers[order.month], numbers[order.year]};
    return validDate(out, digits[order.year]);
}

struct ParsedTime {
    long hour = 0;
    long minute = 0;
    long second = 0;
    QString zone;
};

bool validTime(ParsedTime& time, int meridiem)
{
    if (meridiem != 0) {
        if (time.hour < 1 || time.hour > 12)
            return false;
        time.hour = time.hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    return time.hour <= 23 && time.minute <= 59 && time.second <= 59;
}

// Hours and minutes, seconds when given, a day half. The time zone may stand before the hours;
// after them, a word or a signed number starts the zone, which runs to the end of the text.
bool readTime(const QString& text, const QList<Token>& tokens, qsizetype& pos, const Vocabulary& vocabulary,
              ParsedTime& out)
{
    long numbers[3] = {};
    int count = 0;
    int meridiem = 0;
    for (; pos < tokens.size(); ++pos) {
        const Token& token = tokens.at(pos);
        if (token.isNumber && !token.signedNumber) {
            if (count == 3)
                return false;
            numbers[count++] = token.value;
        } else if (!token.isNumber && vocabulary.isDayHalf(token.word)) {
            meridiem = token.word == vocabulary.am ? 1 : 2;
        } else if (!token.isNumber && vocabulary.isFiller(token.word)) {
            continue;
        } else if (count == 0 && out.zone.isEmpty()) {
            out.zone = text.mid(token.start, token.end - token.start);
        } else if (count >= 2) {
            out.zone = text.mid(token.start).trimmed();
            pos = tokens.size();
            break;
        } else {
            return false;
        }
    }
    if (count < 2)
        return false;
    out.hour = numbers[0];
    out.minute = numbers[1];
    out.second = numbers[2];
    return validTime(out, meridiem);
}

// In the hour a daylight-saving change repeats, the written zone tells which of the two is meant.
QDateTime inWrittenZone(const QDateTime& dateTime, const QString& zone)
{
    const QString wanted = folded(zone);
    if (zone.isEmpty() || folded(dateTime.timeZoneAbbreviation()) == wanted)
        return dateTime;
    for (const int shift : {-3600, 3600, -1800, 1800}) {
        QDateTime other = dateTime.addSecs(shift);
        if (other.time() == dateTime.time() && folded(other.timeZoneAbbreviation()) == wanted)
            return other;
    }
    return dateTime;
}

QList<Token> splitIntoKnownWords(const QList<Token>& tokens, const Vocabulary& vocabulary)
{
    QList<Token> out;
    for (const Token& token : tokens) {
        if (token.isNumber) {
            out.append(token);
            continue;
        }
        for (const QString& piece : vocabulary.pieces(token.word)) {
            Token part = token;
            part.word = piece;
            out.append(part);
        }
    }
    return out;
}

bool onlyFillersFrom(const QList<Token>& tokens, qsizetype pos, const Vocabulary& vocabulary)
{
    for (; pos < tokens.size(); ++pos) {
        if (tokens.at(pos).isNumber || !vocabulary.isFiller(tokens.at(pos).word))
            return false;
    }
    return true;
}

std::optional<QDateTime> parsedWithStyles(const QString& text, int dateStyle, int timeStyle)
{
    const QLocale locale;
    const QString dateFormat = dateFormatForStyle(locale, dateStyle);
    const Vocabulary vocabulary(locale, dateFormat + u' ' + timeFormatForStyle(locale, timeStyle));
    const std::optional<QList<Token>> words = tokenize(text);
    if (!words || words->isEmpty())
        return std::nullopt;
    const QList<Token> tokens = splitIntoKnownWords(*words, vocabulary);
    qsizetype pos = 0;
    ParsedDate date;
    if (dateStyle == kStyleNone)
        dateToDMY(&date.day, &date.month, &date.year, dateNow());
    else if (!readDate(tokens, pos, vocabulary, fieldOrder(dateFormat), date))
        return std::nullopt;
    ParsedTime time;
    if (timeStyle != kStyleNone && !readTime(text, tokens, pos, vocabulary, time))
        return std::nullopt;
    if (!onlyFillersFrom(tokens, pos, vocabulary))
        return std::nullopt;
    double composed = 0;
    dmyhmsToDate(date.day, date.month, date.year, time.hour, time.minute, time.second, &composed);
    const QDateTime dateTime = dateToDateTime(composed);
    return inWrittenZone(dateTime, time.zone);
}

} // namespace

QString dateToStringWithStyles(int dateStyle, int timeStyle, double time)
{
    return formatted(dateToDateTime(time), dateStyle, timeStyle).value_or(QStringLiteral("?"));
}

QString nsdateToStringWithStyles(const QDateTime& date, int dateStyle, int timeStyle)
{
    const QDateTime local = date.isValid() ? date.toTimeZone(sharedGregorianCalendar().timeZone()) : QDateTime();
    return formatted(local, dateStyle, timeStyle).value_or(QStringLiteral("?"));
}

QString copyDateString(int dateStyle, int timeStyle, double time)
{
    return formatted(dateToDateTime(time), dateStyle, timeStyle).value_or(QString());
}

bool pstrFromDate(unsigned char* out, int dateStyle, int timeStyle, double time)
{
    out[0] = 0;
    const std::optional<QString> text = formatted(dateToDateTime(time), dateStyle, timeStyle);
    if (!text)
        return false;
    nsStringToPstr255(*text, out);
    return out[0] != 0 || text->isEmpty();
}

bool parseDateString(const QString& text, double* out, int dateStyle, int timeStyle)
{
    *out = dateNow();
    if (!isStyle(dateStyle) || !isStyle(timeStyle) || (dateStyle == kStyleNone && timeStyle == kStyleNone))
        return false;
    const std::optional<QDateTime> parsed = parsedWithStyles(text, dateStyle, timeStyle);
    if (!parsed)
        return false;
    *out = dateFromDateTime(*parsed);
    return true;
}
