#pragma once
// The member files of a document package as the store sees them as a whole: the file behind each
// code, which of them a document must have, what is wrong at a member's place before its reader
// runs, and whether a folder holds a document at all.
//
// Every save writes every member, so a package of this format lacks one only when it was damaged
// or never completely written: its reader would give an empty list that the next save would make
// permanent. Only two may be absent, in the layout of older packages: the analysis
// configurations while their file of the older name ("anadef.xml") stands in for them, and the
// forecasts while the schedules ("chrono.xml"), which then hold them, are there. A new package,
// whose first save is still to come, may lack any member.
#include <QString>

class LoadIssues;
enum class DocError : int;

// The member file of a code; empty for a code that names no member file.
QString memberFileName(DocError code);

// Notes on issues, at the member, what is wrong at its place: missing or empty when the document
// must have it (required), and, when its reader notes nothing of its own (readerNotes false), a
// place that is no regular file or can't be read.
void checkMemberFile(const QString& package, DocError code, bool required, bool readerNotes, LoadIssues& issues);
// Whether the document must have that member (see above).
bool memberIsRequired(const QString& package, DocError code);

// Whether the folder at url holds a document: a folder with the folder of the member files
// holding at least one of them. When not, *reason (may be null) says why, in the user's words.
bool isDocumentPackage(const QString& url, QString* reason);
