#pragma once
// The old text form of property lists, which libplist does not read: dictionaries
// { key = value; }, arrays ( a, b ), data <0fbd 7777> and strings, quoted ("..." or '...', with
// backslash escapes) or bare (letters, digits and _$+/:.-). Every scalar is a string; comments
// (// and /* */) are skipped.
#include <QByteArray>
#include <QString>

#include <plist/plist.h>

// The tree of the text (UTF-8), owned by the caller (plist_free); null with the reason and its
// byte offset when the text is no property list or nests deeper than 32 levels.
plist_t plistFromText(const QByteArray& text, QString* reason);
