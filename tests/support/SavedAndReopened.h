#pragma once
// What the user finds at the next opening: the document saved where it lies, closed, and read back
// as the session's document.
#include "document/DocumentSession.h"
#include "document/SVDocumentManager.h"
#include "model/DOCUMENT.h"

#include <QList>
#include <gtest/gtest.h>

#include <memory>

namespace testenv {

// The adopted document saved at url and closed, then read back and adopted in its place.
inline std::unique_ptr<DOCUMENT> savedAndReopened(DOCUMENT& doc, const QString& url)
{
    EXPECT_EQ(SVDocumentManager::defaultManager().saveDocumentInternal(url, doc), DocError::None);
    DocumentSession::close();
    auto reopened = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, *reopened), DocError::None);
    DocumentSession::adopt(*reopened);
    return reopened;
}

// Each amount found equal to the one expected in the first three currency slots.
inline void expectSameAmounts(const QList<MONTANT>& found, const QList<MONTANT>& expected)
{
    ASSERT_EQ(found.size(), expected.size());
    for (qsizetype k = 0; k < found.size(); ++k) {
        for (size_t slot : {0, 1, 2})
            EXPECT_NEAR(found[k].values[slot], expected[k].values[slot], 1e-9)
                << "montant " << k << ", devise " << slot;
    }
}

} // namespace testenv
