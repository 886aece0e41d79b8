#pragma once
// The transactions behind one analysis cell, as a listing: each position the cell recorded whose
// transaction still passes the criterion. A position past the end of the document's list (the
// document changed since the analysis was computed by hand) is skipped, never read.
#include "engines/AnalyseData.h"
#include "engines/Critere.h"
#include "engines/LISTING.h"

#include <memory>
#include <optional>

class AnalyseFile;
class DOCUMENT;

std::unique_ptr<LISTING> listingForAnalyseCell(const AnalyseData& cell, const Critere& critere, const DOCUMENT& doc);

// The criterion of the transactions behind one cell, for searching the document afresh: the row
// counted from 1, the column 1 for the whole period and c >= 2 for the month of the file's column
// c - 2. Transfers between the user's accounts are left out unless the configuration counts them,
// and its reference account is required when it has one. None for a row or column outside the file.
std::optional<Critere> critereForAnalyseCell(long row, long column, const AnalyseFile& file, const DOCUMENT& doc);
