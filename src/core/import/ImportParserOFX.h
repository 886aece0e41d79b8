#pragma once
// OFX files (format 3), in SGML (1.x, leaf elements left unclosed) or XML (2.x). Each
// <STMTTRN> block is one record, from its tag to its closing tag, or to the next block, the end of
// the transaction list or the end of the text when a bank leaves it unclosed. In a block, tag
// names are compared ignoring case; DTPOSTED gives the date (its first eight digits, rewritten as
// "dd-mm-yyyy"; a value without eight leading digits gives no date), TRNAMT the amount, NAME the
// counterpart and MEMO the label. Values have line breaks removed and their ends trimmed; outside
// CDATA sections their character references and entities (&amp; &lt; &gt; &quot; &apos; &#...;)
// are decoded, inside them the text stands as written.
#include "import/ImportParser.h"

class ImportParserOFX : public ImportParser {
public:
    bool parseString(const QString& text, int format, long compteID, int devise, const QString& encoding,
                     const ImportEndBlock& endBlock, QString* errorKey) override;

    static ParsedImport parse(const QString& text);
    // The text with its character references and the five XML entities decoded; anything else
    // that starts with "&" stays as it is. examined, when given, grows by the characters looked at
    // (the walk's and each search for a ";"), which stay in proportion to the text's length.
    static QString decodeEntities(QStringView value, qsizetype* examined = nullptr);
};
