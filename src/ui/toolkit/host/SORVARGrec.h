#pragma once
// The argument block of a window controller: the identifiers of what the window shows, written by
// the window's opener, by which an open window is found again (findOpenWindowController). Every
// field starts at 0, not -1: an opener writes those that identify its window.
struct SORVARGrec {
    long posteID = 0;
    long debitID = 0;
    long creditID = 0;
    long BDebitID = 0;
    long BCreditID = 0;
    long catDebitID = 0;
    long catCreditID = 0;
    long varianteID = 0;
    long moyenID = 0;
    long synonymeID = 0;
    long dossierID = 0;
    long taxeID = 0;
    long titreID = 0;
    long remunereID = 0;
    long empruntID = 0;
    long chronoID = 0;
    long mode = 0;
    long kind = 0;
};

// Stores the mode of a listing window's block.
inline void setArgMode(SORVARGrec& arg, long mode)
{
    arg.mode = mode;
}
