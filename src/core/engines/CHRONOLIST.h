#pragma once
// One row of the schedule window's list: a schedule, a forecast, or a folder or category header
// above them. The list itself is built and kept by ChronoManager.
#include <cstdint>

class CHRONOLIST {
public:
    static constexpr int32_t kKindEcheancier = 0;
    static constexpr int32_t kKindPrevision = 1;
    static constexpr int32_t kKindDossier = 2;
    // Ident -1 is the header of the split schedules, which no single category can hold.
    static constexpr int32_t kKindPoste = 3;

    int32_t kind = kKindEcheancier;
    long ident = -1; // of the schedule, forecast, folder or category
    // Shading: alternates along consecutive rows of one kind; headers are always YES.
    bool parity = true;

    bool isChrono() const { return kind == kKindEcheancier || kind == kKindPrevision; }
};
