#pragma once
// Realistic documents for the benchmarks: ten years of a household's accounts. For n
// transactions: 3 banks of the user with 4 + n / 10,000 accounts, 30 + n / 1,000 third
// parties, 60 + n / 2,000 categories in the default folders, 20 + n / 5,000 schedules,
// 10 + n / 10,000 forecasts, monthly statements on every account of the user holding every
// transaction older than a month, a cheque book and a card per account, a few securities,
// savings, loans, macros, rules and graphs. Of the transactions: 70 % expenses, 15 % income, 15 %
// transfers between the user's accounts; a note on one in five, split lines on one in ten, an
// attached file named on one in fifty, a schedule on one in twenty.
//
// The same count and seed always give the same document, "today" aside.
#include <QString>

#include <memory>

class DOCUMENT;

class DocumentGenerator {
public:
    // A document in memory, with no package (its URL is empty).
    static std::unique_ptr<DOCUMENT> generate(long transactions, unsigned seed = 42);
    // Makes the package folder and writes every member file of the document into it, as a save
    // does; the document then belongs to that package. False when the folder or a file can't be
    // written.
    static bool writePackage(DOCUMENT& doc, const QString& url);
    // The total size of the package's member files, in bytes.
    static qint64 memberFilesSize(const QString& url);
    // Banks 100, 101... of the user (the first for third parties when asked), then accounts 1000,
    // 1001... of the user spread over them in turn; every one named "Outil <ident>".
    static void addNumberedTools(DOCUMENT& doc, long banks, long accounts, bool firstBankThirdParties);
};
