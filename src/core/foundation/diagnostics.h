#pragma once
// Diagnostics go to the log as free text. A programmer error is a soft assertion: it logs where
// it happened and lets the caller recover.
#include <QDebug>

void svLog(const QString& text);
void svSoftAssertFailed(const char* condition, const char* file, int line);

#define SV_ASSERT(cond) ((cond) ? true : (svSoftAssertFailed(#cond, __FILE__, __LINE__), false))
