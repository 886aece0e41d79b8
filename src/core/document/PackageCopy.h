#pragma once
// A document package put at a destination whole or not at all, the way a staged save puts its own:
// built in the save's hidden staging package beside the destination (StagingPackage), made
// durable, then renamed into place. A hidden name is no document's, so the browser never lists a
// copy half made, and what a process that died left goes like a save's leftovers.
//
// A destination that exists is replaced only with the user's word, and then by the save's swap
// (SVDocumentManager::swapSavedBundles): whichever step fails, and wherever the process dies, the
// package it replaces stays whole under its name, or under that name in the save's hidden set-aside
// folder, from which the next opening, listing or save of the folder puts it back.
//
// A running copy of the program (this one too) that has the destination open would save it back
// over the copy, or lose the copy's place under it: such a destination is refused and left alone.
#include <QString>

#include <functional>

class PackageCopy {
public:
    // Writes a document into the fresh, empty package given, as a save does: its "Contents" folder
    // and nothing else. True, or false with the system's code.
    using Filler = std::function<bool(const QString& package, int* error)>;

    explicit PackageCopy(const QString& destination);

    // The user's word to replace what is at the destination; without it a destination that exists
    // is refused (EEXIST).
    void setReplacing(bool replacing) { m_replacing = replacing; }

    // Puts a copy of the package at source (its "Contents") at the destination.
    bool copyFrom(const QString& source);
    // Puts the package fill writes at the destination.
    bool make(const Filler& fill);

    // The system's code of the last failure; 0 after a success.
    int error() const { return m_error; }
    // After a refusal for a destination open in a running copy of the program: which document and
    // which process, for the user (DocumentMark::heldInformation); empty otherwise.
    const QString& heldOpen() const { return m_heldOpen; }

private:
    bool fail(int error);
    bool fillDurably(const QString& package, const Filler& fill);
    bool putInPlace(const QString& package);

    QString m_destination;
    bool m_replacing = false;
    int m_error = 0;
    QString m_heldOpen;
};
