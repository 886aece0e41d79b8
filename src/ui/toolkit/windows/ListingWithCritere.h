#pragma once
// A printable listing over a criterion and its result, as the windows of every family ask for one
// (through the application's doors) and the listings open it.
#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "model/MONTANT.h"

#include <QString>

#include <memory>
#include <optional>

// What openListingWithCritere opens a listing with.
struct ListingWithCritere {
    Critere critere;
    std::unique_ptr<LISTING> listing;
    QString title; // empty: the row count and "kMisc_Search"
    long mode = 1;
    bool animate = true;
    long devise = 0;
    std::optional<MONTANT> report; // the carry-over
};
