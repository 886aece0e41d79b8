#pragma once
// The transactions behind one analysis cell, as a listing: each position the cell recorded whose
// transaction still passes the criterion. A position past the end of the document's list (the
// document changed since the analysis was computed by hand) is skipped, never read.
#include "engines/AnalyseData.h"
#include "engines/Critere.h"
#include "engines/LISTING.h"

#include <memory>

class DOCUMENT;

std::unique_ptr<LISTING> listingForAnalyseCell(const AnalyseData& cell, const Critere& critere, const DOCUMENT& doc);
