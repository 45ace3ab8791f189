#pragma once

#include "SpecialFolders.h"

#include <QList>
#include <QMap>

namespace kelvaro::test {

// Answers the folders a test sets and records every id asked for.
class FakeSpecialFolders final : public SpecialFolders {
public:
    std::optional<QString> location(qint32 id) const override
    {
        asked << id;
        const auto it = folders.constFind(id);
        if (it == folders.constEnd())
            return std::nullopt;
        return *it;
    }

    QMap<qint32, QString> folders;
    mutable QList<qint32> asked;
};

} // namespace kelvaro::test
