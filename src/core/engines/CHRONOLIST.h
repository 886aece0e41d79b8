#pragma once
// One row of the schedule window's list: a schedule, a forecast, or a folder or category header
// above them. The list itself is built and kept by ChronoManager.
#include <cstdint>

class CHRONOLIST {
public:
    enum class Kind : int32_t {
        Echeancier = 0,
        Prevision = 1,
        Dossier = 2,
        // Ident -1 is the header of the split schedules, which no single category can hold.
        Poste = 3,
    };

    Kind kind = Kind::Echeancier;
    long ident = -1; // of the schedule, forecast, folder or category
    // Shading: alternates along consecutive rows of one kind; headers are always shaded.
    bool parity = true;

    bool isChrono() const { return kind == Kind::Echeancier || kind == Kind::Prevision; }
};
