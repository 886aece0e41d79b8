#include "import/TextFileDecoder.h"

#include "foundation/encoding.h"
#include "import/ImportManager.h"

#include <QFile>
#include <QRegularExpression>

#include <uchardet/uchardet.h>

#include <memory>
#include <optional>

namespace {

constexpr char kWindows1252[] = "WINDOWS-1252";
constexpr char kLatin1[] = "ISO-8859-1";
// Enough of a file for its header, and for the detector to have seen plenty of its non-ASCII text.
constexpr qsizetype kHeaderBytes = 4096;
constexpr qsizetype kGuessBytes = 1 << 20;

const QString kErrorUnreadable = QStringLiteral("kAlerte_ImportFichierIllisible");
const QString kErrorUndecodable = QStringLiteral("kAlerte_ImportEncodage");

// Files that call themselves Latin-1 are written with Windows-1252's euro sign and quotes in
// 0x80..0x9F more often than with control characters there: Windows-1252 goes first, and Latin-1
// itself only for the few bytes Windows-1252 leaves undefined.
std::optional<QString> decodeWith(const QByteArray& bytes, const QString& encoding)
{
    const QByteArray name = encoding.toLatin1().toUpper();
    QList<QByteArray> tries {name};
    if (name == kLatin1 || name == "ISO8859-1" || name == "LATIN1")
        tries = {kWindows1252, kLatin1};
    for (const QByteArray& attempt : tries) {
        bool ok = false;
        QString text = decodeText(bytes, attempt.constData(), &ok);
        if (!ok)
            continue;
        if (text.contains(QChar(0)))
            return std::nullopt;
        return text;
    }
    return std::nullopt;
}

bool answer(const QString& text, const QString& used, QString* outText, QString* outEncoding)
{
    if (outText)
        *outText = text;
    if (outEncoding)
        *outEncoding = used;
    return true;
}

bool refuse(const QString& key, QString* errorKey)
{
    if (errorKey)
        *errorKey = key;
    return false;
}

QString ofxCharsetToEncoding(const QString& charset)
{
    const QString value = charset.trimmed().toUpper();
    if (value.isEmpty() || value == QLatin1String("NONE"))
        return QString();
    if (value == QLatin1String("1252") || value == QLatin1String("WINDOWS-1252"))
        return QString::fromLatin1(kWindows1252);
    if (value == QLatin1String("8859-1") || value == QLatin1String("ISO-8859-1"))
        return QString::fromLatin1(kLatin1);
    const QByteArray name = value.toLatin1();
    return isKnownEncoding(name.constData()) ? value : QString();
}

} // namespace

QString TextFileDecoder::encodingFromBOM(const QByteArray& bytes, int* bomLength)
{
    struct Mark {
        const char* bytes;
        int length;
        const char* encoding;
    };
    // UTF-32 LE before UTF-16 LE: its mark begins with UTF-16 LE's.
    static const Mark marks[] = {
        {"\xFF\xFE\x00\x00", 4, "UTF-32LE"}, {"\x00\x00\xFE\xFF", 4, "UTF-32BE"}, {"\xEF\xBB\xBF", 3, "UTF-8"},
        {"\xFF\xFE", 2, "UTF-16LE"},         {"\xFE\xFF", 2, "UTF-16BE"},
    };
    for (const Mark& mark : marks) {
        if (bytes.startsWith(QByteArrayView(mark.bytes, mark.length))) {
            if (bomLength)
                *bomLength = mark.length;
            return QString::fromLatin1(mark.encoding);
        }
    }
    if (bomLength)
        *bomLength = 0;
    return QString();
}

QString TextFileDecoder::encodingFromOFXHeader(const QByteArray& bytes)
{
    const QString head = QString::fromLatin1(bytes.left(kHeaderBytes));
    static const QRegularExpression encodingLine(QStringLiteral(R"(^\s*ENCODING\s*:\s*(\S+))"),
                                                 QRegularExpression::MultilineOption
                                                     | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression charsetLine(QStringLiteral(R"(^\s*CHARSET\s*:\s*(\S+))"),
                                                QRegularExpression::MultilineOption
                                                    | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression prolog(QStringLiteral(R"(<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'])"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch declared = encodingLine.match(head);
    if (declared.hasMatch() && declared.captured(1).compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("UTF-8");
    const QRegularExpressionMatch charset = charsetLine.match(head);
    if (charset.hasMatch()) {
        QString encoding = ofxCharsetToEncoding(charset.captured(1));
        if (!encoding.isEmpty())
            return encoding;
    }
    const QRegularExpressionMatch xml = prolog.match(head);
    return xml.hasMatch() ? ofxCharsetToEncoding(xml.captured(1)) : QString();
}

QString TextFileDecoder::guessEncoding(const QByteArray& bytes)
{
    const std::unique_ptr<struct uchardet, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    if (!detector)
        return QString();
    const QByteArray sample = bytes.left(kGuessBytes);
    if (uchardet_handle_data(detector.get(), sample.constData(), static_cast<size_t>(sample.size())) != 0)
        return QString();
    uchardet_data_end(detector.get());
    const QString guess = QString::fromLatin1(uchardet_get_charset(detector.get())).toUpper();
    if (guess.isEmpty() || guess == QLatin1String("ASCII"))
        return QString();
    const QByteArray name = guess.toLatin1();
    return isKnownEncoding(name.constData()) ? guess : QString();
}

bool TextFileDecoder::decode(const QByteArray& bytes, int format, const QString& chosenEncoding, QString* text,
                             QString* encoding, QString* errorKey)
{
    if (!chosenEncoding.isEmpty()) {
        const std::optional<QString> decoded = decodeWith(bytes, chosenEncoding);
        return decoded ? answer(*decoded, chosenEncoding, text, encoding) : refuse(kErrorUndecodable, errorKey);
    }
    int bomLength = 0;
    const QString marked = encodingFromBOM(bytes, &bomLength);
    if (!marked.isEmpty()) {
        // A file that says what it is and isn't: the mark is not to be second-guessed.
        const std::optional<QString> decoded = decodeWith(bytes.mid(bomLength), marked);
        return decoded ? answer(*decoded, marked, text, encoding) : refuse(kErrorUndecodable, errorKey);
    }
    QStringList candidates;
    if (format == kImportFormatOFX)
        candidates.append(encodingFromOFXHeader(bytes));
    candidates.append(QStringLiteral("UTF-8"));
    candidates.append(guessEncoding(bytes));
    candidates.append(QString::fromLatin1(kWindows1252));
    for (const QString& candidate : std::as_const(candidates)) {
        if (candidate.isEmpty())
            continue;
        if (const std::optional<QString> decoded = decodeWith(bytes, candidate))
            return answer(*decoded, candidate, text, encoding);
    }
    return refuse(kErrorUndecodable, errorKey);
}

bool TextFileDecoder::readFile(const QString& path, int format, const QString& chosenEncoding, QString* text,
                               QString* encoding, QString* errorKey)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(kErrorUnreadable, errorKey);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(kErrorUnreadable, errorKey);
    return decode(bytes, format, chosenEncoding, text, encoding, errorKey);
}
